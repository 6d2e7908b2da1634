#pragma once
#include <cstdint>

#include "operations/SyncView.h"

// Which side wins a differing pair, for one Synchronize All run. It starts
// from the configured rule; with "Determined by user." (0) it asks until the
// user clicked a direction or ticked the apply-to-all box, and from then on
// that answer settles every later pair of the run, in both passes.
class SyncDecision {
public:
    explicit SyncDecision(int32_t syncAction) : action_(syncAction) {}

    // The action for this pair: 1 means the Palm Desktop record wins; every
    // other value (2, 0 after OK without a direction, a rule outside 0-2)
    // means the Outlook record wins.
    int32_t decide(SyncView& view, const ContactRecord& palm, const ContactRecord& outlook);

    int32_t action() const { return action_; }
    bool applyToAll() const { return applyToAll_; }

private:
    bool mustAsk() const { return !applyToAll_ && action_ == 0; }

    int32_t action_;
    bool applyToAll_ = false;
};

// True when the decided action lets the Palm Desktop record overwrite the
// Outlook record.
inline bool palmRecordWins(int32_t action) { return action == 1; }
