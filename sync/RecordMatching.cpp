#include "sync/RecordMatching.h"

#include "sync/ContactMatchIndex.h"
#include "sync/MatchRule.h"

namespace {

MatchResult matched(ContactRecord* record, int32_t position, const ContactRecord& probe) {
    MatchResult result;
    result.code = record == &probe || sameComparedFields(*record, probe) ? MatchSame : MatchDiffers;
    result.record = record;
    result.position = position;
    return result;
}

// The search without an index, for when there is no memory for one.
MatchResult scanForMatch(ContactList& list, const ContactRecord& probe) {
    int32_t position = 0;
    for (ContactRecord* record = list.first(); record != nullptr; record = list.next(), ++position) {
        if (record == &probe || isMatchCandidate(*record, probe))
            return matched(record, position, probe);
    }
    MatchResult none;
    none.code = MatchNone;
    none.position = position;
    return none;
}

}  // namespace

MatchResult findMatch(ContactList* list, const ContactRecord* probe) {
    MatchResult result;
    if (probe == nullptr)
        return result;
    result.code = MatchNone;
    if (list == nullptr || list->count() == 0)
        return result;
    ContactMatchIndex* index = list->matchIndex();
    if (index == nullptr)
        return scanForMatch(*list, *probe);
    const int32_t position = index->firstCandidate(*list, *probe);
    if (position < 0) {
        // Where a scan would have left the cursor: on the last record.
        list->at(list->count() - 1);
        result.position = list->count();
        return result;
    }
    // The caller may overwrite the counterpart before it searches again.
    index->lend(position);
    return matched(list->at(position), position, *probe);
}

static int32_t compareStatusFor(MatchCode code) {
    switch (code) {
    case MatchNone: return CompareStatusMissing;
    case MatchDiffers: return CompareStatusDiffers;
    default: return CompareStatusSame;
    }
}

bool computeCompareStatus(ContactList* first, ContactList* second) {
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
