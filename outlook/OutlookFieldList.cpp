#include "outlook/OutlookFieldList.h"

#include <array>

namespace {

// Marks an entry that addresses no image field.
constexpr size_t NoImageField = SIZE_MAX;

struct OutlookFieldEntry {
    const char* text;
    size_t imageOffset;
};

#define FIELD(text, member)                                                                                            \
    { text, offsetof(OutlookContactImage, member) }
#define NOTHING(text)                                                                                                  \
    { text, NoImageField }

// Some list texts differ from the property they address ("...Postal",
// "MailAddress...", "CompanyTelephoneNumber"), and "PersonalHomePage"
// addresses the business home page: the options already saved rely on it.
constexpr std::array<OutlookFieldEntry, OutlookFieldCount> entries = {{
    NOTHING("None"),
    FIELD("Account", account),
    FIELD("Anniversary", anniversary),
    FIELD("AssistantName", assistantName),
    FIELD("AssistantTelephoneNumber", assistantTelephoneNumber),
    FIELD("Birthday", birthday),
    FIELD("Business2TelephoneNumber", business2TelephoneNumber),
    FIELD("BusinessAddressCity", businessAddressCity),
    FIELD("BusinessAddressCountry", businessAddressCountry),
    FIELD("BusinessAddressPostal", businessAddressPostalCode),
    FIELD("BusinessAddressPostOfficeBox", businessAddressPostOfficeBox),
    FIELD("BusinessAddressState", businessAddressState),
    FIELD("BusinessAddressStreet", businessAddressStreet),
    FIELD("BusinessAddressFaxNumber", businessFaxNumber),
    FIELD("BusinessHomePage", businessHomePage),
    FIELD("BusinessTelephoneNumber", businessTelephoneNumber),
    FIELD("CallbackTelephoneNumber", callbackTelephoneNumber),
    FIELD("CarTelephoneNumber", carTelephoneNumber),
    FIELD("CompanyTelephoneNumber", companyMainTelephoneNumber),
    FIELD("CompanyName", companyName),
    FIELD("ComputerNetworkName", computerNetworkName),
    FIELD("CustomerID", customerId),
    FIELD("Department", department),
    FIELD("Email1Address", email1Address),
    FIELD("Email1AddressType", email1AddressType),
    FIELD("Email1DisplayName", email1DisplayName),
    FIELD("Email2Address", email2Address),
    FIELD("Email2AddressType", email2AddressType),
    FIELD("Email2DisplayName", email2DisplayName),
    FIELD("Email3Address", email3Address),
    FIELD("Email3AddressType", email3AddressType),
    FIELD("Email3DisplayName", email3DisplayName),
    FIELD("FirstName", firstName),
    FIELD("FTPSite", ftpSite),
    NOTHING("Gender"),
    FIELD("Hobby", hobby),
    FIELD("Home2TelephoneNumber", home2TelephoneNumber),
    FIELD("HomeAddressCity", homeAddressCity),
    FIELD("HomeAddressCountry", homeAddressCountry),
    FIELD("HomeAddressPostal", homeAddressPostalCode),
    FIELD("HomeAddressPostOfficeBox", homeAddressPostOfficeBox),
    FIELD("HomeAddressState", homeAddressState),
    FIELD("HomeAddressStreet", homeAddressStreet),
    FIELD("HomeAddressFaxNumber", homeFaxNumber),
    FIELD("HomeAddressTelephoneNumber", homeTelephoneNumber),
    FIELD("ISDNNumber", isdnNumber),
    FIELD("JobTitle", jobTitle),
    FIELD("LastName", lastName),
    FIELD("MailAddressCity", mailingAddressCity),
    FIELD("MailAddressCountry", mailingAddressCountry),
    FIELD("MailAddressPostal", mailingAddressPostalCode),
    FIELD("MailAddressPostOfficeBox", mailingAddressPostOfficeBox),
    FIELD("MailAddressState", mailingAddressState),
    FIELD("MailAddressStreet", mailingAddressStreet),
    FIELD("ManagerName", managerName),
    FIELD("MiddleName", middleName),
    FIELD("MobileTelephoneNumber", mobileTelephoneNumber),
    FIELD("NickName", nickName),
    FIELD("OtherAddressCity", otherAddressCity),
    FIELD("OtherAddressCountry", otherAddressCountry),
    FIELD("OtherAddressPostal", otherAddressPostalCode),
    FIELD("OtherAddressPostOfficeBox", otherAddressPostOfficeBox),
    FIELD("OtherAddressState", otherAddressState),
    FIELD("OtherAddressStreet", otherAddressStreet),
    FIELD("PersonalHomePage", businessHomePage),
    FIELD("PrimaryTelephoneNumber", primaryTelephoneNumber),
    FIELD("Profession", profession),
    FIELD("WebPage", webPage),
    FIELD("Body", body),
    FIELD("FolderName", folderName),
    FIELD("OtherTelephoneNumber", otherTelephoneNumber),
    FIELD("RadioTelephoneNumber", radioTelephoneNumber),
    FIELD("PagerNumber", pagerNumber),
    FIELD("FullName", fullName),
    FIELD("Spouse", spouse),
    FIELD("Suffix", suffix),
    FIELD("Language", language),
    FIELD("IMAddress", imAddress),
}};

static_assert(entries.back().text != nullptr, "every list entry is filled in");

#undef FIELD
#undef NOTHING

// Resolved once: an index addresses its row without a search per record.
struct FieldRows {
    std::array<const ImageRow*, OutlookFieldCount> rows{};
    FieldRows() {
        for (size_t index = 0; index < entries.size(); ++index) {
            if (entries[index].imageOffset != NoImageField)
                rows[index] = findImageRow(entries[index].imageOffset);
        }
    }
};

}  // namespace

const char* outlookFieldText(int32_t index) {
    if (index < 0 || index >= OutlookFieldCount)
        return "";
    return entries[static_cast<size_t>(index)].text;
}

const ImageRow* outlookFieldRow(int32_t index) {
    // Compared unsigned, so a negative index is out of range too.
    const uint32_t position = static_cast<uint32_t>(index);
    if (position < 1 || position >= static_cast<uint32_t>(OutlookFieldCount))
        return nullptr;
    static const FieldRows resolved;
    return resolved.rows[position];
}
