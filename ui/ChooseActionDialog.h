#pragma once
#include "ui/BrandedDialog.h"
#include "ui/layout/ChooseActionModel.h"

struct ContactRecord;

// "Choose Sync Action": a Palm Desktop record and its differing Outlook
// counterpart, one row each, and the direction to take. Only OK ends it.
class ChooseActionDialog : public BrandedDialog {
public:
    ChooseActionDialog();
    // Shows the pair modally, owned by owner. action and applyToAll go in as
    // the run has them (AskUser: nothing chosen yet) and come back as the
    // user left them. True when the dialog ran and was ended with OK.
    bool run(HWND owner, const ContactRecord& palm, const ContactRecord& outlook, SyncAction& action, int& applyToAll);
    // The same with records that may be missing: the lists then stay empty,
    // and the direction can still be chosen.
    bool run(HWND owner, const ContactRecord* palm, const ContactRecord* outlook, SyncAction& action, int& applyToAll);

    InitialFocus OnInitDialog() override;
    CommandAnswer OnCommand(int id, int code, HWND control) override;

private:
    const ContactRecord* palmRecord_ = nullptr;
    const ContactRecord* outlookRecord_ = nullptr;
    ChooseActionAnswer answer_;
};
