#include "operations/SyncOperations.h"

#include <string>

#include "platform/FileSystem.h"
#include "platform/LocalClock.h"
#include "sync/RecordMatching.h"
#include "operations/AddressFileBackups.h"
#include "operations/LargeChangeGuard.h"
#include "operations/RecordPosition.h"
#include "operations/SyncMessages.h"
#include "operations/SyncProgress.h"
#include "operations/SyncPlanner.h"
#include "operations/SynchronizeAllRun.h"
#include "operations/UndoJournal.h"
#include "operations/UndoJournalWriter.h"
#include "operations/UndoMessages.h"
#include "operations/UndoRun.h"

namespace {

void noteInReport(SyncSides& sides, const ContactRecord* record, SyncReport::Action action, WriteOutcome outcome,
                  const std::string& why = std::string()) {
    if (record != nullptr && outcome != WriteOutcome::Unchanged)
        sides.report.noteWrite(*record, action, outcome == WriteOutcome::Changed, why);
}

// Why the Outlook contact at the position may not take part in a write: it
// was changed or deleted in Outlook since the load; null when it may.
const char* outlookContactNotAsRead(SyncSides& sides, int32_t position) {
    switch (sides.outlook.stateSinceRead(position)) {
    case OutlookConnector::ItemState::ChangedSince: return contactChangedReportText;
    case OutlookConnector::ItemState::Gone: return contactDeletedReportText;
    case OutlookConnector::ItemState::AsLeft:
    case OutlookConnector::ItemState::Unreachable: break;
    }
    return nullptr;
}

WriteOutcome writeToOutlook(SyncSides& sides, const ContactRecord* record) {
    const MatchResult match = findMatch(sides.outlook.contacts(), record);
    if (record != nullptr && sides.leaveAloneIfAmbiguous(*record, true, match))
        return WriteOutcome::Unchanged;
    const bool overwrite = record != nullptr && match.code != MatchNone;
    // The user's own edit since the load is not written over, nor a contact
    // that is gone.
    if (match.code == MatchDiffers) {
        if (const char* why = outlookContactNotAsRead(sides, match.position)) {
            noteInReport(sides, record, SyncReport::Action::OutlookOverwritten, WriteOutcome::Failed, why);
            return WriteOutcome::Failed;
        }
    }
    const WriteOutcome outcome = mergeIntoOutlook(sides.outlook, record);
    if (outcome == WriteOutcome::Changed)
        sides.noteCutsForOutlook(*record);
    noteInReport(sides, record, overwrite ? SyncReport::Action::OutlookOverwritten : SyncReport::Action::AddedToOutlook,
                 outcome, outcome == WriteOutcome::Failed ? outlookWriteProblem(sides.outlook) : std::string());
    return outcome;
}

WriteOutcome writeToPalm(SyncSides& sides, const ContactRecord* record) {
    if (record != nullptr && !sides.outlookRecordUsable(*record))
        return WriteOutcome::Failed;
    const MatchResult match = findMatch(sides.palm.contacts(), record);
    if (record != nullptr && sides.leaveAloneIfAmbiguous(*record, false, match))
        return WriteOutcome::Unchanged;
    const bool overwrite = record != nullptr && match.code != MatchNone;
    const SyncReport::Action action = overwrite ? SyncReport::Action::PalmOverwritten : SyncReport::Action::AddedToPalm;
    // What was read of a contact edited or deleted since is no longer
    // Outlook's: it is not copied.
    if (match.code == MatchDiffers || match.code == MatchNone) {
        if (const char* why = outlookContactNotAsRead(sides, positionOf(sides.outlook.contacts(), record))) {
            noteInReport(sides, record, action, WriteOutcome::Failed, why);
            return WriteOutcome::Failed;
        }
    }
    TextCuts cuts;
    if (record != nullptr)
        cuts = sides.cutsOnTheWayToPalm(*record);
    const WriteOutcome outcome = mergeIntoPalm(sides.palm, record, &cuts);
    if (record != nullptr)
        sides.noteCutsForPalm(*record, cuts);
    noteInReport(sides, record, action, outcome);
    return outcome;
}

const char* ruleText(SyncAction syncAction) {
    switch (syncAction) {
    case SyncAction::AskUser: return "Determined by user (Choose Sync Action for each differing pair)";
    case SyncAction::PalmOverwritesOutlook: return "Palm Desktop overwrites Outlook";
    default: return "Outlook overwrites Palm Desktop";
    }
}

constexpr char noBackupReportText[] = "No backup of the Palm Desktop address file could be made; nothing was done.";

}  // namespace

SyncOperations::SyncOperations(SyncView& view, PalmContactStore& palm, OutlookConnector& outlook)
    : sides_{view, palm, outlook} {}

bool SyncOperations::tellIfOutlookMissing() {
    if (sides_.outlook.outlookAvailable())
        return false;
    sides_.tell(outlookMissingText, errorCaption, SyncMessageKind::ErrorOk);
    return true;
}

bool SyncOperations::tellIfOutlookReadInPart() {
    if (!sides_.outlook.outlookAvailable() || sides_.outlook.wholeRead())
        return false;
    sides_.tell(outlookReadInPartText, errorCaption, SyncMessageKind::ErrorOk);
    return true;
}

bool SyncOperations::backUpAddressFile() {
    lastBackup_.clear();
    backupOfThisRun_ = false;
    const std::string path = sides_.palm.filePath();
    // Without a loaded file nothing of Palm Desktop can be rewritten.
    if (path.empty())
        return true;
    // The last operation's journal stays until this one writes: its backup
    // must outlive the copies made meanwhile.
    UndoJournal lastJournal;
    const std::string keep = lastJournal.load() ? lastJournal.backupFile : std::string();
    backupOfThisRun_ = AddressFileBackups::backUp(path, currentLocalTime(), &lastBackup_, keep);
    return backupOfThisRun_;
}

void SyncOperations::finishBackup(bool fileRewritten) {
    // A copy of a file left as it was only pushes older copies out. A run
    // that made none leaves the last one alone: it may be all there is of
    // the file as it was before the run that rewrote it.
    if (backupOfThisRun_ && !fileRewritten && !lastBackup_.empty()) {
        removeFile(lastBackup_);
        lastBackup_.clear();
    }
    backupOfThisRun_ = false;
}

bool SyncOperations::backUpBeforeAnyWrite() {
    if (backUpAddressFile())
        return true;
    sides_.report.noteFailure(noBackupReportText);
    sides_.report.appendToLog();
    sides_.tell(backupFailedText, errorCaption, SyncMessageKind::ErrorOk);
    return false;
}

bool SyncOperations::stopIfAddressFileChanged() {
    if (!sides_.palm.fileChangedSinceRead())
        return false;
    sides_.report.noteFailure(changedElsewhereReportText);
    sides_.report.appendToLog();
    sides_.reloadPalmSide();
    sides_.refillBothLists();
    sides_.view.updateCounts();
    sides_.tell(addressFileChangedText(false, false).c_str(), errorCaption, SyncMessageKind::ErrorOk);
    return true;
}

int SyncOperations::checkedRows(SyncList list) const {
    const int rows = sides_.view.rowCount(list);
    int checked = 0;
    for (int row = 0; row < rows; ++row) {
        if (sides_.view.isChecked(list, row))
            ++checked;
    }
    return checked;
}

WriteTally SyncOperations::writeCheckedRows(SyncList list, int checked, RecordWrite write) {
    SyncProgress progress(sides_.view, checked);
    WriteTally tally;
    const int rows = sides_.view.rowCount(list);
    for (int row = 0; row < rows; ++row) {
        if (!sides_.view.isChecked(list, row))
            continue;
        progress.advance();
        tally.add(write(sides_, sides_.view.recordAt(list, row)));
        sides_.view.setChecked(list, row, false);
        // Every later call would fail the same way.
        if (sides_.outlook.outlookGone()) {
            tally.outlookGone = true;
            sides_.report.noteFailure(outlookGoneReportText);
            break;
        }
    }
    progress.clear();
    return tally;
}

void SyncOperations::transferPalmToOutlook() {
    MappingBlockRelease release(sides_);
    SyncView& view = sides_.view;
    if (!view.hasList(SyncList::Palm) || tellIfOutlookMissing() || tellIfOutlookReadInPart())
        return;
    const int checked = checkedRows(SyncList::Palm);
    if (checked == 0) {
        sides_.tell(noPalmRecordSelectedText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    beginReport(palmToOutlookReportName);
    if (stopIfAddressFileChanged() || !prepareJournal())
        return;
    OutlookChangeRecording recording(sides_, journal_.get());
    sides_.findAmbiguousPairs();
    view.setCursor(SyncCursor::Wait);
    const WriteTally tally = writeCheckedRows(SyncList::Palm, checked, writeToOutlook);
    endOperation(false);
    if (tally.changed)
        sides_.refillBothLists();
    view.updateCounts();
    view.setCursor(SyncCursor::Normal);
    sides_.detachMappingBlock();
    if (tally.outlookGone) {
        sides_.tell((outlookGoneText + sides_.summaryEnd()).c_str(), errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    sides_.tell((palmToOutlookSummary(checked - tally.failed, tally.failed) + sides_.summaryEnd()).c_str(),
                informationCaption, SyncMessageKind::InformationOk);
}

void SyncOperations::transferOutlookToPalm() {
    MappingBlockRelease release(sides_);
    SyncView& view = sides_.view;
    if (!view.hasList(SyncList::Outlook) || tellIfOutlookReadInPart())
        return;
    const int checked = checkedRows(SyncList::Outlook);
    if (checked == 0) {
        sides_.tell(noOutlookRecordSelectedText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    beginReport(outlookToPalmReportName);
    if (stopIfAddressFileChanged() || !prepareJournal() || !backUpBeforeAnyWrite())
        return;
    sides_.findAmbiguousPairs();
    view.setCursor(SyncCursor::Wait);
    const WriteTally tally = writeCheckedRows(SyncList::Outlook, checked, writeToPalm);
    bool saved = true;
    bool changedElsewhere = false;
    if (tally.changed) {
        changedElsewhere = sides_.palm.fileChangedSinceRead();
        saved = !changedElsewhere && sides_.palm.save();
        if (!saved) {
            sides_.report.noteFailure(changedElsewhere ? changedAtSaveReportText : notSavedReportText);
            sides_.reloadPalmSide();
        }
        // Straight after a reload: the Palm rows point at records that are gone.
        sides_.refillBothLists();
    }
    endOperation(tally.changed && saved);
    view.setCursor(SyncCursor::Normal);
    view.updateCounts();
    sides_.detachMappingBlock();
    if (!saved) {
        // Nothing of this run reached the file, so there is nothing to sum up.
        const std::string text = changedElsewhere ? addressFileChangedText(true, false) : palmSaveFailedText(false);
        sides_.tell(text.c_str(), errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    sides_.tell((outlookToPalmSummary(checked - tally.failed, tally.failed) + sides_.summaryEnd()).c_str(),
                informationCaption, SyncMessageKind::InformationOk);
}

SyncRunEnd SyncOperations::synchronizeAll(SyncAction syncAction, SyncStart start) {
    MappingBlockRelease release(sides_);
    SyncView& view = sides_.view;
    if (!view.hasList(SyncList::Palm) || !view.hasList(SyncList::Outlook) || tellIfOutlookMissing() ||
        tellIfOutlookReadInPart())
        return SyncRunEnd::NotRun;
    const int palmRows = view.rowCount(SyncList::Palm);
    const int outlookRows = view.rowCount(SyncList::Outlook);
    if (palmRows + outlookRows <= 0) {
        sides_.tell(nothingToSynchronizeText, errorCaption, SyncMessageKind::ErrorOk);
        return SyncRunEnd::NotRun;
    }
    if (start == SyncStart::Confirmation &&
        !view.showMessage(synchronizeAllQuestion, synchronizeAllCaption, SyncMessageKind::QuestionYesNo))
        return SyncRunEnd::NotRun;
    // Both sides stay as they are from here to the run, which carries out
    // this very plan.
    sides_.findAmbiguousPairs();
    const SyncPlan plan = planSynchronizeAll(sides_, syncAction, palmRows, outlookRows);
    if (start == SyncStart::Preview && !view.previewSynchronizeAll(plan))
        return SyncRunEnd::NotRun;
    if (!confirmLargeChange(plan))
        return SyncRunEnd::NotRun;
    beginReport(synchronizeAllCaption);
    sides_.report.setRule(ruleText(syncAction));
    if (stopIfAddressFileChanged() || !prepareJournal() || !backUpBeforeAnyWrite())
        return SyncRunEnd::NotRun;
    OutlookChangeRecording recording(sides_, journal_.get());
    SynchronizeAllRun run(sides_, plan);
    run.runSteps();
    run.saveAndRefill();
    endOperation(run.fileRewritten());
    run.finish();
    return run.end();
}

bool SyncOperations::confirmLargeChange(const SyncPlan& plan) {
    const PlannedOverwrites planned = plannedOverwrites(plan);
    return !isLargeChange(planned) ||
           sides_.view.showMessage(largeChangeQuestion(planned).c_str(), synchronizeAllCaption,
                                   SyncMessageKind::WarningYesNoDefaultNo);
}

void SyncOperations::undoLastSynchronization() {
    UndoRun undo(sides_);
    undo.run();
}

void SyncOperations::beginReport(const char* operation) {
    sides_.report.begin(operation, currentLocalTime());
    sides_.beginOutlookAccount();
    sides_.forgetNotes();
    journal_.reset();
}

bool SyncOperations::prepareJournal() {
    if (UndoJournal::canBeWritten()) {
        journal_.reset(new UndoJournalWriter(sides_.report.operation(), sides_.report.when()));
        return true;
    }
    if (!sides_.view.showMessage(journalUnwritableQuestion, sides_.report.operation().c_str(),
                                 SyncMessageKind::WarningYesNoDefaultNo)) {
        sides_.report.noteFailure(noUndoNothingDoneReportText);
        sides_.report.appendToLog();
        return false;
    }
    // The last operation's journal would be taken for this one's.
    UndoJournal::remove();
    sides_.report.noteFailure(withoutUndoReportText);
    return true;
}

void SyncOperations::endOperation(bool fileRewritten) {
    finishBackup(fileRewritten);
    sides_.outlookChanges.clear();
    UndoJournal palmSide;
    if (fileRewritten && !lastBackup_.empty()) {
        palmSide.addressFile = sides_.palm.filePath();
        palmSide.backupFile = lastBackup_;
        for (SyncReport::Action action : {SyncReport::Action::AddedToPalm, SyncReport::Action::PalmOverwritten}) {
            const std::vector<std::string> names = sides_.report.namesDone(action);
            palmSide.palmNames.insert(palmSide.palmNames.end(), names.begin(), names.end());
        }
        if (!fileFingerprint(palmSide.addressFile, &palmSide.fileSize, &palmSide.fileDigest))
            palmSide.addressFile.clear();
    }
    // An operation that changed nothing leaves the last one to undo; one
    // whose journal could not be written removes it, so the one before is
    // not undone as if it were the last.
    if (journal_ && !journal_->finish(palmSide)) {
        sides_.report.noteFailure(journalNotWrittenReportText);
        sides_.closingNotes += journalLostSentence;
    }
    journal_.reset();
    if (!sides_.report.appendToLog())
        sides_.closingNotes += reportLostSentence;
}
