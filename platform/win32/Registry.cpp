#include "platform/Registry.h"

#include <windows.h>

// Closes an open registry key when it goes.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool openForReading(HKEY root, const char* path) {
        return RegOpenKeyExA(root, path, 0, KEY_READ, &key_) == ERROR_SUCCESS;
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

RegistryReadResult readCurrentUserString(const char* keyPath, const char* valueName, char* buffer, uint32_t size) {
    if (buffer == nullptr || size == 0)
        return RegistryReadResult::TooLong;
    buffer[0] = '\0';
    RegistryKey key;
    if (!key.openForReading(HKEY_CURRENT_USER, keyPath))
        return RegistryReadResult::NotFound;

    DWORD type = 0;
    DWORD length = size;
    const LONG status =
        RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length);
    if (status == ERROR_MORE_DATA) {
        buffer[0] = '\0';
        return RegistryReadResult::TooLong;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || length > size) {
        buffer[0] = '\0';
        return RegistryReadResult::NotFound;
    }
    // The stored text need not carry its terminator; it must still fit.
    if (length == 0 || buffer[length - 1] != '\0') {
        if (length == size) {
            buffer[0] = '\0';
            return RegistryReadResult::TooLong;
        }
        buffer[length] = '\0';
    }
    return RegistryReadResult::Found;
}
