#include "config/OptionsDialogSettings.h"

#include <string>

#include "config/Options.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"

namespace {

const long lastFourFieldVersion = 40101;

int readSetting(const char* key, const std::string& iniPath) {
    return settingsGetInt(quillsetSettingsSection, key, 0, iniPath.c_str());
}

void writeCheck(const char* key, bool checked, const std::string& iniPath) {
    settingsWriteString(quillsetSettingsSection, key, checked ? "1" : "0", iniPath.c_str());
}

}

bool usesNineFieldOptionsDialog(long palmDesktopVersionNumber) {
    return palmDesktopVersionNumber > lastFourFieldVersion;
}

OptionsDialogChecks openOptionsDialogSettings() {
    const std::string iniPath = settingsFilePath();
    swapName = readSetting(swapNameKey, iniPath);
    showDiff = readSetting(showDiffKey, iniPath);
    viewOptionsChanged = false;
    return OptionsDialogChecks{swapName != 0, showDiff != 0};
}

void commitOptionsDialogSettings(const OptionsRecord& edit, const OptionsDialogChecks& checks) {
    currentOptions = edit;
    saveOptions();

    const std::string iniPath = settingsFilePath();
    writeCheck(swapNameKey, checks.swapName, iniPath);
    writeCheck(showDiffKey, checks.showDiff, iniPath);

    const int newSwapName = checks.swapName ? 1 : 0;
    const int newShowDiff = checks.showDiff ? 1 : 0;
    viewOptionsChanged = newSwapName != swapName || newShowDiff != showDiff;
    swapName = newSwapName;
    showDiff = newShowDiff;
}
