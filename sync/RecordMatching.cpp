#include "sync/RecordMatching.h"

#include <cstring>

// Exact byte comparison of two terminated texts, bounded by the field.
template <size_t N>
static bool sameText(const char (&left)[N], const char (&right)[N])
{
    return std::strncmp(left, right, N) == 0;
}

static bool isCandidate(const ContactRecord& record, const ContactRecord& probe)
{
    const bool sameName = sameText(record.lastName, probe.lastName) && sameText(record.firstName, probe.firstName);
    if (!sameName) {
        const bool sameEmail = record.email1[0] != '\0' && sameText(record.email1, probe.email1);
        if (!sameEmail)
            return false;
    }
    return sameText(record.homePhone, probe.homePhone) || sameText(record.workPhone, probe.workPhone) ||
           sameText(record.mobilePhone, probe.mobilePhone) || sameText(record.mainPhone, probe.mainPhone);
}

static bool sameAddress(const AddressBlock& left, const AddressBlock& right)
{
    return sameText(left.country, right.country) && sameText(left.state, right.state) &&
           sameText(left.city, right.city) && sameText(left.street, right.street) &&
           sameText(left.postalCode, right.postalCode);
}

// The difference test: only these fields decide whether a matched pair differs.
static bool sameComparedFields(const ContactRecord& left, const ContactRecord& right)
{
    if (!(sameText(left.homePhone, right.homePhone) && sameText(left.workPhone, right.workPhone) &&
          sameText(left.mobilePhone, right.mobilePhone) && sameText(left.mainPhone, right.mainPhone) &&
          sameText(left.email1, right.email1) && sameText(left.businessFax, right.businessFax) &&
          sameText(left.homeFax, right.homeFax) && sameText(left.company, right.company) &&
          sameText(left.jobTitle, right.jobTitle)))
        return false;
    if (!(sameAddress(left.businessAddress, right.businessAddress) &&
          sameAddress(left.homeAddress, right.homeAddress) && sameAddress(left.otherAddress, right.otherAddress)))
        return false;
    if (!(sameText(left.homePage, right.homePage) && sameText(left.note, right.note)))
        return false;
    for (int index = 0; index < 9; ++index) {
        if (!sameText(left.custom[index], right.custom[index]))
            return false;
    }
    return true;
}

MatchResult findMatch(ContactList* list, const ContactRecord* probe)
{
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
        } else if (isCandidate(*record, *probe)) {
            result.code = sameComparedFields(*record, *probe) ? MatchSame : MatchDiffers;
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

static int32_t compareStatusFor(MatchCode code)
{
    switch (code) {
    case MatchNone: return CompareStatusMissing;
    case MatchDiffers: return CompareStatusDiffers;
    default: return CompareStatusSame;
    }
}

bool computeCompareStatus(ContactList* first, ContactList* second)
{
    if (first == nullptr || second == nullptr)
        return false;
    // Walk by position: findMatch moves the second list's cursor, and the two
    // lists may be one and the same.
    const int32_t count = first->count();
    for (int32_t position = 0; position < count; ++position) {
        ContactRecord* record = first->at(position);
        if (record == nullptr)
            break;
        record->compareStatus = compareStatusFor(findMatch(second, record).code);
    }
    return true;
}
