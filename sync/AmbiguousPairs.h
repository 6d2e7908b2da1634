#pragma once
#include <cstdint>
#include <unordered_set>

#include "sync/ContactList.h"
#include "sync/ContactRecord.h"
#include "sync/RecordMatching.h"

// Records of one side that two or more records of the other side pair with
// (two people of one name without a main phone, nameless records). Writing
// such a pair would put one record's values over the other's: the
// counterpart would end as the last record written, or each record as the
// one counterpart. So nothing is written between them while it lasts.
class AmbiguousPairs {
public:
    // Both sides as they are before anything is written; what is appended to
    // a list after this was added by the run, from the other side.
    void find(ContactList* palm, ContactList* outlook);

    // Whether a record of the side probed from and the counterpart the search
    // found (in the other side's list) must be left alone: the counterpart
    // is shared, or the probe is, or the run added the counterpart from
    // another record of the probe's side.
    bool leavesPalmProbeAlone(const ContactRecord& palm, const MatchResult& inOutlook) const;
    bool leavesOutlookProbeAlone(const ContactRecord& outlook, const MatchResult& inPalm) const;

private:
    static bool leavesAlone(const ContactRecord& probe, const MatchResult& match,
                            const std::unordered_set<const ContactRecord*>& sharedOfProbeSide,
                            const std::unordered_set<const ContactRecord*>& sharedOfOtherSide, int32_t otherCount);

    std::unordered_set<const ContactRecord*> sharedPalm_;
    std::unordered_set<const ContactRecord*> sharedOutlook_;
    int32_t palmCount_ = 0;
    int32_t outlookCount_ = 0;
};
