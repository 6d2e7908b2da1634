#include "ui/ContactDetailDialog.h"

#include "resources/ResourceIds.h"
#include "ui/ContactLists.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/ContactDetailModel.h"

ContactDetailDialog::ContactDetailDialog() : BrandedDialog(IDD_CONTACT_DETAIL) {}

INT_PTR ContactDetailDialog::show(HWND owner, const ContactRecord& record) {
    shown_ = static_cast<const ContactValues&>(record);
    setHeaderLine(detailHeaderLine(shown_));
    showModal(owner);
    return 1;
}

UxDialog::InitialFocus ContactDetailDialog::OnInitDialog() {
    for (int choice = 0; choice < DetailAddressChoiceCount; ++choice)
        SendDlgItemMessageA(handle(), IDC_DETAIL_ADDRESS_CHOICE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(detailAddressChoiceText(choice)));
    SendDlgItemMessageA(handle(), IDC_DETAIL_ADDRESS_CHOICE, CB_SETCURSEL, 0, 0);
    SetWindowTextA(handle(), detailWindowTitle(shown_).c_str());
    for (int index = 0; index < DetailFieldCount; ++index) {
        DetailText field;
        if (detailFieldText(shown_, index, &field))
            SetDlgItemTextA(handle(), field.controlId, field.text);
    }
    fillAddress();
    return InitialFocus::SetBySystem;
}

void ContactDetailDialog::fillAddress() {
    const int choice = static_cast<int>(SendDlgItemMessageA(handle(), IDC_DETAIL_ADDRESS_CHOICE, CB_GETCURSEL, 0, 0));
    for (int index = 0; index < DetailAddressFieldCount; ++index) {
        DetailText field;
        if (detailAddressText(shown_, choice, index, &field))
            SetDlgItemTextA(handle(), field.controlId, field.text);
    }
}

UxDialog::CommandAnswer ContactDetailDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(handle(), 1); return CommandAnswer::Handled;
    case IDC_DETAIL_ADDRESS_CHOICE:
        if (code != CBN_SELCHANGE)
            return CommandAnswer::NotHandled;
        fillAddress();
        return CommandAnswer::Handled;
    default: return CommandAnswer::NotHandled;
    }
}

void showSelectedContactDetail(HWND owner, const UxListView& list) {
    const int row = list.selectedRow();
    if (row < 0)
        return;
    const ContactRecord* record = contactAt(list, row);
    if (record == nullptr)
        return;
    ContactDetailDialog dialog;
    dialog.show(owner, *record);
}
