#include "platform/FileVersion.h"

#include <windows.h>

#include <vector>

bool readFileVersion(const char* path, FileVersion* version) {
    if (path == nullptr || path[0] == '\0' || version == nullptr)
        return false;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data()))
        return false;

    void* value = nullptr;
    UINT valueLength = 0;
    char root[] = "\\";
    if (!VerQueryValueA(block.data(), root, &value, &valueLength) || value == nullptr ||
        valueLength < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE)
        return false;
    version->mostSignificant = fixed->dwFileVersionMS;
    version->leastSignificant = fixed->dwFileVersionLS;
    return true;
}
