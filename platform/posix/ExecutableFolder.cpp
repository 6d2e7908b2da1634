#include <string>
#include <unistd.h>

std::string executableFolder() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return "./";
    std::string folder(path, static_cast<size_t>(length));
    return folder.substr(0, folder.find_last_of('/') + 1);
}
