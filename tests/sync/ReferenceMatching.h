#pragma once
// The matching rule as the plain walk over the list it is defined as: every
// record in list order, the first that is the probe itself or a counterpart
// wins. Written out on its own, without the library's helpers, so the indexed
// search is checked against the rule and not against itself.
#include <cstring>

#include "sync/ContactList.h"
#include "sync/RecordMatching.h"

namespace reference {

template <size_t N>
inline bool same(const char (&left)[N], const char (&right)[N]) {
    return std::strncmp(left, right, N) == 0;
}

inline bool isCounterpart(const ContactRecord& record, const ContactRecord& probe) {
    const bool byName = same(record.lastName, probe.lastName) && same(record.firstName, probe.firstName);
    if (!byName && !(record.email1[0] != '\0' && same(record.email1, probe.email1)))
        return false;
    return same(record.homePhone, probe.homePhone) || same(record.workPhone, probe.workPhone) ||
           same(record.mobilePhone, probe.mobilePhone) || same(record.mainPhone, probe.mainPhone);
}

inline bool sameAddress(const AddressBlock& left, const AddressBlock& right) {
    return same(left.country, right.country) && same(left.state, right.state) && same(left.city, right.city) &&
           same(left.street, right.street) && same(left.postalCode, right.postalCode);
}

inline bool differs(const ContactRecord& left, const ContactRecord& right) {
    bool equal = same(left.homePhone, right.homePhone) && same(left.workPhone, right.workPhone) &&
                 same(left.mobilePhone, right.mobilePhone) && same(left.mainPhone, right.mainPhone) &&
                 same(left.email1, right.email1) && same(left.businessFax, right.businessFax) &&
                 same(left.homeFax, right.homeFax) && same(left.company, right.company) &&
                 same(left.jobTitle, right.jobTitle) && sameAddress(left.businessAddress, right.businessAddress) &&
                 sameAddress(left.homeAddress, right.homeAddress) &&
                 sameAddress(left.otherAddress, right.otherAddress) && same(left.homePage, right.homePage) &&
                 same(left.note, right.note);
    for (int index = 0; index < 9 && equal; ++index)
        equal = same(left.custom[index], right.custom[index]);
    return !equal;
}

// findMatch by walking the list with first and next, as the rule reads.
inline MatchResult walkForMatch(ContactList* list, const ContactRecord* probe) {
    MatchResult result;
    if (probe == nullptr)
        return result;
    result.code = MatchNone;
    if (list == nullptr)
        return result;
    int32_t position = 0;
    for (ContactRecord* record = list->first(); record != nullptr; record = list->next(), ++position) {
        if (record == probe) {
            result.code = MatchSame;
        } else if (isCounterpart(*record, *probe)) {
            result.code = differs(*record, *probe) ? MatchDiffers : MatchSame;
        } else {
            continue;
        }
        result.record = record;
        result.position = position;
        return result;
    }
    result.position = position;
    return result;
}

inline int32_t statusOf(MatchCode code) {
    return code == MatchNone ? CompareStatusMissing : code == MatchDiffers ? CompareStatusDiffers : CompareStatusSame;
}

// computeCompareStatus over walkForMatch.
inline void walkCompareStatus(ContactList* first, ContactList* second) {
    const int32_t count = first->count();
    for (int32_t position = 0; position < count; ++position) {
        ContactRecord* record = first->at(position);
        record->compareStatus = statusOf(walkForMatch(second, record).code);
    }
}

}  // namespace reference
