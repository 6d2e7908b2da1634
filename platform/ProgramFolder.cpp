#include "platform/ProgramFolder.h"

// The executable's own folder, from the operating system.
std::string executableFolder();

static std::string& folderOverride() {
    static std::string folder;
    return folder;
}

std::string programFolder() {
    if (!folderOverride().empty())
        return folderOverride();
    return executableFolder();
}

void overrideProgramFolder(const std::string& folder) { folderOverride() = folder; }

std::string programFilePath(const char* name) { return programFolder() + (name ? name : ""); }

std::string settingsFilePath() { return programFilePath("tolvane.ini"); }
