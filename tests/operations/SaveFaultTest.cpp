#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileFaults.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "operations/AddressFileBackups.h"
#include "operations/SyncMessages.h"
#include "operations/SyncReport.h"
#include "operations/UndoJournal.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

using Names = std::vector<std::string>;

const char* const kSaveFailed = "The Palm Desktop address file could not be saved. The file on disk is unchanged; "
                                "close Palm Desktop and try again.";

class SaveFaultTest : public SyncFixture {
protected:
    // A file that both operations rewrite: Eve comes over from Outlook and
    // Ann's company changes.
    void seedBothSides() {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Bob", "Ray", "222")});
        seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
        seedOutlook(u"Eve", u"Orr", u"555");
        start();
    }

    std::vector<FileFaultPlan> plans() const {
        std::vector<FileFaultPlan> list;
        const int64_t size = static_cast<int64_t>(palmFileOnDisk().size());
        for (int64_t offset = 0; offset < size; offset += 41) {
            FileFaultPlan torn;
            torn.failWriteAtOffset = offset;
            list.push_back(torn);
            FileFaultPlan full;
            full.freeDiskBytes = offset;
            list.push_back(full);
        }
        FileFaultPlan flush;
        flush.failFlush = true;
        list.push_back(flush);
        FileFaultPlan replace;
        replace.failReplace = true;
        list.push_back(replace);
        return list;
    }

    // The faults strike once the records are being written, so the backup
    // made before them succeeds and the save is what fails.
    void runWithFaultsAfterBackup(const FileFaultPlan& plan, const std::function<void()>& operation) {
        std::unique_ptr<ScopedFileFaults> faults;
        view->onProgress = [&](int) {
            if (!faults)
                faults.reset(new ScopedFileFaults(plan));
        };
        operation();
        view->onProgress = nullptr;
        faults.reset();
    }

    // The operation tells the failure, the file is as it was and nothing
    // lies beside it.
    void expectToldAndUnchanged(const std::vector<uint8_t>& before, const std::string& what) {
        bool told = false;
        for (const FakeSyncView::Message& message : view->messages)
            told = told || message.text.rfind(kSaveFailed, 0) == 0;
        std::string shown;
        for (const FakeSyncView::Message& message : view->messages)
            shown += message.text + " | ";
        EXPECT_TRUE(told) << what << ": " << shown;
        EXPECT_EQ(before, palmFileOnDisk()) << what;
        EXPECT_EQ(std::vector<std::string>{"address.dat"}, filesInFolder(data.path())) << what;
    }
};

TEST_F(SaveFaultTest, OutlookOverwritesPalmDesktopTellsEveryFailedSave) {
    seedBothSides();
    const std::vector<uint8_t> before = palmFileOnDisk();
    for (const FileFaultPlan& plan : plans()) {
        view->messages.clear();
        view->checkAll(SyncList::Outlook);
        runWithFaultsAfterBackup(plan, [this] { operations->transferOutlookToPalm(); });
        expectToldAndUnchanged(before, "offset " + std::to_string(plan.failWriteAtOffset) + " free " +
                                           std::to_string(plan.freeDiskBytes));
        EXPECT_EQ(2, palm->contacts()->count()) << "the list shows the file as it is";
    }
    view->messages.clear();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    EXPECT_NE(before, palmFileOnDisk()) << "without a fault the same transfer saves";
}

TEST_F(SaveFaultTest, SynchronizeAllTellsEveryFailedSave) {
    seedBothSides();
    const std::vector<uint8_t> before = palmFileOnDisk();
    for (const FileFaultPlan& plan : plans()) {
        view->messages.clear();
        runWithFaultsAfterBackup(plan, [this] { operations->synchronizeAll(SyncAction::OutlookOverwritesPalm); });
        expectToldAndUnchanged(before, "offset " + std::to_string(plan.failWriteAtOffset));
    }
}

// Palm Desktop or a HotSync rewrites the address file while Quillset shows
// it: whatever Quillset would write, the other program's records stay.
class ChangedElsewhereTest : public SaveFaultTest {
protected:
    const char* changedText = "The Palm Desktop address file was changed by another program since Quillset read it.";

    // Zoe, added by the other program, with the records that were there.
    void rewriteElsewhere() {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Bob", "Ray", "222"),
                       palmPerson(3, "Zoe", "Berg", "999")});
    }
    bool told() const {
        for (const FakeSyncView::Message& message : view->messages) {
            if (message.text.rfind(changedText, 0) == 0 && message.caption == "Error")
                return true;
        }
        return false;
    }
    size_t outlookWrites() const {
        size_t saves = 0;
        for (const FakeCall& call : outlook->calls())
            saves += call.member == "Save" || call.member == "Add" ? 1 : 0;
        return saves;
    }
};

TEST_F(ChangedElsewhereTest, BeforeAnyWriteNothingIsWrittenAndTheFileIsReadAgain) {
    const std::function<void(SyncOperations&, FakeSyncView&)> runs[] = {
        [](SyncOperations& o, FakeSyncView&) { o.synchronizeAll(SyncAction::OutlookOverwritesPalm); },
        [](SyncOperations& o, FakeSyncView&) { o.synchronizeAll(SyncAction::PalmOverwritesOutlook); },
        [](SyncOperations& o, FakeSyncView& v) {
            v.checkAll(SyncList::Outlook);
            o.transferOutlookToPalm();
        },
        [](SyncOperations& o, FakeSyncView& v) {
            v.checkAll(SyncList::Palm);
            o.transferPalmToOutlook();
        },
    };
    for (const auto& run : runs) {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Bob", "Ray", "222")});
        while (outlook->contactCount() > 0)
            outlook->removeContact(0);
        seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
        seedOutlook(u"Eve", u"Orr", u"555");
        start();
        rewriteElsewhere();
        const std::vector<uint8_t> theirs = palmFileOnDisk();
        const size_t saves = outlookWrites();
        view->messages.clear();

        run(*operations, *view);

        EXPECT_TRUE(told());
        EXPECT_EQ(theirs, palmFileOnDisk()) << "the file as the other program left it";
        EXPECT_EQ(saves, outlookWrites()) << "nothing written to Outlook either";
        EXPECT_EQ((Names{"Zoe", "Bob", "Ann"}), view->rowNames(SyncList::Palm)) << "the file read again and shown";
        EXPECT_EQ(3, view->countedPalmRows);
        EXPECT_TRUE(AddressFileBackups::existing(palmPath).empty()) << "no backup for a run that wrote nothing";
    }
}

TEST_F(ChangedElsewhereTest, AtTheSaveTheOtherProgramsFileStaysAndOutlookIsJournaled) {
    seedBothSides();
    // The Palm pass has written Outlook; the other program saves meanwhile.
    bool rewritten = false;
    view->onProgress = [&](int percent) {
        if (percent >= 75 && !rewritten) {
            rewritten = true;
            rewriteElsewhere();
        }
    };
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    view->onProgress = nullptr;

    EXPECT_TRUE(told());
    ASSERT_LE(2u, view->messages.size());
    EXPECT_NE(std::string::npos, view->messages[view->messages.size() - 2].text.find("already written to Outlook"));
    EXPECT_EQ((Names{"Ann", "Bob", "Zoe"}), palmFileNames()) << "Eve is not saved over Zoe";
    EXPECT_EQ(3u, outlook->contactCount()) << "Bob added to Outlook before the save";
    std::string log;
    ASSERT_TRUE(readWholeFileInto(programFilePath(SyncReport::fileName), log, 1 << 20));
    EXPECT_NE(std::string::npos, log.find(changedAtSaveReportText));
    UndoJournal journal;
    ASSERT_TRUE(journal.load());
    EXPECT_FALSE(journal.hasPalmSide()) << "the file was not rewritten by this run";
    EXPECT_EQ(2u, journal.outlook.size()) << "Ann overwritten, Bob added";
    EXPECT_EQ((Names{"Zoe", "Bob", "Ann"}), view->rowNames(SyncList::Palm));
}

TEST_F(ChangedElsewhereTest, OwnSavesAndReadsOfTheSameFileAreNotTakenForAnotherProgram) {
    seedBothSides();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_FALSE(told());
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    EXPECT_FALSE(told());
    // Same size, same second, other bytes: only the digest tells.
    std::vector<uint8_t> bytes = palmFileOnDisk();
    EXPECT_FALSE(palm->fileChangedSinceRead());
    bytes[bytes.size() - 2] ^= 1;
    ASSERT_TRUE(writeWholeFile(palmPath, bytes));
    EXPECT_TRUE(palm->fileChangedSinceRead());
    removeFile(palmPath);
    EXPECT_TRUE(palm->fileChangedSinceRead()) << "a file removed is changed too";
}

}  // namespace
