#include "sync/operations/AddressFileBackups.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"

namespace AddressFileBackups {

namespace {

constexpr size_t maxSubfolderName = 120;
constexpr unsigned maxSequence = 99;
// Where the two digits of the sequence stand in a backup's name.
constexpr size_t sequenceStart = 16;
constexpr char backupSuffix[] = ".dat";

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_' || c == ' ';
}

bool isBackupName(const std::string& name)
{
    // "YYYYMMDD-HHMMSS-NN.dat"
    if (name.size() != 22 || name.compare(18, 4, backupSuffix) != 0 || name[8] != '-' || name[15] != '-')
        return false;
    for (size_t index : {size_t(0), size_t(9), sequenceStart}) {
        const size_t digits = index == 0 ? 8 : index == 9 ? 6 : 2;
        for (size_t at = index; at < index + digits; ++at) {
            if (name[at] < '0' || name[at] > '9')
                return false;
        }
    }
    return true;
}

} // namespace

std::string subfolderName(const std::string& addressFile)
{
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

std::string backupName(const LocalDateTime& when, unsigned sequence)
{
    char text[40];
    std::snprintf(text, sizeof(text), "%04d%02d%02d-%02d%02d%02d-%02u%s", when.year % 10000, when.month % 100,
                  when.day % 100, when.hour % 100, when.minute % 100, when.second % 100, sequence % 100,
                  backupSuffix);
    return text;
}

std::string folderFor(const std::string& addressFile)
{
    const char separator = folderSeparator();
    return programFolder() + folderName + separator + subfolderName(addressFile) + separator;
}

std::vector<std::string> existing(const std::string& addressFile)
{
    const std::string folder = folderFor(addressFile);
    std::vector<std::string> names = filesInFolder(folder);
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& n) { return !isBackupName(n); }),
                names.end());
    std::sort(names.begin(), names.end());
    for (std::string& name : names)
        name = folder + name;
    return names;
}

bool backUp(const std::string& addressFile, const LocalDateTime& when, std::string* made)
{
    if (addressFile.empty() || !isPlainFile(addressFile))
        return false;
    const std::string folder = folderFor(addressFile);
    if (!makeFolder(programFolder() + folderName) || !makeFolder(folder))
        return false;
    // Past every backup of the same second, so the names keep the order in
    // which the backups were made.
    const std::string stamp = backupName(when, 0).substr(0, sequenceStart);
    unsigned sequence = 0;
    for (const std::string& name : filesInFolder(folder)) {
        if (isBackupName(name) && name.compare(0, sequenceStart, stamp) == 0) {
            const unsigned used = static_cast<unsigned>((name[sequenceStart] - '0') * 10 + (name[sequenceStart + 1] - '0'));
            if (used >= sequence)
                sequence = used + 1;
        }
    }
    if (sequence > maxSequence)
        return false;
    const std::string target = folder + backupName(when, sequence);
    if (!copyWholeFile(addressFile, target))
        return false;
    // The copy just made is never one that goes: with the clock set back
    // since older backups were made it sorts first, and it is the only copy
    // of the file as it is before this operation.
    std::vector<std::string> backups = existing(addressFile);
    backups.erase(std::remove(backups.begin(), backups.end(), target), backups.end());
    for (size_t index = 0; index + keptPerFile < backups.size() + 1; ++index)
        removeFile(backups[index]);
    if (made)
        *made = target;
    return true;
}

} // namespace AddressFileBackups
