#include "platform/PlatformFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Access = PlatformFile::Access;
using Disposition = PlatformFile::Disposition;

TEST(PlatformFileTest, OpenIsExclusiveWithinTheProcess) {
    TempFolder folder;
    std::string path = folder.file("held.dat");
    ASSERT_TRUE(writeWholeFile(path, std::string("abc")));

    PlatformFile first;
    ASSERT_TRUE(first.open(path.c_str(), Access::ReadWrite, Disposition::OpenExisting));
    PlatformFile second;
    EXPECT_FALSE(second.open(path.c_str(), Access::Read, Disposition::OpenExisting));
    EXPECT_FALSE(second.open(path.c_str(), Access::ReadWrite, Disposition::CreateAlways));
    EXPECT_FALSE(second.isOpen());
    // A refused create must not have emptied the held file.
    first.close();
    EXPECT_EQ(3u, readWholeFile(path).size());
    EXPECT_TRUE(second.open(path.c_str(), Access::Read, Disposition::OpenExisting));
}

TEST(PlatformFileTest, ShortReadAtTheEndStillSucceeds) {
    TempFolder folder;
    std::string path = folder.file("short.dat");
    ASSERT_TRUE(writeWholeFile(path, std::string("xyz")));
    PlatformFile file;
    ASSERT_TRUE(file.open(path.c_str(), Access::Read, Disposition::OpenExisting));
    char buffer[8] = {'-', '-', '-', '-', '-', '-', '-', '-'};
    uint32_t delivered = 99;
    EXPECT_TRUE(file.read(buffer, 8, &delivered));
    EXPECT_EQ(3u, delivered);
    EXPECT_EQ('-', buffer[3]);
    EXPECT_TRUE(file.read(buffer, 8, &delivered));
    EXPECT_EQ(0u, delivered);
}

TEST(PlatformFileTest, CreateEmptiesAndOpenExistingNeedsAFile) {
    TempFolder folder;
    std::string path = folder.file("new.dat");
    PlatformFile file;
    EXPECT_FALSE(file.open(path.c_str(), Access::ReadWrite, Disposition::OpenExisting));
    ASSERT_TRUE(file.open(path.c_str(), Access::ReadWrite, Disposition::CreateAlways));
    EXPECT_TRUE(file.write("hello", 5));
    EXPECT_TRUE(file.setPosition(1));
    EXPECT_TRUE(file.write("E", 1));
    file.close();
    EXPECT_EQ(std::vector<uint8_t>({'h', 'E', 'l', 'l', 'o'}), readWholeFile(path));
    ASSERT_TRUE(file.open(path.c_str(), Access::Write, Disposition::CreateAlways));
    file.close();
    EXPECT_TRUE(readWholeFile(path).empty());
}

TEST(PlatformFileTest, ClosedFileRefusesEverything) {
    PlatformFile file;
    char byte = 0;
    uint32_t delivered = 0;
    EXPECT_FALSE(file.read(&byte, 1, &delivered));
    EXPECT_FALSE(file.write(&byte, 1));
    EXPECT_FALSE(file.setPosition(0));
    EXPECT_FALSE(file.open("", Access::Read, Disposition::OpenExisting));
    EXPECT_FALSE(file.open(nullptr, Access::Read, Disposition::OpenExisting));
}

}  // namespace
