#include "palm/PalmAddressRecord.h"

#include <algorithm>

void PalmAddressRecord::clear() { *this = PalmAddressRecord(); }

bool PalmAddressRecord::operator==(const PalmAddressRecord& other) const {
    return recordId == other.recordId && status == other.status && position == other.position &&
           lastName == other.lastName && firstName == other.firstName && title == other.title &&
           company == other.company && std::equal(phoneLabel, phoneLabel + kPhoneCount, other.phoneLabel) &&
           std::equal(phone, phone + kPhoneCount, other.phone) && address == other.address && city == other.city &&
           state == other.state && zip == other.zip && country == other.country && note == other.note &&
           isPrivate == other.isPrivate && categoryId == other.categoryId &&
           std::equal(custom, custom + kCustomCount, other.custom) && displayPhone == other.displayPhone &&
           categoryName == other.categoryName;
}
