#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileFaults.h"
#include "platform/FileSystem.h"
#include "tests/operations/SyncFixture.h"

namespace {

const char* const kSaveFailed =
    "The Palm Desktop address file could not be saved. The file on disk is unchanged; close Palm Desktop and try again.";

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
    void runWithFaultsAfterBackup(const FileFaultPlan& plan, const std::function<void()>& operation)
    {
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
        for (const FakeSyncView::Message& message : view->messages) told = told || message.text.rfind(kSaveFailed, 0) == 0;
        std::string shown;
        for (const FakeSyncView::Message& message : view->messages) shown += message.text + " | ";
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
        runWithFaultsAfterBackup(plan, [this] { operations->synchronizeAll(2); });
        expectToldAndUnchanged(before, "offset " + std::to_string(plan.failWriteAtOffset));
    }
}

} // namespace
