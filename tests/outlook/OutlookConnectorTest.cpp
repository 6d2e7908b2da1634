#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "outlook/OutlookContactImage.h"
#include "platform/TextCodec.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/FakeOutlook.h"
#include "tests/support/TempFolder.h"

namespace {

LocalDateTime fixedTime() {
    LocalDateTime time;
    time.year = 2007;
    time.month = 3;
    time.day = 15;
    time.hour = 9;
    time.minute = 4;
    time.second = 5;
    return time;
}

std::string entry(const std::string& message) { return "[2007/03/15 09:04:05] - " + message + "\r\n"; }

const std::string twoEmptyLines = "\r\n\r\n";

const std::string successfulStartLog =
    twoEmptyLines + entry("Outlook Automation Start:") + entry("Get Outlook.Application CLSID succeeded.") +
    entry("CoCreateInstance succeeded.") + entry("Microsoft Outlook started successfully.") +
    entry("Got Outlook IDispatch interface successfully.") + entry("Get Outlook MAPI namespace object successfully.") +
    entry("Outlook Automation Succeeded.") + twoEmptyLines;

bool anyCallStartsWith(const std::vector<std::string>& calls, const std::string& prefix) {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const std::string& call) { return call.compare(0, prefix.size(), prefix) == 0; });
}

class OutlookConnectorFixture : public ::testing::Test {
protected:
    OutlookConnectorFixture() : program_(folder_.path()), starters_(outlook->starterFactory()) {
        OutlookSession::setLogClock(fixedTime);
    }

    ~OutlookConnectorFixture() override {
        // Every test lets go of its connectors: the session is over and
        // nothing of Outlook is held any more.
        EXPECT_FALSE(OutlookSession::sessionStarted());
        EXPECT_EQ(0, OutlookSession::sessionRefCount());
        EXPECT_EQ(0, outlook->liveObjects());
        OutlookSession::setLogClock(nullptr);
    }

    void enableLog() { ASSERT_TRUE(writeWholeFile(folder_.file("tolvane.ini"), "[OlComm]\r\nEnableLog=1\r\n")); }

    std::string logText() const {
        const std::vector<uint8_t> bytes = readWholeFile(folder_.file("OlCommLog.log"));
        return std::string(bytes.begin(), bytes.end());
    }

    FakeContact& seedContact(const char16_t* first, const char16_t* last) {
        FakeContact& contact = outlook->addContact();
        contact.setText("FirstName", first);
        contact.setText("LastName", last);
        return contact;
    }

    std::string outlookText(size_t index, const char* property) const {
        return utf16ToAnsi(outlook->contact(index)->text(property));
    }

    static ContactRecord palmRecord(const char* first, const char* last) {
        ContactRecord record;
        copyText(record.firstName, first);
        copyText(record.lastName, last);
        record.sourceType = SourceTypePalm;
        return record;
    }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
    TempFolder folder_;
    ScopedProgramFolder program_;
    ScopedAutomationStarterFactory starters_;
};

}  // namespace

TEST_F(OutlookConnectorFixture, SuccessfulStartLogsElevenLinesAndOpensContacts) {
    enableLog();
    {
        OutlookConnector connector;
        EXPECT_TRUE(connector.outlookAvailable());
        EXPECT_TRUE(OutlookSession::sessionStarted());
        EXPECT_EQ(2, OutlookSession::sessionRefCount()) << "the base part and the connector each hold one";
        ASSERT_NE(nullptr, connector.contacts());
        EXPECT_EQ(0, connector.contacts()->count());
    }
    EXPECT_EQ(successfulStartLog, logText());
    const std::vector<std::string> expected = {
        "Starter.CLSIDFromProgID(\"Outlook.Application\")",
        "Starter.CoCreateInstance()",
        "Starter.OleRun()",
        "Starter.QueryInterface()",
        "Application.GetNameSpace(\"MAPI\")",
        "NameSpace.GetDefaultFolder(10)",
    };
    EXPECT_EQ(expected, outlook->callDescriptions());
}

TEST_F(OutlookConnectorFixture, StartFailingAtCreationStopsAfterTheLastStepThatWorked) {
    enableLog();
    outlook->failStartStep(FakeStartStep::Creation);
    {
        OutlookSession session;
        EXPECT_FALSE(OutlookSession::sessionStarted());
        EXPECT_EQ(0, OutlookSession::sessionRefCount());
    }
    EXPECT_EQ(twoEmptyLines + entry("Outlook Automation Start:") + entry("Get Outlook.Application CLSID succeeded."),
              logText());
}

TEST_F(OutlookConnectorFixture, StartFailingAtTheNamespaceLogsTheDispatchStep) {
    enableLog();
    outlook->failMember("GetNameSpace");
    {
        OutlookSession session;
        EXPECT_FALSE(OutlookSession::sessionStarted());
    }
    const std::string log = logText();
    EXPECT_NE(std::string::npos, log.find(entry("Got Outlook IDispatch interface successfully.")));
    EXPECT_EQ(std::string::npos, log.find("namespace object"));
}

TEST_F(OutlookConnectorFixture, WithoutOutlookTheConnectorTriesTwiceAndEveryOperationFails) {
    enableLog();
    ScopedAutomationStarterFactory absent(createUnavailableAutomationStarter);
    OutlookConnector connector;
    const std::string attempt = twoEmptyLines + entry("Outlook Automation Start:");
    EXPECT_EQ(attempt + attempt, logText());
    EXPECT_FALSE(connector.outlookAvailable());
    EXPECT_EQ(0, OutlookSession::sessionRefCount());

    ContactRecord record = palmRecord("Ann", "Lee");
    EXPECT_FALSE(connector.load());
    EXPECT_FALSE(connector.addContact(&record));
    EXPECT_FALSE(connector.updateContact(&record, 0));
    EXPECT_FALSE(connector.mergeRecord(&record));
    ASSERT_NE(nullptr, connector.contacts());
    EXPECT_EQ(0, connector.contacts()->count());
    EXPECT_TRUE(record.nativeData.empty());
}

TEST_F(OutlookConnectorFixture, ASecondConnectorJoinsTheRunningSessionSilently) {
    enableLog();
    std::unique_ptr<OutlookConnector> first(new OutlookConnector());
    ASSERT_TRUE(first->outlookAvailable());
    const std::string logAfterFirst = logText();
    outlook->clearCalls();
    {
        OutlookConnector second;
        EXPECT_TRUE(second.outlookAvailable());
        EXPECT_EQ(4, OutlookSession::sessionRefCount());
        EXPECT_EQ(logAfterFirst, logText());
        EXPECT_EQ(std::vector<std::string>{"NameSpace.GetDefaultFolder(10)"}, outlook->callDescriptions());
    }
    EXPECT_EQ(2, OutlookSession::sessionRefCount());
    EXPECT_TRUE(OutlookSession::sessionStarted());
    EXPECT_TRUE(first->load());
    first.reset();
    EXPECT_EQ(0, OutlookSession::sessionRefCount());
}

TEST_F(OutlookConnectorFixture, AConnectorWithoutFolderGivesBackOnlyItsOwnReferences) {
    OutlookConnector first;
    ASSERT_TRUE(first.outlookAvailable());
    outlook->failMember("GetDefaultFolder");
    {
        OutlookConnector second;
        EXPECT_FALSE(second.outlookAvailable());
        EXPECT_FALSE(second.load());
        EXPECT_EQ(3, OutlookSession::sessionRefCount());
    }
    EXPECT_EQ(2, OutlookSession::sessionRefCount());
    EXPECT_TRUE(OutlookSession::sessionStarted());
    outlook->clearFailures();
    seedContact(u"Ann", u"Lee");
    EXPECT_TRUE(first.load());
    EXPECT_EQ(1, first.contacts()->count());
}

TEST_F(OutlookConnectorFixture, LoadReadsItemsInOrderAndUpdateFindsThemById) {
    seedContact(u"Ann", u"Lee");
    seedContact(u"Bob", u"Ray");
    seedContact(u"Cy", u"Fox");
    outlook->setFolderName(std::u16string(40, u'F'));
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    ContactList& contacts = *connector.contacts();
    ASSERT_EQ(3, contacts.count());
    const char* names[] = {"Ann", "Bob", "Cy"};
    for (int32_t position = 0; position < 3; ++position) {
        const ContactRecord* record = contacts.at(position);
        ASSERT_NE(nullptr, record);
        EXPECT_STREQ(names[position], record->firstName);
        EXPECT_EQ(SourceTypeOutlook, record->sourceType);
        EXPECT_EQ(std::string(30, 'F'), record->category);
        EXPECT_EQ(sizeof(OutlookContactImage), record->nativeData.size());
    }

    // A reload starts over.
    ASSERT_TRUE(connector.load());
    EXPECT_EQ(3, contacts.count());

    outlook->clearCalls();
    ContactRecord changed = palmRecord("Ann", "Lee");
    copyText(changed.homePhone, "123");
    ASSERT_TRUE(connector.updateContact(&changed, 0));
    const std::vector<std::string> calls = outlook->callDescriptions();
    EXPECT_FALSE(anyCallStartsWith(calls, "Items.Item(")) << "a write reaches its contact by id, not by place";
    EXPECT_TRUE(anyCallStartsWith(calls, "NameSpace.GetItemFromID(")) << calls.front();
    EXPECT_EQ("123", outlookText(0, "HomeTelephoneNumber"));
    EXPECT_EQ(1, outlook->contact(0)->saveCount());
    EXPECT_EQ(0, outlook->contact(1)->saveCount());
}

TEST_F(OutlookConnectorFixture, UpdateStartsFromTheStoredImage) {
    FakeContact& contact = seedContact(u"Ann", u"Lee");
    contact.setText("HomeTelephoneNumber", u"111");
    contact.setText("ManagerName", u"Boss");
    contact.setInteger("Gender", 2);
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    // The Palm Desktop side emptied the home phone and knows no manager.
    ContactRecord palm = palmRecord("Ann", "Lee");
    copyText(palm.mobilePhone, "555");
    outlook->clearCalls();
    ASSERT_TRUE(connector.updateContact(&palm, 0));

    EXPECT_EQ("111", outlookText(0, "HomeTelephoneNumber"));
    EXPECT_EQ("555", outlookText(0, "MobileTelephoneNumber"));
    EXPECT_EQ(2, contact.integer("Gender")) << "a stored gender is written back, not reset";
    EXPECT_EQ("Boss", outlookText(0, "ManagerName"));
    const std::vector<std::string> calls = outlook->callDescriptions();
    EXPECT_EQ(calls.end(), std::find(calls.begin(), calls.end(), "ContactItem[0].ManagerName = \"Boss\""))
        << "only what the record changes is put";
    // The stored image takes what was put and keeps the rest as read.
    OutlookContactImage stored;
    ASSERT_TRUE(imageFromBytes(connector.contacts()->at(0)->nativeData, &stored));
    EXPECT_STREQ("555", stored.mobileTelephoneNumber);
    EXPECT_STREQ("111", stored.homeTelephoneNumber);
    EXPECT_STREQ("Boss", stored.managerName);
}

TEST_F(OutlookConnectorFixture, UpdateLeavesPropertiesItDoesNotChangeAsOutlookHoldsThem) {
    FakeContact& contact = seedContact(u"Ann", u"Lee");
    contact.setText("ManagerName", u"\u0141ukasz \u041f\u0435\u0442\u0440");
    contact.setText("Body", std::u16string(3000, u'n'));
    contact.setText("BusinessAddressStreet", std::u16string(100, u's'));
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    // The Palm Desktop record shows the note and street as the record holds
    // them (cut) and brings a new company.
    ContactRecord palm = *connector.contacts()->at(0);
    copyText(palm.company, "NewCo");
    ASSERT_TRUE(connector.mergeRecord(&palm));

    EXPECT_EQ("NewCo", outlookText(0, "CompanyName"));
    EXPECT_EQ(std::u16string(u"\u0141ukasz \u041f\u0435\u0442\u0440"), contact.text("ManagerName"));
    EXPECT_EQ(3000u, contact.text("Body").size());
    EXPECT_EQ(100u, contact.text("BusinessAddressStreet").size());
}

TEST_F(OutlookConnectorFixture, UpdateOfAnItemOutlookCannotFindWritesNothingAndFails) {
    seedContact(u"Ann", u"Lee");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactRecord palm = palmRecord("Ann", "Lee");
    EXPECT_FALSE(connector.updateContact(&palm, 1));
    EXPECT_FALSE(connector.updateContact(&palm, -1));
    EXPECT_FALSE(connector.updateContact(nullptr, 0));
    EXPECT_EQ(0, outlook->contact(0)->saveCount());
}

TEST_F(OutlookConnectorFixture, AddMakesANewContactAndGivesTheRecordItsImage) {
    seedContact(u"Ann", u"Lee");
    OutlookConnector connector;
    ContactRecord record = palmRecord("New", "Person");
    outlook->clearCalls();
    ASSERT_TRUE(connector.addContact(&record));

    ASSERT_EQ(2u, outlook->contactCount());
    EXPECT_EQ("New", outlookText(1, "FirstName"));
    EXPECT_EQ(1, outlook->contact(1)->saveCount());
    const std::vector<std::string> calls = outlook->callDescriptions();
    EXPECT_EQ("Items.Add(2)", calls[1]);
    EXPECT_TRUE(anyCallStartsWith(calls, "ContactItem[1].Gender = 0"));
    EXPECT_FALSE(anyCallStartsWith(calls, "ContactItem[1].Birthday"));
    OutlookContactImage image;
    ASSERT_TRUE(imageFromBytes(record.nativeData, &image));
    EXPECT_STREQ("Person", image.lastName);

    outlook->failMember("Add");
    ContactRecord refused = palmRecord("No", "Room");
    EXPECT_FALSE(connector.addContact(&refused));
    EXPECT_TRUE(refused.nativeData.empty());
    EXPECT_FALSE(connector.addContact(nullptr));
}

TEST_F(OutlookConnectorFixture, MergeAddsUpdatesOrLeavesAlone) {
    FakeContact& ann = seedContact(u"Ann", u"Lee");
    ann.setText("HomeTelephoneNumber", u"111");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactList& contacts = *connector.contacts();

    // Identical: nothing changes.
    ContactRecord same;
    assignRecordValues(same, *contacts.at(0));
    EXPECT_FALSE(connector.mergeRecord(&same));
    EXPECT_EQ(0, ann.saveCount());
    EXPECT_EQ(1u, outlook->contactCount());

    // New: one Outlook contact and one record more; the caller's record is
    // left as it was.
    ContactRecord fresh = palmRecord("Bob", "Ray");
    fresh.nativeData = {7, 7};
    EXPECT_TRUE(connector.mergeRecord(&fresh));
    ASSERT_EQ(2u, outlook->contactCount());
    EXPECT_EQ("Bob", outlookText(1, "FirstName"));
    ASSERT_EQ(2, contacts.count());
    EXPECT_STREQ("Bob", contacts.at(1)->firstName);
    EXPECT_EQ(sizeof(OutlookContactImage), contacts.at(1)->nativeData.size());
    EXPECT_EQ((std::vector<uint8_t>{7, 7}), fresh.nativeData);

    // Differing: Outlook and the record at its position take the values, the
    // record's image takes only what was put.
    OutlookContactImage annImage;
    ASSERT_TRUE(imageFromBytes(contacts.at(0)->nativeData, &annImage));
    ContactRecord changed = palmRecord("Ann", "Lee");
    copyText(changed.homePhone, "111");
    copyText(changed.company, "Acme");
    EXPECT_TRUE(connector.mergeRecord(&changed));
    EXPECT_EQ("Acme", outlookText(0, "CompanyName"));
    EXPECT_STREQ("Acme", contacts.at(0)->company);
    copyText(annImage.companyName, "Acme");
    annImage.gender = 0;
    EXPECT_EQ(imageToBytes(annImage), contacts.at(0)->nativeData);
    EXPECT_EQ(2, contacts.count());

    EXPECT_FALSE(connector.mergeRecord(nullptr));
}

TEST_F(OutlookConnectorFixture, MergeThatOutlookRefusesReportsNothingChanged) {
    seedContact(u"Ann", u"Lee");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactList& contacts = *connector.contacts();

    outlook->failMember("Add");
    ContactRecord fresh = palmRecord("Bob", "Ray");
    EXPECT_FALSE(connector.mergeRecord(&fresh));
    EXPECT_EQ(1, contacts.count());

    outlook->failMember("GetItemFromID");
    ContactRecord changed = palmRecord("Ann", "Lee");
    copyText(changed.company, "Acme");
    EXPECT_FALSE(connector.mergeRecord(&changed));
    EXPECT_STREQ("", contacts.at(0)->company);
    EXPECT_EQ(1u, outlook->contactCount());
}

TEST_F(OutlookConnectorFixture, BrokenEnumerationKeepsWhatWasReadButIsNoWholeRead) {
    seedContact(u"Ann", u"Lee");
    seedContact(u"Bob", u"Ray");
    seedContact(u"Cy", u"Fox");
    OutlookConnector connector;
    EXPECT_FALSE(connector.wholeRead()) << "nothing read yet";
    ASSERT_TRUE(connector.load());
    EXPECT_TRUE(connector.wholeRead());

    outlook->failGetNextAfter(2);
    EXPECT_TRUE(connector.load());
    EXPECT_EQ(2, connector.contacts()->count());
    EXPECT_FALSE(connector.wholeRead());

    outlook->clearFailures();
    outlook->failMember("Items");
    EXPECT_FALSE(connector.load());
    EXPECT_EQ(0, connector.contacts()->count());
    EXPECT_FALSE(connector.wholeRead());
}

TEST_F(OutlookConnectorFixture, WritesReachTheLoadedContactsAfterTheFolderChanged) {
    seedContact(u"Ann", u"Lee");
    seedContact(u"Bob", u"Ray");
    seedContact(u"Cy", u"Fox");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    EXPECT_EQ(utf16ToAnsi(outlook->contact(1)->text("EntryID")), connector.entryIdAt(1));

    // Meanwhile the user deletes Ann and adds Dee in Outlook.
    outlook->removeContact(0);
    seedContact(u"Dee", u"Kim");

    ContactRecord bob = palmRecord("Bob", "Ray");
    copyText(bob.company, "BobCo");
    ASSERT_TRUE(connector.updateContact(&bob, 1));
    ContactRecord ann = palmRecord("Ann", "Lee");
    copyText(ann.company, "AnnCo");
    EXPECT_FALSE(connector.updateContact(&ann, 0));
    EXPECT_EQ(OutlookConnector::WriteProblem::ContactGone, connector.lastWriteProblem());
    EXPECT_EQ("BobCo", outlookText(0, "CompanyName"));
    EXPECT_EQ("Bob", outlookText(0, "FirstName"));
    EXPECT_EQ("", outlookText(1, "CompanyName")) << "Cy";
    EXPECT_EQ("", outlookText(2, "CompanyName")) << "Dee";

    // A contact this run adds is found by its own id, whatever came before it.
    ContactRecord eve = palmRecord("Eve", "Orr");
    ASSERT_TRUE(connector.mergeRecord(&eve));
    ASSERT_EQ(4, connector.contacts()->count());
    EXPECT_EQ(utf16ToAnsi(outlook->contact(3)->text("EntryID")), connector.entryIdAt(3));
    copyText(eve.company, "EveCo");
    ASSERT_TRUE(connector.mergeRecord(&eve));
    EXPECT_EQ("EveCo", outlookText(3, "CompanyName"));
    EXPECT_EQ("", outlookText(2, "CompanyName"));
}

TEST_F(OutlookConnectorFixture, AfterABrokenEnumerationTheReadAndTheAddedContactsAreStillWritten) {
    seedContact(u"Ann", u"Lee");
    seedContact(u"Bob", u"Ray");
    outlook->failGetNextAfter(1);
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    outlook->clearFailures();
    outlook->failMember("Save");
    ContactRecord cy = palmRecord("Cy", "Fox");
    EXPECT_FALSE(connector.mergeRecord(&cy)) << "not saved";
    EXPECT_EQ(OutlookConnector::WriteProblem::NotSaved, connector.lastWriteProblem());
    outlook->clearFailures();

    ContactRecord dee = palmRecord("Dee", "Kim");
    ASSERT_TRUE(connector.mergeRecord(&dee));
    copyText(dee.company, "DeeCo");
    EXPECT_TRUE(connector.mergeRecord(&dee));
    ContactRecord ann = palmRecord("Ann", "Lee");
    copyText(ann.company, "AnnCo");
    EXPECT_TRUE(connector.mergeRecord(&ann));
    for (size_t index = 0; index < outlook->contactCount(); ++index) {
        const std::string first = outlookText(index, "FirstName");
        EXPECT_EQ(first == "Dee" ? "DeeCo" : first == "Ann" ? "AnnCo" : "", outlookText(index, "CompanyName")) << first;
    }
}

TEST_F(OutlookConnectorFixture, APropertyOutlookRefusesFailsTheWriteAndIsNamed) {
    seedContact(u"Ann", u"Lee");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    outlook->failPropertyPut("CompanyName");

    ContactRecord ann = palmRecord("Ann", "Lee");
    copyText(ann.company, "AnnCo");
    copyText(ann.homePhone, "123");
    EXPECT_FALSE(connector.mergeRecord(&ann));
    EXPECT_EQ(OutlookConnector::WriteProblem::PropertiesRefused, connector.lastWriteProblem());
    EXPECT_EQ(std::vector<std::string>{"CompanyName"}, connector.lastRefusedProperties());
    EXPECT_EQ("123", outlookText(0, "HomeTelephoneNumber")) << "the rest is saved";
    EXPECT_STREQ("", connector.contacts()->at(0)->company) << "the list shows the pair as differing";

    // A new contact is saved without what was refused, and listed as held.
    ContactRecord bob = palmRecord("Bob", "Ray");
    copyText(bob.company, "BobCo");
    EXPECT_FALSE(connector.mergeRecord(&bob));
    ASSERT_EQ(2, connector.contacts()->count());
    EXPECT_STREQ("Bob", connector.contacts()->at(1)->firstName);
    EXPECT_STREQ("", connector.contacts()->at(1)->company);
    EXPECT_FALSE(connector.entryIdAt(1).empty());

    outlook->clearFailures();
    EXPECT_TRUE(connector.mergeRecord(&ann));
    EXPECT_EQ("AnnCo", outlookText(0, "CompanyName"));
    EXPECT_EQ(OutlookConnector::WriteProblem::None, connector.lastWriteProblem());
}

TEST_F(OutlookConnectorFixture, AClosedOutlookIsStartedAfreshByReconnect) {
    seedContact(u"Ann", u"Lee");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    EXPECT_FALSE(connector.outlookGone());

    outlook->failMember("GetItemFromID", AutomationStatus::ServerUnavailable);
    ContactRecord ann = palmRecord("Ann", "Lee");
    copyText(ann.company, "AnnCo");
    EXPECT_FALSE(connector.updateContact(&ann, 0));
    EXPECT_TRUE(connector.outlookGone());
    EXPECT_EQ(OutlookConnector::WriteProblem::NotReached, connector.lastWriteProblem());

    outlook->clearFailures();
    outlook->clearCalls();
    ASSERT_TRUE(connector.reconnect());
    EXPECT_FALSE(connector.outlookGone());
    EXPECT_EQ(0, connector.contacts()->count());
    EXPECT_TRUE(anyCallStartsWith(outlook->callDescriptions(), "Application.GetNameSpace"))
        << "a new session, not the dead one";
    EXPECT_EQ(2, OutlookSession::sessionRefCount());
    ASSERT_TRUE(connector.load());
    EXPECT_TRUE(connector.wholeRead());
    EXPECT_TRUE(connector.mergeRecord(&ann));
    EXPECT_EQ("AnnCo", outlookText(0, "CompanyName"));
}

TEST_F(OutlookConnectorFixture, LoadFillsCustomFieldsOnlyFromAnAttachedBlock) {
    FakeContact& contact = seedContact(u"Ann", u"Lee");
    contact.setText("ManagerName", u"Boss");
    OutlookConnector connector;

    ASSERT_TRUE(connector.load());
    for (const char* custom : connector.contacts()->at(0)->custom)
        EXPECT_STREQ("", custom);

    MappingBlock block{};
    block.customMap[0] = 54;  // ManagerName
    connector.attachMappingBlock(&block);
    ASSERT_TRUE(connector.load());
    EXPECT_STREQ("Boss", connector.contacts()->at(0)->custom[0]);

    // Written back through the same block.
    ContactRecord palm = palmRecord("Ann", "Lee");
    copyText(palm.custom[0], "New Boss");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_EQ("New Boss", outlookText(0, "ManagerName"));

    connector.attachMappingBlock(nullptr);
    ASSERT_TRUE(connector.load());
    EXPECT_STREQ("", connector.contacts()->at(0)->custom[0]);
}

// Outlook is not reloaded between writes in a run (two Palm Desktop records
// matching one contact, a user switch, a second synchronization), so every
// write must compare against what the previous one left in Outlook.

TEST_F(OutlookConnectorFixture, UpdateBackToTheValueFirstReadReachesOutlook) {
    seedContact(u"Ann", u"Lee").setText("HomeTelephoneNumber", u"111");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    ContactRecord palm = palmRecord("Ann", "Lee");
    copyText(palm.homePhone, "222");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_EQ("222", outlookText(0, "HomeTelephoneNumber"));

    copyText(palm.homePhone, "111");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_EQ("111", outlookText(0, "HomeTelephoneNumber"));
    OutlookContactImage stored;
    ASSERT_TRUE(imageFromBytes(connector.contacts()->at(0)->nativeData, &stored));
    EXPECT_STREQ("111", stored.homeTelephoneNumber);
}

TEST_F(OutlookConnectorFixture, SecondRecordMergedIntoTheSameContactReachesOutlook) {
    seedContact(u"Ann", u"Lee").setText("CompanyName", u"Acme");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    ContactRecord first = palmRecord("Ann", "Lee");
    copyText(first.company, "NewCo");
    ASSERT_TRUE(connector.mergeRecord(&first));
    EXPECT_EQ("NewCo", outlookText(0, "CompanyName"));

    ContactRecord second = palmRecord("Ann", "Lee");
    copyText(second.company, "Acme");
    ASSERT_TRUE(connector.mergeRecord(&second));
    EXPECT_EQ("Acme", outlookText(0, "CompanyName")) << "the list shows Acme, so Outlook must hold it";
    EXPECT_STREQ("Acme", connector.contacts()->at(0)->company);
}

TEST_F(OutlookConnectorFixture, LongStreetChangedOnceCanBeSetBackToItsShownText) {
    seedContact(u"Ann", u"Lee").setText("BusinessAddressStreet", std::u16string(100, u's'));
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactRecord palm = *connector.contacts()->at(0);
    const std::string shown(63, 's');
    ASSERT_EQ(shown, palm.businessAddress.street);

    copyText(palm.businessAddress.street, "1 Main St");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_EQ("1 Main St", outlookText(0, "BusinessAddressStreet"));

    copyText(palm.businessAddress.street, shown.c_str());
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_EQ(shown, outlookText(0, "BusinessAddressStreet"));
}

TEST_F(OutlookConnectorFixture, AWriteOutlookDidNotTakeIsPutAgainNextTime) {
    seedContact(u"Ann", u"Lee").setText("HomeTelephoneNumber", u"111");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactList& contacts = *connector.contacts();
    const std::vector<uint8_t> asRead = contacts.at(0)->nativeData;

    // A refused save: not done, and the stored image and the list stay as read.
    outlook->failMember("Save");
    ContactRecord palm = palmRecord("Ann", "Lee");
    copyText(palm.homePhone, "222");
    EXPECT_FALSE(connector.updateContact(&palm, 0));
    EXPECT_EQ(asRead, contacts.at(0)->nativeData);
    EXPECT_FALSE(connector.mergeRecord(&palm));
    EXPECT_STREQ("111", contacts.at(0)->homePhone);
    EXPECT_EQ(asRead, contacts.at(0)->nativeData);
    outlook->clearFailures();

    outlook->clearCalls();
    ASSERT_TRUE(connector.mergeRecord(&palm));
    EXPECT_TRUE(anyCallStartsWith(outlook->callDescriptions(), "ContactItem[0].HomeTelephoneNumber = \"222\""));
    EXPECT_EQ("222", outlookText(0, "HomeTelephoneNumber"));
    EXPECT_STREQ("222", contacts.at(0)->homePhone);

    // A refused property: the save goes through, but the write counts as
    // not done, and the image keeps what Outlook still holds for it.
    outlook->failMember("CompanyName");
    ContactRecord company = palmRecord("Ann", "Lee");
    copyText(company.homePhone, "222");
    copyText(company.jobTitle, "Boss");
    copyText(company.company, "Acme");
    EXPECT_FALSE(connector.updateContact(&company, 0));
    EXPECT_EQ(std::vector<std::string>{"CompanyName"}, connector.lastRefusedProperties());
    OutlookContactImage stored;
    ASSERT_TRUE(imageFromBytes(contacts.at(0)->nativeData, &stored));
    EXPECT_STREQ("", stored.companyName);
    EXPECT_STREQ("Boss", stored.jobTitle);
    outlook->clearFailures();
    ASSERT_TRUE(connector.updateContact(&company, 0));
    EXPECT_EQ("Acme", outlookText(0, "CompanyName"));
}

TEST_F(OutlookConnectorFixture, AddedContactCanBeUpdatedAndSetBack) {
    seedContact(u"Ann", u"Lee");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    ContactRecord bob = palmRecord("Bob", "Ray");
    copyText(bob.company, "A");
    ASSERT_TRUE(connector.mergeRecord(&bob));
    ASSERT_EQ(2, connector.contacts()->count());
    EXPECT_EQ("A", outlookText(1, "CompanyName"));

    copyText(bob.company, "B");
    ASSERT_TRUE(connector.mergeRecord(&bob));
    EXPECT_EQ("B", outlookText(1, "CompanyName"));
    copyText(bob.company, "A");
    ASSERT_TRUE(connector.mergeRecord(&bob));
    EXPECT_EQ("A", outlookText(1, "CompanyName"));
    EXPECT_EQ("", outlookText(0, "CompanyName"));
    EXPECT_EQ(2, connector.contacts()->count());
}

TEST_F(OutlookConnectorFixture, AfterARefusedSaveWhatWasPutIsPutAgainUntilASaveTakesIt) {
    seedContact(u"Ann", u"Lee").setText("HomeTelephoneNumber", u"111");
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());

    // The item may keep the unsaved value, and the next save would keep it.
    outlook->failMember("Save");
    ContactRecord palm = palmRecord("Ann", "Lee");
    copyText(palm.homePhone, "222");
    EXPECT_FALSE(connector.updateContact(&palm, 0));
    outlook->clearFailures();

    // A saved write that cannot put the phone (an empty text) settles nothing.
    copyText(palm.homePhone, "");
    copyText(palm.company, "Acme");
    ASSERT_TRUE(connector.updateContact(&palm, 0));

    copyText(palm.homePhone, "111");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_EQ("111", outlookText(0, "HomeTelephoneNumber"));

    // Saved now: an unchanged phone is no longer put.
    outlook->clearCalls();
    copyText(palm.company, "NewCo");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    EXPECT_TRUE(anyCallStartsWith(outlook->callDescriptions(), "ContactItem[0].CompanyName = \"NewCo\""));
    EXPECT_FALSE(anyCallStartsWith(outlook->callDescriptions(), "ContactItem[0].HomeTelephoneNumber ="));

    // A reload reads what Outlook holds, and forgets what was unsure.
    outlook->failMember("Save");
    copyText(palm.homePhone, "333");
    EXPECT_FALSE(connector.updateContact(&palm, 0));
    outlook->clearFailures();
    ASSERT_TRUE(connector.load());
    outlook->clearCalls();
    ContactRecord shown = *connector.contacts()->at(0);
    copyText(shown.company, "Other");
    ASSERT_TRUE(connector.updateContact(&shown, 0));
    EXPECT_FALSE(anyCallStartsWith(outlook->callDescriptions(), "ContactItem[0].HomeTelephoneNumber ="));
}

TEST_F(OutlookConnectorFixture, AnOverwriteNotedForUndoKeepsTheTextsItChangesWholeAndPutsTheSame) {
    const std::u16string company(80, u'c');
    const std::u16string foreign = u"Zo\u00eb \u039e\u03b5\u03bd\u03bf\u03c6\u03ce\u03bd \u65e5\u672c";
    for (int copy = 0; copy < 2; ++copy) {
        FakeContact& contact = seedContact(u"Ann", u"Lee");
        contact.setText("CompanyName", company);
        contact.setText("Spouse", foreign);
        contact.setText("ManagerName", std::u16string(300, u'm'));
    }
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactRecord palm = *connector.contacts()->at(0);
    copyText(palm.company, "NewCo");
    copyText(palm.spouse, "Sam");
    copyText(palm.mobilePhone, "555");

    // The same write, once without and once with Undo noting it.
    auto putsOf = [&](int index) {
        std::vector<std::string> puts;
        for (const FakeCall& call : outlook->calls()) {
            if (call.target != "ContactItem" || call.kind == AutomationCallKind::PropertyGet)
                continue;
            std::string text = call.describe();
            const std::string item = "ContactItem[" + std::to_string(index) + "]";
            if (text.compare(0, item.size(), item) == 0)
                text.replace(0, item.size(), "ContactItem");
            puts.push_back(text);
        }
        return puts;
    };
    outlook->clearCalls();
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    const std::vector<std::string> unnoted = putsOf(0);
    std::vector<OutlookContactChange> changes;
    connector.recordChangesInto(&changes);
    outlook->clearCalls();
    ASSERT_TRUE(connector.updateContact(&palm, 1));
    connector.recordChangesInto(nullptr);
    EXPECT_EQ(unnoted, putsOf(1)) << "noting the change for Undo writes nothing else";

    std::vector<std::string> itemReads;
    for (const FakeCall& call : outlook->calls()) {
        if (call.target == "ContactItem" && call.kind == AutomationCallKind::PropertyGet)
            itemReads.push_back(call.member);
    }
    EXPECT_EQ((std::vector<std::string>{"CompanyName", "MobileTelephoneNumber", "Spouse", "LastModificationTime"}),
              itemReads)
        << "only what is about to change is read, then the time after the save; the id is the one it was "
           "reached by";

    ASSERT_EQ(1u, changes.size());
    std::vector<std::u16string> earlier;
    for (const OutlookPropertyValue& value : changes[0].previous) {
        EXPECT_TRUE(value.whole) << contactImageRows()[value.row].propertyName;
        earlier.push_back(value.text);
    }
    EXPECT_EQ((std::vector<std::u16string>{company, u"", foreign}), earlier);

    // Written on: each earlier text goes back exactly.
    ASSERT_EQ(OutlookConnector::TakeBack::Done, connector.takeBack(changes[0]));
    EXPECT_EQ(company, outlook->contact(1)->text("CompanyName"));
    EXPECT_EQ(foreign, outlook->contact(1)->text("Spouse"));
    EXPECT_EQ(u"", outlook->contact(1)->text("MobileTelephoneNumber"));
    EXPECT_EQ(std::u16string(300, u'm'), outlook->contact(1)->text("ManagerName"));
}

TEST_F(OutlookConnectorFixture, ATextThatCannotBeReadBeforeTheWriteIsKeptAsTheImageHoldsIt) {
    seedContact(u"Ann", u"Lee").setText("CompanyName", std::u16string(80, u'c'));
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    ContactRecord palm = *connector.contacts()->at(0);
    copyText(palm.company, "NewCo");
    std::vector<OutlookContactChange> changes;
    connector.recordChangesInto(&changes);
    outlook->failPropertyGet("CompanyName");
    ASSERT_TRUE(connector.updateContact(&palm, 0));
    connector.recordChangesInto(nullptr);
    EXPECT_EQ("NewCo", outlookText(0, "CompanyName")) << "the put is not hindered";

    ASSERT_EQ(1u, changes.size());
    ASSERT_EQ(1u, changes[0].previous.size());
    const OutlookPropertyValue& value = changes[0].previous[0];
    EXPECT_FALSE(value.whole);
    EXPECT_EQ(std::vector<uint8_t>(63, 'c'), value.bytes);
    EXPECT_TRUE(mayComeBackShort(changes[0]));
}
