#include "config/Settings.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/FileRewrite.h"
#include "platform/PlatformFile.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsFile.h"

// The options file is the in-memory record byte for byte.
#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the options file image assumes a little-endian host"
#endif

namespace {

const uint32_t optionsImageSize = sizeof(OptionsRecord);

// Overwrites only the leading bytes the file actually holds, so a short or
// older file keeps the defaults for the rest.
void readOptionsFileOver(OptionsRecord& options) {
    PlatformFile file;
    const std::string path = programFilePath(optionsFileName);
    if (!file.open(path.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting))
        return;

    uint8_t image[optionsImageSize];
    uint32_t filled = 0;
    while (filled < optionsImageSize) {
        uint32_t delivered = 0;
        if (!file.read(image + filled, optionsImageSize - filled, &delivered) || delivered == 0)
            break;
        if (delivered > optionsImageSize - filled)
            delivered = optionsImageSize - filled;
        filled += delivered;
    }
    std::memcpy(&options, image, filled);
}

// A new file takes the old one's place only when all of it is on the disk,
// so a failed save keeps the options saved before.
bool writeOptionsFile(const OptionsRecord& options) {
    const std::string path = programFilePath(optionsFileName);
    return rewriteWholeFile(path, FileRewrite::Target::MayBeNew, &options, optionsImageSize);
}

int readQuillsetSetting(const char* key) {
    const std::string iniPath = settingsFilePath();
    return settingsGetInt(quillsetSettingsSection, key, 0, iniPath.c_str());
}

}  // namespace

void Settings::load() {
    options.setDefaults();
    readOptionsFileOver(options);
    lastUser = readQuillsetSetting(lastUserKey);
    swapName = readQuillsetSetting(swapNameKey);
    showDiff = readQuillsetSetting(showDiffKey);
}

bool Settings::save() const {
    const bool optionsWritten = writeOptionsFile(options);

    char text[16];
    std::snprintf(text, sizeof(text), "%d", lastUser);
    const std::string iniPath = settingsFilePath();
    const bool lastUserWritten = settingsWriteString(quillsetSettingsSection, lastUserKey, text, iniPath.c_str());

    return optionsWritten && lastUserWritten;
}

bool readSwapNameSetting() { return readQuillsetSetting(swapNameKey) == 1; }
