#pragma once
#include "config/OptionsRecord.h"

// The part of the options dialog that is not a window: what its two check
// boxes start from, and what OK does with the edited copy.

// Palm Desktop above 4.1.1 (40101) gets the nine-custom-field dialog; older
// versions and an unknown version (0) the four-field one with address types.
bool usesNineFieldOptionsDialog(long palmDesktopVersionNumber);

struct OptionsDialogChecks {
    bool swapName;
    bool showDiff;
};

// Reads "SwapName" and "ShowDiff" afresh into swapName and showDiff, clears
// viewOptionsChanged and tells which boxes start checked (any non-zero value).
OptionsDialogChecks openOptionsDialogSettings();

// OK: the edited copy becomes the current options and is saved, the boxes are
// written as "1" or "0", and viewOptionsChanged tells whether either differs
// from the integer read when the dialog opened (a stored 2 with the box still
// checked counts as a change, since it is now written as 1).
void commitOptionsDialogSettings(const OptionsRecord& edit, const OptionsDialogChecks& checks);
