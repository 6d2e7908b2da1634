#pragma once
#include "testenv/scenariocheck/CheckRecord.h"

#include <string>

// A stand-in Outlook contact file, read with the contact file's own reader:
// every contact in file order, its properties sorted by name. Contacts pair
// by their creation time, which a save leaves as it was.
//
// False, with the reason, for a missing or malformed file.
bool readOutlookCheckFile(const std::string& path, CheckFile* file, std::string* problem);
