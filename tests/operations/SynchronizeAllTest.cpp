#include <string>
#include <vector>

#include "operations/LargeChangeGuard.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

using Steps = std::vector<std::string>;
using Names = std::vector<std::string>;

const char question[] =
    "All Palm Desktop address book records and Outlook contact records will be synchronized, continue?";

std::string summary(int palmRows, int outlookRows) {
    return "Synchronization finished, " + std::to_string(palmRows) + " Palm Desktop records synchronized, " +
           std::to_string(outlookRows) + " Outlook Contact records synchronized.";
}

SyncChoice clicked(SyncAction action, bool applyToAll = false) {
    SyncChoice choice;
    choice.action = action;
    choice.applyToAll = applyToAll;
    return choice;
}

class SynchronizeAllTest : public SyncFixture {
protected:
    std::vector<std::string> captions() const {
        std::vector<std::string> shown;
        for (const FakeSyncView::Message& message : view->messages)
            shown.push_back(message.caption);
        return shown;
    }
    const std::string& lastText() const { return view->messages.back().text; }
    void showDifferencesOnly() {
        view->showDiff = true;
        view->fillList(SyncList::Palm, palm->contacts());
        view->fillList(SyncList::Outlook, connector->contacts());
        view->forgetEvents();
    }
};

}  // namespace

// ---- before the run

TEST_F(SynchronizeAllTest, RunsOnlyWithOutlookSomethingToDoAndTheUsersYes) {
    start();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ((Steps{"box Error"}), view->steps());
    EXPECT_EQ("No Palm Desktop and Outlook contact information found.", lastText());
}

TEST_F(SynchronizeAllTest, AnsweredNoChangesNothing) {
    writePalmFile({palmPerson(1, "Ann", "Lee")});
    seedOutlook(u"Bob", u"Ray");
    start();
    const std::vector<uint8_t> before = palmFileOnDisk();
    view->answerYes = false;

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    EXPECT_EQ((Steps{"box Synchronize All"}), view->steps());
    EXPECT_EQ(question, lastText());
    EXPECT_EQ(SyncMessageKind::QuestionYesNo, view->messages.back().kind);
    EXPECT_TRUE(view->progress().empty());
    EXPECT_EQ(1u, outlook->contactCount());
    EXPECT_EQ(before, palmFileOnDisk());
}

TEST_F(SynchronizeAllTest, WithoutOutlookItIsToldBeforeAnythingIsAsked) {
    writePalmFile({palmPerson(1, "Ann", "Lee")});
    start(false);
    const std::vector<uint8_t> before = palmFileOnDisk();

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    EXPECT_EQ((Steps{"box Error"}), view->steps());
    EXPECT_EQ("Quillset can not find the Microsoft Outlook software you installed.", lastText());
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_EQ(1, palm->contacts()->count());
}

// ---- the two passes

TEST_F(SynchronizeAllTest, OutlookWinsByRuleAndEachSideGetsWhatItLacksOnce) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Cy", "Fox", "333")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    seedOutlook(u"Dee", u"Kim", u"444");
    start();

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    EXPECT_TRUE(view->prompts.empty());
    // The progress runs over the three writes: Cy and Dee added, Ann settled.
    EXPECT_EQ((std::vector<int>{33, 66, 100, 0}), view->progress());
    EXPECT_EQ(
        (Steps{"box Synchronize All", "wait", "fill Palm", "fill Outlook", "normal", "box Information", "counts"}),
        view->steps());
    EXPECT_EQ(summary(3, 3), lastText());
    EXPECT_EQ(SyncMessageKind::InformationOk, view->messages.back().kind);

    EXPECT_EQ((Names{"Ann", "Cy", "Dee"}), palmFileNames()) << "Cy not brought back, Dee added once";
    EXPECT_EQ((Names{"Acme Ltd", "", ""}), palmFileCompanies());
    ASSERT_EQ(3u, outlook->contactCount()) << "Dee not brought back, Cy added once";
    EXPECT_EQ("Cy", outlookText(2, "FirstName"));
    EXPECT_EQ(1, outlook->contact(2)->saveCount()) << "the Outlook pass does not visit the added contact";
    EXPECT_EQ(0, ann.saveCount()) << "Outlook won, and the Outlook pass found the pair the same";
    EXPECT_EQ((Names{"Dee", "Cy", "Ann"}), view->rowNames(SyncList::Palm));
    EXPECT_EQ((Names{"Cy", "Dee", "Ann"}), view->rowNames(SyncList::Outlook));
}

TEST_F(SynchronizeAllTest, PalmWinsByRuleAndThePairIsWrittenOnce) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111", u"Old");
    start();

    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);

    EXPECT_TRUE(view->prompts.empty());
    EXPECT_EQ("Acme", outlookText(0, "CompanyName"));
    EXPECT_EQ(1, ann.saveCount());
    EXPECT_STREQ("Acme", connector->contacts()->at(0)->company);
    EXPECT_EQ((Names{"Acme"}), palmFileCompanies());
    EXPECT_EQ(summary(1, 1), lastText());
}

TEST_F(SynchronizeAllTest, ASecondRunAfterAnotherFileIsOpenedSetsOutlookBackToItsFirstValue) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111", u"Old");
    start();
    // Quillset's own save gives the contact a later time: that is no change
    // by anyone else.
    outlook->setCurrentTime(outlook->currentTime() + 1.0);
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    ASSERT_EQ("Acme", outlookText(0, "CompanyName"));

    // File > Open reloads the Palm side only; Outlook is not read again.
    const std::string other = data.file("other.dat");
    ASSERT_TRUE(writeWholeFile(other, palmFileBytes(other, {palmPerson(1, "Ann", "Lee", "111", "Old")})));
    ASSERT_TRUE(palm->loadFile(other));
    view->fillList(SyncList::Palm, palm->contacts());
    view->updateCounts();

    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);

    EXPECT_EQ("Old", outlookText(0, "CompanyName")) << "the list shows Old, so Outlook must hold it";
    EXPECT_STREQ("Old", connector->contacts()->at(0)->company);
    EXPECT_EQ(2, ann.saveCount());
}

TEST_F(SynchronizeAllTest, TheUsersDirectionSettlesEveryLaterPairOfTheRun) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "A1"), palmPerson(2, "Bob", "Ray", "222", "B1")});
    seedOutlook(u"Ann", u"Lee", u"111", u"A2");
    seedOutlook(u"Bob", u"Ray", u"222", u"B2");
    start();
    view->choices = {clicked(SyncAction::PalmOverwritesOutlook)};

    operations->synchronizeAll(SyncAction::AskUser);

    ASSERT_EQ(1u, view->prompts.size());
    EXPECT_EQ("B1", view->prompts[0].palmCompany) << "row 0 shows the last record";
    EXPECT_EQ("B2", view->prompts[0].outlookCompany);
    EXPECT_EQ(SyncAction::AskUser, view->prompts[0].preset.action);
    EXPECT_EQ("A1", outlookText(0, "CompanyName"));
    EXPECT_EQ("B1", outlookText(1, "CompanyName"));
    const Steps steps = view->steps();
    ASSERT_GE(steps.size(), 5u);
    EXPECT_EQ((Steps{"box Synchronize All", "wait", "normal", "prompt", "wait"}),
              Steps(steps.begin(), steps.begin() + 5));
}

TEST_F(SynchronizeAllTest, TheFileIsSavedOnceAtTheEnd) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "A1"), palmPerson(2, "Bob", "Ray", "222", "B1")});
    seedOutlook(u"Ann", u"Lee", u"111", u"A2");
    seedOutlook(u"Bob", u"Ray", u"222", u"B2");
    start();
    const std::vector<uint8_t> before = palmFileOnDisk();
    std::vector<bool> unchangedAtPrompt;
    view->onPrompt = [&] { unchangedAtPrompt.push_back(palmFileOnDisk() == before); };

    // OK without a click, box clear: Outlook wins and the next pair is asked again.
    operations->synchronizeAll(SyncAction::AskUser);

    EXPECT_EQ(2u, view->prompts.size());
    EXPECT_EQ((std::vector<bool>{true, true}), unchangedAtPrompt) << "Bob was already decided at Ann's prompt";
    EXPECT_EQ((Names{"A2", "B2"}), palmFileCompanies());
}

TEST_F(SynchronizeAllTest, NothingDifferentIsNeitherWrittenNorSaved) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111"), palmPerson(2, "Bob", "Ray", "222")});
    FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111");
    start();
    // Bob is missing in Outlook: the one write.
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ((std::vector<int>{100, 0}), view->progress());
    EXPECT_EQ(0, ann.saveCount());

    // Now both sides are alike; a save would fail.
    view->messages.clear();
    failPalmSaves();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    allowPalmSaves();
    EXPECT_EQ((std::vector<std::string>{"Synchronize All", "Information"}), captions());
    EXPECT_EQ(summary(2, 2), lastText());
    EXPECT_EQ(2u, outlook->contactCount());
}

// ---- positions

TEST_F(SynchronizeAllTest, PalmRecordsOverwriteTheOutlookContactsAtTheirOwnPositions) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "A1"), palmPerson(2, "Bob", "Ray", "222", "B1")});
    FakeContact& xen = seedOutlook(u"Xen", u"Poe", u"999", u"X");
    seedOutlook(u"Bob", u"Ray", u"222", u"B2");
    seedOutlook(u"Ann", u"Lee", u"111", u"A2");
    start();

    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);

    EXPECT_EQ("X", outlookText(0, "CompanyName"));
    EXPECT_EQ(0, xen.saveCount());
    EXPECT_EQ("B1", outlookText(1, "CompanyName"));
    EXPECT_EQ("A1", outlookText(2, "CompanyName"));
    EXPECT_EQ((Names{"Ann", "Bob", "Xen"}), palmFileNames());
}

TEST_F(SynchronizeAllTest, OutlookRecordsOverwriteThePalmRecordsAtTheirOwnPositions) {
    writePalmFile({palmPerson(1, "Xen", "Poe", "999", "X"), palmPerson(2, "Bob", "Ray", "222", "B1"),
                   palmPerson(3, "Ann", "Lee", "111", "A1")});
    seedOutlook(u"Ann", u"Lee", u"111", u"A2");
    seedOutlook(u"Bob", u"Ray", u"222", u"B2");
    start();

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    EXPECT_EQ((Names{"X", "B2", "A2"}), palmFileCompanies());
    EXPECT_EQ(summary(3, 3), lastText());
}

// Two Outlook contacts pair with the one Palm record: the first is
// identical, the second differs. Neither rule may write the one over the
// other through the Palm record.
class OutlookPassPairTest : public SynchronizeAllTest {
protected:
    void SetUp() override {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111")});
        first = &seedOutlook(u"Ann", u"Lee", u"111");
        seedOutlook(u"Ann", u"Lee", u"222", u"Z");
        start();
    }
    FakeContact* first = nullptr;
};

TEST_F(OutlookPassPairTest, PalmWinningLeavesBothContactsAlone) {
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    EXPECT_EQ("222", outlookText(1, "HomeTelephoneNumber")) << "the second number is not lost";
    EXPECT_EQ(0, first->saveCount());
    EXPECT_EQ(0, outlook->contact(1)->saveCount());
}

TEST_F(OutlookPassPairTest, OutlookWinningLeavesThePalmRecordAlone) {
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ((Names{""}), palmFileCompanies());
    EXPECT_EQ(0, first->saveCount());
    EXPECT_EQ(0, outlook->contact(1)->saveCount());
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    EXPECT_EQ((Names{""}), palmFileCompanies()) << "nor by a transfer";
}

// ---- shown rows

TEST_F(SynchronizeAllTest, ShowingDifferencesOnlyLimitsTheRunToTheShownRows) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111"), palmPerson(2, "Bob", "Ray", "222", "B1"),
                   palmPerson(3, "Cy", "Fox", "333")});
    seedOutlook(u"Ann", u"Lee", u"111");
    seedOutlook(u"Bob", u"Ray", u"222", u"B2");
    seedOutlook(u"Dee", u"Kim", u"444");
    start();
    showDifferencesOnly();
    ASSERT_EQ((Names{"Cy", "Bob"}), view->rowNames(SyncList::Palm));
    ASSERT_EQ((Names{"Dee", "Bob"}), view->rowNames(SyncList::Outlook));

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    // Cy and Dee added, Bob settled once though both lists show him.
    EXPECT_EQ((std::vector<int>{33, 66, 100, 0}), view->progress());
    EXPECT_EQ((Names{"", "B2", "", ""}), palmFileCompanies());
    // The refill filters by the statuses the records had before the run.
    EXPECT_EQ(summary(3, 3), lastText());
    EXPECT_EQ(3, view->countedPalmRows);
}

// ---- failures

TEST_F(SynchronizeAllTest, AFileThatCannotBeSavedIsToldAndOutlookChangesStay) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "A1"), palmPerson(2, "Cy", "Fox", "333")});
    seedOutlook(u"Ann", u"Lee", u"111", u"A2");
    seedOutlook(u"Dee", u"Kim", u"444");
    start();
    const std::vector<uint8_t> before = palmFileOnDisk();
    failPalmSaves();
    view->beforeReload = [this] { allowPalmSaves(); };

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    EXPECT_EQ((Steps{"box Synchronize All", "wait", "reload", "fill Palm", "fill Outlook", "normal", "box Error",
                     "box Information", "counts"}),
              view->steps());
    ASSERT_EQ(3u, view->messages.size());
    EXPECT_EQ("The Palm Desktop address file could not be saved. The file on disk is unchanged; close Palm Desktop "
              "and try again. The changes already written to Outlook stay written.",
              view->messages[1].text);
    EXPECT_EQ(SyncMessageKind::ErrorOk, view->messages[1].kind);
    EXPECT_EQ("Synchronization finished, 3 Outlook Contact records synchronized; the Palm Desktop records were not "
              "saved.",
              lastText());
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_EQ((Names{"Cy", "Ann"}), view->rowNames(SyncList::Palm)) << "what the file holds";
    EXPECT_STREQ("A1", view->recordAt(SyncList::Palm, 1)->company);
    ASSERT_EQ(3u, outlook->contactCount());
    EXPECT_EQ("Cy", outlookText(2, "FirstName"));
}

TEST_F(SynchronizeAllTest, AFailedSaveWithOnlyOutlookChangedIsNoLoss) {
    writePalmFile({palmPerson(1, "Cy", "Fox", "333")});
    start();
    failPalmSaves();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    allowPalmSaves();
    EXPECT_EQ((std::vector<std::string>{"Synchronize All", "Information"}), captions());
    EXPECT_EQ(summary(1, 1), lastText());
    EXPECT_EQ(1u, outlook->contactCount());
}

TEST_F(SynchronizeAllTest, OutlookRefusingSavesCountsEachRecordOnce) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "A1"), palmPerson(2, "Cy", "Fox", "333")});
    seedOutlook(u"Ann", u"Lee", u"111", u"A2");
    start();
    outlook->failMember("Save");

    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);

    EXPECT_EQ(summary(2, 1) + " 2 records could not be written.", lastText())
        << "Ann's pair, tried in both passes, and Cy";
    EXPECT_EQ((Steps{"box Synchronize All", "wait", "normal", "box Information", "counts"}), view->steps());
    EXPECT_STREQ("A2", connector->contacts()->at(0)->company);
    EXPECT_EQ(1, connector->contacts()->count());
}

// ---- the guard before large changes

TEST(LargeChangeGuard, MostOfALargeSideOrAnEmptySideAgainstManyIsLarge) {
    PlannedOverwrites planned;
    planned.palmRecords = planned.outlookRecords = 10;
    planned.outlookOverwritten = 5;
    EXPECT_FALSE(isLargeChange(planned)) << "half is not more than half";
    planned.outlookOverwritten = 6;
    EXPECT_TRUE(isLargeChange(planned));
    EXPECT_EQ("This synchronization would overwrite 6 of the 10 Outlook contacts. Go on all the same?",
              largeChangeQuestion(planned));

    PlannedOverwrites small;
    small.palmRecords = small.outlookRecords = 4;
    small.palmOverwritten = 4;
    EXPECT_FALSE(isLargeChange(small)) << "a small book's changes are not asked about";

    PlannedOverwrites empty;
    empty.palmRecords = 0;
    empty.outlookRecords = 9;
    EXPECT_FALSE(isLargeChange(empty));
    empty.outlookRecords = 10;
    EXPECT_TRUE(isLargeChange(empty));
    EXPECT_EQ("The Palm Desktop address book holds no records, while Outlook holds 10. Go on all the same?",
              largeChangeQuestion(empty));
}

TEST_F(SynchronizeAllTest, ARunThatWouldOverwriteMostOfOutlookStopsAtTheSecondQuestion) {
    std::vector<PalmAddressRecord> records;
    for (int index = 0; index < 10; ++index) {
        const std::string given = "Given" + std::to_string(index);
        const bool differs = index < 6;
        records.push_back(
            palmPerson(static_cast<uint32_t>(index + 1), given, "Lee", differs ? "555-0100" : "555-0199"));
        const std::u16string wide(given.begin(), given.end());
        seedOutlook(wide.c_str(), u"Lee", u"555-0199");
    }
    writePalmFile(records);
    start();
    view->answerWarningYes = false;

    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);

    ASSERT_EQ(2u, view->messages.size());
    EXPECT_EQ(question, view->messages[0].text);
    EXPECT_EQ("This synchronization would overwrite 6 of the 10 Outlook contacts. Go on all the same?", lastText());
    EXPECT_EQ(SyncMessageKind::WarningYesNoDefaultNo, view->messages[1].kind);
    for (size_t index = 0; index < outlook->contactCount(); ++index)
        EXPECT_EQ(0, outlook->contact(index)->saveCount()) << index;

    view->messages.clear();
    view->answerWarningYes = true;
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    EXPECT_EQ("555-0100", outlookText(0, "HomeTelephoneNumber")) << "Yes goes on";
}
