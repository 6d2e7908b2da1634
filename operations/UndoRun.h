#pragma once
#include <vector>

#include "operations/SyncSides.h"
#include "operations/UndoJournal.h"
#include "operations/UndoMessages.h"

// Undo Last Synchronization: the operation the journal holds taken back on
// both sides after the user confirmed it. The address file is put back from
// its backup through the safe rewrite, after a backup of the file as it is;
// the Outlook contacts the operation added are deleted and those it
// overwrote get their earlier values back, the last change first. A side
// changed since (the address file rewritten by another program, a contact
// modified after the operation) is left alone and named. What could not be
// taken back for another reason, or a contact that could not be reached
// (Outlook busy or gone), stays in the journal for a second try; everything
// else leaves it. A run ended before its journal was closed is taken back
// as far as its journal goes.
class UndoRun {
public:
    explicit UndoRun(SyncSides& sides) : sides_(sides) {}
    void run();

private:
    // Which parts are still as the operation left them, and the question.
    UndoPlan assess();
    enum class PalmFile { AsLeft, ChangedSince, Unreadable };
    PalmFile palmFileState() const;
    // False when the backup of the file as it is could not be made: then
    // nothing at all is done.
    bool restorePalmFile(UndoOutcome& outcome, UndoJournal& remaining);
    void takeBackOutlook(UndoOutcome& outcome, UndoJournal& remaining);
    void leaveAlone(const std::string& names, UndoOutcome& outcome);
    // Not reached now: counted, and kept in the journal for a later Undo.
    void keepForLater(const OutlookContactChange& change, UndoOutcome& outcome, UndoJournal& remaining);
    void finish(const UndoOutcome& outcome, const UndoJournal& remaining);

    SyncSides& sides_;
    UndoJournal journal_;
    bool palmAsLeft_ = false;
    bool palmUnreadable_ = false;
    std::vector<OutlookConnector::ItemState> outlookStates_;
};
