#include <string>
#include <vector>

#include "config/MappingBlock.h"
#include "outlook/OutlookFieldList.h"
#include "platform/ProgramFolder.h"
#include "sync/TextField.h"
#include "operations/SyncReport.h"
#include "operations/UndoJournal.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

using Steps = std::vector<std::string>;
using Names = std::vector<std::string>;

const char palmToOutlookDone[] = "Transfer Palm Desktop address book to Outlook finished, %d records synchronized.";

std::string withCount(const char* pattern, int count) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, count);
    return text;
}

int32_t outlookFieldIndex(const std::string& name) {
    for (int32_t index = 0; index < OutlookFieldCount; ++index) {
        if (name == outlookFieldText(index))
            return index;
    }
    return -1;
}

class TransferTest : public SyncFixture {
protected:
    static std::string reportText() {
        const std::vector<uint8_t> bytes = readWholeFile(programFilePath(SyncReport::fileName));
        return std::string(bytes.begin(), bytes.end());
    }
};

}  // namespace

// ---- Palm Desktop overwrites Outlook

TEST_F(TransferTest, CheckedPalmRowsAreAddedOrOverwriteTheirOutlookCounterpart) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Bob", "Ray", "222"),
                   palmPerson(3, "Cy", "Fox", "333", "New"), palmPerson(4, "Dee", "Kim")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111", u"Acme");
    seedOutlook(u"Cy", u"Fox", u"333", u"Old");
    start();
    ASSERT_EQ((Names{"Dee", "Cy", "Bob", "Ann"}), view->rowNames(SyncList::Palm));
    view->checkAll(SyncList::Palm);
    view->setChecked(SyncList::Palm, 0, false);

    operations->transferPalmToOutlook();

    EXPECT_EQ((std::vector<int>{33, 66, 100, 0}), view->progress());
    EXPECT_EQ((Steps{"wait", "fill Palm", "fill Outlook", "counts", "normal", "box Information"}), view->steps());
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(withCount(palmToOutlookDone, 3), view->messages[0].text);
    EXPECT_EQ(SyncMessageKind::InformationOk, view->messages[0].kind);

    ASSERT_EQ(3u, outlook->contactCount()) << "Bob added, Dee unchecked";
    EXPECT_EQ("Bob", outlookText(2, "FirstName"));
    EXPECT_EQ("222", outlookText(2, "HomeTelephoneNumber"));
    EXPECT_EQ("New", outlookText(1, "CompanyName"));
    EXPECT_EQ(0, ann.saveCount()) << "the identical pair is not written";
    EXPECT_EQ((Names{"Bob", "Cy", "Ann"}), view->rowNames(SyncList::Outlook)) << "refilled from the store";
    EXPECT_EQ(std::vector<bool>(4, false), view->checks(SyncList::Palm));
    EXPECT_EQ(4, view->countedPalmRows);
    EXPECT_EQ(3, view->countedOutlookRows);
}

TEST_F(TransferTest, IdenticalRecordsWriteNothingButCountAndLoseTheirTicks) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111"), palmPerson(2, "Bob", "Ray", "222")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111");
    FakeContact& bob = seedOutlook(u"Bob", u"Ray", u"222");
    start();
    view->checkAll(SyncList::Palm);

    operations->transferPalmToOutlook();

    EXPECT_EQ((Steps{"wait", "counts", "normal", "box Information"}), view->steps()) << "no refill";
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(withCount(palmToOutlookDone, 2), view->messages[0].text);
    EXPECT_EQ(0, ann.saveCount());
    EXPECT_EQ(0, bob.saveCount());
    EXPECT_EQ(2u, outlook->contactCount());
    EXPECT_EQ((std::vector<bool>{false, false}), view->checks(SyncList::Palm));
}

TEST_F(TransferTest, NothingCheckedOrNoOutlookIsToldAndNothingElseHappens) {
    writePalmFile({palmPerson(1, "Ann", "Lee")});
    seedOutlook(u"Bob", u"Ray");
    start();
    const std::vector<uint8_t> before = palmFileOnDisk();

    operations->transferPalmToOutlook();
    operations->transferOutlookToPalm();
    EXPECT_EQ((Steps{"box Error", "box Error"}), view->steps());
    ASSERT_EQ(2u, view->messages.size());
    EXPECT_EQ("No Palm Desktop contact record is selected.", view->messages[0].text);
    EXPECT_EQ("No Outlook contact record is selected.", view->messages[1].text);
    for (const FakeSyncView::Message& message : view->messages) {
        EXPECT_EQ("Error", message.caption);
        EXPECT_EQ(SyncMessageKind::ErrorOk, message.kind);
    }
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_EQ(1u, outlook->contactCount());

    // Without lists there is nothing to tell either.
    view->messages.clear();
    view->listsExist = false;
    operations->transferPalmToOutlook();
    operations->transferOutlookToPalm();
    EXPECT_TRUE(view->messages.empty());
}

TEST_F(TransferTest, WithoutOutlookPalmRowsAreNotTouched) {
    writePalmFile({palmPerson(1, "Ann", "Lee"), palmPerson(2, "Bob", "Ray")});
    start(false);
    view->checkAll(SyncList::Palm);

    operations->transferPalmToOutlook();

    EXPECT_EQ((Steps{"box Error"}), view->steps());
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Quillset can not find the Microsoft Outlook software you installed.", view->messages[0].text);
    EXPECT_EQ("Error", view->messages[0].caption);
    EXPECT_EQ((std::vector<bool>{true, true}), view->checks(SyncList::Palm)) << "the ticks stay for a later try";

    // The other way, the empty Outlook list answers as always.
    view->messages.clear();
    operations->transferOutlookToPalm();
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("No Outlook contact record is selected.", view->messages[0].text);
}

TEST_F(TransferTest, RecordsOutlookRefusesAreCountedAsNotWritten) {
    writePalmFile(
        {palmPerson(1, "Ann", "Lee"), palmPerson(2, "Bob", "Ray", "222"), palmPerson(3, "Cy", "Fox", "333", "New")});
    seedOutlook(u"Bob", u"Ray", u"222");
    seedOutlook(u"Cy", u"Fox", u"333", u"Old");
    start();
    view->checkAll(SyncList::Palm);
    outlook->failMember("Save");

    operations->transferPalmToOutlook();

    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(withCount(palmToOutlookDone, 1) + " 2 records could not be written.", view->messages[0].text)
        << "the identical Bob is no failure, and each record is counted once";
    EXPECT_EQ((Steps{"wait", "counts", "normal", "box Information"}), view->steps()) << "nothing changed";
    EXPECT_STREQ("Old", connector->contacts()->at(1)->company) << "the list keeps what Outlook holds";
    EXPECT_EQ(2, connector->contacts()->count());
}

TEST_F(TransferTest, TheMappingBlockServesThisRunOnlyHoweverItEnds) {
    PalmAddressRecord ann = palmPerson(1, "Ann", "Lee");
    ann.custom[0] = "C1";
    writePalmFile({ann});
    start();
    MappingBlock block{};
    block.customMap[0] = outlookFieldIndex("Business2TelephoneNumber");
    ASSERT_GT(block.customMap[0], 0);

    connector->attachMappingBlock(&block);
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    ASSERT_EQ(1u, outlook->contactCount());
    EXPECT_EQ("C1", outlookText(0, "Business2TelephoneNumber")) << "mapped while the run lasted";

    ContactRecord later;
    copyText(later.firstName, "Zed");
    copyText(later.custom[0], "C2");
    ASSERT_TRUE(connector->mergeRecord(&later));
    EXPECT_EQ("", outlookText(1, "Business2TelephoneNumber")) << "detached at the end";

    // A run that stops at once lets go of the block too.
    connector->attachMappingBlock(&block);
    operations->transferOutlookToPalm();
    ContactRecord another;
    copyText(another.firstName, "Yan");
    copyText(another.custom[0], "C3");
    ASSERT_TRUE(connector->mergeRecord(&another));
    EXPECT_EQ("", outlookText(2, "Business2TelephoneNumber"));
}

// ---- Outlook overwrites Palm Desktop

TEST_F(TransferTest, CheckedOutlookRowsReachTheFileInOneSave) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Bob", "Ray", "222")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    seedOutlook(u"Eve", u"Orr", u"555");
    seedOutlook(u"Bob", u"Ray", u"222");
    start();
    view->checkAll(SyncList::Outlook);
    const std::vector<uint8_t> before = palmFileOnDisk();

    operations->transferOutlookToPalm();

    EXPECT_EQ((std::vector<int>{33, 66, 100, 0}), view->progress());
    EXPECT_EQ((Steps{"wait", "fill Palm", "fill Outlook", "normal", "counts", "box Information"}), view->steps());
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Transfer Outlook contacts to Palm Desktop finished, 3 records synchronized.", view->messages[0].text);
    EXPECT_NE(before, palmFileOnDisk());
    EXPECT_EQ((Names{"Ann", "Bob", "Eve"}), palmFileNames());
    EXPECT_EQ((Names{"Acme Ltd", "", ""}), palmFileCompanies());
    EXPECT_EQ((Names{"Eve", "Bob", "Ann"}), view->rowNames(SyncList::Palm));
    EXPECT_EQ(std::vector<bool>(3, false), view->checks(SyncList::Outlook));
}

TEST_F(TransferTest, IdenticalOutlookRowsLeaveTheFileUnsaved) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111")});
    seedOutlook(u"Ann", u"Lee", u"111");
    start();
    view->checkAll(SyncList::Outlook);
    // A save would fail and say so.
    failPalmSaves();

    operations->transferOutlookToPalm();
    allowPalmSaves();

    EXPECT_EQ((Steps{"wait", "normal", "counts", "box Information"}), view->steps());
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Transfer Outlook contacts to Palm Desktop finished, 1 records synchronized.", view->messages[0].text);
}

TEST_F(TransferTest, AFileThatCannotBeSavedIsToldAndTheListShowsTheFile) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    seedOutlook(u"Eve", u"Orr", u"555");
    start();
    const std::vector<uint8_t> before = palmFileOnDisk();
    view->checkAll(SyncList::Outlook);
    failPalmSaves();
    // The reload after the failed save reads the file again.
    view->beforeReload = [this] { allowPalmSaves(); };

    operations->transferOutlookToPalm();

    EXPECT_EQ((Steps{"wait", "reload", "fill Palm", "fill Outlook", "normal", "counts", "box Error"}), view->steps());
    ASSERT_EQ(1u, view->messages.size()) << "no summary claims the records reached Palm Desktop";
    EXPECT_EQ("The Palm Desktop address file could not be saved. The file on disk is unchanged; close Palm Desktop "
              "and try again.",
              view->messages[0].text);
    EXPECT_EQ("Error", view->messages[0].caption);
    EXPECT_EQ(SyncMessageKind::ErrorOk, view->messages[0].kind);
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_EQ((Names{"Ann"}), view->rowNames(SyncList::Palm)) << "Eve never reached the file";
    EXPECT_STREQ("Acme", view->recordAt(SyncList::Palm, 0)->company);
    EXPECT_EQ(1, palm->contacts()->count());
}

TEST_F(TransferTest, RecordsWithoutALoadedPalmFileAreCountedAndNothingIsSaved) {
    seedOutlook(u"Eve", u"Orr", u"555");
    start();
    view->checkAll(SyncList::Outlook);

    operations->transferOutlookToPalm();

    EXPECT_EQ((Steps{"wait", "normal", "counts", "box Information"}), view->steps());
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Transfer Outlook contacts to Palm Desktop finished, 0 records synchronized. 1 records could not be "
              "written.",
              view->messages[0].text);
    EXPECT_FALSE(fileExists(palmPath));
}

// ---- Outlook as it is while the program runs

TEST_F(TransferTest, AWriteToAContactDeletedSinceTheLoadIsNotWrittenAndTheReportSaysWhy) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "", "AnnCo"), palmPerson(2, "Bob", "Ray", "", "BobCo")});
    seedOutlook(u"Ann", u"Lee");
    seedOutlook(u"Bob", u"Ray");
    start();
    outlook->removeContact(0);
    outlook->failPropertyPut("Email1Address");
    view->checkAll(SyncList::Palm);
    copyText(view->recordAt(SyncList::Palm, 0)->email1, "bob@ray.example");

    operations->transferPalmToOutlook();

    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(withCount(palmToOutlookDone, 0) + " 2 records could not be written.", view->messages[0].text);
    EXPECT_EQ("BobCo", outlookText(0, "CompanyName")) << "Bob's contact, found by its id, took what it could";
    EXPECT_EQ(1u, outlook->contactCount());
    const std::string report = reportText();
    EXPECT_NE(std::string::npos, report.find("Ann Lee (AnnCo): could not be overwritten (Outlook "
                                             "overwritten): the contact was deleted in Outlook since Quillset read it"))
        << report;
    EXPECT_NE(std::string::npos, report.find("Outlook refused Email1Address; the rest was saved")) << report;
}

TEST_F(TransferTest, AnOutlookReadOnlyInPartIsNotWrittenTo) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "", "AnnCo")});
    seedOutlook(u"Ann", u"Lee");
    seedOutlook(u"Bob", u"Ray");
    outlook->failGetNextAfter(1);
    start();
    view->checkAll(SyncList::Palm);
    view->checkAll(SyncList::Outlook);
    const std::vector<uint8_t> before = palmFileOnDisk();

    operations->transferPalmToOutlook();
    operations->transferOutlookToPalm();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);

    ASSERT_EQ(3u, view->messages.size());
    for (const FakeSyncView::Message& message : view->messages) {
        EXPECT_EQ("Quillset could read only part of your Outlook contacts, so nothing was synchronized: what it did "
                  "not read would be added again. Press F5 to read Outlook again, then start again.",
                  message.text);
        EXPECT_EQ(SyncMessageKind::ErrorOk, message.kind);
    }
    EXPECT_EQ(0, outlook->contact(0)->saveCount());
    EXPECT_EQ(2u, outlook->contactCount());
    EXPECT_EQ(before, palmFileOnDisk());
}

TEST_F(TransferTest, OutlookClosedDuringARunStopsItAndKeepsWhatWasWrittenForUndo) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "", "AnnCo"), palmPerson(2, "Bob", "Ray", "", "BobCo"),
                   palmPerson(3, "Cy", "Fox", "", "CyCo")});
    seedOutlook(u"Ann", u"Lee");
    seedOutlook(u"Bob", u"Ray");
    seedOutlook(u"Cy", u"Fox");
    start();
    view->checkAll(SyncList::Palm);
    // The first record reaches Outlook; then its process ends.
    view->onProgress = [this](int) {
        if (outlook->contact(0)->saveCount() + outlook->contact(1)->saveCount() + outlook->contact(2)->saveCount() > 0)
            outlook->failMember("GetItemFromID", AutomationStatus::ServerUnavailable);
    };

    operations->transferPalmToOutlook();

    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(SyncMessageKind::ErrorOk, view->messages[0].kind);
    EXPECT_EQ(0u, view->messages[0].text.find("Outlook was closed or stopped answering, so Quillset stopped the "
                                              "synchronization."))
        << view->messages[0].text;
    EXPECT_EQ(std::string::npos, view->messages[0].text.find("synchronized.")) << "no summary of what was not done";
    int saved = 0;
    for (size_t index = 0; index < 3; ++index)
        saved += outlook->contact(index)->saveCount();
    EXPECT_EQ(1, saved) << "the run stopped at the first call that found Outlook gone";
    const std::string report = reportText();
    EXPECT_NE(std::string::npos, report.find("Outlook was closed or stopped answering; the synchronization was "
                                             "stopped there."))
        << report;
    UndoJournal journal;
    ASSERT_TRUE(journal.load());
    EXPECT_EQ(1u, journal.outlook.size()) << "the write before the stop can be undone";
}

TEST_F(TransferTest, AContactEditedInOutlookSinceTheLoadIsNeitherWrittenOverNorCopiedAndTheReportSaysWhy) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "AnnCo"), palmPerson(2, "Bob", "Ray", "222", "BobCo")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111", u"Old");
    FakeContact& bob = seedOutlook(u"Bob", u"Ray", u"222", u"Old");
    start();
    // The user edits Ann in Outlook after Quillset read her.
    ann.setText("JobTitle", u"Editor");
    ann.save(ann.date("LastModificationTime") + 1.0 / 24);
    view->checkAll(SyncList::Palm);

    operations->transferPalmToOutlook();

    EXPECT_EQ(withCount(palmToOutlookDone, 1) + " 1 records could not be written.", view->messages.back().text);
    EXPECT_EQ("Old", outlookText(0, "CompanyName")) << "the user's contact is not written over";
    EXPECT_EQ("BobCo", outlookText(1, "CompanyName"));
    EXPECT_NE(std::string::npos, reportText().find("Ann Lee (AnnCo): could not be overwritten (Outlook overwritten): "
                                                   "the contact was changed in Outlook since Quillset read it"));

    // The other way, what was read of the edited contact is not copied.
    bob.setText("CompanyName", u"Bob's own");
    bob.save(bob.date("LastModificationTime") + 1.0 / 24);
    view->messages.clear();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    EXPECT_EQ((Names{"AnnCo", "BobCo"}), palmFileCompanies()) << "Ann as read is Palm Desktop's already";
}
