#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/FakeOutlook.h"
#include "tests/support/TempFolder.h"

namespace {

const int32_t AccessDenied = static_cast<int32_t>(0x80070005u);
const int OutlookWithoutTables = FakeOutlook::FirstVersionWithTables - 1;

class ContactTableRead : public ::testing::Test {
protected:
    ContactTableRead() : program_(folder_.path()), starters_(outlook->starterFactory()) {}

    FakeContact& seed(const char16_t* first, const char16_t* last, double created) {
        FakeContact& contact = outlook->addContact();
        contact.setText("FirstName", first);
        contact.setText("LastName", last);
        contact.setDate("CreationTime", created);
        return contact;
    }

    // What one load gives, in order: each record's image bytes, and how
    // many of its texts the record holds shorter than Outlook.
    std::vector<std::pair<std::vector<uint8_t>, size_t>> loadAs(int version, OutlookConnector& connector) {
        outlook->setVersion(version);
        std::vector<std::pair<std::vector<uint8_t>, size_t>> images;
        EXPECT_TRUE(connector.load());
        for (int32_t at = 0; at < connector.contacts()->count(); ++at) {
            const ContactRecord* record = connector.contacts()->at(at);
            images.emplace_back(record->nativeData, connector.textsCutOnRead(record).size());
        }
        return images;
    }

    long callsOfALoad(int version, OutlookConnector& connector) {
        outlook->setVersion(version);
        outlook->clearCalls();
        EXPECT_TRUE(connector.load());
        return static_cast<long>(outlook->calls().size());
    }

    bool called(const std::string& description) const {
        for (const std::string& call : outlook->callDescriptions()) {
            if (call == description)
                return true;
        }
        return false;
    }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
    TempFolder folder_;
    ScopedProgramFolder program_;
    ScopedAutomationStarterFactory starters_;
};

}  // namespace

// Long texts the table cuts, dates, empty values and a folder whose order
// is not that of creation: the table and the item walk give the same
// records in the same order.
TEST_F(ContactTableRead, BothWaysOfReadingGiveTheSameRecords) {
    FakeContact& late = seed(u"Cy", u"Late", 45300.75);
    late.setText("Body", std::u16string(1500, u'n') + u"end");
    late.setText("BusinessHomePage", std::u16string(300, u'w'));
    late.setDate("Birthday", 30000.5);
    late.setInteger("Gender", 2);
    FakeContact& early = seed(u"Ann", u"Early", 45000.25);
    early.setText("Body", std::u16string(200, u'b'));
    early.setText("HomeAddressStreet", std::u16string(140, u's'));
    early.setText("Email1Address", u"ann@early.example");
    seed(u"", u"", 45100.0);         // nothing but its stamps: every cell empty
    seed(u"Bo", u"Same", 45000.25);  // as early as Ann: the id decides

    OutlookConnector connector;
    const auto walked = loadAs(OutlookWithoutTables, connector);
    EXPECT_FALSE(called("Folder.GetTable()"));
    const auto tabled = loadAs(FakeOutlook::FirstVersionWithTables, connector);
    EXPECT_TRUE(called("Folder.GetTable()"));
    ASSERT_EQ(4u, walked.size());
    ASSERT_EQ(4u, tabled.size());
    for (size_t at = 0; at < walked.size(); ++at) {
        OutlookContactImage fromWalk;
        OutlookContactImage fromTable;
        ASSERT_TRUE(imageFromBytes(walked[at].first, &fromWalk) && imageFromBytes(tabled[at].first, &fromTable));
        EXPECT_EQ(walked[at].second, tabled[at].second) << "texts cut in record " << at;
        for (const ImageRow& row : contactImageRows()) {
            const char* walkField = reinterpret_cast<const char*>(&fromWalk) + row.imageOffset;
            const char* tableField = reinterpret_cast<const char*>(&fromTable) + row.imageOffset;
            EXPECT_EQ(0, std::memcmp(walkField, tableField, row.imageSize))
                << "record " << at << ", " << (row.propertyName ? row.propertyName : "(own field)");
        }
    }

    ContactList& contacts = *connector.contacts();
    EXPECT_STREQ("Early", contacts.at(0)->lastName);
    EXPECT_STREQ("Same", contacts.at(1)->lastName);
    EXPECT_STREQ("", contacts.at(2)->lastName);
    EXPECT_STREQ("Late", contacts.at(3)->lastName);
    EXPECT_EQ(std::string(1500, 'n') + "end", contacts.at(3)->note) << "the note whole, read from the item";
    EXPECT_EQ(30000.5, contacts.at(3)->birthday);
    EXPECT_EQ(1u, tabled[0].second) << "the street, longer than the record's";
    for (int32_t at = 0; at < contacts.count(); ++at)
        EXPECT_TRUE(connector.fullyRead(contacts.at(at)));
}

TEST_F(ContactTableRead, RoundTripsPerContactStayWithinTheBudgetOfEitherWay) {
    const int contacts = 400;
    for (int index = 0; index < contacts; ++index) {
        FakeContact& contact = seed(u"First", u"Last", 45000.0 + index);
        // Every fourth has a note too long for a table.
        if (index % 4 == 0)
            contact.setText("Body", std::u16string(400, u'x'));
    }
    OutlookConnector connector;
    const double walk = callsOfALoad(OutlookWithoutTables, connector) / double(contacts);
    const double table = callsOfALoad(FakeOutlook::FirstVersionWithTables, connector) / double(contacts);
    EXPECT_LE(walk, 82.0) << "the properties, GetNext, EntryID and the item's kind";
    EXPECT_LE(table, 1.0) << "a table costs a few calls a block, and two for each long note";
    EXPECT_EQ(contacts, connector.contacts()->count());
}

TEST_F(ContactTableRead, DistributionListsAreLeftOutAndWritesPassThemBy) {
    for (int version : {OutlookWithoutTables, FakeOutlook::FirstVersionWithTables}) {
        outlook = FakeOutlook::create();
        ScopedAutomationStarterFactory starters(outlook->starterFactory());
        seed(u"Ann", u"Lee", 45000.0);
        FakeContact& list = outlook->addContact();
        list.setText("MessageClass", u"IPM.DistList");
        list.setDate("CreationTime", 45001.0);
        seed(u"Bob", u"Ray", 45002.0).setText("MessageClass", u"IPM.Contact.Custom");

        OutlookConnector connector;
        outlook->setVersion(version);
        ASSERT_TRUE(connector.load());
        ASSERT_EQ(2, connector.contacts()->count()) << "version " << version;
        EXPECT_EQ(1, connector.skippedItems());
        EXPECT_STREQ("Bob", connector.contacts()->at(1)->firstName);
        // Bob is the folder's third item and the second record: his write
        // must reach him, not the list at the record's position.
        ContactRecord changed = *connector.contacts()->at(1);
        copyText(changed.homePhone, "555");
        EXPECT_TRUE(connector.updateContact(&changed, 1));
        EXPECT_EQ(0, outlook->contact(1)->saveCount());
        EXPECT_EQ(1, outlook->contact(2)->saveCount());
    }
}

TEST_F(ContactTableRead, AContactOutlookRefusesInPartIsNotFullyRead) {
    seed(u"Ann", u"Lee", 45000.0).setText("Email1Address", u"ann@lee.example");
    seed(u"Bob", u"Ray", 45001.0);
    outlook->failPropertyGet("Email1Address", AccessDenied);
    outlook->failPropertyGet("NickName", static_cast<int32_t>(0x80020006u));  // unknown: no refusal
    OutlookConnector connector;
    for (int version : {OutlookWithoutTables, FakeOutlook::FirstVersionWithTables}) {
        outlook->setVersion(version);
        ASSERT_TRUE(connector.load());
        ASSERT_EQ(2, connector.contacts()->count());
        EXPECT_STREQ("", connector.contacts()->at(0)->email1);
        EXPECT_FALSE(connector.fullyRead(connector.contacts()->at(0))) << "version " << version;
        EXPECT_FALSE(connector.fullyRead(connector.contacts()->at(1)));
    }
    outlook->clearFailures();
    ASSERT_TRUE(connector.load());
    EXPECT_TRUE(connector.fullyRead(connector.contacts()->at(0)));
}

// A table that stops giving blocks is a read in part, never taken for the
// whole folder.
TEST_F(ContactTableRead, ATableThatBreaksOffIsNoWholeRead) {
    seed(u"Ann", u"Lee", 45000.0);
    OutlookConnector connector;
    outlook->setVersion(FakeOutlook::FirstVersionWithTables);
    ASSERT_TRUE(connector.load());
    EXPECT_TRUE(connector.wholeRead());
    outlook->failMember("GetArray");
    EXPECT_TRUE(connector.load());
    EXPECT_FALSE(connector.wholeRead());
}
