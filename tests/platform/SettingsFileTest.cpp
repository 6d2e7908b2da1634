#include "platform/SettingsFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string ini = folder.file("tolvane.ini");

    void writeIni(const std::string& text) { ASSERT_TRUE(writeWholeFile(ini, text)); }
    int readInt(const char* key, int defaultValue = 42) {
        return settingsGetInt("Quillset", key, defaultValue, ini.c_str());
    }
    std::string readString(const char* section, const char* key, const char* defaultValue = "dflt") {
        char buffer[64];
        settingsGetString(section, key, defaultValue, buffer, sizeof(buffer), ini.c_str());
        return buffer;
    }
};

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGiveTheDefault) {
    EXPECT_EQ(42, readInt("SwapName"));
    EXPECT_EQ("dflt", readString("Quillset", "SwapName"));
    writeIni("[Other]\r\nSwapName=1\r\n");
    EXPECT_EQ(42, readInt("SwapName"));
    EXPECT_EQ(42, readInt("ShowDiff"));
    EXPECT_EQ("dflt", readString("Quillset", "ShowDiff"));
    EXPECT_EQ("", readString("Quillset", "ShowDiff", nullptr));
}

TEST_F(SettingsFileTest, IntegersAreReadFromTheStartOfTheValue) {
    writeIni("[Quillset]\r\nOne=1\r\nTwo=2\r\nNegative=-5\r\nTrailing=2abc\r\n"
             "Word=abc\r\nBlank= 7\r\nEmpty=\r\nSpaced = 12 \r\n");
    EXPECT_EQ(1, readInt("One"));
    EXPECT_EQ(2, readInt("Two"));
    EXPECT_EQ(-5, readInt("Negative"));
    EXPECT_EQ(2, readInt("Trailing"));
    EXPECT_EQ(0, readInt("Word"));
    EXPECT_EQ(7, readInt("Blank"));
    EXPECT_EQ(42, readInt("Empty"));
    EXPECT_EQ(12, readInt("Spaced"));
}

TEST_F(SettingsFileTest, SectionsAndKeysIgnoreCaseAndLineEndings) {
    writeIni("; comment\n[quillset]\nswapname=1\n[Path]\nPDPath = C:\\Palm \n");
    EXPECT_EQ(1, readInt("SwapName"));
    EXPECT_EQ("C:\\Palm", readString("PATH", "pdpath"));
}

TEST_F(SettingsFileTest, StringsAreCutToTheBuffer) {
    writeIni("[Path]\r\nPDPath=ABCDEFGHIJ\r\n");
    char buffer[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(4u, settingsGetString("Path", "PDPath", "", buffer, sizeof(buffer), ini.c_str()));
    EXPECT_STREQ("ABCD", buffer);

    // A NUL written into the file by another program ends the text, and the
    // count says what the buffer holds.
    writeIni(std::string("[Path]\r\nPDPath=C:\\P\0alm\r\n", 25));
    char path[64];
    const uint32_t copied = settingsGetString("Path", "PDPath", "", path, sizeof(path), ini.c_str());
    EXPECT_EQ(std::strlen(path), copied);
    EXPECT_EQ(std::string("C:\\P"), std::string(path).substr(0, 4));
}

TEST_F(SettingsFileTest, WrittenValuesReadBackAndKeepTheRestOfTheFile) {
    EXPECT_TRUE(settingsWriteString("Quillset", "LastUser", "3", ini.c_str()));
    EXPECT_EQ(3, readInt("LastUser"));

    EXPECT_TRUE(settingsWriteString("OlComm", "EnableLog", "1", ini.c_str()));
    EXPECT_TRUE(settingsWriteString("Quillset", "SwapName", "1", ini.c_str()));
    EXPECT_TRUE(settingsWriteString("Quillset", "LastUser", "-12", ini.c_str()));
    EXPECT_EQ(-12, readInt("LastUser"));
    EXPECT_EQ(1, readInt("SwapName"));
    EXPECT_EQ(1, settingsGetInt("OlComm", "EnableLog", 0, ini.c_str()));
}

TEST_F(SettingsFileTest, WritingKeepsOtherSectionsAndKeys) {
    writeIni("[Path]\r\nPDPath=C:\\Palm\r\n\r\n[Quillset]\r\nShowDiff=1\r\n");
    EXPECT_TRUE(settingsWriteString("Quillset", "LastUser", "7", ini.c_str()));
    EXPECT_EQ("C:\\Palm", readString("Path", "PDPath"));
    EXPECT_EQ(1, readInt("ShowDiff"));
    EXPECT_EQ(7, readInt("LastUser"));
}

}  // namespace
