#include "platform/SettingsFile.h"

#include <windows.h>

int settingsGetInt(const char* section, const char* key, int defaultValue, const char* iniPath) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, iniPath));
}

uint32_t settingsGetString(const char* section, const char* key, const char* defaultValue, char* buffer, uint32_t size,
                           const char* iniPath) {
    if (buffer == nullptr || size == 0)
        return 0;
    return GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "", buffer, size, iniPath);
}

bool settingsWriteString(const char* section, const char* key, const char* value, const char* iniPath) {
    return WritePrivateProfileStringA(section, key, value, iniPath) != 0;
}
