#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "outlook/AutomationCalls.h"
#include "outlook/AutomationStarter.h"
#include "outlook/OutlookConnector.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/StandInCallCounts.h"
#include "testenv/fakeoutlook/StandInControl.h"
#include "testenv/fakeoutlook/StandInOutlook.h"
#include "tests/support/TempFolder.h"

namespace {

// Starts the stand-in the way the COM server's class factory does: one new
// application object per start.
class StandInStarter : public AutomationStarter {
public:
    explicit StandInStarter(std::shared_ptr<StandInOutlook> outlook) : outlook_(std::move(outlook)) {}
    bool lookUpClass(const char*) override { return true; }
    bool createObject() override {
        created_ = outlook_->application();
        return true;
    }
    bool runObject() override { return true; }
    AutomationObjectRef queryDispatch() override { return created_; }

private:
    std::shared_ptr<StandInOutlook> outlook_;
    AutomationObjectRef created_;
};

StandInLookup lookupFrom(const std::map<std::string, std::string>& values) {
    return [values](const StandInSwitch& name, std::string* text) {
        auto found = values.find(name.environmentName);
        if (found == values.end())
            return false;
        *text = found->second;
        return true;
    };
}

class StandInFixture : public ::testing::Test {
protected:
    StandInFixture() : program_(folder_.path()) {
        settings.contactsFile = folder_.file("contacts.txt");
        settings.fixedTime = 45300.5;
    }

    void seed(const std::string& text) { ASSERT_TRUE(writeWholeFile(settings.contactsFile, text)); }

    std::shared_ptr<StandInOutlook> open() {
        std::string problem;
        std::shared_ptr<StandInOutlook> outlook = StandInOutlook::open(settings, &problem);
        EXPECT_TRUE(outlook) << problem;
        return outlook;
    }

    // The contacts file as it is now.
    std::vector<ContactFileEntry> fileContacts() {
        std::vector<ContactFileEntry> contacts;
        bool existed = false;
        ContactFileError error;
        EXPECT_TRUE(readContactFile(settings.contactsFile, &contacts, &existed, &error)) << error.describe();
        return contacts;
    }

    static std::string valueOf(const ContactFileEntry& entry, const char* name) {
        for (const ContactFileLine& line : entry.lines) {
            if (line.name == name)
                return std::string(line.value.begin(), line.value.end());
        }
        return "(none)";
    }

    static ContactRecord palmRecord(const char* first, const char* last) {
        ContactRecord record;
        copyText(record.firstName, first);
        copyText(record.lastName, last);
        record.sourceType = SourceTypePalm;
        return record;
    }

    // The items collection of the stand-in's Contacts folder.
    static AutomationObjectRef itemsOf(StandInOutlook& outlook) {
        AutomationValue space, folder;
        invokeByName(outlook.application().get(), "GetNameSpace", AutomationCallKind::Method,
                     {AutomationValue::fromText(u"MAPI")}, &space);
        invokeByName(space.object().get(), "GetDefaultFolder", AutomationCallKind::Method,
                     {AutomationValue::fromInt(10)}, &folder);
        return getObjectProperty(folder.object().get(), "Items");
    }

    static AutomationObjectRef call(const AutomationObjectRef& object, const char* member,
                                    std::vector<AutomationValue> arguments = {}) {
        AutomationValue result;
        invokeByName(object.get(), member, AutomationCallKind::Method, arguments, &result);
        return result.object();
    }

    static int32_t save(const AutomationObjectRef& item) {
        return invokeByName(item.get(), "Save", AutomationCallKind::Method, {}, nullptr);
    }

    TempFolder folder_;
    ScopedProgramFolder program_;
    StandInSettings settings;
};

const char TwoContacts[] = "[contact]\n"
                           "FirstName=Ann\nLastName=Archer\nHomeTelephoneNumber=555-0100\nGender=2\n"
                           "Body=one\\r\\ntwo\nCustomThing=kept\n"
                           "[contact]\n"
                           "FirstName=Bob\nLastName=Baker\n";

}  // namespace

TEST(StandInSettingsTest, SwitchesComeFromTheLookupAndBadNumbersAreNamed) {
    StandInSettings settings;
    std::string problem;
    ASSERT_TRUE(readStandInSettings(lookupFrom({}), &settings, &problem));
    EXPECT_EQ("", settings.contactsFile);
    EXPECT_EQ(0, settings.failSave);
    EXPECT_EQ(-1, settings.failGetNextAfter);
    EXPECT_EQ(0.0, settings.fixedTime);

    ASSERT_TRUE(readStandInSettings(lookupFrom({{"QS_OUTLOOK_CONTACTS", "C:\\c.txt"},
                                                {"QS_OUTLOOK_FAIL_SAVE", "3"},
                                                {"QS_OUTLOOK_SAVE_DELAY_MS", "1500"},
                                                {"QS_OUTLOOK_FAIL_GETNEXT_AFTER", "0"},
                                                {"QS_OUTLOOK_TIME", "45292.5"},
                                                {"QS_OUTLOOK_DENY_PUTS", "CompanyName,,Email1Address"}}),
                                    &settings, &problem));
    EXPECT_EQ((std::vector<std::string>{"CompanyName", "Email1Address"}), settings.deniedPuts);
    EXPECT_EQ("C:\\c.txt", settings.contactsFile);
    EXPECT_EQ(3, settings.failSave);
    EXPECT_EQ(1500, settings.saveDelayMs);
    EXPECT_EQ(0, settings.failGetNextAfter) << "0 is a limit, not 'never'";
    EXPECT_EQ(45292.5, settings.fixedTime);

    ASSERT_TRUE(readStandInSettings(lookupFrom({{"QS_OUTLOOK_FAIL_SAVE", ""}}), &settings, &problem));
    EXPECT_EQ(0, settings.failSave) << "an empty switch is unset";

    const std::map<std::string, std::string> bad[] = {
        {{"QS_OUTLOOK_FAIL_SAVE", "two"}},
        {{"QS_OUTLOOK_FAIL_SAVE", "-1"}},
        {{"QS_OUTLOOK_FAIL_SAVE", "3 "}},
        {{"QS_OUTLOOK_SAVE_DELAY_MS", "soon"}},
        {{"QS_OUTLOOK_FAIL_GETNEXT_AFTER", "99999999999"}},
        {{"QS_OUTLOOK_TIME", "noon"}},
    };
    for (const auto& values : bad) {
        problem.clear();
        EXPECT_FALSE(readStandInSettings(lookupFrom(values), &settings, &problem));
        EXPECT_NE(std::string::npos, problem.find(values.begin()->first)) << problem;
    }
}

TEST_F(StandInFixture, TheConnectorLoadsAddsAndUpdatesThroughTheFile) {
    seed(TwoContacts);
    std::shared_ptr<StandInOutlook> outlook = open();
    ScopedAutomationStarterFactory starters(
        [outlook] { return std::unique_ptr<AutomationStarter>(new StandInStarter(outlook)); });
    {
        OutlookConnector connector;
        ASSERT_TRUE(connector.outlookAvailable());
        ASSERT_TRUE(connector.load());
        ASSERT_EQ(2, connector.contacts()->count());
        EXPECT_STREQ("Ann", connector.contacts()->at(0)->firstName);
        EXPECT_STREQ("one\r\ntwo", connector.contacts()->at(0)->note);

        ContactRecord added = palmRecord("Cleo", "Cole");
        copyText(added.workPhone, "555-0300");
        EXPECT_TRUE(connector.addContact(&added));
        ContactRecord update = palmRecord("Ann", "Archer");
        copyText(update.mobilePhone, "555-0111");
        EXPECT_TRUE(connector.updateContact(&update, 0));
    }
    std::vector<ContactFileEntry> contacts = fileContacts();
    ASSERT_EQ(3u, contacts.size());
    EXPECT_EQ("555-0111", valueOf(contacts[0], "MobileTelephoneNumber"));
    EXPECT_EQ("555-0100", valueOf(contacts[0], "HomeTelephoneNumber")) << "what the record does not carry stays";
    EXPECT_EQ("2", valueOf(contacts[0], "Gender"));
    EXPECT_EQ("kept", valueOf(contacts[0], "CustomThing")) << "a property the item lacks is written back";
    EXPECT_EQ("45300.5", valueOf(contacts[0], "LastModificationTime"));
    EXPECT_EQ("Bob", valueOf(contacts[1], "FirstName"));
    EXPECT_EQ("Cleo", valueOf(contacts[2], "FirstName"));
    EXPECT_EQ("555-0300", valueOf(contacts[2], "BusinessTelephoneNumber"));
    EXPECT_EQ("45300.5", valueOf(contacts[2], "CreationTime"));

    // A second start of the server reads what the first one saved.
    std::shared_ptr<StandInOutlook> again = open();
    ASSERT_EQ(3u, again->model().contactCount());
    EXPECT_EQ(u"555-0111", again->model().contact(0)->text("MobileTelephoneNumber"));
}

TEST_F(StandInFixture, EntryIdsOutliveARestartAndADeleteLeavesTheFile) {
    seed(TwoContacts);
    std::u16string bobId;
    {
        std::shared_ptr<StandInOutlook> outlook = open();
        AutomationObjectRef items = itemsOf(*outlook);
        ASSERT_EQ(AutomationStatus::Ok, save(call(items, "Item", {AutomationValue::fromInt(1)})));
        bobId = outlook->model().contact(1)->text("EntryID");
    }
    // Every contact is written with the id it was given.
    std::shared_ptr<StandInOutlook> outlook = open();
    ASSERT_EQ(2u, outlook->model().contactCount());
    EXPECT_EQ(bobId, outlook->model().contact(1)->text("EntryID"));
    AutomationValue space;
    invokeByName(outlook->application().get(), "GetNameSpace", AutomationCallKind::Method,
                 {AutomationValue::fromText(u"MAPI")}, &space);
    AutomationObjectRef bob = call(space.object(), "GetItemFromID", {AutomationValue::fromText(bobId)});
    ASSERT_NE(nullptr, bob);
    AutomationObjectRef added = call(itemsOf(*outlook), "Add", {AutomationValue::fromInt(2)});
    ASSERT_EQ(AutomationStatus::Ok, save(added));
    EXPECT_EQ(AutomationStatus::Ok, invokeByName(bob.get(), "Delete", AutomationCallKind::Method, {}, nullptr));

    std::vector<ContactFileEntry> contacts = fileContacts();
    ASSERT_EQ(2u, contacts.size());
    EXPECT_EQ("Ann", valueOf(contacts[0], "FirstName"));
    EXPECT_EQ("(none)", valueOf(contacts[1], "FirstName")) << "the added contact, no longer Bob";
    EXPECT_NE(std::string(bobId.begin(), bobId.end()), valueOf(contacts[1], "EntryID"));
    // The next save still writes the contacts where they now are.
    ASSERT_EQ(AutomationStatus::Ok, save(added));
    EXPECT_EQ(2u, fileContacts().size());
}

TEST_F(StandInFixture, AMissingFileIsAnEmptyFolderUntilTheFirstSave) {
    std::shared_ptr<StandInOutlook> outlook = open();
    EXPECT_EQ(0u, outlook->model().contactCount());
    EXPECT_FALSE(fileExists(settings.contactsFile));

    AutomationObjectRef items = itemsOf(*outlook);
    AutomationObjectRef first = call(items, "Add", {AutomationValue::fromInt(2)});
    AutomationObjectRef second = call(items, "Add", {AutomationValue::fromInt(2)});
    ASSERT_TRUE(first && second);
    putTextProperty(second.get(), "FirstName", "Dora");
    EXPECT_FALSE(fileExists(settings.contactsFile)) << "nothing is written before a Save";
    EXPECT_EQ(AutomationStatus::Ok, save(second));
    std::vector<ContactFileEntry> contacts = fileContacts();
    ASSERT_EQ(1u, contacts.size()) << "the item added but never saved is not written";
    EXPECT_EQ("Dora", valueOf(contacts[0], "FirstName"));

    // Saved later, the first item still comes first, as in the folder.
    putTextProperty(first.get(), "FirstName", "Cleo");
    EXPECT_EQ(AutomationStatus::Ok, save(first));
    contacts = fileContacts();
    ASSERT_EQ(2u, contacts.size());
    EXPECT_EQ("Cleo", valueOf(contacts[0], "FirstName"));
    EXPECT_EQ("Dora", valueOf(contacts[1], "FirstName"));
}

TEST_F(StandInFixture, ASaveAddsOnlyTheSavedContactToTheFileAndTheNextStartReadsTheLatest) {
    seed(TwoContacts);
    const auto fileText = [this] {
        std::vector<uint8_t> bytes = readWholeFile(settings.contactsFile);
        return std::string(bytes.begin(), bytes.end());
    };
    {
        std::shared_ptr<StandInOutlook> outlook = open();
        AutomationObjectRef items = itemsOf(*outlook);
        AutomationObjectRef bob = call(items, "Item", {AutomationValue::fromInt(2)});
        for (const char* hobby : {"chess", "go"}) {
            const std::string before = fileText();
            putTextProperty(bob.get(), "Hobby", hobby);
            ASSERT_EQ(AutomationStatus::Ok, save(bob));
            const std::string after = fileText();
            EXPECT_EQ(before, after.substr(0, before.size())) << "the bytes already written stay";
            EXPECT_NE(std::string::npos, after.find("[contact 2]", before.size()));
            EXPECT_EQ(std::string::npos, after.find("Ann", before.size())) << "only the saved contact is added";
        }
        AutomationObjectRef added = call(items, "Add", {AutomationValue::fromInt(2)});
        putTextProperty(added.get(), "FirstName", "Cy");
        ASSERT_EQ(AutomationStatus::Ok, save(added));
    }
    std::shared_ptr<StandInOutlook> again = open();
    ASSERT_EQ(3u, again->model().contactCount());
    EXPECT_EQ(u"Ann", again->model().contact(0)->text("FirstName"));
    EXPECT_EQ(u"go", again->model().contact(1)->text("Hobby"));
    EXPECT_EQ(u"Cy", again->model().contact(2)->text("FirstName"));

    // Its saves go on from the places the file gave.
    AutomationObjectRef cy = call(itemsOf(*again), "Item", {AutomationValue::fromInt(3)});
    putTextProperty(cy.get(), "Spouse", "Di");
    ASSERT_EQ(AutomationStatus::Ok, save(cy));
    std::vector<ContactFileEntry> contacts = fileContacts();
    ASSERT_EQ(3u, contacts.size());
    EXPECT_EQ("Di", valueOf(contacts[2], "Spouse"));
}

TEST_F(StandInFixture, TheChosenSaveFailsAndTheFileKeepsTheLastSavedState) {
    seed(TwoContacts);
    settings.failSave = 2;
    std::shared_ptr<StandInOutlook> outlook = open();
    AutomationObjectRef items = itemsOf(*outlook);
    AutomationObjectRef ann = call(items, "Item", {AutomationValue::fromInt(1)});
    AutomationObjectRef bob = call(items, "Item", {AutomationValue::fromInt(2)});

    putTextProperty(ann.get(), "Spouse", "Al");
    EXPECT_EQ(AutomationStatus::Ok, save(ann));
    putTextProperty(bob.get(), "Spouse", "Bea");
    EXPECT_EQ(AutomationStatus::Exception, save(bob)) << "the second Save of the run";
    EXPECT_NE(std::string::npos, outlook->lastProblem().find("QS_OUTLOOK_FAIL_SAVE"));
    EXPECT_EQ("(none)", valueOf(fileContacts()[1], "Spouse"));

    // A later Save of another item writes Bob as he was last saved.
    putTextProperty(ann.get(), "Hobby", "chess");
    EXPECT_EQ(AutomationStatus::Ok, save(ann));
    std::vector<ContactFileEntry> contacts = fileContacts();
    EXPECT_EQ("chess", valueOf(contacts[0], "Hobby"));
    EXPECT_EQ("(none)", valueOf(contacts[1], "Spouse"));
    // Saving him again succeeds: only the one Save fails.
    EXPECT_EQ(AutomationStatus::Ok, save(bob));
    EXPECT_EQ("Bea", valueOf(fileContacts()[1], "Spouse"));
    EXPECT_EQ(4, outlook->saveCount());
}

TEST_F(StandInFixture, GetNextFailsAfterTheChosenCountAndTheConnectorKeepsWhatItRead) {
    seed(std::string(TwoContacts) + "[contact]\nFirstName=Cy\n");
    settings.failGetNextAfter = 2;
    std::shared_ptr<StandInOutlook> outlook = open();
    ScopedAutomationStarterFactory starters(
        [outlook] { return std::unique_ptr<AutomationStarter>(new StandInStarter(outlook)); });
    OutlookConnector connector;
    ASSERT_TRUE(connector.load());
    EXPECT_EQ(2, connector.contacts()->count());
}

TEST_F(StandInFixture, ABrokenFileRefusesToStartAndSaysWhere) {
    seed("[contact]\nFirstName=Ann\n[contact]\nBirthday=tomorrow\n");
    std::string problem;
    EXPECT_EQ(nullptr, StandInOutlook::open(settings, &problem));
    EXPECT_NE(std::string::npos, problem.find(settings.contactsFile)) << problem;
    EXPECT_NE(std::string::npos, problem.find("contact 2")) << problem;
    EXPECT_NE(std::string::npos, problem.find("Birthday")) << problem;

    seed("[contact]\nFirstName\n");
    EXPECT_EQ(nullptr, StandInOutlook::open(settings, &problem));
    EXPECT_NE(std::string::npos, problem.find("line 2")) << problem;
}

TEST_F(StandInFixture, ASaveThatCannotWriteTheFileFailsAndIsReported) {
    settings.contactsFile = folder_.file("missing-folder/contacts.txt");
    std::vector<std::string> reported;
    settings.report = [&reported](const std::string& message) { reported.push_back(message); };
    std::shared_ptr<StandInOutlook> outlook = open();
    AutomationObjectRef item = call(itemsOf(*outlook), "Add", {AutomationValue::fromInt(2)});
    EXPECT_EQ(AutomationStatus::Failed, save(item));
    ASSERT_EQ(1u, reported.size());
    EXPECT_NE(std::string::npos, reported[0].find("missing-folder")) << reported[0];
}

TEST_F(StandInFixture, WithoutAFileTheContactsLiveInMemory) {
    settings.contactsFile.clear();
    std::shared_ptr<StandInOutlook> outlook = open();
    AutomationObjectRef item = call(itemsOf(*outlook), "Add", {AutomationValue::fromInt(2)});
    EXPECT_EQ(AutomationStatus::Ok, save(item));
    EXPECT_EQ(1u, outlook->model().contactCount());
}

// What a second client does in Outlook while the program runs: through the
// control's own members, saved to the file as any change, and the program's
// members still answered by the same application.
TEST_F(StandInFixture, TheControlDeletesAddsAndEditsThroughTheFile) {
    seed(TwoContacts);
    std::shared_ptr<StandInOutlook> outlook = open();
    StandInControl control(outlook, StandInServerHooks());
    auto text = [](const char16_t* value) { return AutomationValue::fromText(value); };
    AutomationValue answer;

    EXPECT_EQ(AutomationStatus::Ok,
              control.invoke("StandInEditContact", AutomationCallKind::Method,
                             {text(u"Bob Baker"), text(u"CompanyName"), text(u"Bakery")}, &answer));
    EXPECT_EQ(AutomationStatus::Ok,
              control.invoke("standinaddcontact", AutomationCallKind::Method,
                             {text(u"FirstName"), text(u"Zoe"), text(u"LastName"), text(u"Quist")}, &answer));
    EXPECT_EQ(AutomationStatus::Ok,
              control.invoke("StandInDeleteContact", AutomationCallKind::Method, {text(u"#1")}, &answer));
    EXPECT_EQ(AutomationStatus::Ok, control.invoke("StandInContactCount", AutomationCallKind::Method, {}, &answer));
    EXPECT_EQ(2, answer.integer());
    // Nobody of that name, no such position, an odd list of pairs.
    EXPECT_FALSE(automationSucceeded(
        control.invoke("StandInDeleteContact", AutomationCallKind::Method, {text(u"Ann Archer")}, &answer)));
    EXPECT_FALSE(automationSucceeded(control.invoke("StandInEditContact", AutomationCallKind::Method,
                                                    {text(u"#3"), text(u"FirstName"), text(u"X")}, &answer)));
    EXPECT_FALSE(automationSucceeded(
        control.invoke("StandInAddContact", AutomationCallKind::Method, {text(u"FirstName")}, &answer)));

    std::vector<ContactFileEntry> contacts = fileContacts();
    ASSERT_EQ(2u, contacts.size());
    EXPECT_EQ("Bob", valueOf(contacts[0], "FirstName"));
    EXPECT_EQ("Bakery", valueOf(contacts[0], "CompanyName"));
    EXPECT_EQ("Quist", valueOf(contacts[1], "LastName"));
    // The program's own members reach the same folder.
    AutomationValue space;
    EXPECT_EQ(AutomationStatus::Ok,
              control.invoke("GetNameSpace", AutomationCallKind::Method, {text(u"MAPI")}, &space));
    EXPECT_TRUE(space.isObject() && space.object());
}

TEST_F(StandInFixture, DeniedReadsFailAsTheGuardsDoAndTheHooksAreReached) {
    seed(TwoContacts);
    std::shared_ptr<StandInOutlook> outlook = open();
    int busySeconds = -1;
    bool quit = false;
    StandInServerHooks hooks;
    hooks.beBusy = [&](int seconds) { busySeconds = seconds; };
    hooks.quit = [&] { quit = true; };
    StandInControl control(outlook, hooks);
    AutomationValue answer;
    ASSERT_EQ(AutomationStatus::Ok, control.invoke("StandInDenyReads", AutomationCallKind::Method,
                                                   {AutomationValue::fromText(u"HomeTelephoneNumber")}, &answer));
    AutomationObjectRef ann = call(itemsOf(*outlook), "Item", {AutomationValue::fromInt(1)});
    EXPECT_EQ(StandInControl::AccessDenied,
              invokeByName(ann.get(), "HomeTelephoneNumber", AutomationCallKind::PropertyGet, {}, &answer));
    EXPECT_EQ(AutomationStatus::Ok, invokeByName(ann.get(), "HomeTelephoneNumber", AutomationCallKind::PropertyPut,
                                                 {AutomationValue::fromText(u"555-0199")}, nullptr));
    EXPECT_EQ(AutomationStatus::Ok, invokeByName(ann.get(), "LastName", AutomationCallKind::PropertyGet, {}, &answer));

    EXPECT_EQ(AutomationStatus::Ok,
              control.invoke("StandInBusy", AutomationCallKind::Method, {AutomationValue::fromInt(3)}, &answer));
    EXPECT_EQ(3, busySeconds);
    EXPECT_EQ(AutomationStatus::Ok, control.invoke("StandInQuit", AutomationCallKind::Method, {}, &answer));
    EXPECT_TRUE(quit);
    // No hook for the counts here: the member fails rather than pretending.
    EXPECT_FALSE(automationSucceeded(control.invoke("StandInWriteCalls", AutomationCallKind::Method, {}, &answer)));
    EXPECT_FALSE(automationSucceeded(
        control.invoke("StandInBusy", AutomationCallKind::Method, {AutomationValue::fromText(u"soon")}, &answer)));
}

TEST_F(StandInFixture, CallCountsMergeCaseLeaveTheControlOutAndAreWrittenWhenChanged) {
    StandInCallCounts counts;
    counts.count(StandInCallCounts::IdLookup);
    counts.count("FirstName");
    counts.count("firstname");
    counts.count("StandInDeleteContact");
    counts.count(StandInCallCounts::Rejected);
    EXPECT_EQ(2, counts.of("FIRSTNAME"));
    EXPECT_EQ(0, counts.of("StandInDeleteContact"));
    EXPECT_EQ(3, counts.roundTrips()) << "refused calls are not round trips served";
    EXPECT_TRUE(counts.changed());

    const std::string path = folder_.file("calls.txt");
    std::string problem;
    ASSERT_TRUE(counts.write(path, &problem)) << problem;
    EXPECT_FALSE(counts.changed());
    const std::vector<uint8_t> bytes = readWholeFile(path);
    const std::string written(bytes.begin(), bytes.end());
    EXPECT_EQ("(all) 3\n(rejected) 1\nFirstName 2\nGetIDsOfNames 1\n", written);
    counts.count("LastName");
    EXPECT_TRUE(counts.changed());
    EXPECT_FALSE(counts.write(folder_.file("missing/calls.txt"), &problem));
    EXPECT_TRUE(counts.changed()) << "a failed write leaves the counts to write";
}
