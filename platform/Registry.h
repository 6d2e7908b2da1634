#pragma once
#include <cstdint>

enum class RegistryReadResult {
    Found,     // the text is in the buffer, terminated
    NotFound,  // no such key or value, not a text value, or unreadable
    TooLong,   // the value and its terminator do not fit the buffer
};

// Reads the text value valueName of keyPath under HKEY_CURRENT_USER into
// buffer (size bytes, terminator included). The buffer is emptied first and
// holds nothing useful unless the result is Found. There is no registry on
// POSIX systems: the value is never found there.
RegistryReadResult readCurrentUserString(const char* keyPath, const char* valueName, char* buffer, uint32_t size);
