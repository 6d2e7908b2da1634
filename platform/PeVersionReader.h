#pragma once
#include "platform/FileVersion.h"

#include <cstddef>
#include <cstdint>

// Finds the fixed version information in the bytes of a Windows executable
// or library (PE32 or PE32+): resource type 16, name 1, the first language.
// Every offset, size and count in the bytes is checked before it is used, so
// a damaged or hostile file gives false and nothing outside the bytes is read.
bool readPeFileVersion(const uint8_t* bytes, size_t size, FileVersion* version);
