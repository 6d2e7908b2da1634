#pragma once
#include "operations/SyncView.h"
#include "ui/ChooseActionDialog.h"
#include "ui/framework/UxListView.h"

class ContactView;

// The content view's controls as the synchronization operations see them:
// its two lists, the main window's status line and progress bar, message
// boxes owned by the main window, the Choose Sync Action dialog and the
// preview of a Synchronize All.
class ContactSyncView : public SyncView {
public:
    explicit ContactSyncView(ContactView& view) : view_(view) {}

    bool hasList(SyncList list) const override;
    int rowCount(SyncList list) const override;
    bool isChecked(SyncList list, int row) const override;
    void setChecked(SyncList list, int row, bool checked) override;
    ContactRecord* recordAt(SyncList list, int row) const override;
    void fillList(SyncList list, ContactList* records) override;
    void updateCounts() override;
    void reloadPalmSide() override;
    void reloadBothSides() override;
    void showProgress(int percent) override;
    void setCursor(SyncCursor cursor) override;
    bool showMessage(const char* text, const char* caption, SyncMessageKind kind) override;
    SyncChoice chooseSyncAction(const ContactRecord& palm, const ContactRecord& outlook,
                                const SyncChoice& preset) override;
    bool previewSynchronizeAll(const SyncPlan& plan) override;

private:
    UxListView& listOf(SyncList list) const;
    HWND owner() const;

    ContactView& view_;
    // One dialog object for a whole run, as the run asks pair after pair.
    ChooseActionDialog dialog_;
};
