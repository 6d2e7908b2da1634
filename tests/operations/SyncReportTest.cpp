#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "sync/TextField.h"
#include "operations/SyncReport.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

using Names = std::vector<std::string>;

class SyncReportTest : public SyncFixture {
protected:
    const std::string& lastText() const { return view->messages.back().text; }
    std::string log() const {
        const std::vector<uint8_t> bytes = readWholeFile(programFilePath(SyncReport::fileName));
        return std::string(bytes.begin(), bytes.end());
    }
    static size_t occurrences(const std::string& text, const std::string& part) {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }
};

TEST_F(SyncReportTest, SynchronizeAllNamesTheRuleEveryRecordTouchedAndTheCounts) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Cy", "Fox", "333")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    seedOutlook(u"Dee", u"Kim", u"444");
    start();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    const std::string text = log();
    EXPECT_NE(std::string::npos, text.find("  Synchronize All\r\n"));
    EXPECT_NE(std::string::npos, text.find("Rule: Outlook overwrites Palm Desktop\r\n"));
    EXPECT_NE(std::string::npos, text.find("  Cy Fox: added to Outlook\r\n"));
    EXPECT_NE(std::string::npos, text.find("  Ann Lee (Acme Ltd): Palm Desktop overwritten\r\n"));
    EXPECT_NE(std::string::npos, text.find("  Dee Kim: added to Palm Desktop\r\n"));
    EXPECT_NE(std::string::npos, text.find("Failures:\r\n  (none)\r\n"));
    EXPECT_NE(std::string::npos,
              text.find("Counts: 1 added to Outlook, 0 Outlook overwritten, 1 added to Palm Desktop, 1 Palm Desktop "
                        "overwritten, 0 failed"));

    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    const std::string both = log();
    EXPECT_EQ(0u, both.find(text)) << "a later operation appends, the earlier section stays";
    EXPECT_EQ(2u, occurrences(both, "==== "));
    EXPECT_NE(std::string::npos, both.find("  Palm Desktop overwrites Outlook\r\n"));
}

TEST_F(SyncReportTest, AnswersAndAFailedSaveAreWrittenDown) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    start();
    SyncChoice palmWins;
    palmWins.action = SyncAction::PalmOverwritesOutlook;
    view->choices.push_back(palmWins);
    operations->synchronizeAll(SyncAction::AskUser);
    std::string text = log();
    EXPECT_NE(std::string::npos, text.find("Rule: Determined by user"));
    EXPECT_NE(std::string::npos, text.find("Answer: Palm Desktop overwrites Outlook for Ann Lee (Acme)\r\n"));
    EXPECT_NE(std::string::npos, text.find("  Ann Lee (Acme): Outlook overwritten\r\n"));

    seedOutlook(u"Eve", u"Orr", u"555");
    start();
    view->checkAll(SyncList::Outlook);
    failPalmSaves();
    operations->transferOutlookToPalm();
    allowPalmSaves();
    text = log();
    EXPECT_NE(std::string::npos, text.find("  Outlook overwrites Palm Desktop\r\n"));
    EXPECT_NE(std::string::npos, text.find("  Eve Orr: added to Palm Desktop\r\n"));
    EXPECT_NE(std::string::npos, text.find("Failures:\r\n  The Palm Desktop address file could not be saved"));
    EXPECT_NE(std::string::npos, text.find("1 failed"));
}

TEST(SyncReportNames, ARecordIsNamedByWhatItHas) {
    ContactRecord record;
    EXPECT_EQ("(no name)", SyncReport::namesOf(record));
    copyText(record.email1, "x@example.com");
    EXPECT_EQ("x@example.com", SyncReport::namesOf(record));
    copyText(record.company, "Acme");
    EXPECT_EQ("Acme", SyncReport::namesOf(record));
    copyText(record.lastName, "Lee");
    EXPECT_EQ("Lee (Acme)", SyncReport::namesOf(record));
}

}  // namespace

// Outlook's guard refused Ann's e-mail address: her empty one is no value,
// so she overwrites nothing and adds nothing on the Palm side, by a
// transfer or by Synchronize All, and the report names her.
TEST_F(SyncReportTest, AContactOutlookGaveOnlyInPartNeverWritesThePalmSide) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme")});
    seedOutlook(u"Ann", u"Lee", u"999", u"Acme").setText("Email1Address", u"ann@acme.example");
    seedOutlook(u"Dee", u"Kim", u"444").setText("Email1Address", u"dee@kim.example");
    outlook->failPropertyGet("Email1Address", static_cast<int32_t>(0x80070005u));
    start();
    const std::vector<uint8_t> before = palmFileOnDisk();

    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_NE(std::string::npos, lastText().find("2 records could not be written")) << lastText();
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ(before, palmFileOnDisk());
    EXPECT_EQ((Names{"Ann"}), palmFileNames());
    EXPECT_EQ(2u, occurrences(log(), "Ann Lee (Acme): not copied to Palm Desktop, Outlook refused"));
    EXPECT_EQ(2u, occurrences(log(), "Dee Kim: not copied to Palm Desktop, Outlook refused"));
}

TEST_F(SyncReportTest, DistributionListsAreNeitherShownNorCopiedAndTheReportCountsThem) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111")});
    seedOutlook(u"Ann", u"Lee", u"111");
    FakeContact& list = outlook->addContact();
    list.setText("MessageClass", u"IPM.DistList");
    list.setText("Body", u"the team");
    start();
    EXPECT_EQ(1, view->rowCount(SyncList::Outlook));

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ((Names{"Ann"}), palmFileNames());
    EXPECT_EQ(2u, outlook->contactCount());
    EXPECT_EQ(1u, occurrences(log(), "1 Outlook items that are no contacts (distribution lists) were skipped"));
}

TEST_F(SyncReportTest, TextsCutOnTheirWayAreNamedAndCountedInTheSummary) {
    writePalmFile({palmPerson(1, "Ann", "Lee", std::string(28, '5'), std::string(70, 'c')),
                   palmPerson(2, "Cy", "Fox", "", std::string(64, 'f'))});
    FakeContact& bob = seedOutlook(u"Bob", u"Ray", u"222");
    bob.setText("Email1Address", std::u16string(40, u'e'));
    start();
    view->setChecked(SyncList::Palm, 1, true);
    operations->transferPalmToOutlook();
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Transfer Palm Desktop address book to Outlook finished, 1 records synchronized. 2 values were cut to "
              "fit.",
              view->messages[0].text);
    std::string text = log();
    const std::string ann = "  Ann Lee (" + std::string(63, 'c') + "): ";
    EXPECT_NE(std::string::npos, text.find(ann + "company cut to fit\r\n"));
    EXPECT_NE(std::string::npos, text.find(ann + "home phone cut to fit\r\n"));

    view->messages.clear();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Transfer Outlook contacts to Palm Desktop finished, 2 records synchronized. 1 values were cut to fit.",
              view->messages[0].text)
        << "Bob's e-mail goes into a shorter Palm field; Ann, already the same, is not written";
    EXPECT_NE(std::string::npos, log().find("  Bob Ray: e-mail cut to fit\r\n"));

    // Ann now agrees on both sides; only Cy is written, and a run without a
    // cut says nothing of cuts.
    view->messages.clear();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    ASSERT_EQ(2u, view->messages.size()) << "the question, then the summary";
    EXPECT_NE(std::string::npos, view->messages[1].text.find("synchronized. 1 values were cut to fit."));
    EXPECT_NE(std::string::npos, log().find("  Cy Fox (" + std::string(63, 'f') + "): company cut to fit\r\n"));
    view->messages.clear();
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    ASSERT_EQ(2u, view->messages.size()) << "the question, then the summary";
    EXPECT_EQ(std::string::npos, view->messages[1].text.find("cut to fit"));
}

// Outlook's own long company reaches the record, and so Palm Desktop, as its
// first 63 characters: named once, though the Palm field would hold more.
TEST_F(SyncReportTest, TextsOutlookHoldsLongerThanTheRecordAreNamedWhenTheyReachPalmDesktop) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111")});
    seedOutlook(u"Eve", u"Lin", u"333", std::u16string(90, u'x').c_str());
    start();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();
    ASSERT_EQ(1u, view->messages.size());
    EXPECT_EQ("Transfer Outlook contacts to Palm Desktop finished, 1 records synchronized. 1 values were cut to fit.",
              view->messages[0].text);
    EXPECT_EQ(1u, occurrences(log(), "  Eve Lin (" + std::string(63, 'x') + "): company cut to fit\r\n"));
    EXPECT_EQ(std::string(63, 'x'), palmFileCompanies().back());
}
