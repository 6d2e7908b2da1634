#include "platform/win32/OsVersion.h"

#include <windows.h>

#include "platform/FileVersion.h"

static int versionClassOf(const OSVERSIONINFOA& version) {
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4) {
        switch (version.dwMinorVersion) {
        case 0: return 0;
        case 10: return 1;
        case 90: return 2;
        default: return -1;
        }
    }
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return -1;
    if (version.dwMajorVersion == 4)
        return 3;
    if (version.dwMajorVersion == 5)
        return version.dwMinorVersion == 0 ? 4 : (version.dwMinorVersion == 1 ? 5 : 6);
    return version.dwMajorVersion >= 6 ? 6 : -1;
}

int osVersionClass() {
    static int cached = -2;
    if (cached == -2) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        cached = GetVersionExA(&version) ? versionClassOf(version) : -1;
#pragma GCC diagnostic pop
    }
    return cached;
}

bool getFileVersion(const char* path, int* major, int* minor, int* third, int* fourth) {
    *major = *minor = *third = *fourth = 0;
    FileVersion version;
    if (path == nullptr || path[0] == '\0' || !readFileVersion(path, &version))
        return false;
    *major = static_cast<int>(version.mostSignificant >> 16);
    *minor = static_cast<int>(version.mostSignificant & 0xFFFF);
    *third = static_cast<int>(version.leastSignificant >> 16);
    *fourth = static_cast<int>(version.leastSignificant & 0xFFFF);
    return true;
}
