#include "ui/layout/ContactDetailModel.h"

#include <cstdio>
#include <cstring>

#include "resources/ResourceIds.h"

namespace {

const char* const addressChoices[DetailAddressChoiceCount] = {"Work", "Home", "Other"};

const int addressFieldIds[DetailAddressFieldCount] = {
    IDC_DETAIL_STREET, IDC_DETAIL_CITY, IDC_DETAIL_STATE, IDC_DETAIL_POSTAL_CODE, IDC_DETAIL_COUNTRY,
};

const size_t headerLineCapacity = 100;

// A name field's text, never read past the field.
template <size_t N>
std::string nameText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace

const char* detailAddressChoiceText(int choice) {
    return choice >= 0 && choice < DetailAddressChoiceCount ? addressChoices[choice] : "";
}

bool detailFieldText(const ContactValues& record, int index, DetailText* shown) {
    if (shown == nullptr)
        return false;
    switch (index) {
    case 0: *shown = {IDC_DETAIL_FIRST_NAME, record.firstName}; return true;
    case 1: *shown = {IDC_DETAIL_LAST_NAME, record.lastName}; return true;
    case 2: *shown = {IDC_DETAIL_COMPANY, record.company}; return true;
    case 3: *shown = {IDC_DETAIL_TITLE, record.jobTitle}; return true;
    case 4: *shown = {IDC_DETAIL_WORK_PHONE, record.workPhone}; return true;
    case 5: *shown = {IDC_DETAIL_EMAIL, record.email1}; return true;
    case 6: *shown = {IDC_DETAIL_HOME_PHONE, record.homePhone}; return true;
    case 7: *shown = {IDC_DETAIL_MOBILE, record.mobilePhone}; return true;
    default: return false;
    }
}

const AddressBlock* detailAddressBlock(const ContactValues& record, int choice) {
    switch (choice) {
    case 0: return &record.businessAddress;
    case 1: return &record.homeAddress;
    case 2: return &record.otherAddress;
    default: return nullptr;
    }
}

bool detailAddressText(const ContactValues& record, int choice, int index, DetailText* shown) {
    const AddressBlock* block = detailAddressBlock(record, choice);
    if (block == nullptr || shown == nullptr || index < 0 || index >= DetailAddressFieldCount)
        return false;
    const char* const texts[DetailAddressFieldCount] = {block->street, block->city, block->state, block->postalCode,
                                                        block->country};
    *shown = {addressFieldIds[index], texts[index]};
    return true;
}

std::string detailWindowTitle(const ContactValues& record) {
    return "Detail information of " + nameText(record.firstName) + " " + nameText(record.lastName);
}

std::string detailHeaderLine(const ContactValues& record) {
    char line[headerLineCapacity];
    std::snprintf(line, sizeof line, "View contacts detail information of %s %s.", nameText(record.firstName).c_str(),
                  nameText(record.lastName).c_str());
    return line;
}
