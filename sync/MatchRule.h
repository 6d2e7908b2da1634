#pragma once
#include <cstdint>

#include "sync/ContactRecord.h"

// The pairing rule of findMatch, in pieces that both the search and its index
// use, so the two can never disagree on what a counterpart is.

// Record is a counterpart of probe: the same first and last name (or,
// failing that, the same non-empty first e-mail address), and at least one
// of the home, work, mobile and main telephone numbers the same. Texts
// compare byte for byte; two empty texts are equal.
bool isMatchCandidate(const ContactRecord& record, const ContactRecord& probe);

// None of the fields of the difference test differs between the two.
bool sameComparedFields(const ContactRecord& left, const ContactRecord& right);

// The candidate test is an "or" of eight exact-equality tests on two fields
// each: (name pair or first e-mail address) and one of the four telephone
// numbers. A record passes it against a probe exactly when one of these keys
// of the record equals the same key of the probe; the e-mail keys exist only
// for a non-empty address.
constexpr int MatchKeyKinds = 8;

struct MatchKeys {
    // A hash of each key; 0 for an e-mail key of an empty address (no key).
    uint64_t hashes[MatchKeyKinds];
};

MatchKeys matchKeysOf(const ContactRecord& record);
