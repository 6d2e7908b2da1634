#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "outlook/ConnectorLog.h"
#include "tests/support/TempFolder.h"

namespace {

LocalDateTime fixedTime() {
    LocalDateTime time;
    time.year = 2007;
    time.month = 3;
    time.day = 15;
    time.hour = 9;
    time.minute = 4;
    time.second = 5;
    return time;
}

class ConnectorLogFile : public ::testing::Test {
protected:
    ConnectorLogFile() : program_(folder_.path()) {}

    void enableWith(const std::string& value) {
        ASSERT_TRUE(writeWholeFile(folder_.file("tolvane.ini"), "[OlComm]\r\nEnableLog=" + value + "\r\n"));
    }

    std::string logPath() const { return folder_.file("OlCommLog.log"); }

    std::string logText() const {
        const std::vector<uint8_t> bytes = readWholeFile(logPath());
        return std::string(bytes.begin(), bytes.end());
    }

    TempFolder folder_;
    ScopedProgramFolder program_;
};

}  // namespace

TEST_F(ConnectorLogFile, PathIsInTheProgramFolder) {
    ConnectorLog log(fixedTime);
    EXPECT_EQ(log.path, logPath());
}

TEST_F(ConnectorLogFile, OnlyTheIntegerOneEnables) {
    const char* const disabling[] = {"2", "on", "0", "-1", ""};
    for (const char* value : disabling) {
        enableWith(value);
        ConnectorLog log(fixedTime);
        EXPECT_FALSE(log.enabled) << value;
        EXPECT_TRUE(log.writeRaw("text")) << value;
        EXPECT_TRUE(log.writeEntry("entry")) << value;
        EXPECT_FALSE(fileExists(logPath())) << value;
    }

    ASSERT_TRUE(writeWholeFile(folder_.file("tolvane.ini"), "[Quillset]\r\nEnableLog=1\r\n"));
    EXPECT_FALSE(ConnectorLog(fixedTime).enabled) << "key in another section";

    enableWith("1");
    EXPECT_TRUE(ConnectorLog(fixedTime).enabled);
}

TEST_F(ConnectorLogFile, NoSettingsFileMeansNoLog) {
    ConnectorLog log(fixedTime);
    EXPECT_FALSE(log.enabled);
    EXPECT_TRUE(log.writeEntry("Outlook Automation Start:"));
    EXPECT_FALSE(fileExists(logPath()));
}

TEST_F(ConnectorLogFile, RawAndDatedLinesAreExact) {
    enableWith("1");
    ConnectorLog log(fixedTime);

    EXPECT_TRUE(log.writeRaw("\r\n"));
    EXPECT_TRUE(log.writeEntry("CoCreateInstance succeeded."));
    EXPECT_TRUE(log.writeRaw(nullptr));
    EXPECT_TRUE(log.writeRaw("plain"));

    EXPECT_EQ(logText(), "\r\n\r\n"
                         "[2007/03/15 09:04:05] - CoCreateInstance succeeded.\r\n"
                         "\r\n"
                         "plain\r\n");
}

TEST_F(ConnectorLogFile, EntryUsesTheClockAtEachWrite) {
    enableWith("1");
    LocalDateTime now = fixedTime();
    ConnectorLog log([&now] { return now; });

    EXPECT_TRUE(log.writeEntry("first"));
    now.year = 12345;  // wider than four digits is printed in full
    now.month = 12;
    now.second = 59;
    EXPECT_TRUE(log.writeEntry("second"));

    EXPECT_EQ(logText(), "[2007/03/15 09:04:05] - first\r\n"
                         "[12345/12/15 09:04:59] - second\r\n");
}

TEST_F(ConnectorLogFile, LongMessageIsCutTo1023Characters) {
    enableWith("1");
    ConnectorLog log(fixedTime);
    const std::string message(2000, 'm');

    EXPECT_TRUE(log.writeEntry(message.c_str()));

    const std::string prefix = "[2007/03/15 09:04:05] - ";
    const std::string expected = prefix + std::string(1023 - prefix.size(), 'm') + "\r\n";
    EXPECT_EQ(logText(), expected);
}

TEST_F(ConnectorLogFile, AppendsToAnExistingLogAndReopensEachLine) {
    ASSERT_TRUE(writeWholeFile(logPath(), std::string("earlier run\r\n")));
    enableWith("1");
    ConnectorLog log(fixedTime);

    EXPECT_TRUE(log.writeRaw("one"));
    // The file is not held between lines: it may be removed meanwhile.
    const std::string afterFirst = logText();
    EXPECT_EQ(afterFirst, "earlier run\r\none\r\n");
    ASSERT_EQ(std::remove(logPath().c_str()), 0);

    EXPECT_TRUE(log.writeRaw("two"));
    EXPECT_EQ(logText(), "two\r\n");
}

TEST_F(ConnectorLogFile, UnopenableLogFileReportsFailure) {
    enableWith("1");
    ConnectorLog log(fixedTime);
    log.path = folder_.file("missing-folder/OlCommLog.log");

    EXPECT_FALSE(log.writeRaw("lost"));
    EXPECT_FALSE(log.writeEntry("lost"));
}
