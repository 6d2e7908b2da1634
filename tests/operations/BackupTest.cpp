#include <string>
#include <vector>

#include "platform/FileFaults.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "operations/AddressFileBackups.h"
#include "operations/SyncMessages.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

namespace Backups = AddressFileBackups;

TEST(AddressFileBackupNames, FolderAndFileNamesStandForTheFileAndItsNumber) {
    EXPECT_EQ("C__Palm_Alice_address_address.dat", Backups::subfolderName("C:\\Palm\\Alice\\address\\address.dat"));
    EXPECT_EQ("tmp_x_address.dat", Backups::subfolderName("/tmp/x/address.dat"));
    const std::string longPath = "C:\\" + std::string(300, 'p') + "\\address.dat";
    const std::string longName = Backups::subfolderName(longPath);
    EXPECT_EQ(120u, longName.size());
    EXPECT_EQ("_address.dat", longName.substr(longName.size() - 12)) << "the end of the path is kept";
    EXPECT_NE(Backups::subfolderName("C:\\A\\address.dat"), Backups::subfolderName("C:\\B\\address.dat"));

    LocalDateTime when;
    when.year = 2026;
    when.month = 12;
    when.day = 7;
    when.hour = 9;
    when.minute = 5;
    when.second = 3;
    EXPECT_EQ("00000042-20261207-090503.dat", Backups::backupName(42, when));
}

TEST(AddressFileBackupOrder, CopiesGoInTheOrderMadeWhateverTheClockSays) {
    TempFolder program;
    ScopedProgramFolder scoped(program.path());
    TempFolder data;
    const std::string file = data.file("address.dat");
    // Two backups from before the sequence numbers, named by the clock.
    ASSERT_TRUE(makeFolder(program.path() + Backups::folderName));
    ASSERT_TRUE(makeFolder(Backups::folderFor(file)));
    const std::vector<std::string> old = {Backups::folderFor(file) + "20990101-120000-00.dat",
                                          Backups::folderFor(file) + "20990101-120000-01.dat"};
    for (const std::string& path : old)
        ASSERT_TRUE(writeWholeFile(path, std::string("old")));
    // Each copy made with the clock an hour behind the one before.
    std::vector<std::string> made;
    LocalDateTime when;
    when.year = 2026;
    when.month = 12;
    when.day = 7;
    when.hour = 23;
    for (int run = 0; run < 3; ++run, --when.hour) {
        ASSERT_TRUE(writeWholeFile(file, "copy " + std::to_string(run)));
        std::string path;
        ASSERT_TRUE(Backups::backUp(file, when, &path));
        made.push_back(path);
    }
    std::vector<std::string> expected = old;
    expected.insert(expected.end(), made.begin(), made.end());
    EXPECT_EQ(expected, Backups::existing(file)) << "older names first, then the numbered in the order made";
    const std::vector<uint8_t> last = readWholeFile(made[2]);
    EXPECT_EQ("copy 2", std::string(last.begin(), last.end()));

    // Twenty more, with the clock going back each time: the oldest made go.
    for (int run = 3; run < 23; ++run) {
        when.day = 1 + (run % 5);
        ASSERT_TRUE(writeWholeFile(file, "copy " + std::to_string(run)));
        std::string path;
        ASSERT_TRUE(Backups::backUp(file, when, &path));
        made.push_back(path);
    }
    EXPECT_EQ(std::vector<std::string>(made.end() - 20, made.end()), Backups::existing(file));

    // The oldest is the one the Undo journal names: the next oldest goes.
    std::string newest;
    ASSERT_TRUE(Backups::backUp(file, when, &newest, made[3]));
    const std::vector<std::string> kept = Backups::existing(file);
    ASSERT_EQ(20u, kept.size());
    EXPECT_EQ(made[3], kept[0]);
    EXPECT_EQ(made[5], kept[1]);
    EXPECT_EQ(newest, kept.back());
}

class BackupTest : public SyncFixture {
protected:
    void seed() {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
        seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
        seedOutlook(u"Eve", u"Orr", u"555");
        start();
    }
    std::vector<std::string> backups() const { return Backups::existing(palmPath); }
};

TEST_F(BackupTest, EachOperationThatRewritesTheFileCopiesItFirst) {
    seed();
    const std::vector<uint8_t> before = palmFileOnDisk();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    ASSERT_EQ(1u, backups().size());
    EXPECT_EQ(before, readWholeFile(backups()[0])) << "the file as it was before the operation";
    EXPECT_EQ(backups()[0], operations->lastBackup());
    EXPECT_NE(before, palmFileOnDisk());

    // Both sides agree now: nothing is rewritten, and the copy made before
    // the run does not push an older one out.
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ(1u, backups().size());
    EXPECT_TRUE(operations->lastBackup().empty());

    outlook->contact(1)->setText("HomeTelephoneNumber", u"556");
    start();
    const std::vector<uint8_t> second = palmFileOnDisk();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    ASSERT_EQ(2u, backups().size());
    EXPECT_EQ(second, readWholeFile(backups()[1]));

    outlook->contact(1)->setText("HomeTelephoneNumber", u"557");
    start();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    EXPECT_EQ(2u, backups().size()) << "Palm Desktop overwrites Outlook never rewrites the file";
}

TEST_F(BackupTest, TheNewestTwentyAreKept) {
    seed();
    std::vector<std::string> made;
    for (int run = 0; run < 23; ++run) {
        // Each run has a new telephone number to bring over.
        outlook->contact(1)->setText("HomeTelephoneNumber", u"55" + std::u16string(1, char16_t(u'A' + run)));
        start();
        operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
        ASSERT_FALSE(operations->lastBackup().empty()) << run;
        made.push_back(operations->lastBackup());
    }
    const std::vector<std::string> kept = backups();
    ASSERT_EQ(20u, kept.size());
    EXPECT_EQ(std::vector<std::string>(made.end() - 20, made.end()), kept) << "the three oldest went";
}

TEST_F(BackupTest, WithTheClockBehindTheNewestNameTheCopyJustMadeIsKept) {
    seed();
    // Twenty backups made while the clock was a year ahead: every copy made
    // now sorts before them.
    ASSERT_TRUE(makeFolder(programFolder() + Backups::folderName));
    ASSERT_TRUE(makeFolder(Backups::folderFor(palmPath)));
    LocalDateTime ahead;
    ahead.year = 2099;
    ahead.month = 1;
    ahead.day = 1;
    for (unsigned run = 0; run < Backups::keptPerFile; ++run)
        ASSERT_TRUE(writeWholeFile(Backups::folderFor(palmPath) + Backups::backupName(run, ahead), std::string("old")));
    const std::vector<uint8_t> before = palmFileOnDisk();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    ASSERT_NE(before, palmFileOnDisk());
    ASSERT_FALSE(operations->lastBackup().empty());
    EXPECT_TRUE(isPlainFile(operations->lastBackup())) << "the only copy of the file as it was";
    EXPECT_EQ(before, readWholeFile(operations->lastBackup()));
    EXPECT_EQ(Backups::keptPerFile, backups().size());
}

TEST_F(BackupTest, AnOperationThatTakesNoCopyLeavesTheLastOneAlone) {
    seed();
    const std::vector<uint8_t> before = palmFileOnDisk();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    ASSERT_EQ(1u, backups().size());
    // Straight after, with the same operations: Palm Desktop overwrites
    // Outlook rewrites no file and so takes no copy of its own.
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    ASSERT_EQ(1u, backups().size()) << "the copy made before the rewrite stays";
    EXPECT_EQ(before, readWholeFile(backups()[0]));
}

TEST_F(BackupTest, ABackupThatCannotBeMadeStopsBeforeAnythingIsWritten) {
    seed();
    const std::vector<uint8_t> before = palmFileOnDisk();
    const size_t outlookBefore = outlook->contactCount();
    // Palm Desktop holds the file: it can be neither copied nor rewritten.
    holdPalmFile();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    releasePalmFile();
    ASSERT_EQ(2u, view->messages.size());
    EXPECT_EQ(backupFailedText, view->messages[1].text);
    EXPECT_EQ(SyncMessageKind::ErrorOk, view->messages[1].kind);
    EXPECT_EQ(outlookBefore, outlook->contactCount()) << "nothing reached Outlook";
    EXPECT_EQ("Acme Ltd", outlookText(0, "CompanyName"));
    EXPECT_EQ(before, palmFileOnDisk());

    // A full disk: the copy cannot be written, leaves nothing half-made, and
    // the file is not rewritten.
    view->messages.clear();
    view->checkAll(SyncList::Outlook);
    FileFaultPlan full;
    full.freeDiskBytes = 10;
    {
        ScopedFileFaults faults(full);
        operations->transferOutlookToPalm();
    }
    ASSERT_EQ(1u, view->messages.size()) << "no summary claims the records reached Palm Desktop";
    EXPECT_EQ(backupFailedText, view->messages[0].text);
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_EQ(1, palm->contacts()->count()) << "the Palm side shows the file as it is";
    EXPECT_TRUE(backups().empty());
    EXPECT_TRUE(filesInFolder(Backups::folderFor(palmPath)).empty());
}

}  // namespace
