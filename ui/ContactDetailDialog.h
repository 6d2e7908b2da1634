#pragma once
#include <string>

#include "sync/ContactRecord.h"
#include "ui/BrandedDialog.h"

class UxListView;

// "Contacts  Detail": the main fields of one contact and one of its three
// postal addresses, chosen with the address switch. It shows a copy of the
// record's values, so nothing typed into its edits can reach the record.
class ContactDetailDialog : public BrandedDialog {
public:
    ContactDetailDialog();
    // Modal, owned by owner. Always 1, however the dialog is closed.
    INT_PTR show(HWND owner, const ContactRecord& record);

    InitialFocus OnInitDialog() override;
    CommandAnswer OnCommand(int id, int code, HWND control) override;

private:
    void fillAddress();

    ContactValues shown_;
};

// A double-click on a contact list: the details of its selected row's
// record, if a row is selected and has one.
void showSelectedContactDetail(HWND owner, const UxListView& list);
