#include "palm/PalmAddressRecord4.h"

#include "palm/FieldTags.h"

#include <algorithm>

bool PalmAddressBlock::operator==(const PalmAddressBlock& other) const {
    return address == other.address && city == other.city && state == other.state && zip == other.zip &&
           country == other.country;
}

PalmAddressRecord4::PalmAddressRecord4() {
    for (uint32_t index = 0; index < kBlobCount; ++index)
        blob[index].tag = BlobTag + index;
}

void PalmAddressRecord4::clear() { *this = PalmAddressRecord4(); }

bool PalmAddressRecord4::operator==(const PalmAddressRecord4& other) const {
    return recordId == other.recordId && value1 == other.value1 && status == other.status && value3 == other.value3 &&
           position == other.position && categoryId == other.categoryId && isPrivate == other.isPrivate &&
           std::equal(blob, blob + kBlobCount, other.blob) && text11 == other.text11 && text12 == other.text12 &&
           firstName == other.firstName && lastName == other.lastName && title == other.title &&
           company == other.company && value17 == other.value17 && note == other.note &&
           std::equal(phone, phone + kPhoneCount, other.phone) &&
           std::equal(phoneLabel, phoneLabel + kPhoneCount, other.phoneLabel) &&
           std::equal(custom, custom + kCustomCount, other.custom) && value42 == other.value42 &&
           workAddress == other.workAddress && value48 == other.value48 && homeAddress == other.homeAddress &&
           value54 == other.value54 && otherAddress == other.otherAddress &&
           std::equal(chat, chat + kChatCount, other.chat) && value62 == other.value62 && value63 == other.value63 &&
           webPage == other.webPage && birthday[0] == other.birthday[0] && birthday[1] == other.birthday[1] &&
           value66 == other.value66 && value67 == other.value67 && value68 == other.value68 && text69 == other.text69 &&
           text70 == other.text70 && text71 == other.text71 && text72 == other.text72 &&
           categoryName == other.categoryName;
}
