// The two Outlook tables whose order and sizes are a stored format or a
// promise to the user: the options file keeps indexes into the field list,
// and the image's capacities decide how much of each Outlook text survives.
// Both tables here are written out by hand from the design, not from the code.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "outlook/OutlookContactImage.h"
#include "outlook/OutlookFieldList.h"
#include "sync/ContactRecord.h"

namespace {

// Fields Outlook never sees, named by what they hold.
const char* const Suffix = "<suffix>";
const char* const FolderName = "<folder name>";
const char* const Nothing = "";

// The field a row stands for: its property, or one of the markers above.
std::string rowName(const ImageRow& row) {
    if (row.propertyName)
        return row.propertyName;
    if (row.imageOffset == offsetof(OutlookContactImage, suffix))
        return Suffix;
    if (row.imageOffset == offsetof(OutlookContactImage, folderName))
        return FolderName;
    return "<unnamed>";
}

struct FieldListEntry {
    int32_t index;
    const char* text;
    const char* addressed;
};

const FieldListEntry fieldList[] = {
    {0, "None", Nothing},
    {1, "Account", "Account"},
    {2, "Anniversary", "Anniversary"},
    {3, "AssistantName", "AssistantName"},
    {4, "AssistantTelephoneNumber", "AssistantTelephoneNumber"},
    {5, "Birthday", "Birthday"},
    {6, "Business2TelephoneNumber", "Business2TelephoneNumber"},
    {7, "BusinessAddressCity", "BusinessAddressCity"},
    {8, "BusinessAddressCountry", "BusinessAddressCountry"},
    {9, "BusinessAddressPostal", "BusinessAddressPostalCode"},
    {10, "BusinessAddressPostOfficeBox", "BusinessAddressPostOfficeBox"},
    {11, "BusinessAddressState", "BusinessAddressState"},
    {12, "BusinessAddressStreet", "BusinessAddressStreet"},
    {13, "BusinessAddressFaxNumber", "BusinessFaxNumber"},
    {14, "BusinessHomePage", "BusinessHomePage"},
    {15, "BusinessTelephoneNumber", "BusinessTelephoneNumber"},
    {16, "CallbackTelephoneNumber", "CallbackTelephoneNumber"},
    {17, "CarTelephoneNumber", "CarTelephoneNumber"},
    {18, "CompanyTelephoneNumber", "CompanyMainTelephoneNumber"},
    {19, "CompanyName", "CompanyName"},
    {20, "ComputerNetworkName", "ComputerNetworkName"},
    {21, "CustomerID", "CustomerID"},
    {22, "Department", "Department"},
    {23, "Email1Address", "Email1Address"},
    {24, "Email1AddressType", "Email1AddressType"},
    {25, "Email1DisplayName", "Email1DisplayName"},
    {26, "Email2Address", "Email2Address"},
    {27, "Email2AddressType", "Email2AddressType"},
    {28, "Email2DisplayName", "Email2DisplayName"},
    {29, "Email3Address", "Email3Address"},
    {30, "Email3AddressType", "Email3AddressType"},
    {31, "Email3DisplayName", "Email3DisplayName"},
    {32, "FirstName", "FirstName"},
    {33, "FTPSite", "FTPSite"},
    {34, "Gender", Nothing},
    {35, "Hobby", "Hobby"},
    {36, "Home2TelephoneNumber", "Home2TelephoneNumber"},
    {37, "HomeAddressCity", "HomeAddressCity"},
    {38, "HomeAddressCountry", "HomeAddressCountry"},
    {39, "HomeAddressPostal", "HomeAddressPostalCode"},
    {40, "HomeAddressPostOfficeBox", "HomeAddressPostOfficeBox"},
    {41, "HomeAddressState", "HomeAddressState"},
    {42, "HomeAddressStreet", "HomeAddressStreet"},
    {43, "HomeAddressFaxNumber", "HomeFaxNumber"},
    {44, "HomeAddressTelephoneNumber", "HomeTelephoneNumber"},
    {45, "ISDNNumber", "ISDNNumber"},
    {46, "JobTitle", "JobTitle"},
    {47, "LastName", "LastName"},
    {48, "MailAddressCity", "MailingAddressCity"},
    {49, "MailAddressCountry", "MailingAddressCountry"},
    {50, "MailAddressPostal", "MailingAddressPostalCode"},
    {51, "MailAddressPostOfficeBox", "MailingAddressPostOfficeBox"},
    {52, "MailAddressState", "MailingAddressState"},
    {53, "MailAddressStreet", "MailingAddressStreet"},
    {54, "ManagerName", "ManagerName"},
    {55, "MiddleName", "MiddleName"},
    {56, "MobileTelephoneNumber", "MobileTelephoneNumber"},
    {57, "NickName", "NickName"},
    {58, "OtherAddressCity", "OtherAddressCity"},
    {59, "OtherAddressCountry", "OtherAddressCountry"},
    {60, "OtherAddressPostal", "OtherAddressPostalCode"},
    {61, "OtherAddressPostOfficeBox", "OtherAddressPostOfficeBox"},
    {62, "OtherAddressState", "OtherAddressState"},
    {63, "OtherAddressStreet", "OtherAddressStreet"},
    {64, "PersonalHomePage", "BusinessHomePage"},
    {65, "PrimaryTelephoneNumber", "PrimaryTelephoneNumber"},
    {66, "Profession", "Profession"},
    {67, "WebPage", "WebPage"},
    {68, "Body", "Body"},
    {69, "FolderName", FolderName},
    {70, "OtherTelephoneNumber", "OtherTelephoneNumber"},
    {71, "RadioTelephoneNumber", "RadioTelephoneNumber"},
    {72, "PagerNumber", "PagerNumber"},
    {73, "FullName", "FullName"},
    {74, "Spouse", "Spouse"},
    {75, "Suffix", Suffix},
    {76, "Language", "Language"},
    {77, "IMAddress", "IMAddress"},
};

static_assert(sizeof fieldList / sizeof fieldList[0] == 78, "one line per entry");

// Text fields give their capacity including the NUL; dates and the gender 0.
// A record capacity of 0 means the field pairs with no record field.
struct ImageField {
    const char* field;
    ImageValueKind kind;
    size_t capacity;
    size_t recordOffset;
    size_t recordCapacity;
};

#define TEXT(name, capacity)                                                                                           \
    { name, ImageValueKind::Text, capacity, NoRecordField, 0 }
#define PAIRED(name, capacity, member, recordCapacity)                                                                 \
    { name, ImageValueKind::Text, capacity, offsetof(ContactValues, member), recordCapacity }
#define DATE(name, member)                                                                                             \
    { name, ImageValueKind::Date, 0, offsetof(ContactValues, member), 0 }

const ImageField imageFields[] = {
    PAIRED("Account", 32, account, 32),
    DATE("Anniversary", anniversary),
    PAIRED("AssistantName", 64, assistantName, 32),
    PAIRED("AssistantTelephoneNumber", 24, assistantPhone, 16),
    DATE("Birthday", birthday),
    TEXT("Business2TelephoneNumber", 24),
    PAIRED("BusinessAddressCity", 24, businessAddress.city, 32),
    PAIRED("BusinessAddressCountry", 24, businessAddress.country, 32),
    PAIRED("BusinessAddressPostalCode", 12, businessAddress.postalCode, 16),
    TEXT("BusinessAddressPostOfficeBox", 12),
    PAIRED("BusinessAddressState", 24, businessAddress.state, 32),
    PAIRED("BusinessAddressStreet", 128, businessAddress.street, 64),
    PAIRED("BusinessFaxNumber", 24, businessFax, 24),
    PAIRED("BusinessHomePage", 256, homePage, 256),
    PAIRED("BusinessTelephoneNumber", 24, workPhone, 24),
    PAIRED("CallbackTelephoneNumber", 24, callbackPhone, 24),
    PAIRED("CarTelephoneNumber", 24, carPhone, 24),
    TEXT("CompanyMainTelephoneNumber", 24),
    PAIRED("CompanyName", 64, company, 64),
    PAIRED("ComputerNetworkName", 32, computerNetworkName, 32),
    PAIRED("CustomerID", 24, customerId, 32),
    PAIRED("Department", 32, department, 32),
    PAIRED("Email1Address", 64, email1, 64),
    PAIRED("Email1AddressType", 16, email1Type, 16),
    PAIRED("Email1DisplayName", 64, email1DisplayName, 32),
    PAIRED("Email2Address", 64, email2, 64),
    PAIRED("Email2AddressType", 16, email2Type, 16),
    PAIRED("Email2DisplayName", 64, email2DisplayName, 32),
    PAIRED("Email3Address", 64, email3, 64),
    PAIRED("Email3AddressType", 16, email3Type, 16),
    PAIRED("Email3DisplayName", 64, email3DisplayName, 32),
    PAIRED("FirstName", 64, firstName, 32),
    PAIRED("FTPSite", 256, ftpSite, 256),
    PAIRED("FullName", 64, fullName, 32),
    {"Gender", ImageValueKind::Integer, 0, NoRecordField, 0},
    PAIRED("Hobby", 128, hobby, 128),
    TEXT("Home2TelephoneNumber", 24),
    PAIRED("HomeAddressCity", 24, homeAddress.city, 32),
    PAIRED("HomeAddressCountry", 24, homeAddress.country, 32),
    PAIRED("HomeAddressPostalCode", 12, homeAddress.postalCode, 16),
    TEXT("HomeAddressPostOfficeBox", 12),
    PAIRED("HomeAddressState", 24, homeAddress.state, 32),
    PAIRED("HomeAddressStreet", 128, homeAddress.street, 64),
    PAIRED("HomeFaxNumber", 24, homeFax, 24),
    PAIRED("HomeTelephoneNumber", 24, homePhone, 24),
    PAIRED("IMAddress", 32, imAddress, 32),
    PAIRED("Initials", 8, initials, 16),
    TEXT("ISDNNumber", 24),
    PAIRED("JobTitle", 32, jobTitle, 32),
    PAIRED("Language", 8, language, 8),
    PAIRED("LastName", 64, lastName, 32),
    TEXT("MailingAddressCity", 24),
    TEXT("MailingAddressCountry", 24),
    TEXT("MailingAddressPostalCode", 12),
    TEXT("MailingAddressPostOfficeBox", 12),
    TEXT("MailingAddressState", 24),
    TEXT("MailingAddressStreet", 128),
    TEXT("ManagerName", 64),
    PAIRED("MiddleName", 64, middleName, 32),
    PAIRED("MobileTelephoneNumber", 24, mobilePhone, 24),
    PAIRED("NickName", 64, nickName, 32),
    PAIRED("OtherAddressCity", 24, otherAddress.city, 32),
    PAIRED("OtherAddressCountry", 24, otherAddress.country, 32),
    PAIRED("OtherAddressPostalCode", 12, otherAddress.postalCode, 16),
    TEXT("OtherAddressPostOfficeBox", 12),
    PAIRED("OtherAddressState", 24, otherAddress.state, 32),
    PAIRED("OtherAddressStreet", 128, otherAddress.street, 64),
    PAIRED("OtherTelephoneNumber", 24, otherPhone, 24),
    TEXT("PagerNumber", 24),
    PAIRED("PersonalHomePage", 256, personalHomePage, 256),
    PAIRED("PrimaryTelephoneNumber", 24, mainPhone, 24),
    PAIRED("Profession", 32, profession, 32),
    PAIRED("RadioTelephoneNumber", 24, radioPhone, 24),
    PAIRED("Spouse", 64, spouse, 32),
    PAIRED(Suffix, 8, suffix, 8),
    TEXT("WebPage", 256),
    PAIRED("Body", 2048, note, 2048),
    PAIRED(FolderName, 32, category, 64),
    DATE("CreationTime", creationTime),
    DATE("LastModificationTime", lastModificationTime),
};

#undef TEXT
#undef PAIRED
#undef DATE

static_assert(sizeof imageFields / sizeof imageFields[0] == ContactImageRowCount, "one line per field");

}  // namespace

TEST(OutlookTables, FieldListKeepsItsStoredOrder) {
    for (const FieldListEntry& expected : fieldList) {
        SCOPED_TRACE(expected.index);
        EXPECT_STREQ(expected.text, outlookFieldText(expected.index));
        const ImageRow* row = outlookFieldRow(expected.index);
        if (expected.addressed == Nothing) {
            EXPECT_EQ(nullptr, row);
            continue;
        }
        ASSERT_NE(nullptr, row);
        EXPECT_EQ(expected.addressed, rowName(*row));
    }
    // Outside 0-77 there is neither text nor field, negative indexes included.
    for (int32_t index : {78, -1, -78, INT32_MIN, INT32_MAX}) {
        EXPECT_STREQ("", outlookFieldText(index)) << index;
        EXPECT_EQ(nullptr, outlookFieldRow(index)) << index;
    }
}

TEST(OutlookTables, ImageFieldsHoldTheirCapacitiesInOrder) {
    const auto& rows = contactImageRows();
    for (size_t index = 0; index < ContactImageRowCount; ++index) {
        const ImageField& expected = imageFields[index];
        const ImageRow& row = rows[index];
        SCOPED_TRACE(expected.field);
        EXPECT_EQ(expected.field, rowName(row));
        EXPECT_EQ(expected.kind, row.kind);
        if (expected.kind == ImageValueKind::Text) {
            EXPECT_EQ(expected.capacity, row.imageSize);
        }
        EXPECT_EQ(expected.recordOffset, row.recordOffset);
        if (expected.kind == ImageValueKind::Text && expected.recordOffset != NoRecordField) {
            EXPECT_EQ(expected.recordCapacity, row.recordSize);
        }
    }
    // The two time stamps are read, never written.
    for (const ImageRow& row : rows) {
        const bool stamp = row.propertyName && (std::strcmp(row.propertyName, "CreationTime") == 0 ||
                                                std::strcmp(row.propertyName, "LastModificationTime") == 0);
        EXPECT_EQ(stamp, row.readOnly) << rowName(row);
    }
}
