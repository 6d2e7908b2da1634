#include "palm/PalmAddressFile.h"
#include "palm/PalmAddressFile4.h"
#include "platform/FileFaults.h"
#include "platform/FileSystem.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Longer than any path a test folder gives, so a save that kept the old
// length would leave bytes behind.
const std::string kLongStoredName = "C:\\Program Files\\Palm\\" + std::string(120, 'n') + "\\address\\address.dat";

PalmBytes olderFormatFile() {
    PalmBytes bytes;
    bytes.u32(0x41420100).countedString(kLongStoredName).countedString("Birthday\nSpouse\n");
    bytes.categorySection(128, {{1, 5, "Business", "Business", 0}});
    bytes.format1Schema().u32(0);
    return bytes;
}

PalmBytes format4File() {
    PalmBytes bytes;
    bytes.format4Signature().u32(0x41420200);
    std::vector<uint8_t> versionBlock(24, 0);
    versionBlock[12] = 0;
    versionBlock[13] = 16;
    bytes.raw(versionBlock).countedString(kLongStoredName).fill(0, 11);
    for (int label = 0; label < 9; ++label)
        bytes.countedString("").u32(0);
    bytes.fill(0, 42).categorySection(128, {}).format4Schema().u32(0);
    return bytes;
}

struct FaultFigures {
    unsigned tried = 0;
    unsigned intact = 0;
};

// Saves file over and over, with a write failing at each byte offset of the
// content, the disk full at each offset, a failed flush and a failed replace;
// counts the saves that left the original byte for byte with nothing beside it.
template <typename AddressFile>
FaultFigures saveUnderEveryFault(AddressFile& file, const std::string& path, const TempFolder& folder) {
    const std::vector<uint8_t> original = readWholeFile(path);
    // The content a save writes, measured by a save into a copy.
    std::string measure = folder.file("measure.dat");
    writeWholeFile(measure, original);
    EXPECT_TRUE(file.save(measure));
    const size_t contentSize = readWholeFile(measure).size();
    removeFile(measure);
    EXPECT_GT(contentSize, 100u);

    std::vector<FileFaultPlan> plans;
    for (size_t offset = 0; offset < contentSize; ++offset) {
        FileFaultPlan torn;
        torn.failWriteAtOffset = static_cast<int64_t>(offset);
        plans.push_back(torn);
        FileFaultPlan full;
        full.freeDiskBytes = static_cast<int64_t>(offset);
        plans.push_back(full);
    }
    FileFaultPlan flush;
    flush.failFlush = true;
    plans.push_back(flush);
    FileFaultPlan replace;
    replace.failReplace = true;
    plans.push_back(replace);

    FaultFigures figures;
    for (const FileFaultPlan& plan : plans) {
        bool saved = true;
        {
            ScopedFileFaults faults(plan);
            saved = file.save(path);
        }
        ++figures.tried;
        bool unchanged = readWholeFile(path) == original;
        bool alone = filesInFolder(folder.path()).size() == 1;
        EXPECT_FALSE(saved) << "offset " << plan.failWriteAtOffset << " free " << plan.freeDiskBytes;
        if (!saved && unchanged && alone)
            ++figures.intact;
    }
    return figures;
}

void report(const char* format, const FaultFigures& figures) {
    std::printf("[fault injection] %s: %u failure points tried, %u left the original intact\n", format, figures.tried,
                figures.intact);
}

PalmAddressRecord olderRecord() {
    PalmAddressRecord record;
    record.recordId = 7;
    record.lastName = "Ahlberg";
    record.firstName = "Ingrid";
    record.company = "Northwind";
    record.phone[0] = "+46 8 555 0101";
    record.note = "Met at the fair";
    return record;
}

TEST(AddressFileSafeSaveTest, OlderFormatSurvivesEveryFailurePoint) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    ASSERT_TRUE(olderFormatFile().writeTo(path));
    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    ASSERT_TRUE(file.addRecord(olderRecord()));

    FaultFigures figures = saveUnderEveryFault(file, path, folder);
    report("older format", figures);
    EXPECT_GT(figures.tried, 200u);
    EXPECT_EQ(figures.tried, figures.intact);

    ASSERT_TRUE(file.saveToOpenedPath()) << "without faults the same save succeeds";
    PalmAddressFile reread(path);
    ASSERT_TRUE(reread.opened());
    ASSERT_EQ(1u, reread.recordCount());
    EXPECT_EQ("Ahlberg", reread.recordAt(0)->lastName);
}

TEST(AddressFileSafeSaveTest, Format4SurvivesEveryFailurePoint) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    ASSERT_TRUE(format4File().writeTo(path));
    PalmAddressFile4 file;
    ASSERT_TRUE(file.openAndRead(path));
    PalmAddressRecord4 record;
    record.firstName = "Ingrid";
    record.lastName = "Ahlberg";
    record.phone[0] = "+46 8 555 0101";
    ASSERT_TRUE(file.addRecord(record));

    FaultFigures figures = saveUnderEveryFault(file, path, folder);
    report("Palm Desktop 4 format", figures);
    EXPECT_GT(figures.tried, 200u);
    EXPECT_EQ(figures.tried, figures.intact);
}

// The stored name is longer than the path the file is saved to: the saved
// file ends where its content ends, with no old bytes behind the records.
TEST(AddressFileSafeSaveTest, ASaveShorterThanTheFileShortensIt) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    PalmBytes original = olderFormatFile();
    ASSERT_TRUE(original.writeTo(path));
    ASSERT_LT(path.size(), kLongStoredName.size());

    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    ASSERT_TRUE(file.saveToOpenedPath());

    PalmBytes expected;
    expected.u32(0x41420100).countedString(path).countedString("Birthday\nSpouse\n");
    expected.categorySection(128, {{1, 5, "Business", "Business", 0}});
    expected.format1Schema().u32(0);
    EXPECT_EQ(expected.bytes(), readWholeFile(path));
    EXPECT_EQ(std::vector<std::string>{"address.dat"}, filesInFolder(folder.path()));
}

TEST(AddressFileSafeSaveTest, AFileHeldByAnotherProgramIsNotSavedAndNotTouched) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    ASSERT_TRUE(olderFormatFile().writeTo(path));
    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    std::vector<uint8_t> before = readWholeFile(path);

    PlatformFile palmDesktop;
    ASSERT_TRUE(
        palmDesktop.open(path.c_str(), PlatformFile::Access::ReadWrite, PlatformFile::Disposition::OpenExisting));
    EXPECT_FALSE(file.saveToOpenedPath());
    palmDesktop.close();
    EXPECT_EQ(before, readWholeFile(path));
    EXPECT_EQ(std::vector<std::string>{"address.dat"}, filesInFolder(folder.path()));
}

}  // namespace
