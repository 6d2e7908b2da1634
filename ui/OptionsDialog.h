#pragma once
#include "config/Settings.h"
#include "ui/BrandedDialog.h"
#include "ui/layout/OptionsDialogModel.h"

// Tools > Options: edits a copy of the settings' options taken at
// construction. OK makes the copy current and saves it, and writes the two
// list settings ("SwapName", "ShowDiff"); Cancel, Escape and the close box
// store nothing.
//
// This is the four-custom-field variant, with the Outlook address type.
class OptionsDialog : public BrandedDialog {
public:
    explicit OptionsDialog(Settings& settings);
    ~OptionsDialog() override = default;

    // Modal, owned by owner: 1 after OK, 0 after Cancel.
    INT_PTR runModal(HWND owner);
    // After OK: "SwapName" or "ShowDiff" differs from what the dialog opened with.
    bool listSettingChanged() const { return listSettingChanged_; }

    InitialFocus OnInitDialog() override;
    CommandAnswer OnCommand(int id, int code, HWND control) override;

protected:
    OptionsDialog(Settings& settings, OptionsVariant variant);

private:
    void fillMappingBoxes();
    void confirm();

    Settings& settings_;
    OptionsDialogModel model_;
    bool listSettingChanged_ = false;
};

// The nine-custom-field variant for Palm Desktop 4.1.2 and later: no Outlook
// address type, which it leaves as it was.
class OptionsDialogNine : public OptionsDialog {
public:
    explicit OptionsDialogNine(Settings& settings);
};

// The Options command: the variant the installed Palm Desktop needs, on the
// settings. True when OK changed a list setting, so the lists must be filled
// again.
bool runOptionsDialog(HWND owner, Settings& settings);
