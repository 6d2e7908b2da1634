#include "platform/Registry.h"

RegistryReadResult readCurrentUserString(const char* keyPath, const char* valueName, char* buffer, uint32_t size) {
    if (buffer != nullptr && size > 0)
        buffer[0] = '\0';
    return RegistryReadResult::NotFound;
}
