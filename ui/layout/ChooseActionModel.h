#pragma once
#include <cstdint>
#include <string>

#include "config/OptionsRecord.h"

struct ContactRecord;

// What the Choose Sync Action dialog decides, apart from its window.

// The two answers of one showing. action: the direction clicked; anything
// else (the caller presets AskUser) means the user kept the preselected
// "Outlook wins" button. applyToAll: 1 keeps the answer for the rest of the
// run.
struct ChooseActionAnswer {
    SyncAction action = SyncAction::PalmOverwritesOutlook;
    int32_t applyToAll = 0;
};

// The direction button checked when the dialog opens: Palm Desktop wins only
// for PalmOverwritesOutlook, Outlook wins for everything else.
int initialDirectionButton(SyncAction action);

// A click on one of the dialog's controls, with the check box state after it.
// False for a control that does not change the answer.
bool applyChooseActionClick(ChooseActionAnswer& answer, int controlId, bool checkedAfterClick);

// Only OK ends the dialog: Escape and the close box send cancel, which is
// ignored, so the caller always receives a direction.
bool chooseActionEndsOn(int commandId);

// The text record shows in one of the eight contact columns, at most 1024
// characters; empty for a column outside the eight.
std::string contactColumnText(const ContactRecord& record, int column);
