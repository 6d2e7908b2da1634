#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/LocalClock.h"

// Copies of an address file as it was before an operation rewrote it, in the
// "Backups" folder beside the program: one subfolder per address file, one
// file per backup named by a sequence number and the date and time, the
// newest kept. The order is the sequence's, never the clock's: a clock set
// back must not make the newest copy look like the oldest.
namespace AddressFileBackups {

constexpr char folderName[] = "Backups";
constexpr size_t keptPerFile = 20;

// The subfolder that holds the backups of the address file at path: the path
// with every character that cannot stand in a file name replaced, its end
// kept when it is too long.
std::string subfolderName(const std::string& addressFile);
constexpr uint32_t largestSequence = 99999999;

// "00000042-20261207-181503.dat" for the backup numbered 42, made then.
std::string backupName(uint32_t sequence, const LocalDateTime& when);
// The program folder's "Backups" subfolder for the address file, ending in
// a separator.
std::string folderFor(const std::string& addressFile);

// Copies the address file into its backup folder, numbered past every
// backup there, and removes all but the newest keptPerFile backups, never
// the copy just made nor keep (the backup the Undo journal names). False,
// with no partial copy left, when the file cannot be read or the copy cannot
// be written; made receives the backup's path on success.
bool backUp(const std::string& addressFile, const LocalDateTime& when, std::string* made,
            const std::string& keep = std::string());

// The backups of the address file, oldest first, as full paths: those named
// by the clock alone (made before the sequence numbers) by name, then the
// numbered ones by number.
std::vector<std::string> existing(const std::string& addressFile);

}  // namespace AddressFileBackups
