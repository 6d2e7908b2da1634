// The demo Outlook contacts against the demo Palm users, as the program sees
// them: the address files through the contact store, the contacts file
// through the stand-in Outlook and the program's own connector, and the
// statuses from the program's own comparison.
#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "palmstore/PalmContactStore.h"
#include "sync/RecordMatching.h"
#include "testenv/demodata/DemoContacts.h"
#include "testenv/demodata/DemoDataWriter.h"
#include "testenv/demodata/DemoOutlookContacts.h"
#include "testenv/fakeoutlook/StandInOutlook.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct StatusCounts {
    int same = 0;
    int missing = 0;
    int differs = 0;
};

StatusCounts countStatuses(ContactList* list) {
    StatusCounts counts;
    for (int32_t position = 0; position < list->count(); ++position) {
        const int32_t status = list->at(position)->compareStatus;
        counts.same += status == CompareStatusSame;
        counts.missing += status == CompareStatusMissing;
        counts.differs += status == CompareStatusDiffers;
    }
    return counts;
}

int32_t statusOfRelation(DemoOutlookRelation relation) {
    switch (relation) {
    case DemoOutlookRelation::SameAsPalm: return CompareStatusSame;
    case DemoOutlookRelation::DiffersFromPalm: return CompareStatusDiffers;
    default: return CompareStatusMissing;
    }
}

bool pairsWithPalm(const DemoOutlookContact& contact) {
    return contact.relation == DemoOutlookRelation::SameAsPalm ||
           contact.relation == DemoOutlookRelation::DiffersFromPalm;
}

std::string nameOf(const ContactRecord& record) { return std::string(record.firstName) + " " + record.lastName; }

const DemoUser* findDemoUser(uint32_t id) {
    size_t count = 0;
    const DemoUser* users = demoUsers(&count);
    for (size_t index = 0; index < count; ++index)
        if (users[index].id == id)
            return &users[index];
    return nullptr;
}

class DemoOutlookContacts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeDemoData(out, DefaultDemoPalmFolder, nullptr));
        std::string problem;
        ASSERT_TRUE(makeDemoOutlookContacts(&meant, &problem)) << problem;
        StandInSettings settings;
        settings.contactsFile = out + DemoOutlookContactsFileName;
        standIn = StandInOutlook::open(settings, &problem);
        ASSERT_NE(standIn, nullptr) << problem;
        starters.reset(new ScopedAutomationStarterFactory(standIn->model().starterFactory()));
        connector.reset(new OutlookConnector);
        ASSERT_TRUE(connector->outlookAvailable());
        ASSERT_TRUE(connector->load());
        ASSERT_EQ(connector->contacts()->count(), static_cast<int32_t>(meant.size()));
    }

    void TearDown() override {
        connector.reset();
        starters.reset();
    }

    // The user's address file loaded, both sides compared as the program
    // compares them after a load.
    void loadAndCompare(uint32_t userId) {
        const DemoUser* user = findDemoUser(userId);
        ASSERT_NE(user, nullptr);
        ASSERT_TRUE(palm.loadFile(out + user->directory + "/address/address.dat"));
        ASSERT_TRUE(computeCompareStatus(connector->contacts(), palm.contacts()));
        ASSERT_TRUE(computeCompareStatus(palm.contacts(), connector->contacts()));
    }

    const DemoOutlookContact* meantFor(const ContactRecord& palmRecord, uint32_t user) const {
        for (const DemoOutlookContact& contact : meant) {
            if (contact.palmUserId == user && pairsWithPalm(contact) && contact.palmFirstName == palmRecord.firstName &&
                contact.palmLastName == palmRecord.lastName)
                return &contact;
        }
        return nullptr;
    }

    TempFolder folder;
    ScopedProgramFolder settings{folder.path()};
    const std::string out = folder.path() + "out/";
    std::vector<DemoOutlookContact> meant;
    std::shared_ptr<StandInOutlook> standIn;
    std::unique_ptr<ScopedAutomationStarterFactory> starters;
    std::unique_ptr<OutlookConnector> connector;
    PalmContactStore palm{40104};
};

// Every colour in both lists, for either user: each Outlook contact has the
// status it was made for, and a Palm record is same or differing exactly
// when a contact was made as its counterpart.
TEST_F(DemoOutlookContacts, EveryRecordHasItsIntendedStatusAndEveryColourAppears) {
    for (uint32_t userId : {1002u, 1001u}) {
        SCOPED_TRACE(userId);
        loadAndCompare(userId);
        ContactList* outlook = connector->contacts();
        ContactList* palmList = palm.contacts();

        for (int32_t position = 0; position < outlook->count(); ++position) {
            const ContactRecord& record = *outlook->at(position);
            const DemoOutlookContact& contact = meant[position];
            const int32_t expected =
                contact.palmUserId == userId ? statusOfRelation(contact.relation) : CompareStatusMissing;
            EXPECT_EQ(record.compareStatus, expected) << "Outlook " << nameOf(record);
            if (contact.palmUserId == userId && pairsWithPalm(contact)) {
                // Paired with the Palm contact it was made for, not another.
                const MatchResult match = findMatch(palmList, &record);
                ASSERT_NE(match.record, nullptr) << "Outlook " << nameOf(record);
                EXPECT_EQ(contact.palmFirstName, match.record->firstName);
                EXPECT_EQ(contact.palmLastName, match.record->lastName);
            }
        }
        for (int32_t position = 0; position < palmList->count(); ++position) {
            const ContactRecord& record = *palmList->at(position);
            const DemoOutlookContact* counterpart = meantFor(record, userId);
            const int32_t expected = counterpart ? statusOfRelation(counterpart->relation) : CompareStatusMissing;
            EXPECT_EQ(record.compareStatus, expected) << "Palm " << nameOf(record);
        }

        for (ContactList* list : {outlook, palmList}) {
            const StatusCounts counts = countStatuses(list);
            EXPECT_GE(counts.same, 3);
            EXPECT_GE(counts.differs, 3);
            EXPECT_GE(counts.missing, 3);
        }
    }
}

TEST_F(DemoOutlookContacts, TomBergSeesTheCountsTheDemoShows) {
    loadAndCompare(1002);
    const StatusCounts outlook = countStatuses(connector->contacts());
    const StatusCounts palmSide = countStatuses(palm.contacts());
    EXPECT_EQ(connector->contacts()->count(), 40);
    EXPECT_EQ(outlook.same, 9);
    EXPECT_EQ(outlook.differs, 10);
    EXPECT_EQ(outlook.missing, 21);
    EXPECT_EQ(palmSide.same, 9);
    EXPECT_EQ(palmSide.differs, 10);
    EXPECT_EQ(palmSide.missing, 14);
}

// Among the "same" pairs: one paired by e-mail although the last names
// differ, and ones whose Outlook contact holds extra values the comparison
// leaves out. Among the others: a namesake that stays apart.
TEST_F(DemoOutlookContacts, CornersOfTheMatchingRuleAreShown) {
    loadAndCompare(1002);
    bool pairedByEmail = false, namesakeApart = false, extrasIgnored = false;
    for (int32_t position = 0; position < connector->contacts()->count(); ++position) {
        const ContactRecord& record = *connector->contacts()->at(position);
        const DemoOutlookContact& contact = meant[position];
        if (contact.palmUserId != 1002)
            continue;
        if (contact.relation == DemoOutlookRelation::SameAsPalm && contact.palmLastName != record.lastName)
            pairedByEmail = record.compareStatus == CompareStatusSame;
        if (contact.relation == DemoOutlookRelation::NamesakeOfPalm)
            namesakeApart = record.compareStatus == CompareStatusMissing && record.mainPhone[0] != '\0';
        if (contact.relation == DemoOutlookRelation::SameAsPalm && record.otherPhone[0] != '\0')
            extrasIgnored = record.compareStatus == CompareStatusSame;
    }
    EXPECT_TRUE(pairedByEmail);
    EXPECT_TRUE(namesakeApart);
    EXPECT_TRUE(extrasIgnored);
}

// Accents arrive as the code page's letters, long texts whole or cut to the
// record's field, as the program's lists will show them.
TEST_F(DemoOutlookContacts, AccentsAndLongTextsReachTheRecords) {
    int accented = 0, longNotes = 0, cutStreets = 0;
    for (int32_t position = 0; position < connector->contacts()->count(); ++position) {
        const ContactRecord& record = *connector->contacts()->at(position);
        for (const char* text : {record.firstName, record.lastName, record.company, record.jobTitle}) {
            if (std::strpbrk(text, "\xE1\xE5\xE8\xE9\xEB\xF0\xF3\xF6\xF8\xFA\xFC\xC9\xD3\xD6")) {
                ++accented;
                break;
            }
        }
        longNotes += std::strlen(record.note) >= 500;
        cutStreets += std::strlen(record.businessAddress.street) == sizeof record.businessAddress.street - 1;
    }
    EXPECT_GE(accented, 10);
    EXPECT_GE(longNotes, 2);
    EXPECT_GE(cutStreets, 1);

    const FakeContact* kenji = nullptr;
    for (size_t index = 0; index < standIn->model().contactCount(); ++index)
        if (standIn->model().contact(index)->text("LastName") == u"Watanabe")
            kenji = standIn->model().contact(index);
    ASSERT_NE(kenji, nullptr);
    EXPECT_GT(kenji->text("BusinessAddressStreet").size(), 90u);
}

TEST(DemoOutlookContactsFile, IsTheSameOnEveryRun) {
    TempFolder folder;
    ScopedProgramFolder settings(folder.path());
    ASSERT_TRUE(writeDemoData(folder.path() + "a", DefaultDemoPalmFolder, nullptr));
    ASSERT_TRUE(writeDemoData(folder.path() + "b", DefaultDemoPalmFolder, nullptr));
    const std::vector<uint8_t> first = readWholeFile(folder.path() + "a/" + DemoOutlookContactsFileName);
    EXPECT_GT(first.size(), 4000u);
    EXPECT_EQ(first, readWholeFile(folder.path() + "b/" + DemoOutlookContactsFileName));
}

}  // namespace
