#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outlook/AutomationCalls.h"
#include "outlook/AutomationStarter.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

namespace {

class FakeOutlookModel : public ::testing::Test {
protected:
    // Calls a member and hands back the result; the status goes to *status.
    AutomationValue call(const AutomationObjectRef& object, const char* name, AutomationCallKind kind,
                         std::vector<AutomationValue> arguments = {}, int32_t* status = nullptr) {
        AutomationValue result;
        int32_t answered = invokeByName(object.get(), name, kind, arguments, &result);
        if (status)
            *status = answered;
        return result;
    }
    AutomationObjectRef method(const AutomationObjectRef& object, const char* name,
                               std::vector<AutomationValue> arguments = {}) {
        return call(object, name, AutomationCallKind::Method, std::move(arguments)).object();
    }
    int32_t statusOf(const AutomationObjectRef& object, const char* name, AutomationCallKind kind,
                     std::vector<AutomationValue> arguments = {}) {
        int32_t status = 0;
        call(object, name, kind, std::move(arguments), &status);
        return status;
    }

    AutomationObjectRef folder() {
        AutomationObjectRef space = method(outlook->application(), "GetNameSpace", {text(u"MAPI")});
        return method(space, "GetDefaultFolder", {number(10)});
    }
    AutomationObjectRef items() { return getObjectProperty(folder().get(), "Items"); }

    void seedContacts(std::initializer_list<const char16_t*> firstNames) {
        for (const char16_t* name : firstNames)
            outlook->addContact().setText("FirstName", name);
    }
    std::u16string firstNameOf(const AutomationObjectRef& item) {
        return call(item, "FirstName", AutomationCallKind::PropertyGet).text();
    }

    static AutomationValue text(const char16_t* value) { return AutomationValue::fromText(value); }
    static AutomationValue number(int32_t value) { return AutomationValue::fromInt(value); }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
};

TEST_F(FakeOutlookModel, ReachesTheContactsFolderThroughTheMapiNamespace) {
    outlook->setFolderName(u"Kontakte");
    AutomationObjectRef contacts = folder();
    ASSERT_NE(nullptr, contacts);
    EXPECT_EQ(u"Kontakte", call(contacts, "Name", AutomationCallKind::PropertyGet).text());
    EXPECT_NE(nullptr, items());
}

TEST_F(FakeOutlookModel, RefusesWhatOutlookRefuses) {
    AutomationObjectRef application = outlook->application();
    EXPECT_EQ(AutomationStatus::Exception,
              statusOf(application, "GetNameSpace", AutomationCallKind::Method, {text(u"LDAP")}));
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(application, "GetNameSpace", AutomationCallKind::Method, {number(1)}));
    EXPECT_EQ(AutomationStatus::BadParameterCount, statusOf(application, "GetNameSpace", AutomationCallKind::Method));
    EXPECT_EQ(AutomationStatus::UnknownName, statusOf(application, "Quit", AutomationCallKind::Method));

    AutomationObjectRef space = method(application, "GetNameSpace", {text(u"mapi")});
    ASSERT_NE(nullptr, space);
    EXPECT_EQ(AutomationStatus::Exception,
              statusOf(space, "GetDefaultFolder", AutomationCallKind::Method, {number(6)}));
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(space, "GetDefaultFolder", AutomationCallKind::Method, {text(u"10")}));

    AutomationObjectRef contacts = folder();
    EXPECT_EQ(AutomationStatus::MemberNotFound, statusOf(contacts, "Name", AutomationCallKind::Method));
    EXPECT_EQ(AutomationStatus::MemberNotFound,
              statusOf(contacts, "Name", AutomationCallKind::PropertyPut, {text(u"Other")}));
    EXPECT_EQ(u"Contacts", outlook->folderName());
}

TEST_F(FakeOutlookModel, EnumeratesItemsInFolderOrderThenNothing) {
    seedContacts({u"Ann", u"Bob", u"Cy"});
    AutomationObjectRef collection = items();
    std::vector<std::u16string> seen;
    int32_t status = AutomationStatus::Ok;
    AutomationValue next = call(collection, "GetFirst", AutomationCallKind::Method, {}, &status);
    while (automationSucceeded(status) && next.object()) {
        seen.push_back(firstNameOf(next.object()));
        next = call(collection, "GetNext", AutomationCallKind::Method, {}, &status);
    }
    EXPECT_EQ(AutomationStatus::Ok, status);
    EXPECT_TRUE(next.isObject()) << "the end is Outlook's Nothing, an object value without object";
    EXPECT_EQ((std::vector<std::u16string>{u"Ann", u"Bob", u"Cy"}), seen);

    // Another collection enumerates on its own; GetFirst starts over.
    AutomationObjectRef other = items();
    EXPECT_EQ(u"Ann", firstNameOf(method(other, "GetFirst")));
    EXPECT_EQ(u"Bob", firstNameOf(method(other, "GetNext")));
    EXPECT_EQ(u"Ann", firstNameOf(method(collection, "GetFirst")));
    EXPECT_EQ(u"Cy", firstNameOf(method(other, "GetNext")));
}

TEST_F(FakeOutlookModel, EmptyFolderYieldsNothingAtOnce) {
    AutomationValue first = call(items(), "GetFirst", AutomationCallKind::Method);
    EXPECT_TRUE(first.isObject());
    EXPECT_EQ(nullptr, first.object());
}

TEST_F(FakeOutlookModel, GetNextFailsAfterTheGivenNumberOfItems) {
    seedContacts({u"Ann", u"Bob", u"Cy"});
    outlook->failGetNextAfter(2);
    AutomationObjectRef collection = items();
    EXPECT_EQ(u"Ann", firstNameOf(method(collection, "GetFirst")));
    EXPECT_EQ(u"Bob", firstNameOf(method(collection, "GetNext")));
    EXPECT_EQ(AutomationStatus::Failed, statusOf(collection, "GetNext", AutomationCallKind::Method));
}

TEST_F(FakeOutlookModel, ItemCountsFromOne) {
    seedContacts({u"Ann", u"Bob"});
    AutomationObjectRef collection = items();
    EXPECT_EQ(u"Ann", firstNameOf(method(collection, "Item", {number(1)})));
    EXPECT_EQ(u"Bob", firstNameOf(method(collection, "Item", {number(2)})));
    EXPECT_EQ(AutomationStatus::Exception, statusOf(collection, "Item", AutomationCallKind::Method, {number(0)}));
    EXPECT_EQ(AutomationStatus::Exception, statusOf(collection, "Item", AutomationCallKind::Method, {number(3)}));
    EXPECT_EQ(AutomationStatus::TypeMismatch, statusOf(collection, "Item", AutomationCallKind::Method, {text(u"1")}));
    EXPECT_EQ(2, call(collection, "Count", AutomationCallKind::PropertyGet).integer());
}

TEST_F(FakeOutlookModel, AddAppendsAStampedContactItem) {
    seedContacts({u"Ann"});
    outlook->setCurrentTime(40000.25);
    AutomationObjectRef collection = items();
    AutomationObjectRef added = method(collection, "Add", {number(2)});
    ASSERT_NE(nullptr, added);
    ASSERT_EQ(2u, outlook->contactCount());
    EXPECT_EQ(2, call(collection, "Count", AutomationCallKind::PropertyGet).integer());
    EXPECT_EQ(40000.25, call(added, "CreationTime", AutomationCallKind::PropertyGet).date());

    call(added, "FirstName", AutomationCallKind::PropertyPut, {text(u"New")});
    EXPECT_EQ(u"New", outlook->contact(1)->text("FirstName"));
    EXPECT_EQ(u"Ann", outlook->contact(0)->text("FirstName"));

    EXPECT_EQ(AutomationStatus::Exception, statusOf(collection, "Add", AutomationCallKind::Method, {number(0)}));
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(collection, "Add", AutomationCallKind::Method, {text(u"IPM.Contact")}));
    EXPECT_EQ(2u, outlook->contactCount());
}

TEST_F(FakeOutlookModel, ContactItemHasEveryPropertyTheTransfersUse) {
    static const char* const textNames[] = {
        "Account",
        "AssistantName",
        "AssistantTelephoneNumber",
        "Business2TelephoneNumber",
        "BusinessAddressCity",
        "BusinessAddressCountry",
        "BusinessAddressPostalCode",
        "BusinessAddressPostOfficeBox",
        "BusinessAddressState",
        "BusinessAddressStreet",
        "BusinessFaxNumber",
        "BusinessHomePage",
        "BusinessTelephoneNumber",
        "CallbackTelephoneNumber",
        "CarTelephoneNumber",
        "CompanyMainTelephoneNumber",
        "CompanyName",
        "ComputerNetworkName",
        "CustomerID",
        "Department",
        "Email1Address",
        "Email1AddressType",
        "Email1DisplayName",
        "Email2Address",
        "Email2AddressType",
        "Email2DisplayName",
        "Email3Address",
        "Email3AddressType",
        "Email3DisplayName",
        "FirstName",
        "FTPSite",
        "FullName",
        "Hobby",
        "Home2TelephoneNumber",
        "HomeAddressCity",
        "HomeAddressCountry",
        "HomeAddressPostalCode",
        "HomeAddressPostOfficeBox",
        "HomeAddressState",
        "HomeAddressStreet",
        "HomeFaxNumber",
        "HomeTelephoneNumber",
        "IMAddress",
        "Initials",
        "ISDNNumber",
        "JobTitle",
        "Language",
        "LastName",
        "MailingAddressCity",
        "MailingAddressCountry",
        "MailingAddressPostalCode",
        "MailingAddressPostOfficeBox",
        "MailingAddressState",
        "MailingAddressStreet",
        "ManagerName",
        "MiddleName",
        "MobileTelephoneNumber",
        "NickName",
        "OtherAddressCity",
        "OtherAddressCountry",
        "OtherAddressPostalCode",
        "OtherAddressPostOfficeBox",
        "OtherAddressState",
        "OtherAddressStreet",
        "OtherTelephoneNumber",
        "PagerNumber",
        "PersonalHomePage",
        "PrimaryTelephoneNumber",
        "Profession",
        "RadioTelephoneNumber",
        "Spouse",
        "WebPage",
        "Body",
    };
    seedContacts({u"Ann"});
    AutomationObjectRef item = method(items(), "Item", {number(1)});
    for (const char* name : textNames) {
        int32_t status = 0;
        AutomationValue value = call(item, name, AutomationCallKind::PropertyGet, {}, &status);
        EXPECT_EQ(AutomationStatus::Ok, status) << name;
        EXPECT_TRUE(value.isText()) << name;
        EXPECT_EQ(AutomationStatus::Ok, statusOf(item, name, AutomationCallKind::PropertyPut, {text(u"x")})) << name;
    }
    for (const char* name : {"Anniversary", "Birthday", "CreationTime", "LastModificationTime"}) {
        EXPECT_TRUE(call(item, name, AutomationCallKind::PropertyGet).isDate()) << name;
    }
    EXPECT_TRUE(call(item, "Gender", AutomationCallKind::PropertyGet).isInt());
    EXPECT_FALSE(call(item, "EntryID", AutomationCallKind::PropertyGet).text().empty());
    EXPECT_EQ(AutomationStatus::MemberNotFound,
              statusOf(item, "EntryID", AutomationCallKind::PropertyPut, {text(u"x")}));
    EXPECT_EQ(u"IPM.Contact", call(item, "MessageClass", AutomationCallKind::PropertyGet).text());
    // Texts, four dates, "Gender", "EntryID", "MessageClass": nothing else.
    EXPECT_EQ(sizeof textNames / sizeof textNames[0] + 7, fakeContactProperties().size());
}

TEST_F(FakeOutlookModel, ContactItemRefusesUnknownNamesWrongTypesAndReadOnlyPuts) {
    outlook->setCurrentTime(41000.0);
    FakeContact& contact = outlook->addContact();
    contact.setText("FirstName", u"Ann");
    AutomationObjectRef item = method(items(), "Item", {number(1)});

    for (const char* unknown : {"Suffix", "FolderName", "Categories"}) {
        EXPECT_EQ(AutomationStatus::UnknownName, statusOf(item, unknown, AutomationCallKind::PropertyGet)) << unknown;
        EXPECT_EQ(AutomationStatus::UnknownName, statusOf(item, unknown, AutomationCallKind::PropertyPut, {text(u"x")}))
            << unknown;
    }
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(item, "FirstName", AutomationCallKind::PropertyPut, {number(1)}));
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(item, "Birthday", AutomationCallKind::PropertyPut, {text(u"07/04/1999")}));
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(item, "Gender", AutomationCallKind::PropertyPut, {AutomationValue::fromDate(1.0)}));
    for (const char* stamp : {"CreationTime", "LastModificationTime"}) {
        EXPECT_EQ(AutomationStatus::MemberNotFound,
                  statusOf(item, stamp, AutomationCallKind::PropertyPut, {AutomationValue::fromDate(1.0)}));
        EXPECT_EQ(41000.0, contact.date(stamp));
    }
    EXPECT_EQ(AutomationStatus::MemberNotFound, statusOf(item, "FirstName", AutomationCallKind::Method));
    EXPECT_EQ(AutomationStatus::BadParameterCount, statusOf(item, "FirstName", AutomationCallKind::PropertyPut));
    EXPECT_EQ(u"Ann", contact.text("FirstName"));
    EXPECT_EQ(u"Ann", call(item, "firstname", AutomationCallKind::PropertyGet).text())
        << "names are matched without regard to case";
}

TEST_F(FakeOutlookModel, SaveIsCountedPerItemAndStampsTheModification) {
    seedContacts({u"Ann", u"Bob"});
    outlook->setCurrentTime(42000.5);
    AutomationObjectRef collection = items();
    AutomationObjectRef second = method(collection, "Item", {number(2)});
    EXPECT_EQ(AutomationStatus::Ok, statusOf(second, "Save", AutomationCallKind::Method));
    EXPECT_EQ(AutomationStatus::Ok,
              statusOf(method(collection, "Item", {number(2)}), "Save", AutomationCallKind::Method));
    EXPECT_EQ(0, outlook->contact(0)->saveCount());
    EXPECT_EQ(2, outlook->contact(1)->saveCount());
    EXPECT_EQ(42000.5, outlook->contact(1)->date("LastModificationTime"));
    EXPECT_NE(42000.5, outlook->contact(1)->date("CreationTime"));
    EXPECT_EQ(AutomationStatus::MemberNotFound, statusOf(second, "Save", AutomationCallKind::PropertyGet));
}

TEST_F(FakeOutlookModel, EntryIdFindsTheItemAndDeleteRemovesOnlyItsOwnContact) {
    seedContacts({u"Ann", u"Bob", u"Cy"});
    AutomationObjectRef space = method(outlook->application(), "GetNameSpace", {text(u"MAPI")});
    AutomationObjectRef collection = items();
    const std::u16string bobId =
        call(method(collection, "Item", {number(2)}), "EntryID", AutomationCallKind::PropertyGet).text();
    const std::u16string cyId = outlook->contact(2)->text("EntryID");
    ASSERT_EQ(40u, bobId.size());
    EXPECT_NE(bobId, cyId);
    EXPECT_NE(outlook->contact(0)->text("EntryID"), bobId);

    AutomationObjectRef cy = method(space, "GetItemFromID", {AutomationValue::fromText(cyId)});
    ASSERT_NE(nullptr, cy);
    EXPECT_EQ(u"Cy", firstNameOf(cy));
    // The store id may follow; an id Outlook does not hold raises an error.
    EXPECT_EQ(u"Bob", firstNameOf(method(space, "GetItemFromID", {text(bobId.c_str()), text(u"store")})));
    EXPECT_EQ(AutomationStatus::Exception,
              statusOf(space, "GetItemFromID", AutomationCallKind::Method, {text(u"00000000DEAD")}));
    EXPECT_EQ(AutomationStatus::TypeMismatch,
              statusOf(space, "GetItemFromID", AutomationCallKind::Method, {number(2)}));

    // Deleting Bob moves Cy up; the item bound to Cy still reaches Cy.
    AutomationObjectRef bob = method(space, "GetItemFromID", {text(bobId.c_str())});
    EXPECT_EQ(AutomationStatus::Ok, statusOf(bob, "Delete", AutomationCallKind::Method));
    ASSERT_EQ(2u, outlook->contactCount());
    EXPECT_EQ(u"Cy", outlook->contact(1)->text("FirstName"));
    EXPECT_EQ(AutomationStatus::Ok, statusOf(cy, "FirstName", AutomationCallKind::PropertyPut, {text(u"Cyd")}));
    EXPECT_EQ(u"Cyd", outlook->contact(1)->text("FirstName"));
    EXPECT_EQ(u"Ann", outlook->contact(0)->text("FirstName"));
    EXPECT_EQ("ContactItem[1].FirstName = \"Cyd\"", outlook->calls().back().describe());
    // The deleted item answers nothing any more, and its id is gone.
    EXPECT_EQ(AutomationStatus::Exception, statusOf(bob, "FirstName", AutomationCallKind::PropertyGet));
    EXPECT_EQ(AutomationStatus::Exception,
              statusOf(space, "GetItemFromID", AutomationCallKind::Method, {text(bobId.c_str())}));
    // A new contact never takes an id that was given before.
    outlook->addContact();
    EXPECT_NE(bobId, outlook->contact(2)->text("EntryID"));
    EXPECT_NE(cyId, outlook->contact(2)->text("EntryID"));
}

TEST_F(FakeOutlookModel, InjectedMemberFailuresHitEveryObjectOfThatName) {
    seedContacts({u"Ann"});
    outlook->failMember("LastName", AutomationStatus::Exception);
    outlook->failMember("Save");
    AutomationObjectRef item = method(items(), "Item", {number(1)});
    EXPECT_EQ(AutomationStatus::Exception, statusOf(item, "lastname", AutomationCallKind::PropertyGet));
    EXPECT_EQ(AutomationStatus::Failed, statusOf(item, "Save", AutomationCallKind::Method));
    EXPECT_EQ(0, outlook->contact(0)->saveCount());
    EXPECT_EQ(AutomationStatus::Ok, statusOf(item, "FirstName", AutomationCallKind::PropertyGet));

    outlook->failMember("GetDefaultFolder");
    EXPECT_EQ(nullptr, folder());
    outlook->clearFailures();
    EXPECT_NE(nullptr, folder());
}

TEST_F(FakeOutlookModel, CallLogDescribesEveryCall) {
    seedContacts({u"Ann"});
    AutomationObjectRef item = method(items(), "Item", {number(1)});
    call(item, "FirstName", AutomationCallKind::PropertyPut, {text(u"Eve")});
    call(item, "Suffix", AutomationCallKind::PropertyGet);
    EXPECT_EQ((std::vector<std::string>{
                  "Application.GetNameSpace(\"MAPI\")",
                  "NameSpace.GetDefaultFolder(10)",
                  "Folder.Items",
                  "Items.Item(1)",
                  "ContactItem[0].FirstName = \"Eve\"",
                  "ContactItem[0].Suffix -> 0x80020006",
              }),
              outlook->callDescriptions());
    EXPECT_EQ(0, outlook->calls()[4].contactIndex);
}

TEST_F(FakeOutlookModel, ObjectsAreCountedUntilTheLastReferenceGoes) {
    seedContacts({u"Ann"});
    {
        AutomationObjectRef collection = items();
        AutomationObjectRef item = method(collection, "GetFirst");
        EXPECT_EQ(2, outlook->liveObjects());
        // An object handed in as an argument is not kept by the call log.
        call(item, "FirstName", AutomationCallKind::PropertyPut, {AutomationValue::fromObject(collection)});
    }
    EXPECT_EQ(0, outlook->liveObjects());
}

class FakeOutlookStart : public FakeOutlookModel {
protected:
    // Runs the start steps in order as the session does; how many succeeded.
    int runStart(AutomationObjectRef* application) {
        std::unique_ptr<AutomationStarter> starter = createAutomationStarter();
        if (!starter->lookUpClass(OutlookProgramId))
            return 0;
        if (!starter->createObject())
            return 1;
        if (!starter->runObject())
            return 2;
        *application = starter->queryDispatch();
        return *application ? 4 : 3;
    }
};

TEST_F(FakeOutlookStart, InstalledFactoryStartsTheModel) {
    seedContacts({u"Ann"});
    ScopedAutomationStarterFactory installed(outlook->starterFactory());
    AutomationObjectRef application;
    ASSERT_EQ(4, runStart(&application));
    AutomationObjectRef space = method(application, "GetNameSpace", {text(u"MAPI")});
    EXPECT_NE(nullptr, space);
    EXPECT_EQ((std::vector<std::string>{"Starter.CLSIDFromProgID(\"Outlook.Application\")",
                                        "Starter.CoCreateInstance()", "Starter.OleRun()", "Starter.QueryInterface()",
                                        "Application.GetNameSpace(\"MAPI\")"}),
              outlook->callDescriptions());
    space.reset();
    application.reset();
    EXPECT_EQ(0, outlook->liveObjects()) << "the starter and its created object are gone";
}

TEST_F(FakeOutlookStart, EachStepCanBeMadeToFail) {
    ScopedAutomationStarterFactory installed(outlook->starterFactory());
    const FakeStartStep steps[] = {FakeStartStep::ClassLookup, FakeStartStep::Creation, FakeStartStep::Running,
                                   FakeStartStep::Dispatch};
    for (int failing = 0; failing < 4; ++failing) {
        outlook->clearFailures();
        outlook->failStartStep(steps[failing]);
        AutomationObjectRef application;
        EXPECT_EQ(failing, runStart(&application)) << "step " << failing;
        EXPECT_EQ(nullptr, application);
    }
    EXPECT_EQ(0, outlook->liveObjects());
}

TEST_F(FakeOutlookStart, StepsOutOfOrderOrForAnotherProgramFail) {
    std::unique_ptr<AutomationStarter> starter = outlook->starterFactory()();
    EXPECT_FALSE(starter->createObject());
    EXPECT_FALSE(starter->runObject());
    EXPECT_EQ(nullptr, starter->queryDispatch());
    EXPECT_FALSE(starter->lookUpClass("Word.Application"));
    EXPECT_FALSE(starter->createObject());
    EXPECT_TRUE(starter->lookUpClass("outlook.application"));
    EXPECT_TRUE(starter->createObject());
    EXPECT_EQ(nullptr, starter->queryDispatch()) << "not yet running";
}

TEST_F(FakeOutlookStart, ScopedFactoryPutsThePreviousOneBack) {
    std::shared_ptr<FakeOutlook> other = FakeOutlook::create();
    ScopedAutomationStarterFactory outer(outlook->starterFactory());
    {
        ScopedAutomationStarterFactory inner(other->starterFactory());
        createAutomationStarter()->lookUpClass(OutlookProgramId);
    }
    createAutomationStarter()->lookUpClass(OutlookProgramId);
    EXPECT_EQ(1u, other->calls().size());
    EXPECT_EQ(1u, outlook->calls().size());
}

#ifndef _WIN32
TEST_F(FakeOutlookStart, WithoutAFactoryTheStartFailsAtItsFirstStep) {
    AutomationObjectRef application;
    EXPECT_EQ(0, runStart(&application));
}
#endif

}  // namespace
