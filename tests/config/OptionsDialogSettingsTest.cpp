#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/OptionsDialogSettings.h"
#include "platform/SettingsFile.h"
#include "tests/support/TempFolder.h"

namespace {

class OptionsDialogSettings : public ::testing::Test {
protected:
    OptionsDialogSettings() : program_(folder_.path()) {
        settings.options.setDefaults();
        settings.swapName = settings.showDiff = -77;
    }

    void writeIni(const std::string& text) { ASSERT_TRUE(writeWholeFile(folder_.file("tolvane.ini"), text)); }

    std::string iniValue(const char* key) const {
        char buffer[64];
        settingsGetString("Quillset", key, "<missing>", buffer, sizeof(buffer), folder_.file("tolvane.ini").c_str());
        return buffer;
    }

    TempFolder folder_;
    ScopedProgramFolder program_;
    Settings settings;
};

}  // namespace

TEST_F(OptionsDialogSettings, UnchangedBoxesRewriteKeysWithoutViewChange) {
    writeIni("[Quillset]\r\nSwapName=1\r\nShowDiff=0\r\nLastUser=5\r\n");
    settings.lastUser = 5;

    const OptionsDialogChecks checks = openOptionsDialogSettings(settings);
    EXPECT_TRUE(checks.swapName);
    EXPECT_FALSE(checks.showDiff);

    EXPECT_FALSE(commitOptionsDialogSettings(settings, settings.options, checks));
    EXPECT_EQ(iniValue("SwapName"), "1");
    EXPECT_EQ(iniValue("ShowDiff"), "0");
    EXPECT_EQ(iniValue("LastUser"), "5");
    EXPECT_EQ(readWholeFile(folder_.file("qsopt10.dat")).size(), 1432u);
}

TEST_F(OptionsDialogSettings, StoredTwoIsCheckedAndRewrittenAsOne) {
    writeIni("[Quillset]\r\nSwapName=2\r\n");

    const OptionsDialogChecks checks = openOptionsDialogSettings(settings);
    EXPECT_TRUE(checks.swapName);
    EXPECT_EQ(settings.swapName, 2);

    EXPECT_TRUE(commitOptionsDialogSettings(settings, settings.options, checks));
    EXPECT_EQ(iniValue("SwapName"), "1");
    EXPECT_EQ(settings.swapName, 1);
    EXPECT_EQ(settings.showDiff, 0);
}

TEST_F(OptionsDialogSettings, ShowDiffAloneChangesTheView) {
    OptionsDialogChecks checks = openOptionsDialogSettings(settings);  // no settings file: both off
    EXPECT_FALSE(checks.swapName);
    EXPECT_FALSE(checks.showDiff);

    checks.showDiff = true;
    EXPECT_TRUE(commitOptionsDialogSettings(settings, settings.options, checks));
    EXPECT_EQ(settings.showDiff, 1);
    EXPECT_EQ(iniValue("ShowDiff"), "1");
    EXPECT_EQ(iniValue("SwapName"), "0");
}

TEST_F(OptionsDialogSettings, OkMakesTheEditedCopyCurrentAndSavesIt) {
    openOptionsDialogSettings(settings);
    OptionsRecord edit = settings.options;
    edit.syncAction = static_cast<int32_t>(SyncAction::OutlookOverwritesPalm);
    edit.outlookAddressType = 7;
    edit.setCustomMapAt(0, -1);
    edit.setCustomMapAt(8, 77);

    commitOptionsDialogSettings(settings, edit, OptionsDialogChecks{false, false});

    EXPECT_EQ(std::memcmp(&settings.options, &edit, sizeof(edit)), 0);
    const std::vector<uint8_t> saved = readWholeFile(folder_.file("qsopt10.dat"));
    ASSERT_EQ(saved.size(), sizeof(edit));
    EXPECT_EQ(std::memcmp(saved.data(), &edit, sizeof(edit)), 0);

    settings.load();
    EXPECT_EQ(settings.options.customMapAt(0), -1);
    EXPECT_EQ(settings.options.outlookAddressType, 7);
}

TEST(OptionsDialogVariant, NineFieldsOnlyAbovePalmDesktop411) {
    EXPECT_FALSE(usesNineFieldOptionsDialog(0));
    EXPECT_FALSE(usesNineFieldOptionsDialog(40101));
    EXPECT_TRUE(usesNineFieldOptionsDialog(40102));
    EXPECT_TRUE(usesNineFieldOptionsDialog(50000));
}
