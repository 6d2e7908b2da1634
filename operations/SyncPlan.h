#pragma once
#include <cstdint>
#include <vector>

#include "config/OptionsRecord.h"

struct ContactRecord;

// One thing a Synchronize All run does, in the order the run does it.
struct SyncStep {
    enum class Kind {
        AddToOutlook,      // the Palm record has no counterpart: a new Outlook contact
        AddToPalm,         // the Outlook contact has no counterpart: a new Palm Desktop record
        OverwriteOutlook,  // the rule lets the Palm record win the pair
        OverwritePalm,     // the rule lets the Outlook contact win the pair
        AskUser,           // the user picks the winner when the run comes to the pair
        LeftAmbiguous,     // more than one record could be the counterpart: nothing written
        LeftPartlyRead,    // Outlook did not give the contact in full: not copied to Palm Desktop
    };
    Kind kind = Kind::AddToOutlook;
    // The records the step reads or writes, and their positions in the
    // stores' lists, as they stood when the plan was made; null and -1 where
    // the step has none. A record left alone is the one that was probed.
    const ContactRecord* palm = nullptr;
    const ContactRecord* outlook = nullptr;
    int32_t palmPosition = -1;
    int32_t outlookPosition = -1;
};

// Everything one Synchronize All will do, worked out before its first write.
// The run carries it out step by step; the preview and the question before a
// large change show it. Its records belong to the stores' lists, so a plan
// lives no longer than the command that made it.
struct SyncPlan {
    SyncAction rule = SyncAction::AskUser;
    // The records of each side when the plan was made.
    int palmRecords = 0;
    int outlookRecords = 0;
    std::vector<SyncStep> steps;

    int count(SyncStep::Kind kind) const;
};
