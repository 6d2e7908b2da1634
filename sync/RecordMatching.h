#pragma once
#include <cstdint>

#include "sync/ContactList.h"
#include "sync/ContactRecord.h"

enum MatchCode : int32_t {
    MatchNoProbe = -1,
    MatchSame = 1,
    MatchNone = 2,
    MatchDiffers = 3,
};

// ContactRecord::compareStatus values.
constexpr int32_t CompareStatusSame = 0;
constexpr int32_t CompareStatusMissing = 1;
constexpr int32_t CompareStatusDiffers = 2;

struct MatchResult {
    MatchCode code = MatchNoProbe;
    // The counterpart and its position; for MatchNone the record is null and
    // the position is the number of records examined.
    ContactRecord* record = nullptr;
    int32_t position = 0;
};

// Finds the counterpart of probe in list: the first record that is probe
// itself, or that has the same first and last name (or failing that the same
// non-empty first e-mail address) and shares at least one of the home, work,
// mobile and main telephone numbers. Looks it up in the list's index rather
// than walking the list, with exactly the answer and the cursor a walk would
// give. Moves only the list's cursor; a missing list counts as empty.
MatchResult findMatch(ContactList* list, const ContactRecord* probe);

// Sets compareStatus of every record of first from its match in second.
// False, and nothing changed, when either list is missing.
bool computeCompareStatus(ContactList* first, ContactList* second);
