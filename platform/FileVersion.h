#pragma once
#include <cstdint>

// The file version of a file's fixed version information: the high 16 bits of
// mostSignificant are the major part, its low 16 bits the minor part, and
// leastSignificant holds the third and fourth parts the same way.
struct FileVersion {
    uint32_t mostSignificant = 0;
    uint32_t leastSignificant = 0;
};

// False when the file cannot be read or carries no version resource.
// Backslashes in path are directory separators on every system.
bool readFileVersion(const char* path, FileVersion* version);
