#include "testenv/fakeoutlook/FakeContactProperties.h"

#include "testenv/fakeoutlook/MemberName.h"

static FakeContactProperty text(const char* name) { return {name, AutomationValueType::Text, false}; }
static FakeContactProperty date(const char* name) { return {name, AutomationValueType::Date, false}; }
static FakeContactProperty stamp(const char* name) { return {name, AutomationValueType::Date, true}; }

const std::vector<FakeContactProperty>& fakeContactProperties() {
    static const std::vector<FakeContactProperty> properties = {
        text("Account"),
        date("Anniversary"),
        text("AssistantName"),
        text("AssistantTelephoneNumber"),
        date("Birthday"),
        text("Business2TelephoneNumber"),
        text("BusinessAddressCity"),
        text("BusinessAddressCountry"),
        text("BusinessAddressPostalCode"),
        text("BusinessAddressPostOfficeBox"),
        text("BusinessAddressState"),
        text("BusinessAddressStreet"),
        text("BusinessFaxNumber"),
        text("BusinessHomePage"),
        text("BusinessTelephoneNumber"),
        text("CallbackTelephoneNumber"),
        text("CarTelephoneNumber"),
        text("CompanyMainTelephoneNumber"),
        text("CompanyName"),
        text("ComputerNetworkName"),
        text("CustomerID"),
        text("Department"),
        text("Email1Address"),
        text("Email1AddressType"),
        text("Email1DisplayName"),
        text("Email2Address"),
        text("Email2AddressType"),
        text("Email2DisplayName"),
        text("Email3Address"),
        text("Email3AddressType"),
        text("Email3DisplayName"),
        text("FirstName"),
        text("FTPSite"),
        text("FullName"),
        {"Gender", AutomationValueType::Int32, false},
        text("Hobby"),
        text("Home2TelephoneNumber"),
        text("HomeAddressCity"),
        text("HomeAddressCountry"),
        text("HomeAddressPostalCode"),
        text("HomeAddressPostOfficeBox"),
        text("HomeAddressState"),
        text("HomeAddressStreet"),
        text("HomeFaxNumber"),
        text("HomeTelephoneNumber"),
        text("IMAddress"),
        text("Initials"),
        text("ISDNNumber"),
        text("JobTitle"),
        text("Language"),
        text("LastName"),
        text("MailingAddressCity"),
        text("MailingAddressCountry"),
        text("MailingAddressPostalCode"),
        text("MailingAddressPostOfficeBox"),
        text("MailingAddressState"),
        text("MailingAddressStreet"),
        text("ManagerName"),
        text("MiddleName"),
        text("MobileTelephoneNumber"),
        text("NickName"),
        text("OtherAddressCity"),
        text("OtherAddressCountry"),
        text("OtherAddressPostalCode"),
        text("OtherAddressPostOfficeBox"),
        text("OtherAddressState"),
        text("OtherAddressStreet"),
        text("OtherTelephoneNumber"),
        text("PagerNumber"),
        text("PersonalHomePage"),
        text("PrimaryTelephoneNumber"),
        text("Profession"),
        text("RadioTelephoneNumber"),
        text("Spouse"),
        text("WebPage"),
        text("Body"),
        stamp("CreationTime"),
        stamp("LastModificationTime"),
        {"EntryID", AutomationValueType::Text, true},
        // "" stands for "IPM.Contact", so a contact file names only the other kinds.
        {"MessageClass", AutomationValueType::Text, true},
    };
    return properties;
}

int findFakeContactProperty(const char* name) {
    const std::vector<FakeContactProperty>& properties = fakeContactProperties();
    for (size_t index = 0; index < properties.size(); ++index) {
        if (sameMemberName(properties[index].name, name))
            return static_cast<int>(index);
    }
    return -1;
}

bool isItemProperty(const char* name) {
    static const char* const common[] = {"EntryID", "MessageClass", "CreationTime", "LastModificationTime", "Body"};
    for (const char* property : common) {
        if (sameMemberName(property, name))
            return true;
    }
    return false;
}
