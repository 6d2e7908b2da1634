#include "operations/SyncDecision.h"

int32_t SyncDecision::decide(SyncView& view, const ContactRecord& palm, const ContactRecord& outlook)
{
    if (mustAsk()) {
        // The dialog preselects "Microsoft Outlook overwrite Palm Desktop." for action 0.
        SyncChoice preset;
        preset.action = 0;
        preset.applyToAll = applyToAll_;
        view.setCursor(SyncCursor::Normal);
        const SyncChoice choice = view.chooseSyncAction(palm, outlook, preset);
        view.setCursor(SyncCursor::Wait);
        applyToAll_ = choice.applyToAll;
        action_ = choice.action;
    }
    return action_;
}
