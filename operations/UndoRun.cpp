#include "operations/UndoRun.h"

#include <algorithm>

#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "operations/AddressFileBackups.h"
#include "operations/SyncMessages.h"

namespace {

// The address file restored is no larger than any the stores read.
constexpr uint64_t largestAddressFile = 512u * 1024u * 1024u;

constexpr char noUndoBackupReportText[] =
    "No backup of the Palm Desktop address file could be made; nothing was undone.";

}  // namespace

void UndoRun::run() {
    if (!journal_.load() || journal_.empty()) {
        sides_.tell(nothingToUndoText, informationCaption, SyncMessageKind::InformationOk);
        return;
    }
    if (!journal_.outlook.empty() && !sides_.outlook.outlookAvailable()) {
        sides_.tell(outlookMissingText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    const UndoPlan plan = assess();
    if (palmUnreadable_) {
        // Palm Desktop holds the file: neither its copy nor its rewrite could
        // be made, and half an Undo helps no one.
        sides_.tell(undoBackupFailedText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    if (!sides_.view.showMessage(undoQuestion(plan).c_str(), undoCaption, SyncMessageKind::QuestionYesNo))
        return;
    sides_.report.beginUndo(undoCaption, currentLocalTime());
    sides_.report.noteLine("Takes back: " + journal_.operation + " of " + undoStamp(journal_.when));
    sides_.view.setCursor(SyncCursor::Wait);
    UndoOutcome outcome;
    // What could not be taken back, for a second Undo.
    UndoJournal remaining;
    remaining.operation = journal_.operation;
    remaining.when = journal_.when;
    remaining.interrupted = journal_.interrupted;
    if (!restorePalmFile(outcome, remaining)) {
        sides_.report.noteFailure(noUndoBackupReportText);
        sides_.report.appendToLog();
        sides_.view.setCursor(SyncCursor::Normal);
        sides_.tell(undoBackupFailedText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    takeBackOutlook(outcome, remaining);
    finish(outcome, remaining);
}

UndoPlan UndoRun::assess() {
    UndoPlan plan;
    plan.operation = journal_.operation;
    plan.when = journal_.when;
    plan.interrupted = journal_.interrupted;
    const PalmFile palmFile = palmFileState();
    palmAsLeft_ = palmFile == PalmFile::AsLeft;
    palmUnreadable_ = palmFile == PalmFile::Unreadable;
    plan.palmFile = palmAsLeft_;
    if (journal_.hasPalmSide() && !palmAsLeft_)
        plan.leftAlone = journal_.palmNames;
    outlookStates_.clear();
    for (const OutlookContactChange& change : journal_.outlook) {
        const OutlookConnector::ItemState state = sides_.outlook.stateOf(change);
        outlookStates_.push_back(state);
        if (state == OutlookConnector::ItemState::AsLeft) {
            if (change.kind == OutlookContactChange::Kind::Added)
                ++plan.outlookDeletes;
            else
                ++plan.outlookRestores;
        } else if (state == OutlookConnector::ItemState::Unreachable && change.reachable) {
            ++plan.outlookUnreachable;
        } else {
            plan.leftAlone.push_back(change.names);
        }
    }
    return plan;
}

UndoRun::PalmFile UndoRun::palmFileState() const {
    // A file gone, or its backup gone, cannot be put back either.
    if (!journal_.hasPalmSide() || !isPlainFile(journal_.addressFile) || !isPlainFile(journal_.backupFile))
        return PalmFile::ChangedSince;
    uint64_t size = 0;
    uint64_t digest = 0;
    if (!fileFingerprint(journal_.addressFile, &size, &digest))
        return PalmFile::Unreadable;
    return size == journal_.fileSize && digest == journal_.fileDigest ? PalmFile::AsLeft : PalmFile::ChangedSince;
}

bool UndoRun::restorePalmFile(UndoOutcome& outcome, UndoJournal& remaining) {
    if (!journal_.hasPalmSide())
        return true;
    // Asked again: Palm Desktop may have saved the file while the question
    // was up. Held by it now, the copy below fails and nothing is done.
    if (!palmAsLeft_ || palmFileState() == PalmFile::ChangedSince) {
        for (const std::string& names : journal_.palmNames)
            leaveAlone(names, outcome);
        return true;
    }
    // Read before the copy of the file as it is is made; that copy's pruning
    // spares the backup, which stays for a second try if this one fails.
    std::string bytes;
    const bool read = readWholeFileInto(journal_.backupFile, bytes, largestAddressFile);
    if (!AddressFileBackups::backUp(journal_.addressFile, currentLocalTime(), nullptr, journal_.backupFile))
        return false;
    const bool restored = read && rewriteWholeFile(journal_.addressFile, FileRewrite::Target::MustExist, bytes.data(),
                                                   static_cast<uint32_t>(bytes.size()));
    if (restored) {
        outcome.palmRestored = true;
        sides_.report.noteLine("The Palm Desktop address file put back from " + journal_.backupFile);
        return true;
    }
    outcome.palmFailed = true;
    sides_.report.noteFailure(palmNotRestoredReportText);
    // The file is as the operation left it: a second Undo can still put it back.
    remaining.keepPalmSideOf(journal_);
    return true;
}

void UndoRun::takeBackOutlook(UndoOutcome& outcome, UndoJournal& remaining) {
    // The last change first, so each contact goes back through the states
    // the operation made in reverse.
    for (size_t index = journal_.outlook.size(); index-- > 0;) {
        OutlookContactChange change = journal_.outlook[index];
        // Noted without its id or time: nothing can ever find it.
        if (!change.reachable) {
            leaveAlone(change.names, outcome);
            sides_.report.noteLine(change.names + ": " + notFoundAgainReportText);
            continue;
        }
        if (outlookStates_[index] == OutlookConnector::ItemState::Unreachable) {
            keepForLater(change, outcome, remaining);
            continue;
        }
        if (outlookStates_[index] != OutlookConnector::ItemState::AsLeft) {
            leaveAlone(change.names, outcome);
            continue;
        }
        const OutlookConnector::TakeBack result = sides_.outlook.takeBack(change);
        switch (result) {
        case OutlookConnector::TakeBack::Done:
            if (change.kind == OutlookContactChange::Kind::Added) {
                ++outcome.outlookDeleted;
                sides_.report.noteDone(change.names, SyncReport::Action::DeletedFromOutlook);
            } else {
                ++outcome.outlookRestored;
                sides_.report.noteDone(change.names, SyncReport::Action::OutlookRestored);
                if (mayComeBackShort(change)) {
                    ++outcome.outlookRestoredShort;
                    sides_.report.noteLine(change.names + ": " + restoredShortReportText);
                }
            }
            break;
        case OutlookConnector::TakeBack::ChangedSince:
        case OutlookConnector::TakeBack::Gone: leaveAlone(change.names, outcome); break;
        case OutlookConnector::TakeBack::Unreachable: keepForLater(change, outcome, remaining); break;
        case OutlookConnector::TakeBack::Failed:
            ++outcome.failed;
            sides_.report.noteFailure(change.names + ": could not be taken back");
            remaining.outlook.push_back(change);
            break;
        }
    }
    // Kept last first above; the journal holds them in the order made.
    std::reverse(remaining.outlook.begin(), remaining.outlook.end());
}

void UndoRun::keepForLater(const OutlookContactChange& change, UndoOutcome& outcome, UndoJournal& remaining) {
    ++outcome.unreachable;
    sides_.report.noteFailure(change.names + ": " + unreachableReportText);
    remaining.outlook.push_back(change);
}

void UndoRun::leaveAlone(const std::string& names, UndoOutcome& outcome) {
    outcome.leftAlone.push_back(names);
    sides_.report.noteDone(names, SyncReport::Action::LeftAsItIs);
}

void UndoRun::finish(const UndoOutcome& outcome, const UndoJournal& remaining) {
    const bool journalKept = remaining.empty() ? UndoJournal::remove() : remaining.save();
    if (!journalKept)
        sides_.report.noteFailure(journalNotWrittenReportText);
    std::string summary = undoSummary(outcome);
    if (!sides_.report.appendToLog())
        summary += reportLostSentence;
    sides_.view.reloadBothSides();
    sides_.view.setCursor(SyncCursor::Normal);
    sides_.tell(summary.c_str(), informationCaption, SyncMessageKind::InformationOk);
}
