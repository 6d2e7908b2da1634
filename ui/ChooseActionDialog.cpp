#include "ui/ChooseActionDialog.h"

#include "resources/ResourceIds.h"
#include "ui/ContactLists.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/ContactListModel.h"

namespace {

const char headerLine[] = "Same record in both Palm Desktop and Outlook. Pls choose action.";

// One row, no item data, no check box: the pair is only shown.
void showRecordRow(UxListView& list, const ContactRecord& record) {
    for (int column = 0; column < ContactColumnCount; ++column) {
        const std::string text = contactColumnText(record, column);
        if (column == 0)
            list.insertItem(0, text.c_str(), -1, 0);
        else
            list.setItem(0, column, text.c_str(), -1, 0);
    }
}

}  // namespace

ChooseActionDialog::ChooseActionDialog() : BrandedDialog(IDD_CHOOSE_ACTION, headerLine) {}

bool ChooseActionDialog::run(HWND owner, const ContactRecord& palm, const ContactRecord& outlook, SyncAction& action,
                             int& applyToAll) {
    return run(owner, &palm, &outlook, action, applyToAll);
}

bool ChooseActionDialog::run(HWND owner, const ContactRecord* palm, const ContactRecord* outlook, SyncAction& action,
                             int& applyToAll) {
    palmRecord_ = palm;
    outlookRecord_ = outlook;
    answer_.action = action;
    answer_.applyToAll = applyToAll;
    const INT_PTR result = showModal(owner);
    palmRecord_ = nullptr;
    outlookRecord_ = nullptr;
    if (result == -1)
        return false;  // no dialog: the caller's answers stay as they were
    action = answer_.action;
    applyToAll = answer_.applyToAll;
    return result == 1;
}

UxDialog::InitialFocus ChooseActionDialog::OnInitDialog() {
    CheckDlgButton(handle(), initialDirectionButton(answer_.action), BST_CHECKED);
    if (answer_.applyToAll != 0)
        CheckDlgButton(handle(), IDC_APPLY_TO_ALL, BST_CHECKED);

    UxListView palmList;
    UxListView outlookList;
    if (!palmList.attach(GetDlgItem(handle(), IDC_CHOOSE_PALM_LIST)) ||
        !outlookList.attach(GetDlgItem(handle(), IDC_CHOOSE_OUTLOOK_LIST)))
        return InitialFocus::LeftAlone;
    addContactColumns(palmList);
    addContactColumns(outlookList);
    // Without both records the lists stay empty, and the focus is not set.
    if (palmRecord_ == nullptr || outlookRecord_ == nullptr)
        return InitialFocus::LeftAlone;
    showRecordRow(palmList, *palmRecord_);
    showRecordRow(outlookList, *outlookRecord_);
    return InitialFocus::SetBySystem;
}

UxDialog::CommandAnswer ChooseActionDialog::OnCommand(int id, int code, HWND control) {
    if (chooseActionEndsOn(id)) {
        EndDialog(handle(), 1);
        return CommandAnswer::Handled;
    }
    const bool checked = IsDlgButtonChecked(handle(), id) == BST_CHECKED;
    return applyChooseActionClick(answer_, id, checked) ? CommandAnswer::Handled : CommandAnswer::NotHandled;
}
