#include "ui/OptionsDialog.h"

#include "config/OptionsDialogSettings.h"
#include "outlook/OutlookFieldList.h"
#include "palm/PalmDesktopInstallation.h"
#include "resources/ResourceIds.h"
#include "ui/framework/UxHandles.h"

namespace {

const char headerLine[] = "Setup Quillset for Outlook options.";
const int droppedListMargin = 8;

bool boxChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The field names are longer than the boxes are wide: the dropped list is
// made wide enough for the longest one.
int widestFieldText(HWND box) {
    UxWindowDc context(box);
    UxSelection font(context.get(), reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int32_t entry = 0; entry < OutlookFieldCount; ++entry) {
        const char* text = outlookFieldText(entry);
        SIZE extent = {};
        if (GetTextExtentPoint32A(context.get(), text, lstrlenA(text), &extent) && extent.cx > widest)
            widest = extent.cx;
    }
    return widest;
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings) : OptionsDialog(settings, OptionsVariant::FourFields) {}

OptionsDialog::OptionsDialog(Settings& settings, OptionsVariant variant)
    : BrandedDialog(optionsTemplateFor(variant), headerLine), settings_(settings), model_(settings.options, variant) {}

OptionsDialogNine::OptionsDialogNine(Settings& settings) : OptionsDialog(settings, OptionsVariant::NineFields) {}

INT_PTR OptionsDialog::runModal(HWND owner) {
    const INT_PTR result = showModal(owner);
    return result == 1 ? 1 : 0;
}

void OptionsDialog::fillMappingBoxes() {
    int droppedWidth = 0;
    for (int index = 0; index < model_.mappingBoxCount(); ++index) {
        HWND box = GetDlgItem(handle(), model_.mappingBoxId(index));
        SendMessageA(box, CB_RESETCONTENT, 0, 0);
        for (int32_t entry = 0; entry < OutlookFieldCount; ++entry)
            SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(outlookFieldText(entry)));
        SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(model_.initialMappingSelection(index)), 0);
        if (droppedWidth == 0)
            droppedWidth = widestFieldText(box) + GetSystemMetrics(SM_CXVSCROLL) + droppedListMargin;
        SendMessageA(box, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(droppedWidth), 0);
    }
}

UxDialog::InitialFocus OptionsDialog::OnInitDialog() {
    CheckDlgButton(handle(), model_.initialSyncActionButton(), BST_CHECKED);
    if (model_.initialAddressButton() != 0)
        CheckDlgButton(handle(), model_.initialAddressButton(), BST_CHECKED);
    fillMappingBoxes();
    const OptionsDialogChecks checks = openOptionsDialogSettings(settings_);
    CheckDlgButton(handle(), IDC_SWAP_NAME, checks.swapName ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle(), IDC_SHOW_DIFF, checks.showDiff ? BST_CHECKED : BST_UNCHECKED);
    return InitialFocus::SetBySystem;
}

void OptionsDialog::confirm() {
    int selections[OptionsRecord::customMapCount];
    const int boxes = model_.mappingBoxCount();
    for (int index = 0; index < boxes; ++index)
        selections[index] =
            static_cast<int>(SendDlgItemMessageA(handle(), model_.mappingBoxId(index), CB_GETCURSEL, 0, 0));
    model_.storeMappingSelections(selections, boxes);
    const OptionsDialogChecks checks = {boxChecked(handle(), IDC_SWAP_NAME), boxChecked(handle(), IDC_SHOW_DIFF)};
    listSettingChanged_ = commitOptionsDialogSettings(settings_, model_.edit(), checks);
    EndDialog(handle(), 1);
}

UxDialog::CommandAnswer OptionsDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDOK: confirm(); return CommandAnswer::Handled;
    case IDCANCEL: EndDialog(handle(), 0); return CommandAnswer::Handled;
    default: return model_.applyRadioClick(id) ? CommandAnswer::Handled : CommandAnswer::NotHandled;
    }
}

bool runOptionsDialog(HWND owner, Settings& settings) {
    if (optionsVariantFor(getPalmDesktopVersion()) == OptionsVariant::NineFields) {
        OptionsDialogNine dialog(settings);
        return dialog.runModal(owner) == 1 && dialog.listSettingChanged();
    }
    OptionsDialog dialog(settings);
    return dialog.runModal(owner) == 1 && dialog.listSettingChanged();
}
