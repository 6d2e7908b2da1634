#include "ui/ContactDetailDialog.h"

#include "resources/ResourceIds.h"
#include "ui/ContactLists.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/ContactDetailModel.h"

ContactDetailDialog::ContactDetailDialog() : BrandedDialog(IDD_CONTACT_DETAIL) {}

INT_PTR ContactDetailDialog::show(HWND owner, const ContactRecord& record)
{
    shown_ = static_cast<const ContactValues&>(record);
    setHeaderLine(detailHeaderLine(shown_));
    showModal(owner);
    return 1;
}

LRESULT ContactDetailDialog::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
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
    return 1;
}

void ContactDetailDialog::fillAddress()
{
    const int choice = static_cast<int>(SendDlgItemMessageA(handle(), IDC_DETAIL_ADDRESS_CHOICE, CB_GETCURSEL, 0, 0));
    for (int index = 0; index < DetailAddressFieldCount; ++index) {
        DetailText field;
        if (detailAddressText(shown_, choice, index, &field))
            SetDlgItemTextA(handle(), field.controlId, field.text);
    }
}

LRESULT ContactDetailDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL: EndDialog(handle(), 1); return 1;
    case IDC_DETAIL_ADDRESS_CHOICE:
        if (HIWORD(wParam) != CBN_SELCHANGE)
            return 0;
        fillAddress();
        return 1;
    default: return 0;
    }
}

void showSelectedContactDetail(HWND owner, const UxListView& list)
{
    const int row = list.selectedRow();
    if (row < 0)
        return;
    const ContactRecord* record = contactAt(list, row);
    if (record == nullptr)
        return;
    ContactDetailDialog dialog;
    dialog.show(owner, *record);
}
