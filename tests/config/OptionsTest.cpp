#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "platform/SettingsFile.h"
#include "tests/support/TempFolder.h"

namespace {

std::vector<uint8_t> imageOf(const OptionsRecord& options) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&options);
    return std::vector<uint8_t>(bytes, bytes + sizeof(options));
}

OptionsRecord defaultOptions() {
    OptionsRecord options;
    options.setDefaults();
    return options;
}

// A file image in which every byte is distinct from the defaults.
std::vector<uint8_t> patternImage(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t index = 0; index < size; ++index)
        bytes[index] = static_cast<uint8_t>(index * 7 + 1);
    return bytes;
}

class OptionsFiles : public ::testing::Test {
protected:
    OptionsFiles() : program_(folder_.path()) {
        // Leftovers of an earlier test must not pass for loaded values.
        std::memset(&settings.options, 0xCD, sizeof(settings.options));
        settings.lastUser = settings.swapName = settings.showDiff = -77;
    }

    std::string optionsPath() const { return folder_.file("qsopt10.dat"); }
    std::string iniPath() const { return folder_.file("tolvane.ini"); }

    void writeIni(const std::string& text) { ASSERT_TRUE(writeWholeFile(iniPath(), text)); }

    std::string iniValue(const char* key) const {
        char buffer[64];
        settingsGetString("Quillset", key, "<missing>", buffer, sizeof(buffer), iniPath().c_str());
        return buffer;
    }

    TempFolder folder_;
    ScopedProgramFolder program_;
    Settings settings;
};

}  // namespace

TEST_F(OptionsFiles, FirstRunWithoutFilesGivesDefaults) {
    settings.load();

    EXPECT_EQ(imageOf(settings.options), imageOf(defaultOptions()));
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        EXPECT_EQ(settings.options.customMapAt(index), 0);
    EXPECT_EQ(settings.options.syncAction, static_cast<int32_t>(SyncAction::AskUser));
    EXPECT_EQ(settings.options.outlookAddressType, static_cast<int32_t>(OutlookAddressType::Business));
    EXPECT_EQ(settings.lastUser, 0);
    EXPECT_EQ(settings.swapName, 0);
    EXPECT_EQ(settings.showDiff, 0);
    EXPECT_FALSE(fileExists(optionsPath()));  // loading creates nothing
}

TEST_F(OptionsFiles, ShortFileReplacesOnlyTheLeadingBytesItHolds) {
    const std::vector<uint8_t> file = patternImage(400);
    ASSERT_TRUE(writeWholeFile(optionsPath(), file));

    settings.load();

    const std::vector<uint8_t> loaded = imageOf(settings.options);
    const std::vector<uint8_t> defaults = imageOf(defaultOptions());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), loaded.begin()));
    EXPECT_TRUE(std::equal(defaults.begin() + 400, defaults.end(), loaded.begin() + 400));

    // Every field but the reserved tail came from the file.
    OptionsRecord fromFile;
    std::memcpy(&fromFile, file.data(), 368);
    EXPECT_EQ(std::memcmp(settings.options.profileKey, fromFile.profileKey, 32), 0);
    EXPECT_EQ(std::memcmp(settings.options.profileName, fromFile.profileName, 280), 0);
    for (int index = 0; index < OptionsRecord::customMapCount; ++index)
        EXPECT_EQ(settings.options.customMapAt(index), fromFile.customMapAt(index)) << index;
    EXPECT_EQ(settings.options.syncAction, fromFile.syncAction);
    EXPECT_EQ(settings.options.outlookAddressType, fromFile.outlookAddressType);
}

TEST_F(OptionsFiles, EmptyOrOverlongFiles) {
    ASSERT_TRUE(writeWholeFile(optionsPath(), std::vector<uint8_t>()));
    settings.load();
    EXPECT_EQ(imageOf(settings.options), imageOf(defaultOptions()));

    const std::vector<uint8_t> longFile = patternImage(2000);
    ASSERT_TRUE(writeWholeFile(optionsPath(), longFile));
    settings.load();
    EXPECT_EQ(imageOf(settings.options), std::vector<uint8_t>(longFile.begin(), longFile.begin() + 1432));
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(readWholeFile(optionsPath()).size(), 1432u);
}

TEST_F(OptionsFiles, ReservedBytesAndOutOfRangeValuesSurviveLoadAndSave) {
    OptionsRecord stored = defaultOptions();
    stored.reserved328 = -5;
    stored.reserved336[0] = 0x7EADBEEF;
    stored.reserved336[1] = 1;
    stored.syncAction = 9;
    stored.outlookAddressType = -3;
    stored.setCustomMapAt(8, 200);
    for (size_t index = 0; index < sizeof(stored.reserved368); ++index)
        stored.reserved368[index] = static_cast<uint8_t>(255 - index % 251);
    const std::vector<uint8_t> file = imageOf(stored);
    ASSERT_TRUE(writeWholeFile(optionsPath(), file));

    settings.load();
    EXPECT_EQ(settings.options.syncAction, 9);
    EXPECT_EQ(settings.options.customMapAt(8), 200);

    settings.options.setCustomMapAt(0, 12);
    ASSERT_TRUE(settings.save());

    std::vector<uint8_t> expected = file;
    const int32_t twelve = 12;
    std::memcpy(expected.data() + 312, &twelve, 4);
    EXPECT_EQ(readWholeFile(optionsPath()), expected);
}

TEST_F(OptionsFiles, SaveWritesExactlyTheRecordAndLastUser) {
    settings.load();
    settings.lastUser = -2;
    ASSERT_TRUE(settings.save());

    EXPECT_EQ(readWholeFile(optionsPath()), imageOf(defaultOptions()));
    EXPECT_EQ(iniValue("LastUser"), "-2");
    // Only the options dialog writes these two.
    EXPECT_EQ(iniValue("SwapName"), "<missing>");
    EXPECT_EQ(iniValue("ShowDiff"), "<missing>");

    // A second save truncates rather than appends.
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(readWholeFile(optionsPath()).size(), 1432u);
}

TEST_F(OptionsFiles, UnwritableOptionsFileStillWritesLastUser) {
    // A folder where the file should be: the file cannot be created.
    std::filesystem::create_directory(optionsPath());
    settings.load();
    EXPECT_EQ(imageOf(settings.options), imageOf(defaultOptions()));

    settings.options.syncAction = 2;
    settings.lastUser = 4;
    EXPECT_FALSE(settings.save());

    EXPECT_EQ(iniValue("LastUser"), "4");
    EXPECT_EQ(settings.options.syncAction, 2);  // still in memory for this run
}

TEST_F(OptionsFiles, SettingsAreReadAsIntegers) {
    writeIni("[Quillset]\r\nLastUser=3\r\nSwapName=2\r\nShowDiff=1abc\r\n");
    settings.load();
    EXPECT_EQ(settings.lastUser, 3);
    EXPECT_EQ(settings.swapName, 2);
    EXPECT_EQ(settings.showDiff, 1);

    writeIni("[Quillset]\r\nLastUser=first\r\nSwapName=-1\r\n");
    settings.load();
    EXPECT_EQ(settings.lastUser, 0);
    EXPECT_EQ(settings.swapName, -1);
    EXPECT_EQ(settings.showDiff, 0);
}

TEST_F(OptionsFiles, AddressFilesSwapNamesOnlyForExactlyOne) {
    EXPECT_FALSE(readSwapNameSetting());  // no settings file

    writeIni("[Quillset]\r\nSwapName=1\r\n");
    EXPECT_TRUE(readSwapNameSetting());

    writeIni("[Quillset]\r\nSwapName=2\r\n");
    EXPECT_FALSE(readSwapNameSetting());

    writeIni("[Quillset]\r\nSwapName=yes\r\n");
    EXPECT_FALSE(readSwapNameSetting());

    writeIni("[OlComm]\r\nSwapName=1\r\n");  // wrong section
    EXPECT_FALSE(readSwapNameSetting());
}
