#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "outlook/OutlookConnector.h"
#include "palmstore/PalmContactStore.h"
#include "operations/StoreWrites.h"
#include "operations/SyncSides.h"
#include "operations/SyncView.h"
#include "operations/SynchronizeAllRun.h"
#include "operations/UndoJournalWriter.h"

// How Synchronize All is agreed to: the plain question, or the preview of
// its plan.
enum class SyncStart { Confirmation, Preview };

// The three synchronization commands. Each runs to its end inside the
// command handler; whoever wants the custom-field mapping attaches the
// block to the connector before the call, and every run detaches it.
//
// What the user is told beyond the plain summaries: Outlook missing (before
// anything is done, for the commands that write to Outlook), records a store
// could not write (counted in the summary), Outlook read only in part (before
// anything is done), Outlook closed during a run (the run stops there and says
// so instead of summing up), a Palm Desktop file that could
// not be saved (an error, the Palm side reloaded from the file), and a backup
// of that file that could not be made (an error, nothing done).
class SyncOperations {
public:
    SyncOperations(SyncView& view, PalmContactStore& palm, OutlookConnector& outlook);

    // Every checked Palm Desktop row is added to Outlook or overwrites its
    // differing counterpart there.
    void transferPalmToOutlook();
    // Every checked Outlook row is added to the Palm Desktop side or
    // overwrites its differing counterpart; the file is then saved.
    void transferOutlookToPalm();
    // Every row of both lists is brought to the other side; for a differing
    // pair `syncAction` (the options' rule) or the user picks the winner.
    // The run is planned before its first write and carries out that plan,
    // the one the preview shows when it starts from the preview.
    SyncRunEnd synchronizeAll(SyncAction syncAction, SyncStart start = SyncStart::Confirmation);

    // Undo Last Synchronization: the operation in the journal taken back on
    // both sides, after the user confirmed it.
    void undoLastSynchronization();

    // The copy of the address file made before the last operation that could
    // rewrite it; empty before the first.
    const std::string& lastBackup() const { return lastBackup_; }

private:
    using RecordWrite = WriteOutcome (*)(SyncSides& sides, const ContactRecord* record);

    bool tellIfOutlookMissing();
    // A run that would overwrite most of one side, or that finds one side
    // empty while the other holds many records, is asked about once more,
    // with No as the default; false when the answer is No.
    bool confirmLargeChange(const SyncPlan& plan);
    // A load of Outlook that was cut short: nothing may be written until a
    // whole read, or what it missed would be added again.
    bool tellIfOutlookReadInPart();
    // A copy of the loaded address file as it is now goes to the backups;
    // true also when no file is loaded.
    bool backUpAddressFile();
    // The same before anything is written; when the copy cannot be made the
    // user is told, the report says so, and nothing runs.
    bool backUpBeforeAnyWrite();
    // The backup of an operation that left the file as it was is removed.
    void finishBackup(bool fileRewritten);
    // Starts the account of an operation: the report, the closing notes.
    void beginReport(const char* operation);
    // Before the first write: the journal that will take the run back. When
    // none can be written the user is asked whether to go on without Undo
    // (No by default); false when not.
    bool prepareJournal();
    // After the writes: the backup kept or removed, the journal closed with
    // the address file it rewrote, the report appended; what failed of
    // these goes into the closing notes.
    void endOperation(bool fileRewritten);
    // Another program rewrote the address file since it was read: the user
    // is told, the report says so, the Palm side is read again and shown.
    bool stopIfAddressFileChanged();
    int checkedRows(SyncList list) const;
    // Writes the record of every checked row, clearing its box, with the
    // progress running over the checked rows; the progress is cleared after.
    WriteTally writeCheckedRows(SyncList list, int checked, RecordWrite write);

    SyncSides sides_;
    std::string lastBackup_;
    // lastBackup_ was made for the run under way.
    bool backupOfThisRun_ = false;
    // The journal of the run under way; none when it goes on without Undo.
    std::unique_ptr<UndoJournalWriter> journal_;
};
