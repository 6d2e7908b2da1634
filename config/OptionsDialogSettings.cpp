#include "config/OptionsDialogSettings.h"

#include <string>

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

}  // namespace

bool usesNineFieldOptionsDialog(long palmDesktopVersionNumber) {
    return palmDesktopVersionNumber > lastFourFieldVersion;
}

OptionsDialogChecks openOptionsDialogSettings(Settings& settings) {
    const std::string iniPath = settingsFilePath();
    settings.swapName = readSetting(swapNameKey, iniPath);
    settings.showDiff = readSetting(showDiffKey, iniPath);
    return OptionsDialogChecks{settings.swapName != 0, settings.showDiff != 0};
}

bool commitOptionsDialogSettings(Settings& settings, const OptionsRecord& edit, const OptionsDialogChecks& checks) {
    settings.options = edit;
    settings.save();

    const std::string iniPath = settingsFilePath();
    writeCheck(swapNameKey, checks.swapName, iniPath);
    writeCheck(showDiffKey, checks.showDiff, iniPath);

    const int newSwapName = checks.swapName ? 1 : 0;
    const int newShowDiff = checks.showDiff ? 1 : 0;
    const bool listSettingChanged = newSwapName != settings.swapName || newShowDiff != settings.showDiff;
    settings.swapName = newSwapName;
    settings.showDiff = newShowDiff;
    return listSettingChanged;
}
