#pragma once
#include "config/Settings.h"

// The part of the options dialog that is not a window: what its two check
// boxes start from, and what OK does with the edited copy.

// Palm Desktop above 4.1.1 (40101) gets the nine-custom-field dialog; older
// versions and an unknown version (0) the four-field one with address types.
bool usesNineFieldOptionsDialog(long palmDesktopVersionNumber);

struct OptionsDialogChecks {
    bool swapName;
    bool showDiff;
};

// Reads "SwapName" and "ShowDiff" afresh into the settings and tells which
// boxes start checked (any non-zero value).
OptionsDialogChecks openOptionsDialogSettings(Settings& settings);

// OK: the edited copy becomes the settings' options and is saved, and the
// boxes are written as "1" or "0". True when either box differs from the
// integer read when the dialog opened, so the lists must be filled again (a
// stored 2 with the box still checked counts, since it is now written as 1).
bool commitOptionsDialogSettings(Settings& settings, const OptionsRecord& edit, const OptionsDialogChecks& checks);
