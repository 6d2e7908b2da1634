#include <string>
#include <windows.h>

std::string executableFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return ".\\";
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}
