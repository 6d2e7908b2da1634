#pragma once
#include "config/OptionsRecord.h"
#include "ui/BrandedDialog.h"
#include "ui/layout/OptionsDialogModel.h"

// Tools > Options: edits a copy of the options taken at construction. OK
// makes the copy current and saves it, and writes the two list settings
// ("SwapName", "ShowDiff"), setting viewOptionsChanged when either changed;
// Cancel, Escape and the close box store nothing.
//
// This is the four-custom-field variant, with the Outlook address type.
class OptionsDialog : public BrandedDialog {
public:
    explicit OptionsDialog(const OptionsRecord& current);
    ~OptionsDialog() override = default;

    // Modal, owned by owner: 1 after OK, 0 after Cancel.
    INT_PTR runModal(HWND owner);

    InitialFocus OnInitDialog() override;
    CommandAnswer OnCommand(int id, int code, HWND control) override;

protected:
    OptionsDialog(const OptionsRecord& current, OptionsVariant variant);

private:
    void fillMappingBoxes();
    void confirm();

    OptionsDialogModel model_;
};

// The nine-custom-field variant for Palm Desktop 4.1.2 and later: no Outlook
// address type, which it leaves as it was.
class OptionsDialogNine : public OptionsDialog {
public:
    explicit OptionsDialogNine(const OptionsRecord& current);
};

// The Options command: the variant the installed Palm Desktop needs, on the
// current options. True after OK.
bool runOptionsDialog(HWND owner);
