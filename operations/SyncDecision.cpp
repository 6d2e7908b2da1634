#include "operations/SyncDecision.h"

SyncAction SyncDecision::decide(SyncView& view, const ContactRecord& palm, const ContactRecord& outlook) {
    leavePairAlone_ = false;
    if (mustAsk()) {
        // The dialog preselects "Microsoft Outlook overwrite Palm Desktop." for AskUser.
        SyncChoice preset;
        preset.action = SyncAction::AskUser;
        preset.applyToAll = applyToAll_;
        view.setCursor(SyncCursor::Normal);
        const SyncChoice choice = view.chooseSyncAction(palm, outlook, preset);
        view.setCursor(SyncCursor::Wait);
        if (choice.leaveAlone) {
            leavePairAlone_ = true;
            return SyncAction::AskUser;
        }
        applyToAll_ = choice.applyToAll;
        action_ = choice.action;
    }
    return action_;
}
