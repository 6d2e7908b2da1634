#pragma once
#include "config/OptionsRecord.h"
#include "operations/SyncView.h"

// Which side wins a differing pair, for one Synchronize All run. It starts
// from the configured rule; with "Determined by user." (AskUser) it asks
// until the user clicked a direction or ticked the apply-to-all box, and from
// then on that answer settles every later pair of the run, in both passes.
class SyncDecision {
public:
    explicit SyncDecision(SyncAction syncAction) : action_(syncAction) {}

    // The action for this pair: PalmOverwritesOutlook means the Palm Desktop
    // record wins; every other value (OutlookOverwritesPalm, AskUser after OK
    // without a direction) means the Outlook record wins.
    SyncAction decide(SyncView& view, const ContactRecord& palm, const ContactRecord& outlook);

    SyncAction action() const { return action_; }
    // The last pair asked about is to be left as it is (an answer nobody
    // gave); such an answer settles nothing for later pairs.
    bool leavesPairAlone() const { return leavePairAlone_; }
    bool applyToAll() const { return applyToAll_; }

private:
    bool mustAsk() const { return !applyToAll_ && action_ == SyncAction::AskUser; }

    SyncAction action_;
    bool applyToAll_ = false;
    bool leavePairAlone_ = false;
};

// True when the decided action lets the Palm Desktop record overwrite the
// Outlook record.
inline bool palmRecordWins(SyncAction action) { return action == SyncAction::PalmOverwritesOutlook; }
