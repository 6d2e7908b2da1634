#include "sync/MatchRule.h"

#include <cstddef>
#include <cstring>

namespace {

// Exact byte comparison of two terminated texts, bounded by the field.
template <size_t N>
bool sameText(const char (&left)[N], const char (&right)[N]) {
    return std::strncmp(left, right, N) == 0;
}

bool sameAddress(const AddressBlock& left, const AddressBlock& right) {
    return sameText(left.country, right.country) && sameText(left.state, right.state) &&
           sameText(left.city, right.city) && sameText(left.street, right.street) &&
           sameText(left.postalCode, right.postalCode);
}

// The bytes sameText compares: up to the terminator or the end of the field.
template <size_t N>
uint64_t textHash(const char (&text)[N]) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t index = 0; index < N && text[index] != '\0'; ++index) {
        hash ^= static_cast<unsigned char>(text[index]);
        hash *= 1099511628211ull;
    }
    return hash;
}

uint64_t mixed(uint64_t value) {
    value ^= value >> 30;
    value *= 0xBF58476D1CE4E5B9ull;
    value ^= value >> 27;
    value *= 0x94D049BB133111EBull;
    value ^= value >> 31;
    return value;
}

uint64_t pairHash(uint64_t kind, uint64_t first, uint64_t second) {
    const uint64_t hash = mixed(mixed(first + kind * 0x9E3779B97F4A7C15ull) ^ second);
    // 0 means "no key".
    return hash != 0 ? hash : 1;
}

}  // namespace

bool isMatchCandidate(const ContactRecord& record, const ContactRecord& probe) {
    const bool sameName = sameText(record.lastName, probe.lastName) && sameText(record.firstName, probe.firstName);
    if (!sameName) {
        const bool sameEmail = record.email1[0] != '\0' && sameText(record.email1, probe.email1);
        if (!sameEmail)
            return false;
    }
    return sameText(record.homePhone, probe.homePhone) || sameText(record.workPhone, probe.workPhone) ||
           sameText(record.mobilePhone, probe.mobilePhone) || sameText(record.mainPhone, probe.mainPhone);
}

bool sameComparedFields(const ContactRecord& left, const ContactRecord& right) {
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

MatchKeys matchKeysOf(const ContactRecord& record) {
    const uint64_t name = mixed(textHash(record.firstName)) ^ textHash(record.lastName);
    const uint64_t phones[4] = {textHash(record.homePhone), textHash(record.workPhone), textHash(record.mobilePhone),
                                textHash(record.mainPhone)};
    const bool hasEmail = record.email1[0] != '\0';
    const uint64_t email = hasEmail ? textHash(record.email1) : 0;
    MatchKeys keys;
    for (int phone = 0; phone < 4; ++phone) {
        keys.hashes[phone] = pairHash(static_cast<uint64_t>(phone + 1), name, phones[phone]);
        keys.hashes[4 + phone] = hasEmail ? pairHash(static_cast<uint64_t>(phone + 5), email, phones[phone]) : 0;
    }
    return keys;
}
