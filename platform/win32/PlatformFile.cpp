#include "platform/PlatformFile.h"

#include "platform/FileFaults.h"

#include <windows.h>
#include <utility>

namespace {
HANDLE asHandle(void* handle) { return static_cast<HANDLE>(handle); }
}  // namespace

PlatformFile::~PlatformFile() { close(); }

PlatformFile::PlatformFile(PlatformFile&& other) noexcept
    : handle_(std::exchange(other.handle_, static_cast<void*>(INVALID_HANDLE_VALUE))) {}

PlatformFile& PlatformFile::operator=(PlatformFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, static_cast<void*>(INVALID_HANDLE_VALUE));
    }
    return *this;
}

static DWORD desiredAccess(PlatformFile::Access access) {
    switch (access) {
    case PlatformFile::Access::Read: return GENERIC_READ;
    case PlatformFile::Access::Write: return GENERIC_WRITE;
    case PlatformFile::Access::ReadWrite: return GENERIC_READ | GENERIC_WRITE;
    }
    return GENERIC_READ;
}

bool PlatformFile::open(const char* path, Access access, Disposition disposition) {
    close();
    if (path == nullptr || *path == '\0')
        return false;
    DWORD creation = disposition == Disposition::CreateAlways ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE handle = CreateFileA(path, desiredAccess(access), 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    handle_ = handle;
    return true;
}

bool PlatformFile::isOpen() const { return asHandle(handle_) != INVALID_HANDLE_VALUE; }

void PlatformFile::close() {
    if (isOpen()) {
        CloseHandle(asHandle(handle_));
        handle_ = INVALID_HANDLE_VALUE;
    }
}

bool PlatformFile::read(void* destination, uint32_t count, uint32_t* delivered) {
    if (delivered)
        *delivered = 0;
    if (!isOpen() || destination == nullptr)
        return false;
    DWORD got = 0;
    if (!ReadFile(asHandle(handle_), destination, count, &got, nullptr))
        return false;
    if (delivered)
        *delivered = got;
    return true;
}

bool PlatformFile::write(const void* source, uint32_t count) {
    if (!isOpen() || source == nullptr)
        return false;
    DWORD put = 0;
    if (fileFaultsArmed()) {
        LARGE_INTEGER zero = {};
        LARGE_INTEGER offset = {};
        SetFilePointerEx(asHandle(handle_), zero, &offset, FILE_CURRENT);
        uint32_t writable = faultWritableBytes(static_cast<uint64_t>(offset.QuadPart), count);
        if (writable < count) {
            if (writable > 0)
                WriteFile(asHandle(handle_), source, writable, &put, nullptr);
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
    }
    return WriteFile(asHandle(handle_), source, count, &put, nullptr) && put == count;
}

bool PlatformFile::setPosition(uint64_t position) {
    if (!isOpen())
        return false;
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(position);
    return SetFilePointerEx(asHandle(handle_), distance, nullptr, FILE_BEGIN) != 0;
}

bool PlatformFile::flushToDisk() {
    if (!isOpen())
        return false;
    if (faultFailsFlush())
        return false;
    return FlushFileBuffers(asHandle(handle_)) != 0;
}
