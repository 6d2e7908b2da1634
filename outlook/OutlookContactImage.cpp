#include "outlook/OutlookContactImage.h"

#include <cstring>

#include "sync/ContactRecord.h"

// The rows name both sides by member, so an offset or a capacity can never
// disagree with the structures.
#define IMAGE_FIELD(member) offsetof(OutlookContactImage, member), sizeof(OutlookContactImage::member)
#define RECORD_FIELD(member) offsetof(ContactValues, member), sizeof(ContactValues::member)
#define NO_RECORD_FIELD NoRecordField, 0

#define PAIRED_TEXT(property, imageMember, recordMember)                                                               \
    { property, ImageValueKind::Text, IMAGE_FIELD(imageMember), RECORD_FIELD(recordMember), false, false }
#define IMAGE_ONLY_TEXT(property, imageMember)                                                                         \
    { property, ImageValueKind::Text, IMAGE_FIELD(imageMember), NO_RECORD_FIELD, false, false }
#define PAIRED_DATE(property, imageMember, recordMember)                                                               \
    { property, ImageValueKind::Date, IMAGE_FIELD(imageMember), RECORD_FIELD(recordMember), false, false }

static constexpr std::array<ImageRow, ContactImageRowCount> rows = {{
    PAIRED_TEXT("Account", account, account),
    PAIRED_DATE("Anniversary", anniversary, anniversary),
    PAIRED_TEXT("AssistantName", assistantName, assistantName),
    PAIRED_TEXT("AssistantTelephoneNumber", assistantTelephoneNumber, assistantPhone),
    PAIRED_DATE("Birthday", birthday, birthday),
    IMAGE_ONLY_TEXT("Business2TelephoneNumber", business2TelephoneNumber),
    PAIRED_TEXT("BusinessAddressCity", businessAddressCity, businessAddress.city),
    PAIRED_TEXT("BusinessAddressCountry", businessAddressCountry, businessAddress.country),
    PAIRED_TEXT("BusinessAddressPostalCode", businessAddressPostalCode, businessAddress.postalCode),
    IMAGE_ONLY_TEXT("BusinessAddressPostOfficeBox", businessAddressPostOfficeBox),
    PAIRED_TEXT("BusinessAddressState", businessAddressState, businessAddress.state),
    PAIRED_TEXT("BusinessAddressStreet", businessAddressStreet, businessAddress.street),
    PAIRED_TEXT("BusinessFaxNumber", businessFaxNumber, businessFax),
    PAIRED_TEXT("BusinessHomePage", businessHomePage, homePage),
    PAIRED_TEXT("BusinessTelephoneNumber", businessTelephoneNumber, workPhone),
    PAIRED_TEXT("CallbackTelephoneNumber", callbackTelephoneNumber, callbackPhone),
    PAIRED_TEXT("CarTelephoneNumber", carTelephoneNumber, carPhone),
    IMAGE_ONLY_TEXT("CompanyMainTelephoneNumber", companyMainTelephoneNumber),
    PAIRED_TEXT("CompanyName", companyName, company),
    PAIRED_TEXT("ComputerNetworkName", computerNetworkName, computerNetworkName),
    PAIRED_TEXT("CustomerID", customerId, customerId),
    PAIRED_TEXT("Department", department, department),
    PAIRED_TEXT("Email1Address", email1Address, email1),
    PAIRED_TEXT("Email1AddressType", email1AddressType, email1Type),
    PAIRED_TEXT("Email1DisplayName", email1DisplayName, email1DisplayName),
    PAIRED_TEXT("Email2Address", email2Address, email2),
    PAIRED_TEXT("Email2AddressType", email2AddressType, email2Type),
    PAIRED_TEXT("Email2DisplayName", email2DisplayName, email2DisplayName),
    PAIRED_TEXT("Email3Address", email3Address, email3),
    PAIRED_TEXT("Email3AddressType", email3AddressType, email3Type),
    PAIRED_TEXT("Email3DisplayName", email3DisplayName, email3DisplayName),
    PAIRED_TEXT("FirstName", firstName, firstName),
    PAIRED_TEXT("FTPSite", ftpSite, ftpSite),
    PAIRED_TEXT("FullName", fullName, fullName),
    {"Gender", ImageValueKind::Integer, IMAGE_FIELD(gender), NO_RECORD_FIELD, false, false},
    PAIRED_TEXT("Hobby", hobby, hobby),
    IMAGE_ONLY_TEXT("Home2TelephoneNumber", home2TelephoneNumber),
    PAIRED_TEXT("HomeAddressCity", homeAddressCity, homeAddress.city),
    PAIRED_TEXT("HomeAddressCountry", homeAddressCountry, homeAddress.country),
    PAIRED_TEXT("HomeAddressPostalCode", homeAddressPostalCode, homeAddress.postalCode),
    IMAGE_ONLY_TEXT("HomeAddressPostOfficeBox", homeAddressPostOfficeBox),
    PAIRED_TEXT("HomeAddressState", homeAddressState, homeAddress.state),
    PAIRED_TEXT("HomeAddressStreet", homeAddressStreet, homeAddress.street),
    PAIRED_TEXT("HomeFaxNumber", homeFaxNumber, homeFax),
    PAIRED_TEXT("HomeTelephoneNumber", homeTelephoneNumber, homePhone),
    PAIRED_TEXT("IMAddress", imAddress, imAddress),
    PAIRED_TEXT("Initials", initials, initials),
    IMAGE_ONLY_TEXT("ISDNNumber", isdnNumber),
    PAIRED_TEXT("JobTitle", jobTitle, jobTitle),
    PAIRED_TEXT("Language", language, language),
    PAIRED_TEXT("LastName", lastName, lastName),
    IMAGE_ONLY_TEXT("MailingAddressCity", mailingAddressCity),
    IMAGE_ONLY_TEXT("MailingAddressCountry", mailingAddressCountry),
    IMAGE_ONLY_TEXT("MailingAddressPostalCode", mailingAddressPostalCode),
    IMAGE_ONLY_TEXT("MailingAddressPostOfficeBox", mailingAddressPostOfficeBox),
    IMAGE_ONLY_TEXT("MailingAddressState", mailingAddressState),
    IMAGE_ONLY_TEXT("MailingAddressStreet", mailingAddressStreet),
    IMAGE_ONLY_TEXT("ManagerName", managerName),
    PAIRED_TEXT("MiddleName", middleName, middleName),
    PAIRED_TEXT("MobileTelephoneNumber", mobileTelephoneNumber, mobilePhone),
    PAIRED_TEXT("NickName", nickName, nickName),
    PAIRED_TEXT("OtherAddressCity", otherAddressCity, otherAddress.city),
    PAIRED_TEXT("OtherAddressCountry", otherAddressCountry, otherAddress.country),
    PAIRED_TEXT("OtherAddressPostalCode", otherAddressPostalCode, otherAddress.postalCode),
    IMAGE_ONLY_TEXT("OtherAddressPostOfficeBox", otherAddressPostOfficeBox),
    PAIRED_TEXT("OtherAddressState", otherAddressState, otherAddress.state),
    PAIRED_TEXT("OtherAddressStreet", otherAddressStreet, otherAddress.street),
    PAIRED_TEXT("OtherTelephoneNumber", otherTelephoneNumber, otherPhone),
    IMAGE_ONLY_TEXT("PagerNumber", pagerNumber),
    PAIRED_TEXT("PersonalHomePage", personalHomePage, personalHomePage),
    PAIRED_TEXT("PrimaryTelephoneNumber", primaryTelephoneNumber, mainPhone),
    PAIRED_TEXT("Profession", profession, profession),
    PAIRED_TEXT("RadioTelephoneNumber", radioTelephoneNumber, radioPhone),
    PAIRED_TEXT("Spouse", spouse, spouse),
    PAIRED_TEXT(nullptr, suffix, suffix),
    IMAGE_ONLY_TEXT("WebPage", webPage),
    {"Body", ImageValueKind::Text, IMAGE_FIELD(body), RECORD_FIELD(note), false, true},
    {nullptr, ImageValueKind::Text, IMAGE_FIELD(folderName), RECORD_FIELD(category), false, true},
    {"CreationTime", ImageValueKind::Date, IMAGE_FIELD(creationTime), RECORD_FIELD(creationTime), true, true},
    {"LastModificationTime", ImageValueKind::Date, IMAGE_FIELD(lastModificationTime),
     RECORD_FIELD(lastModificationTime), true, true},
}};

// A row left out would leave a zeroed row at the end.
static_assert(rows.back().imageSize != 0, "every image field has its row");

const std::array<ImageRow, ContactImageRowCount>& contactImageRows() { return rows; }

const ImageRow* findImageRow(size_t imageOffset) {
    for (const ImageRow& row : rows) {
        if (row.imageOffset == imageOffset)
            return &row;
    }
    return nullptr;
}

static char* fieldAddress(OutlookContactImage& image, const ImageRow& row) {
    return reinterpret_cast<char*>(&image) + row.imageOffset;
}

static const char* fieldAddress(const OutlookContactImage& image, const ImageRow& row) {
    return reinterpret_cast<const char*>(&image) + row.imageOffset;
}

char* imageText(OutlookContactImage& image, const ImageRow& row) { return fieldAddress(image, row); }

const char* imageText(const OutlookContactImage& image, const ImageRow& row) { return fieldAddress(image, row); }

double imageDate(const OutlookContactImage& image, const ImageRow& row) {
    double date = 0.0;
    std::memcpy(&date, fieldAddress(image, row), sizeof date);
    return date;
}

void setImageDate(OutlookContactImage& image, const ImageRow& row, double date) {
    std::memcpy(fieldAddress(image, row), &date, sizeof date);
}

int32_t imageInteger(const OutlookContactImage& image, const ImageRow& row) {
    int32_t value = 0;
    std::memcpy(&value, fieldAddress(image, row), sizeof value);
    return value;
}

void setImageInteger(OutlookContactImage& image, const ImageRow& row, int32_t value) {
    std::memcpy(fieldAddress(image, row), &value, sizeof value);
}

void copyImageField(OutlookContactImage& target, const OutlookContactImage& source, const ImageRow& row) {
    std::memcpy(fieldAddress(target, row), fieldAddress(source, row), row.imageSize);
}

std::vector<uint8_t> imageToBytes(const OutlookContactImage& image) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&image);
    return std::vector<uint8_t>(bytes, bytes + sizeof image);
}

bool imageFromBytes(const std::vector<uint8_t>& bytes, OutlookContactImage* image) {
    if (!image || bytes.size() != sizeof(OutlookContactImage))
        return false;
    std::memcpy(static_cast<void*>(image), bytes.data(), sizeof(OutlookContactImage));
    return true;
}
