#include "platform/FileSystem.h"

#include "platform/FileFaults.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A rename is on the disk only once its folder is.
bool syncFolder(const std::string& folder) {
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    bool synced = fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

}  // namespace

bool isPlainFile(const std::string& path) {
    struct stat status;
    return !path.empty() && stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool removeFile(const std::string& path) { return !path.empty() && unlink(path.c_str()) == 0; }

bool makeFolder(const std::string& path) {
    if (path.empty())
        return false;
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (mkdir(folder.c_str(), 0755) == 0)
        return true;
    struct stat status;
    return errno == EEXIST && stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::vector<std::string> filesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr)
        return names;
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    while (dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (isPlainFile(prefix + name))
            names.push_back(name);
    }
    closedir(directory);
    return names;
}

bool replaceFile(const std::string& replacement, const std::string& target) {
    if (replacement.empty() || target.empty())
        return false;
    if (faultFailsReplace(target))
        return false;
    struct stat original;
    if (stat(target.c_str(), &original) == 0) {
        // The new file takes over the old one's permissions and, where
        // allowed, its owner.
        if (chmod(replacement.c_str(), original.st_mode & 07777) != 0)
            return false;
        if (chown(replacement.c_str(), original.st_uid, original.st_gid) != 0) {
            // Only the owner's own files can be given away; a file the user
            // owns keeps its owner anyway.
        }
    }
    if (rename(replacement.c_str(), target.c_str()) != 0)
        return false;
    syncFolder(folderOf(target));
    return true;
}

char folderSeparator() { return '/'; }

bool fileModificationTime(const std::string& path, int64_t* stamp) {
    struct stat status;
    if (path.empty() || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    *stamp = static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return true;
}
