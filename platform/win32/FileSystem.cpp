#include "platform/FileSystem.h"

#include "platform/FileFaults.h"

#include <windows.h>

bool isPlainFile(const std::string& path) {
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool removeFile(const std::string& path) {
    if (path.empty())
        return false;
    // A read-only copy (a backup of a read-only file) is removed as well.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

bool makeFolder(const std::string& path) {
    if (path.empty())
        return false;
    std::string folder = path;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (CreateDirectoryA(folder.c_str(), nullptr))
        return true;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> filesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool replaceFile(const std::string& replacement, const std::string& target) {
    if (replacement.empty() || target.empty())
        return false;
    if (faultFailsReplace(target))
        return false;
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A read-only target refuses to be replaced; the attributes go to the
        // new file and come back with it.
        if (!SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL))
            return false;
        if (!MoveFileExA(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            SetFileAttributesA(target.c_str(), attributes);
            return false;
        }
        SetFileAttributesA(target.c_str(), attributes);
        return true;
    }
    return MoveFileExA(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

char folderSeparator() { return '\\'; }

bool fileModificationTime(const std::string& path, int64_t* stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    *stamp = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                  data.ftLastWriteTime.dwLowDateTime);
    return true;
}
