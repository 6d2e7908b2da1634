#include "sync/AmbiguousPairs.h"

#include <unordered_map>

namespace {

// The records of other that two or more records of side pair with.
std::unordered_set<const ContactRecord*> sharedCounterparts(ContactList* side, ContactList* other) {
    std::unordered_set<const ContactRecord*> shared;
    if (side == nullptr || other == nullptr)
        return shared;
    std::unordered_map<const ContactRecord*, int> pairedWith;
    // By position: findMatch moves the other list's cursor only, but a walk
    // by cursor would not survive the two lists being one.
    const int32_t count = side->count();
    for (int32_t position = 0; position < count; ++position) {
        const ContactRecord* record = side->at(position);
        if (record == nullptr)
            break;
        const MatchResult match = findMatch(other, record);
        if (match.record != nullptr && ++pairedWith[match.record] == 2)
            shared.insert(match.record);
    }
    return shared;
}

int32_t countOf(ContactList* list) { return list != nullptr ? list->count() : 0; }

}  // namespace

void AmbiguousPairs::find(ContactList* palm, ContactList* outlook) {
    sharedOutlook_ = sharedCounterparts(palm, outlook);
    sharedPalm_ = sharedCounterparts(outlook, palm);
    palmCount_ = countOf(palm);
    outlookCount_ = countOf(outlook);
}

bool AmbiguousPairs::leavesAlone(const ContactRecord& probe, const MatchResult& match,
                                 const std::unordered_set<const ContactRecord*>& sharedOfProbeSide,
                                 const std::unordered_set<const ContactRecord*>& sharedOfOtherSide,
                                 int32_t otherCount) {
    if (sharedOfProbeSide.count(&probe) != 0)
        return true;
    if (match.code == MatchNone || match.code == MatchNoProbe)
        return false;
    // Added by the run: a planned add is found by where it will stand.
    if (match.position >= otherCount)
        return true;
    return match.record != nullptr && sharedOfOtherSide.count(match.record) != 0;
}

bool AmbiguousPairs::leavesPalmProbeAlone(const ContactRecord& palm, const MatchResult& inOutlook) const {
    return leavesAlone(palm, inOutlook, sharedPalm_, sharedOutlook_, outlookCount_);
}

bool AmbiguousPairs::leavesOutlookProbeAlone(const ContactRecord& outlook, const MatchResult& inPalm) const {
    return leavesAlone(outlook, inPalm, sharedOutlook_, sharedPalm_, palmCount_);
}
