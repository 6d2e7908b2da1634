#include "ui/ContactSyncView.h"

#include "session/ContactSession.h"
#include "ui/ContactLists.h"
#include "ui/ContactView.h"
#include "ui/MainFrame.h"
#include "ui/SyncPreviewDialog.h"

bool ContactSyncView::hasList(SyncList list) const { return listOf(list).handle() != nullptr; }

int ContactSyncView::rowCount(SyncList list) const { return listOf(list).itemCount(); }

bool ContactSyncView::isChecked(SyncList list, int row) const { return listOf(list).isChecked(row); }

void ContactSyncView::setChecked(SyncList list, int row, bool checked) { listOf(list).setChecked(row, checked); }

ContactRecord* ContactSyncView::recordAt(SyncList list, int row) const { return contactAt(listOf(list), row); }

void ContactSyncView::fillList(SyncList list, ContactList* records) {
    fillContactList(listOf(list), records, view_.session().settings().showDiff);
}

void ContactSyncView::updateCounts() { view_.updateCounts(); }

void ContactSyncView::reloadPalmSide() { view_.reloadPalmStore(); }

void ContactSyncView::reloadBothSides() { view_.loadContacts(true); }

void ContactSyncView::showProgress(int percent) { view_.frame().showProgress(percent); }

void ContactSyncView::setCursor(SyncCursor cursor) {
    SetCursor(LoadCursor(nullptr, cursor == SyncCursor::Wait ? IDC_WAIT : IDC_ARROW));
}

bool ContactSyncView::showMessage(const char* text, const char* caption, SyncMessageKind kind) {
    UINT style = MB_OK | MB_ICONINFORMATION;
    if (kind == SyncMessageKind::ErrorOk)
        style = MB_OK | MB_ICONERROR;
    else if (kind == SyncMessageKind::QuestionYesNo)
        style = MB_YESNO | MB_ICONQUESTION;
    else if (kind == SyncMessageKind::WarningYesNoDefaultNo)
        style = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
    return MessageBoxA(owner(), text, caption, style) == IDYES;
}

SyncChoice ContactSyncView::chooseSyncAction(const ContactRecord& palm, const ContactRecord& outlook,
                                             const SyncChoice& preset) {
    SyncAction action = preset.action;
    int applyToAll = preset.applyToAll ? 1 : 0;
    SyncChoice choice = preset;
    if (dialog_.run(owner(), palm, outlook, action, applyToAll)) {
        choice.action = action;
        choice.applyToAll = applyToAll != 0;
    }
    return choice;
}

bool ContactSyncView::previewSynchronizeAll(const SyncPlan& plan) {
    SyncPreviewDialog preview;
    return preview.run(owner(), plan);
}

UxListView& ContactSyncView::listOf(SyncList list) const {
    return list == SyncList::Palm ? view_.palmList() : view_.outlookList();
}

HWND ContactSyncView::owner() const { return view_.frame().handle(); }
