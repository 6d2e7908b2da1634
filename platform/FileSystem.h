#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The few whole-file operations beyond one open file: what the safe rewrite,
// the backups and the journal need.
bool isPlainFile(const std::string& path);
bool removeFile(const std::string& path);
// A folder, made when missing; true when it exists afterwards.
bool makeFolder(const std::string& path);
// The names (no folder) of the plain files in a folder; empty when none.
std::vector<std::string> filesInFolder(const std::string& folder);
// Puts replacement in target's place in one step, writing through to the
// disk; target's attributes pass to the file that replaces it. When it fails
// target is as it was and replacement still exists.
bool replaceFile(const std::string& replacement, const std::string& target);
// The whole file into content; false when it cannot be read or holds more
// than limit bytes (content is then empty).
bool readWholeFileInto(const std::string& path, std::string& content, uint64_t limit);
// Byte for byte, target created or emptied; false leaves no target behind.
bool copyWholeFile(const std::string& source, const std::string& target);
// The file's last write time in the platform's finest unit; false when it
// cannot be read.
bool fileModificationTime(const std::string& path, int64_t* stamp);
// The platform's folder separator.
char folderSeparator();
