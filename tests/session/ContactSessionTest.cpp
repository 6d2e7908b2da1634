#include "session/ContactSession.h"

#include <cstring>

#include "config/Settings.h"
#include "outlook/AutomationStatus.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

// The session's stores under the fixture's in-memory window.
class ContactSessionTest : public SyncFixture {
protected:
    Settings settings;
    ContactSession session{{palmUser(7, "Ann"), palmUser(9, "Bob")}, 40000, false, settings};
    FakeSyncView window{session.palm(), session.outlook()};
};

}  // namespace

TEST_F(ContactSessionTest, TheShownUserIsTheLastChosenWhileListedElseTheFirst) {
    settings.lastUser = 9;
    EXPECT_EQ(1, session.settleShownUser());
    settings.lastUser = 42;
    EXPECT_EQ(0, session.settleShownUser());
    EXPECT_EQ(7, settings.lastUser) << "the first user becomes the one shown and stored";

    EXPECT_TRUE(session.chooseUser(1));
    EXPECT_EQ(9, settings.lastUser);
    EXPECT_FALSE(session.chooseUser(2));
    EXPECT_EQ(9, settings.lastUser) << "no user there: the choice stands";

    ContactSession withoutUsers{{}, 40000, false, settings};
    settings.lastUser = 42;
    EXPECT_EQ(-1, withoutUsers.settleShownUser());
    EXPECT_EQ(42, settings.lastUser) << "the stored value is kept for a later start";
}

TEST_F(ContactSessionTest, LoadsTheOpenedFileComparesAndRunsACommandOverAnyView) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "555-0101"), palmPerson(2, "Bob", "Ray")});
    seedOutlook(u"Ann", u"Lee", u"555-0199");
    session.openFile(palmPath);
    ASSERT_TRUE(session.reloadPalm());
    session.reloadOutlook();
    session.compare();
    ASSERT_EQ(2, session.palm().contacts()->count());
    ASSERT_EQ(1, session.outlook().contacts()->count());
    EXPECT_EQ(CompareStatusDiffers, session.outlook().contacts()->at(0)->compareStatus);

    window.fillList(SyncList::Palm, session.palm().contacts());
    window.fillList(SyncList::Outlook, session.outlook().contacts());
    window.checkAll(SyncList::Palm);
    settings.options.setDefaults();
    session.run(SyncCommand::PalmToOutlook, window, false);

    EXPECT_EQ(2u, outlook->contactCount());
    EXPECT_EQ("555-0101", outlookText(0, "HomeTelephoneNumber"));
}

TEST_F(ContactSessionTest, AnOutlookFoundClosedIsStartedAfreshAndReadAgain) {
    seedOutlook(u"Ann", u"Lee");
    session.reloadOutlook();
    ASSERT_EQ(1, session.outlook().contacts()->count());

    outlook->failMember("GetItemFromID", AutomationStatus::ServerUnavailable);
    ContactRecord ann = *session.outlook().contacts()->at(0);
    EXPECT_FALSE(session.outlook().updateContact(&ann, 0));
    ASSERT_TRUE(session.outlook().outlookGone());
    outlook->clearFailures();
    seedOutlook(u"Bob", u"Ray");

    session.reloadOutlook();
    EXPECT_FALSE(session.outlook().outlookGone());
    EXPECT_EQ(2, session.outlook().contacts()->count());
    EXPECT_FALSE(session.outlookReadInPart());
}

TEST_F(ContactSessionTest, ExportOfBothSidesWritesEveryPersonOnce) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "555-0101"), palmPerson(2, "Bob", "Ray")});
    seedOutlook(u"Ann", u"Lee", u"555-0199");
    seedOutlook(u"Cid", u"Fox");
    session.openFile(palmPath);
    ASSERT_TRUE(session.reloadPalm());
    session.reloadOutlook();
    session.compare();

    const std::string path = data.file("everyone.vcf");
    int written = 0;
    ASSERT_TRUE(session.exportContacts(ExportSide::Both, ExportFormat::VCard, path, &written));
    EXPECT_EQ(3, written) << "Ann from Palm Desktop, Bob, and Cid whom Palm Desktop lacks";
    const std::vector<uint8_t> bytes = readWholeFile(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(std::string::npos, text.find("FN:Ann Lee\r\n"));
    EXPECT_NE(std::string::npos, text.find("TEL;TYPE=HOME,VOICE:555-0101\r\n")) << "Ann as Palm Desktop holds her";
    EXPECT_EQ(std::string::npos, text.find("555-0199")) << "not Outlook's Ann as well";
    EXPECT_NE(std::string::npos, text.find("FN:Cid Fox\r\n"));

    ASSERT_TRUE(session.exportContacts(ExportSide::Outlook, ExportFormat::Csv, path, &written));
    EXPECT_EQ(2, written);
}
