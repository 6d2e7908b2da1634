#pragma once
#include <cstdint>

// Initialisation-file access with the behaviour of GetPrivateProfileIntA,
// GetPrivateProfileStringA and WritePrivateProfileStringA. Sections and keys
// match without regard to case; values are trimmed of surrounding blanks.

// The integer at the start of the value (after blanks, an optional sign):
// "2abc" gives 2, "abc" gives 0. A missing file, section or key, or an empty
// value, gives defaultValue.
int settingsGetInt(const char* section, const char* key, int defaultValue, const char* iniPath);

// Copies the value (or defaultValue, or "" for a null default) into buffer,
// at most size - 1 characters, always terminated when size > 0. Returns the
// number of characters copied.
uint32_t settingsGetString(const char* section, const char* key, const char* defaultValue, char* buffer, uint32_t size,
                           const char* iniPath);

// Sets key = value in section, creating the file and the section as needed.
bool settingsWriteString(const char* section, const char* key, const char* value, const char* iniPath);
