#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/LocalClock.h"

// Copies of an address file as it was before an operation rewrote it, in the
// "Backups" folder beside the program: one subfolder per address file, one
// file per backup named by its date and time, the newest kept.
namespace AddressFileBackups {

constexpr char folderName[] = "Backups";
constexpr size_t keptPerFile = 20;

// The subfolder that holds the backups of the address file at path: the path
// with every character that cannot stand in a file name replaced, its end
// kept when it is too long.
std::string subfolderName(const std::string& addressFile);
// "20261207-181503-00.dat" for the first backup of that second; sequence
// counts the further ones. Names sort in the order the backups were made.
std::string backupName(const LocalDateTime& when, unsigned sequence);
// The program folder's "Backups" subfolder for the address file, ending in
// a separator.
std::string folderFor(const std::string& addressFile);

// Copies the address file into its backup folder and removes all but the
// newest keptPerFile backups there. False, with no partial copy left, when
// the file cannot be read or the copy cannot be written; made receives the
// backup's path on success.
bool backUp(const std::string& addressFile, const LocalDateTime& when, std::string* made);

// The backups of the address file, oldest first, as full paths.
std::vector<std::string> existing(const std::string& addressFile);

} // namespace AddressFileBackups
