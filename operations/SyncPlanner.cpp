#include "operations/SyncPlanner.h"

#include <cstdint>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "operations/RecordPosition.h"
#include "sync/MatchRule.h"
#include "sync/RecordMatching.h"

using Kind = SyncStep::Kind;

namespace {

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

SyncPlanner::SyncPlanner(SyncSides& sides, SyncAction rule) : sides_(sides) { plan_.rule = rule; }

SyncPlan SyncPlanner::plan(int palmRows, int outlookRows) {
    ContactList* palm = sides_.palm.contacts();
    ContactList* outlook = sides_.outlook.contacts();
    plan_.palmRecords = palm != nullptr ? palm->count() : 0;
    plan_.outlookRecords = outlook != nullptr ? outlook->count() : 0;
    for (int row = 0; row < palmRows; ++row) {
        if (const ContactRecord* record = sides_.view.recordAt(SyncList::Palm, row))
            probePalm(*record);
    }
    for (int row = 0; row < outlookRows; ++row) {
        if (const ContactRecord* record = sides_.view.recordAt(SyncList::Outlook, row))
            probeOutlook(*record);
    }
    return std::move(plan_);
}

void PlannedAdds::add(const ContactRecord& source) {
    const int32_t place = static_cast<int32_t>(added_.size());
    added_.push_back(&source);
    for (uint64_t key : matchKeysOf(source).hashes) {
        if (key != 0)
            byKey_.emplace(key, place);
    }
}

int32_t PlannedAdds::firstCounterpart(const ContactRecord& probe, int32_t listed) const {
    int32_t first = -1;
    for (uint64_t key : matchKeysOf(probe).hashes) {
        if (key == 0)
            continue;
        const auto range = byKey_.equal_range(key);
        for (auto entry = range.first; entry != range.second; ++entry) {
            // A hash shared by chance is no counterpart.
            const int32_t place = entry->second;
            if ((first < 0 || place < first) && isMatchCandidate(*added_[static_cast<size_t>(place)], probe))
                first = place;
        }
    }
    return first < 0 ? -1 : listed + first;
}

MatchResult SyncPlanner::counterpart(ContactList* listed, const PlannedAdds& added, const ContactRecord& probe) {
    const MatchResult match = findMatch(listed, &probe);
    if (match.code != MatchNone)
        return match;
    // The search takes the first candidate in list order, and the run's
    // copies follow the listed records. Only where one would stand matters:
    // a record the run added is never written again.
    const int32_t count = listed != nullptr ? listed->count() : 0;
    const int32_t position = added.firstCounterpart(probe, count);
    if (position < 0)
        return match;
    MatchResult later;
    later.code = MatchDiffers;
    later.position = position;
    return later;
}

void SyncPlanner::probePalm(const ContactRecord& palm) {
    const MatchResult match = counterpart(sides_.outlook.contacts(), addedToOutlook_, palm);
    if (sides_.ambiguous.leavesPalmProbeAlone(palm, match)) {
        leaveAlone(Kind::LeftAmbiguous, palm, true);
        return;
    }
    if (match.code == MatchNone) {
        plan_.steps.push_back({Kind::AddToOutlook, &palm, nullptr, positionOf(sides_.palm.contacts(), &palm), -1});
        addedToOutlook_.add(palm);
    } else if (match.code == MatchDiffers) {
        planPair(palm, positionOf(sides_.palm.contacts(), &palm), *match.record, match.position, palm);
    }
}

void SyncPlanner::probeOutlook(const ContactRecord& outlook) {
    const MatchResult match = counterpart(sides_.palm.contacts(), addedToPalm_, outlook);
    if (sides_.ambiguous.leavesOutlookProbeAlone(outlook, match)) {
        leaveAlone(Kind::LeftAmbiguous, outlook, false);
        return;
    }
    if (match.code == MatchNone) {
        if (!sides_.outlook.fullyRead(&outlook)) {
            leaveAlone(Kind::LeftPartlyRead, outlook, false);
            return;
        }
        plan_.steps.push_back(
            {Kind::AddToPalm, nullptr, &outlook, -1, positionOf(sides_.outlook.contacts(), &outlook)});
        addedToPalm_.add(outlook);
    } else if (match.code == MatchDiffers) {
        planPair(*match.record, match.position, outlook, positionOf(sides_.outlook.contacts(), &outlook), outlook);
    }
}

void SyncPlanner::planPair(const ContactRecord& palm, int32_t palmPosition, const ContactRecord& outlook,
                           int32_t outlookPosition, const ContactRecord& probe) {
    // Both passes meet a pair: it is planned once.
    if (pairs_.count({&palm, &outlook}) != 0)
        return;
    if (paired_.count(&palm) != 0 || paired_.count(&outlook) != 0) {
        leaveAlone(Kind::LeftAmbiguous, probe, &probe == &palm);
        return;
    }
    pairs_.insert({&palm, &outlook});
    paired_.insert(&palm);
    paired_.insert(&outlook);
    Kind kind = Kind::AskUser;
    if (plan_.rule == SyncAction::PalmOverwritesOutlook)
        kind = Kind::OverwriteOutlook;
    else if (plan_.rule != SyncAction::AskUser)
        kind = sides_.outlook.fullyRead(&outlook) ? Kind::OverwritePalm : Kind::LeftPartlyRead;
    plan_.steps.push_back({kind, &palm, &outlook, palmPosition, outlookPosition});
}

void SyncPlanner::leaveAlone(Kind why, const ContactRecord& probe, bool probeIsPalm) {
    if (!leftAlone_.insert(&probe).second)
        return;
    SyncStep step{why, nullptr, nullptr, -1, -1};
    if (probeIsPalm)
        step.palm = &probe;
    else
        step.outlook = &probe;
    plan_.steps.push_back(step);
}

}  // namespace

SyncPlan planSynchronizeAll(SyncSides& sides, SyncAction rule, int palmRows, int outlookRows) {
    SyncPlanner planner(sides, rule);
    return planner.plan(palmRows, outlookRows);
}
