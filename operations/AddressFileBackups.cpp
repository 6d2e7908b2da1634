#include "operations/AddressFileBackups.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"

namespace AddressFileBackups {

namespace {

constexpr size_t maxSubfolderName = 120;
constexpr size_t sequenceDigits = 8;
constexpr char backupSuffix[] = ".dat";

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || c == ' ';
}

// Digits at the places of pattern's '9', the same character elsewhere.
bool fitsPattern(const std::string& name, const char* pattern) {
    const size_t length = std::strlen(pattern);
    if (name.size() != length)
        return false;
    for (size_t at = 0; at < length; ++at) {
        const bool digit = name[at] >= '0' && name[at] <= '9';
        if (pattern[at] == '9' ? !digit : name[at] != pattern[at])
            return false;
    }
    return true;
}

// Named by the clock alone, before the sequence numbers.
bool isOldBackupName(const std::string& name) { return fitsPattern(name, "99999999-999999-99.dat"); }
bool isNumberedBackupName(const std::string& name) { return fitsPattern(name, "99999999-99999999-999999.dat"); }

uint32_t sequenceOf(const std::string& name) {
    uint32_t sequence = 0;
    for (size_t at = 0; at < sequenceDigits; ++at)
        sequence = sequence * 10 + static_cast<uint32_t>(name[at] - '0');
    return sequence;
}

// Older names first, by name; then by sequence.
bool madeBefore(const std::string& left, const std::string& right) {
    const bool leftNumbered = isNumberedBackupName(left);
    if (leftNumbered != isNumberedBackupName(right))
        return !leftNumbered;
    if (!leftNumbered)
        return left < right;
    return sequenceOf(left) < sequenceOf(right);
}

std::vector<std::string> backupNamesIn(const std::string& folder) {
    std::vector<std::string> names = filesInFolder(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return !isOldBackupName(n) && !isNumberedBackupName(n); }),
                names.end());
    std::sort(names.begin(), names.end(), madeBefore);
    return names;
}

}  // namespace

std::string subfolderName(const std::string& addressFile) {
    std::string name;
    name.reserve(addressFile.size());
    for (char c : addressFile)
        name += isNameCharacter(c) ? c : '_';
    // Leading separators and a drive only make the name longer.
    size_t start = name.find_first_not_of("_ .");
    name = start == std::string::npos ? std::string("address") : name.substr(start);
    if (name.size() > maxSubfolderName)
        name = name.substr(name.size() - maxSubfolderName);
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.back() = '_';
    return name;
}

std::string backupName(uint32_t sequence, const LocalDateTime& when) {
    char text[48];
    std::snprintf(text, sizeof(text), "%08lu-%04d%02d%02d-%02d%02d%02d%s",
                  static_cast<unsigned long>(sequence % (largestSequence + 1)), when.year % 10000, when.month % 100,
                  when.day % 100, when.hour % 100, when.minute % 100, when.second % 100, backupSuffix);
    return text;
}

std::string folderFor(const std::string& addressFile) {
    const char separator = folderSeparator();
    return programFolder() + folderName + separator + subfolderName(addressFile) + separator;
}

std::vector<std::string> existing(const std::string& addressFile) {
    const std::string folder = folderFor(addressFile);
    std::vector<std::string> names = backupNamesIn(folder);
    for (std::string& name : names)
        name = folder + name;
    return names;
}

bool backUp(const std::string& addressFile, const LocalDateTime& when, std::string* made, const std::string& keep) {
    if (addressFile.empty() || !isPlainFile(addressFile))
        return false;
    const std::string folder = folderFor(addressFile);
    if (!makeFolder(programFolder() + folderName) || !makeFolder(folder))
        return false;
    const std::vector<std::string> names = backupNamesIn(folder);
    uint32_t sequence = 1;
    if (!names.empty() && isNumberedBackupName(names.back())) {
        if (sequenceOf(names.back()) >= largestSequence)
            return false;
        sequence = sequenceOf(names.back()) + 1;
    }
    const std::string target = folder + backupName(sequence, when);
    if (!copyWholeFile(addressFile, target))
        return false;
    // Neither the copy just made, the only one of the file as it is before
    // this operation, nor the one Undo would put back ever goes.
    const std::vector<std::string> backups = existing(addressFile);
    size_t excess = backups.size() > keptPerFile ? backups.size() - keptPerFile : 0;
    for (size_t index = 0; index < backups.size() && excess > 0; ++index) {
        if (backups[index] == target || backups[index] == keep)
            continue;
        removeFile(backups[index]);
        --excess;
    }
    if (made)
        *made = target;
    return true;
}

}  // namespace AddressFileBackups
