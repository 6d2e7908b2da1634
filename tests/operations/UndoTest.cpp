#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FileFaults.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "platform/TextCodec.h"
#include "operations/AddressFileBackups.h"
#include "operations/SyncMessages.h"
#include "operations/SyncReport.h"
#include "operations/UndoJournal.h"
#include "operations/UndoMessages.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "outlook/BusyRetry.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

// Every property of every contact, by name, but for the modification time
// that any save moves on: what Undo must give back exactly.
using OutlookState = std::vector<std::vector<std::string>>;

enum class Operation { PalmToOutlook, OutlookToPalm, SynchronizeAllPalmWins, SynchronizeAllOutlookWins };

std::string valueText(const AutomationValue& value) {
    if (value.isText())
        return utf16ToAnsi(value.text());
    if (value.isDate())
        return std::to_string(value.date());
    return std::to_string(value.integer());
}

class UndoTest : public SyncFixture {
protected:
    // Ann differs on the two sides, Cy is only in Palm Desktop, Dee only in
    // Outlook: every operation has something to add and to overwrite.
    void seed() {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Cy", "Fox", "333")});
        FakeContact& ann = seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
        ann.setText("Body", u"met at the fair");
        ann.setInteger("Gender", 1);
        seedOutlook(u"Dee", u"Kim", u"444");
        start();
    }

    void run(Operation operation) {
        switch (operation) {
        case Operation::PalmToOutlook:
            view->checkAll(SyncList::Palm);
            operations->transferPalmToOutlook();
            break;
        case Operation::OutlookToPalm:
            view->checkAll(SyncList::Outlook);
            operations->transferOutlookToPalm();
            break;
        case Operation::SynchronizeAllPalmWins: operations->synchronizeAll(SyncAction::PalmOverwritesOutlook); break;
        case Operation::SynchronizeAllOutlookWins: operations->synchronizeAll(SyncAction::OutlookOverwritesPalm); break;
        }
    }

    OutlookState outlookState() const {
        OutlookState state;
        for (size_t index = 0; index < outlook->contactCount(); ++index) {
            std::vector<std::string> fields;
            for (const FakeContactProperty& property : fakeContactProperties()) {
                if (std::string(property.name) == "LastModificationTime")
                    continue;
                fields.push_back(std::string(property.name) + "=" +
                                 valueText(*outlook->contact(index)->value(property.name)));
            }
            state.push_back(fields);
        }
        return state;
    }

    // Someone edits the contact in Outlook a minute after the operation.
    void editInOutlook(size_t index, const char* property, const char16_t* text) {
        outlook->setCurrentTime(outlook->currentTime() + 1.0 / 1440);
        outlook->contact(index)->setText(property, text);
        outlook->contact(index)->save(outlook->currentTime());
    }

    void undo() {
        view->messages.clear();
        operations->undoLastSynchronization();
    }
    const FakeSyncView::Message& question() const { return view->messages.at(0); }
    const std::string& lastText() const { return view->messages.back().text; }
    std::string log() const {
        const std::vector<uint8_t> bytes = readWholeFile(programFilePath(SyncReport::fileName));
        return std::string(bytes.begin(), bytes.end());
    }
};

class UndoEachOperation : public UndoTest, public ::testing::WithParamInterface<Operation> {};

}  // namespace

TEST_P(UndoEachOperation, BothSidesComeBackFieldByFieldAndASecondUndoHasNothingToDo) {
    seed();
    const std::vector<uint8_t> palmBefore = palmFileOnDisk();
    const OutlookState outlookBefore = outlookState();
    run(GetParam());
    ASSERT_TRUE(palmFileOnDisk() != palmBefore || outlookState() != outlookBefore) << "the operation changed nothing";
    ASSERT_TRUE(UndoJournal::available());

    view->forgetEvents();
    undo();
    ASSERT_EQ(2u, view->messages.size());
    EXPECT_EQ(undoCaption, question().caption);
    EXPECT_EQ(SyncMessageKind::QuestionYesNo, question().kind);
    EXPECT_EQ(std::string::npos, question().text.find("changed since")) << question().text;
    EXPECT_EQ(palmBefore, palmFileOnDisk());
    EXPECT_EQ(outlookBefore, outlookState());
    EXPECT_FALSE(UndoJournal::available());
    // Both sides are read again and shown as they are now.
    const std::vector<std::string> steps = view->steps();
    EXPECT_NE(std::find(steps.begin(), steps.end(), "reload both"), steps.end());
    EXPECT_EQ(palm->contacts()->count(), view->rowCount(SyncList::Palm));
    EXPECT_EQ(static_cast<int>(outlook->contactCount()), view->rowCount(SyncList::Outlook));
    EXPECT_NE(std::string::npos, log().find("  Undo Last Synchronization\r\n"));

    undo();
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(nothingToUndoText, view->messages[0].text);
    EXPECT_EQ(palmBefore, palmFileOnDisk());
    EXPECT_EQ(outlookBefore, outlookState());
}

INSTANTIATE_TEST_SUITE_P(Operations, UndoEachOperation,
                         ::testing::Values(Operation::PalmToOutlook, Operation::OutlookToPalm,
                                           Operation::SynchronizeAllPalmWins, Operation::SynchronizeAllOutlookWins));

TEST_F(UndoTest, TheQuestionSaysWhatIsTakenBackAndNoChangesNothing) {
    seed();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    const std::vector<uint8_t> palmAfter = palmFileOnDisk();
    const OutlookState outlookAfter = outlookState();
    view->answerYes = false;
    undo();
    ASSERT_EQ(1u, view->messages.size());
    const std::string& text = question().text;
    EXPECT_EQ(0u, text.find("The last synchronization, Synchronize All of ")) << text;
    EXPECT_NE(std::string::npos, text.find("\n1 Outlook contacts it added will be deleted.")) << text;
    EXPECT_NE(std::string::npos, text.find("\n1 Outlook contacts it overwrote will get back their earlier values."));
    EXPECT_NE(std::string::npos, text.find("\nThe Palm Desktop address file will be put back as it was before."));
    EXPECT_EQ(palmAfter, palmFileOnDisk());
    EXPECT_EQ(outlookAfter, outlookState());
    EXPECT_TRUE(UndoJournal::available()) << "still there to undo";
}

TEST_F(UndoTest, WorksAfterARestartFromTheJournalBesideTheProgram) {
    seed();
    const std::vector<uint8_t> palmBefore = palmFileOnDisk();
    const OutlookState outlookBefore = outlookState();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    // A new program: new stores, new operations; Outlook kept running.
    start();
    undo();
    EXPECT_EQ(palmBefore, palmFileOnDisk());
    EXPECT_EQ(outlookBefore, outlookState());
    EXPECT_EQ(0u, lastText().find("Undo Last Synchronization finished: 1 Outlook contacts deleted, 1 Outlook contacts "
                                  "restored. The Palm Desktop address file was put back as it was before."))
        << lastText();
}

TEST_F(UndoTest, RecordsChangedSinceAreNamedAndLeftAsTheyAre) {
    seed();
    const OutlookState outlookBefore = outlookState();
    // Ann's Outlook contact is overwritten, Cy added to Outlook, Dee added to
    // the file.
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    ASSERT_EQ(3u, outlook->contactCount());
    editInOutlook(0, "MobileTelephoneNumber", u"999");
    // Palm Desktop rewrites the file.
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(7, "Gil", "Orr", "777")});
    const std::vector<uint8_t> palmByPalmDesktop = palmFileOnDisk();

    undo();
    ASSERT_EQ(2u, view->messages.size());
    EXPECT_NE(
        std::string::npos,
        question().text.find("These records changed since and will be left as they are: Dee Kim and Ann Lee (Acme)."))
        << question().text;
    EXPECT_EQ(std::string::npos, question().text.find("address file will be put back"));
    EXPECT_EQ(palmByPalmDesktop, palmFileOnDisk()) << "the file Palm Desktop wrote is not touched";
    ASSERT_EQ(2u, outlook->contactCount()) << "Cy, who was added, is deleted";
    EXPECT_EQ("Acme", outlookText(0, "CompanyName")) << "Ann keeps what she has now";
    EXPECT_EQ("999", outlookText(0, "MobileTelephoneNumber"));
    EXPECT_EQ(outlookBefore[1], outlookState()[1]);
    EXPECT_NE(std::string::npos, lastText().find("1 Outlook contacts deleted, 0 Outlook contacts restored."));
    EXPECT_NE(std::string::npos, lastText().find("were left as they are: Dee Kim and Ann Lee (Acme)."));
    EXPECT_NE(std::string::npos, log().find("  Ann Lee (Acme): changed since, left as it is\r\n"));
    EXPECT_FALSE(UndoJournal::available()) << "what changed since is not tried again";
}

TEST_F(UndoTest, AContactDeletedInOutlookSinceIsLeftAlone) {
    seed();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    ASSERT_EQ(3u, outlook->contactCount());
    outlook->removeContact(2);
    undo();
    EXPECT_NE(std::string::npos, question().text.find("will be left as they are: Cy Fox.")) << question().text;
    EXPECT_EQ("Acme Ltd", outlookText(0, "CompanyName")) << "Ann's overwrite is still taken back";
}

TEST_F(UndoTest, WhilePalmDesktopHoldsTheFileNothingIsUndone) {
    seed();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    const std::vector<uint8_t> palmAfter = palmFileOnDisk();
    const OutlookState outlookAfter = outlookState();
    holdPalmFile();
    undo();
    releasePalmFile();
    ASSERT_EQ(1u, view->messages.size()) << "told before any question";
    EXPECT_EQ(undoBackupFailedText, lastText());
    EXPECT_EQ(palmAfter, palmFileOnDisk());
    EXPECT_EQ(outlookAfter, outlookState());
    EXPECT_TRUE(UndoJournal::available()) << "it can be tried again";

    // A full disk: the copy of the file as it is cannot be made.
    view->messages.clear();
    FileFaultPlan full;
    full.freeDiskBytes = 10;
    {
        ScopedFileFaults faults(full);
        undo();
    }
    ASSERT_EQ(2u, view->messages.size());
    EXPECT_EQ(undoBackupFailedText, lastText());
    EXPECT_EQ(palmAfter, palmFileOnDisk());
    EXPECT_EQ(outlookAfter, outlookState());
    EXPECT_TRUE(UndoJournal::available());
}

TEST_F(UndoTest, AFileRewrittenWhileTheQuestionIsUpIsLeftAlone) {
    seed();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    std::vector<uint8_t> palmByPalmDesktop;
    // The user switches to Palm Desktop, edits and saves, then answers Yes.
    view->onQuestion = [&] {
        writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(7, "Gil", "Orr", "777")});
        palmByPalmDesktop = palmFileOnDisk();
    };
    undo();
    view->onQuestion = nullptr;
    EXPECT_EQ(palmByPalmDesktop, palmFileOnDisk()) << "the file Palm Desktop wrote is not touched";
    EXPECT_EQ(std::string::npos, lastText().find("address file was put back")) << lastText();
    EXPECT_NE(std::string::npos, lastText().find("were left as they are: Dee Kim.")) << lastText();
}

TEST_F(UndoTest, TheCopyOfTheFileAsItIsPushesOutNotTheBackupToPutBack) {
    seed();
    // Nineteen backups named by a clock a year ahead: the one the operation
    // makes is the oldest, and the copy Undo makes first would push it out.
    ASSERT_TRUE(makeFolder(programFolder() + AddressFileBackups::folderName));
    ASSERT_TRUE(makeFolder(AddressFileBackups::folderFor(palmPath)));
    LocalDateTime ahead;
    ahead.year = 2099;
    ahead.month = 1;
    ahead.day = 1;
    for (unsigned run = 0; run + 1 < AddressFileBackups::keptPerFile; ++run)
        ASSERT_TRUE(writeWholeFile(AddressFileBackups::folderFor(palmPath) + AddressFileBackups::backupName(run, ahead),
                                   std::string("old")));
    const std::vector<uint8_t> palmBefore = palmFileOnDisk();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    ASSERT_NE(palmBefore, palmFileOnDisk());
    undo();
    EXPECT_EQ(palmBefore, palmFileOnDisk());
    EXPECT_NE(std::string::npos, lastText().find("The Palm Desktop address file was put back")) << lastText();
}

TEST_F(UndoTest, WithTheClockSetBackARunThatSavesNothingLeavesTheBackupToPutBack) {
    seed();
    // Nineteen backups from while the clock was a year ahead, then the
    // operation to undo: its backup is the newest made, though not by name.
    ASSERT_TRUE(makeFolder(programFolder() + AddressFileBackups::folderName));
    ASSERT_TRUE(makeFolder(AddressFileBackups::folderFor(palmPath)));
    for (unsigned run = 0; run + 1 < AddressFileBackups::keptPerFile; ++run)
        ASSERT_TRUE(writeWholeFile(AddressFileBackups::folderFor(palmPath) + "20990101-0000" +
                                       std::to_string(10 + run) + "-00.dat",
                                   std::string("old")));
    const std::vector<uint8_t> palmBefore = palmFileOnDisk();
    run(Operation::OutlookToPalm);
    ASSERT_NE(palmBefore, palmFileOnDisk());
    // A later run makes a backup of its own, then cannot save.
    editInOutlook(1, "HomeTelephoneNumber", u"445");
    start();
    failPalmSaves();
    run(Operation::OutlookToPalm);
    allowPalmSaves();
    start();
    undo();
    EXPECT_EQ(palmBefore, palmFileOnDisk());
    EXPECT_NE(std::string::npos, lastText().find("The Palm Desktop address file was put back")) << lastText();
}

TEST_F(UndoTest, AFailedRestoreStaysInTheJournalForASecondTry) {
    seed();
    const OutlookState outlookBefore = outlookState();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    outlook->failMember("Delete");
    undo();
    EXPECT_NE(std::string::npos, lastText().find("1 Outlook contacts could not be taken back")) << lastText();
    ASSERT_TRUE(UndoJournal::available());
    outlook->clearFailures();
    undo();
    EXPECT_EQ(outlookBefore, outlookState());
    EXPECT_FALSE(UndoJournal::available());
}

TEST_F(UndoTest, AnOperationThatChangedNothingKeepsTheLastOneToUndo) {
    seed();
    const OutlookState outlookBefore = outlookState();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    // Everything agrees with Outlook now: the second run writes nothing.
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    undo();
    EXPECT_EQ(0u, question().text.find("The last synchronization, Palm Desktop overwrites Outlook of "));
    EXPECT_EQ(outlookBefore, outlookState());
}

TEST_F(UndoTest, TextsLongerThanTheirFieldOrOutsideTheCodePageComeBackWhole) {
    const std::u16string company =
        u"Ann's Consolidated Trading, Shipping and Warehousing Company of the Northern Coast";
    const std::u16string street = u"Unit 7, " + std::u16string(180, u's') + u" Road";
    const std::u16string foreign = u"Zo\u00eb \u039e\u03b5\u03bd\u03bf\u03c6\u03ce\u03bd \u65e5\u672c";
    ASSERT_GT(company.size(), sizeof(OutlookContactImage::companyName));
    PalmAddressRecord ann = palmPerson(1, "Ann", "Lee", "111", "Acme");
    ann.address = "1 Short St";
    ann.phone[0] = "555";
    writePalmFile({ann, palmPerson(2, "Bo", "Yu", "222", "Bo Inc")});
    seedOutlook(u"Ann", u"Lee", u"111", company.c_str()).setText("BusinessAddressStreet", street);
    seedOutlook(u"Bo", u"Yu", u"222", foreign.c_str());
    start();
    FakeContact& annInOutlook = *outlook->contact(0);
    FakeContact& boInOutlook = *outlook->contact(1);
    ASSERT_EQ(u"", annInOutlook.text("BusinessTelephoneNumber"));

    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    ASSERT_EQ(u"Acme", annInOutlook.text("CompanyName"));
    ASSERT_EQ(u"1 Short St", annInOutlook.text("BusinessAddressStreet"));
    ASSERT_EQ(u"555", annInOutlook.text("BusinessTelephoneNumber"));
    ASSERT_EQ(u"Bo Inc", boInOutlook.text("CompanyName"));

    // From the journal, as after a restart.
    start();
    undo();
    EXPECT_EQ(company, annInOutlook.text("CompanyName"));
    EXPECT_EQ(street, annInOutlook.text("BusinessAddressStreet"));
    EXPECT_EQ(u"", annInOutlook.text("BusinessTelephoneNumber")) << "what the operation set is cleared again";
    EXPECT_EQ(foreign, boInOutlook.text("CompanyName"));
    EXPECT_EQ(0u, lastText().find("Undo Last Synchronization finished: 0 Outlook contacts deleted, 2 Outlook contacts "
                                  "restored."))
        << lastText();
    EXPECT_EQ(std::string::npos, lastText().find("shortened")) << lastText();
}

TEST(UndoJournalFile, ReadsBackWhatItWroteAndRefusesEveryCutOrDamagedCopy) {
    UndoJournal journal;
    journal.operation = "Synchronize All";
    journal.when.year = 2026;
    journal.when.month = 12;
    journal.when.day = 7;
    journal.addressFile = "C:\\Palm\\Ann Lee\\address\\address.dat";
    journal.backupFile = "C:\\Quillset\\Backups\\x\\20261207-101500-00.dat";
    journal.fileSize = 1234;
    journal.fileDigest = 0xFEDCBA9876543210ull;
    journal.palmNames = {"Dee Kim", ""};
    OutlookContactChange added;
    added.entryId = "00000000ABCD";
    added.modifiedAfter = 45292.5;
    added.names = "Cy Fox";
    OutlookContactChange overwritten;
    overwritten.kind = OutlookContactChange::Kind::Overwritten;
    overwritten.entryId = "00000000ABCE";
    overwritten.modifiedAfter = 45292.75;
    overwritten.names = "Ann Lee (Acme)";
    OutlookContactImage before, after;
    std::snprintf(before.companyName, sizeof before.companyName, "Acme Ltd");
    std::snprintf(after.companyName, sizeof after.companyName, "Acme");
    after.birthday = 36000.0;
    after.gender = 2;
    overwritten.previous = changedProperties(before, after);
    ASSERT_EQ(3u, overwritten.previous.size());
    journal.outlook = {added, overwritten};

    const std::string text = journal.text();
    UndoJournal read;
    ASSERT_TRUE(read.parse(text));
    EXPECT_EQ(text, read.text());
    ASSERT_EQ(2u, read.outlook.size());
    EXPECT_EQ(45292.75, read.outlook[1].modifiedAfter);
    bool companyKept = false;
    for (const OutlookPropertyValue& value : read.outlook[1].previous)
        companyKept = companyKept || std::string(value.bytes.begin(), value.bytes.end()) == "Acme Ltd";
    EXPECT_TRUE(companyKept);

    // Cut after a whole line, past the head, it is a run ended half-way
    // holding what it wrote; cut inside a line, or in the head, no journal.
    const size_t headEnd = text.find("\nwhen ") + 1;
    for (size_t cut = 0; cut + 1 < text.size(); ++cut) {
        UndoJournal partial;
        const bool wholeLines = cut > headEnd && text[cut - 1] == '\n';
        const bool read = partial.parse(text.substr(0, cut));
        EXPECT_EQ(wholeLines, read) << "cut at " << cut;
        if (!read)
            EXPECT_TRUE(partial.empty()) << "cut at " << cut;
        else
            EXPECT_TRUE(partial.interrupted) << "cut at " << cut;
    }
    for (const char* damage : {"property 200 x41", "property 5 x4", "property 1 x4142", "outlook moved x00 0 x"}) {
        std::string damaged = text;
        damaged.insert(damaged.rfind("end"), std::string(damage) + "\n");
        EXPECT_FALSE(read.parse(damaged)) << damage;
    }
    // An account text longer than its field does not fit.
    std::string tooLong = text;
    tooLong.insert(tooLong.rfind("end"), "property 0 x" + std::string(64, '4') + "\n");
    EXPECT_FALSE(read.parse(tooLong));
}

TEST(UndoJournalFile, KeepsTextsWholeAndRefusesATooLongOrDamagedOne) {
    auto rowOf = [](size_t offset) { return std::to_string(findImageRow(offset) - contactImageRows().data()); };
    const std::string companyRow = rowOf(offsetof(OutlookContactImage, companyName));
    const std::string birthdayRow = rowOf(offsetof(OutlookContactImage, birthday));
    const std::u16string company =
        std::u16string(80, u'c') + u" Zo\u00eb \u039e\u03b5\u03bd\u03bf\u03c6\u03ce\u03bd \u65e5\u672c \U0001F600";
    OutlookContactImage before, after;
    std::snprintf(after.companyName, sizeof after.companyName, "Acme");
    std::snprintf(after.mobileTelephoneNumber, sizeof after.mobileTelephoneNumber, "555");
    after.birthday = 36000.0;
    std::vector<OutlookPropertyValue> read(2);
    ASSERT_TRUE(wholeText(static_cast<uint16_t>(std::stoi(companyRow)), company, &read[0]));
    ASSERT_TRUE(wholeText(static_cast<uint16_t>(std::stoi(rowOf(offsetof(OutlookContactImage, mobileTelephoneNumber)))),
                          u"", &read[1]));
    UndoJournal journal;
    journal.operation = "Synchronize All";
    OutlookContactChange overwritten;
    overwritten.kind = OutlookContactChange::Kind::Overwritten;
    overwritten.entryId = "00000000ABCE";
    overwritten.names = "Ann Lee (Acme)";
    overwritten.previous = changedProperties(before, after, read);
    ASSERT_EQ(3u, overwritten.previous.size());
    journal.outlook = {overwritten};

    const std::string text = journal.text();
    UndoJournal back;
    ASSERT_TRUE(back.parse(text));
    EXPECT_EQ(text, back.text());
    std::vector<std::u16string> texts;
    for (const OutlookPropertyValue& value : back.outlook.at(0).previous) {
        if (value.whole)
            texts.push_back(value.text);
    }
    EXPECT_EQ((std::vector<std::u16string>{company, u""}), texts);
    EXPECT_FALSE(mayComeBackShort(back.outlook[0]));

    auto withLine = [&](const std::string& journalText, const std::string& line) {
        std::string changed = journalText;
        changed.insert(changed.rfind("end"), line + "\n");
        return changed;
    };
    std::string longest = "text " + companyRow + " x";
    for (size_t unit = 0; unit < LongestKeptText; ++unit)
        longest += "6300";
    EXPECT_TRUE(back.parse(withLine(text, longest)));
    const std::vector<std::string> damaged = {longest + "6300",
                                              "text " + companyRow + " x41",
                                              "text " + companyRow + " x0000",
                                              "text " + companyRow + " x4100 x",
                                              "text " + birthdayRow + " x4100",
                                              "text 200 x4100",
                                              "text " + companyRow + " 4100"};
    for (const std::string& line : damaged) {
        EXPECT_FALSE(back.parse(withLine(text, line))) << line.substr(0, 40);
        EXPECT_TRUE(back.empty());
    }

    // A journal from before texts were kept whole is read and undone as it
    // was written; one of them holding a whole text is damaged.
    std::string older = text.substr(text.find('\n'));
    std::string olderLines;
    std::istringstream lines(older);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, 5, "text ") != 0 && !line.empty())
            olderLines += line + "\n";
    }
    older = "QuillsetUndo 1\n" + olderLines;
    ASSERT_TRUE(back.parse(older));
    ASSERT_EQ(1u, back.outlook.at(0).previous.size());
    EXPECT_FALSE(back.outlook[0].previous[0].whole);
    EXPECT_FALSE(back.parse(withLine(older, "text " + companyRow + " x4100")));
}

TEST_F(UndoTest, ATextThatCouldNotBeReadWholeComesBackAsShownAndTheSummarySaysSo) {
    const std::u16string company(80, u'c');
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    seedOutlook(u"Ann", u"Lee", u"111", company.c_str());
    start();
    outlook->failPropertyGet("CompanyName");
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    outlook->clearFailures();
    ASSERT_EQ(u"Acme", outlook->contact(0)->text("CompanyName"));

    undo();
    EXPECT_EQ(company.substr(0, 63), outlook->contact(0)->text("CompanyName"));
    EXPECT_NE(std::string::npos, lastText().find("1 Outlook contacts restored. 1 of them got some earlier values back "
                                                 "only as the list showed them, possibly shortened."))
        << lastText();
    EXPECT_NE(std::string::npos, log().find("Ann Lee (Acme): some earlier values were given back only as the list "
                                            "showed them, possibly shortened."))
        << log();
}

namespace {

// Stands for the program ended from outside: nothing after it runs.
struct EndedFromOutside {};

}  // namespace

TEST_F(UndoTest, ARunEndedHalfWayIsTakenBackAfterARestartAsFarAsItsJournalGoes) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Cy", "Fox", "333"),
                   palmPerson(3, "Eve", "Orr", "555"), palmPerson(4, "Gil", "Ray", "777")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    start();
    const std::vector<uint8_t> palmBefore = palmFileOnDisk();
    const OutlookState outlookBefore = outlookState();
    // The last operation before it, which Undo must not offer as the last.
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    start();
    const std::vector<uint8_t> palmAfterFirst = palmFileOnDisk();
    const OutlookState outlookAfterFirst = outlookState();
    // Three of five Palm rows written to Outlook, then the program is gone.
    view->onProgress = [](int percent) {
        if (percent >= 40)
            throw EndedFromOutside();
    };
    EXPECT_THROW(operations->synchronizeAll(SyncAction::PalmOverwritesOutlook), EndedFromOutside);
    view->onProgress = nullptr;
    ASSERT_NE(outlookAfterFirst, outlookState()) << "the run wrote Outlook before it ended";

    start();
    undo();
    EXPECT_NE(std::string::npos, question().text.find("Synchronize All of ")) << question().text;
    EXPECT_NE(std::string::npos, question().text.find("was ended before it finished")) << question().text;
    EXPECT_EQ(outlookAfterFirst, outlookState()) << "every contact the run wrote is back";
    EXPECT_EQ(palmAfterFirst, palmFileOnDisk()) << "the run never saved the file";
    EXPECT_FALSE(UndoJournal::available());
    EXPECT_NE(palmBefore, palmFileOnDisk()) << "the operation before it is left as it was";
    EXPECT_EQ(outlookBefore, outlookState());
}

TEST_F(UndoTest, ContactsOutlookCannotGiveNowStayForALaterUndo) {
    seed();
    const OutlookState outlookBefore = outlookState();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    // Outlook busy: it rejects the calls, the contacts are all there. The
    // calls are retried on a clock that moves only when they wait.
    const int32_t callRejected = static_cast<int32_t>(0x80010001u);
    outlook->failMember("GetItemFromID", callRejected);
    uint64_t now = 0;
    setBusyClock({[&now]() { return now; }, [&now](uint32_t milliseconds) { now += milliseconds; }});
    undo();
    setBusyClock({});
    EXPECT_GE(now, BusyRetryLimitMilliseconds) << "each call was tried for the whole bound";
    EXPECT_NE(std::string::npos, question().text.find("2 Outlook contacts cannot be reached now")) << question().text;
    EXPECT_NE(std::string::npos, lastText().find("2 Outlook contacts could not be reached; Undo can be tried again"))
        << lastText();
    EXPECT_EQ(std::string::npos, lastText().find("left as they are")) << lastText();
    ASSERT_TRUE(UndoJournal::available()) << "the only copy of the earlier values is kept";
    outlook->clearFailures();
    undo();
    EXPECT_EQ(outlookBefore, outlookState());
    EXPECT_FALSE(UndoJournal::available());
}

TEST_F(UndoTest, AChangeWhoseIdCouldNotBeReadIsJournaledAsUnreachableAndNamed) {
    seed();
    const OutlookState outlookBefore = outlookState();
    // Ann's contact is overwritten by the id the load read; Cy's is added,
    // and its id cannot be read.
    outlook->failPropertyGet("EntryID");
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    outlook->clearFailures();
    const std::vector<uint8_t> bytes = readWholeFile(programFilePath(UndoJournal::fileName));
    const std::string journal(bytes.begin(), bytes.end());
    EXPECT_EQ(std::string::npos, journal.find("outlook added x ")) << "never an empty id";
    EXPECT_EQ(std::string::npos, journal.find(" 0000000000000000 ")) << "never time 0";
    EXPECT_NE(std::string::npos, journal.find("outlook added unreachable ")) << journal;
    const OutlookState written = outlookState();
    undo();
    const OutlookState undone = outlookState();
    ASSERT_EQ(3u, undone.size());
    EXPECT_EQ(outlookBefore[0], undone[0]) << "Ann's overwrite is taken back";
    EXPECT_EQ(written[2], undone[2]) << "what cannot be found is not guessed at";
    EXPECT_NE(std::string::npos, lastText().find("left as they are: Cy Fox.")) << lastText();
}

TEST_F(UndoTest, WithoutAJournalTheUserIsAskedFirstAndAReportNotWrittenIsTold) {
    seed();
    const OutlookState outlookBefore = outlookState();
    // Something in the journal's way that no write gets past.
    ASSERT_TRUE(makeFolder(programFilePath(UndoJournal::fileName) + ".~qs"));
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ(SyncMessageKind::WarningYesNoDefaultNo, view->messages[0].kind);
    EXPECT_EQ(journalUnwritableQuestion, view->messages[0].text);
    EXPECT_EQ(outlookBefore, outlookState()) << "No, the default, writes nothing";
    EXPECT_NE(std::string::npos, log().find(noUndoNothingDoneReportText));

    view->answerWarningYes = true;
    removeFile(programFilePath(SyncReport::fileName));
    ASSERT_TRUE(makeFolder(programFilePath(SyncReport::fileName)));
    view->messages.clear();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    EXPECT_NE(outlookBefore, outlookState()) << "Yes goes on without Undo";
    EXPECT_NE(std::string::npos, lastText().find(reportLostSentence)) << lastText();
    EXPECT_FALSE(UndoJournal::available());
}
