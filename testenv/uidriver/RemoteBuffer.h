#pragma once
#include <windows.h>

// Memory in the driven process, for the control messages whose data must
// live there (the system copies only the classic text messages across).
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process), size_(size), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {
    }
    ~RemoteBuffer() {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool valid() const { return address_ != nullptr; }
    char* address() const { return static_cast<char*>(address_); }
    LPARAM parameter() const { return reinterpret_cast<LPARAM>(address_); }

    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        return fits(offset, size) && WriteProcessMemory(process_, address() + offset, data, size, nullptr) != 0;
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        return fits(offset, size) && ReadProcessMemory(process_, address() + offset, data, size, nullptr) != 0;
    }

private:
    bool fits(SIZE_T offset, SIZE_T size) const { return valid() && offset <= size_ && size <= size_ - offset; }

    HANDLE process_;
    SIZE_T size_;
    void* address_;
};
