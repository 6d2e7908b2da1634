#pragma once
#include <cstdint>

#include "outlook/OutlookConnector.h"
#include "sync/PalmContactStore.h"
#include "sync/operations/StoreWrites.h"
#include "sync/operations/SyncSides.h"
#include "sync/operations/SyncView.h"

// The three synchronization commands. Each runs to its end inside the
// command handler; whoever wants the custom-field mapping attaches the
// block to the connector before the call, and every run detaches it.
//
// What the user is told beyond the plain summaries: Outlook missing (before
// anything is done, for the commands that write to Outlook), records a store
// could not write (counted in the summary), and a Palm Desktop file that
// could not be saved (an error, the Palm side reloaded from the file).
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
    void synchronizeAll(int32_t syncAction);

private:
    using RecordWrite = WriteOutcome (*)(SyncSides& sides, const ContactRecord* record);

    bool tellIfOutlookMissing();
    int checkedRows(SyncList list) const;
    // Writes the record of every checked row, clearing its box, with the
    // progress running over the checked rows; the progress is cleared after.
    WriteTally writeCheckedRows(SyncList list, int checked, RecordWrite write);

    SyncSides sides_;
};
