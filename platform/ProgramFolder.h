#pragma once
#include <string>

// The drive and directory of the running executable, ending in a separator.
// The options file, the settings file and the connector log live there.
std::string programFolder();

// Tests point the program's files at a folder of their own; an empty folder
// restores the real one.
void overrideProgramFolder(const std::string& folder);

// programFolder() followed by name.
std::string programFilePath(const char* name);

// The settings file "tolvane.ini" in the program's folder.
std::string settingsFilePath();
