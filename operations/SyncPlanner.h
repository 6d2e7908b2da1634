#pragma once
#include <cstdint>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "operations/SyncPlan.h"
#include "operations/SyncSides.h"

// Works out what one Synchronize All does, without writing: the Palm pass
// over the Palm rows shown, then the Outlook pass over the Outlook rows, each
// row matched against the other side as the run would find it, with the
// records the run adds on the way. The ambiguous pairs must have been found
// first (SyncSides::findAmbiguousPairs). A record the plan already writes or
// pairs is never taken into a second pair: its values would end as the last
// record's written.
SyncPlan planSynchronizeAll(SyncSides& sides, SyncAction rule, int palmRows, int outlookRows);

// The records a plan adds to one side, searched as the run would find their
// copies there after the listed records: by their keys, without copying them.
class PlannedAdds {
public:
    void add(const ContactRecord& source);
    // Where the first added record the probe pairs with will stand, counted
    // after `listed` records; -1 for none.
    int32_t firstCounterpart(const ContactRecord& probe, int32_t listed) const;

private:
    std::vector<const ContactRecord*> added_;
    // By key hash, the places in added_ of the records with that key.
    std::unordered_multimap<uint64_t, int32_t> byKey_;
};

// The planner's working state, kept apart so each step reads as one rule.
class SyncPlanner {
public:
    SyncPlanner(SyncSides& sides, SyncAction rule);
    SyncPlan plan(int palmRows, int outlookRows);

private:
    void probePalm(const ContactRecord& palm);
    void probeOutlook(const ContactRecord& outlook);
    // The counterpart in the listed records, else in the ones the run adds
    // to that side (found at positions from the listed count on).
    MatchResult counterpart(ContactList* listed, const PlannedAdds& added, const ContactRecord& probe);
    void planPair(const ContactRecord& palm, int32_t palmPosition, const ContactRecord& outlook,
                  int32_t outlookPosition, const ContactRecord& probe);
    void leaveAlone(SyncStep::Kind why, const ContactRecord& probe, bool probeIsPalm);

    SyncSides& sides_;
    SyncPlan plan_;
    PlannedAdds addedToOutlook_;
    PlannedAdds addedToPalm_;
    std::set<std::pair<const ContactRecord*, const ContactRecord*>> pairs_;
    std::unordered_set<const ContactRecord*> paired_;
    std::unordered_set<const ContactRecord*> leftAlone_;
};
