#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

// One Outlook contact item as the program holds it: every property it
// exchanges, as single-byte text in fixed fields, automation dates (0 means
// no date) and the gender. A new image is all zeros. A record read from
// Outlook keeps a copy as its native block, so that a later write-back can
// return every property the record does not carry with the value it had.
struct OutlookContactImage {
    char account[32]{};
    double anniversary = 0.0;
    char assistantName[64]{};
    char assistantTelephoneNumber[24]{};
    double birthday = 0.0;
    char business2TelephoneNumber[24]{};
    char businessAddressCity[24]{};
    char businessAddressCountry[24]{};
    char businessAddressPostalCode[12]{};
    char businessAddressPostOfficeBox[12]{};
    char businessAddressState[24]{};
    char businessAddressStreet[128]{};
    char businessFaxNumber[24]{};
    char businessHomePage[256]{};
    char businessTelephoneNumber[24]{};
    char callbackTelephoneNumber[24]{};
    char carTelephoneNumber[24]{};
    char companyMainTelephoneNumber[24]{};
    char companyName[64]{};
    char computerNetworkName[32]{};
    char customerId[24]{};
    char department[32]{};
    char email1Address[64]{};
    char email1AddressType[16]{};
    char email1DisplayName[64]{};
    char email2Address[64]{};
    char email2AddressType[16]{};
    char email2DisplayName[64]{};
    char email3Address[64]{};
    char email3AddressType[16]{};
    char email3DisplayName[64]{};
    char firstName[64]{};
    char ftpSite[256]{};
    char fullName[64]{};
    int32_t gender = 0;
    char hobby[128]{};
    char home2TelephoneNumber[24]{};
    char homeAddressCity[24]{};
    char homeAddressCountry[24]{};
    char homeAddressPostalCode[12]{};
    char homeAddressPostOfficeBox[12]{};
    char homeAddressState[24]{};
    char homeAddressStreet[128]{};
    char homeFaxNumber[24]{};
    char homeTelephoneNumber[24]{};
    char imAddress[32]{};
    char initials[8]{};
    char isdnNumber[24]{};
    char jobTitle[32]{};
    char language[8]{};
    char lastName[64]{};
    char mailingAddressCity[24]{};
    char mailingAddressCountry[24]{};
    char mailingAddressPostalCode[12]{};
    char mailingAddressPostOfficeBox[12]{};
    char mailingAddressState[24]{};
    char mailingAddressStreet[128]{};
    char managerName[64]{};
    char middleName[64]{};
    char mobileTelephoneNumber[24]{};
    char nickName[64]{};
    char otherAddressCity[24]{};
    char otherAddressCountry[24]{};
    char otherAddressPostalCode[12]{};
    char otherAddressPostOfficeBox[12]{};
    char otherAddressState[24]{};
    char otherAddressStreet[128]{};
    char otherTelephoneNumber[24]{};
    char pagerNumber[24]{};
    char personalHomePage[256]{};
    char primaryTelephoneNumber[24]{};
    char profession[32]{};
    char radioTelephoneNumber[24]{};
    char spouse[64]{};
    // No Outlook property: exchanged with the record only.
    char suffix[8]{};
    char webPage[256]{};
    char body[2048]{};
    // The name of the folder holding the item, set by the enumeration; never
    // written to Outlook.
    char folderName[32]{};
    // Read from Outlook, never written.
    double creationTime = 0.0;
    double lastModificationTime = 0.0;
};

// The image travels as a plain block of bytes (a record's native block).
static_assert(std::is_trivially_copyable<OutlookContactImage>::value, "the image is copied as bytes");
static_assert(std::is_standard_layout<OutlookContactImage>::value, "fields are addressed by offset");

enum class ImageValueKind : uint8_t { Text, Date, Integer };

// Marks a row that pairs with no record field.
constexpr size_t NoRecordField = SIZE_MAX;

// One field of the image: which Outlook property it holds, where it lies in
// the image and which record field (offset into ContactValues) it pairs with.
// Every transfer between an item, its image and a record walks these rows.
struct ImageRow {
    // The property name sent to Outlook; null for a field Outlook never sees.
    const char* propertyName;
    ImageValueKind kind;
    size_t imageOffset;
    // Text capacity including the terminating NUL, else the value's size.
    size_t imageSize;
    size_t recordOffset;
    size_t recordSize;
    // Read from Outlook but never written to it.
    bool readOnly;
    // Exchanged with the record after the custom-field mapping, so a custom
    // field mapped onto it cannot override it.
    bool afterCustomMapping;
};

constexpr size_t ContactImageRowCount = 80;

// Every image field, in the image's order.
const std::array<ImageRow, ContactImageRowCount>& contactImageRows();

// The row of the field at `imageOffset`, or null.
const ImageRow* findImageRow(size_t imageOffset);

// Field access by row. Text fields are the row's imageSize bytes long.
char* imageText(OutlookContactImage& image, const ImageRow& row);
const char* imageText(const OutlookContactImage& image, const ImageRow& row);
double imageDate(const OutlookContactImage& image, const ImageRow& row);
void setImageDate(OutlookContactImage& image, const ImageRow& row, double date);
int32_t imageInteger(const OutlookContactImage& image, const ImageRow& row);
void setImageInteger(OutlookContactImage& image, const ImageRow& row, int32_t value);

// Copies the row's field of source over the same field of target.
void copyImageField(OutlookContactImage& target, const OutlookContactImage& source, const ImageRow& row);

// The image as a native block, and back. A block of any other size is not an
// image: false, and the image is left alone.
std::vector<uint8_t> imageToBytes(const OutlookContactImage& image);
bool imageFromBytes(const std::vector<uint8_t>& bytes, OutlookContactImage* image);
