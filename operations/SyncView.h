#pragma once
#include <cstdint>

#include "config/OptionsRecord.h"

class ContactList;
struct ContactRecord;
struct SyncPlan;

// The two contact lists of the window.
enum class SyncList { Palm, Outlook };

enum class SyncCursor {
    Normal,  // IDC_ARROW
    Wait,    // IDC_WAIT
};

// Message boxes are owned by the main window.
enum class SyncMessageKind {
    ErrorOk,                // MB_ICONERROR | MB_OK
    InformationOk,          // MB_ICONINFORMATION | MB_OK
    QuestionYesNo,          // MB_ICONQUESTION | MB_YESNO
    WarningYesNoDefaultNo,  // MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2
};

// What the Choose Sync Action dialog reports. action: the direction clicked,
// AskUser when OK was pressed without clicking one. applyToAll: the box
// IDC_APPLY_TO_ALL ticked.
struct SyncChoice {
    SyncAction action = SyncAction::AskUser;
    bool applyToAll = false;
    // Nobody is there to answer: the pair is left as it is.
    bool leaveAlone = false;
};

// Everything the synchronization operations need of the window; they reach
// the screen through nothing else, so a test can stand in for it.
//
// The content view implements it over its two UxListViews and the main
// frame:
//   hasList                  the list control exists (a handle)
//   rowCount, isChecked,
//   setChecked, recordAt     UxListView's itemCount, isChecked, setChecked,
//                            recordAt; rows in the order shown, row 0 on top
//   fillList                 fillContactList(list, records)
//   updateCounts             ContactView::updateCounts
//   reloadPalmSide           the Palm store reloads the opened file, else the
//                            address book of lastUser (as loadContacts does);
//                            its list emptied first, nothing else: no
//                            comparison, no refill
//   reloadBothSides          ContactView::loadContacts with Outlook: both
//                            stores reloaded, compared, both lists refilled,
//                            the counts
//   showProgress             MainFrame::showProgress
//   setCursor                SetCursor(LoadCursor(nullptr, IDC_WAIT/IDC_ARROW))
//   showMessage              MessageBoxA owned by the main window; true only
//                            for IDYES
//   chooseSyncAction         ChooseActionDialog, template 116, modal, owned
//                            by the main window, with the two records and the
//                            preset action and apply-to-all
//   previewSynchronizeAll    SyncPreviewDialog, modal, owned by the main
//                            window; true only for its Synchronize button
// Rows point into the stores' lists; the operations refill a list before any
// message box could repaint it after its records went away.
class SyncView {
public:
    virtual ~SyncView() = default;

    virtual bool hasList(SyncList list) const = 0;
    virtual int rowCount(SyncList list) const = 0;
    virtual bool isChecked(SyncList list, int row) const = 0;
    virtual void setChecked(SyncList list, int row, bool checked) = 0;
    // The record the row shows, or null.
    virtual ContactRecord* recordAt(SyncList list, int row) const = 0;
    // Empties the list and shows the records again, honouring "ShowDiff"
    // with the records' current comparison status.
    virtual void fillList(SyncList list, ContactList* records) = 0;
    // The count line from both lists' rows, then both sides compared again
    // and both lists repainted.
    virtual void updateCounts() = 0;
    // Replaces the Palm store's contents with what the address file holds;
    // an unreadable file leaves the store empty.
    virtual void reloadPalmSide() = 0;
    // Both sides read again and shown, as after an Undo.
    virtual void reloadBothSides() = 0;
    // 0 clears the progress display.
    virtual void showProgress(int percent) = 0;
    virtual void setCursor(SyncCursor cursor) = 0;
    // True when a Yes/No question was answered Yes; false otherwise.
    virtual bool showMessage(const char* text, const char* caption, SyncMessageKind kind) = 0;
    // Asks which of two differing records wins.
    virtual SyncChoice chooseSyncAction(const ContactRecord& palm, const ContactRecord& outlook,
                                        const SyncChoice& preset) = 0;
    // Shows what a Synchronize All will do; true when the user chose to run it.
    virtual bool previewSynchronizeAll(const SyncPlan& plan) = 0;
};
