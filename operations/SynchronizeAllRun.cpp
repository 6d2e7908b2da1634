#include "operations/SynchronizeAllRun.h"

#include <string>

#include "sync/RecordMatching.h"
#include "operations/RecordPosition.h"
#include "operations/StoreWrites.h"
#include "operations/SyncMessages.h"

// A record overwritten in place: its list's search index must see it.
static void noteChanged(ContactList* contacts, int32_t position) {
    if (contacts != nullptr)
        contacts->noteChanged(position);
}

SynchronizeAllRun::SynchronizeAllRun(SyncSides& sides, SyncAction syncAction, int totalRows)
    : sides_(sides), decision_(syncAction), progress_(sides.view, totalRows) {
    sides_.view.setCursor(SyncCursor::Wait);
}

bool SynchronizeAllRun::stopsForOutlookGone() {
    if (outlookGone_ || !sides_.outlook.outlookGone())
        return outlookGone_;
    outlookGone_ = true;
    sides_.report.noteFailure(outlookGoneReportText);
    return true;
}

void SynchronizeAllRun::palmPass(int rows) {
    for (int row = 0; row < rows && !stopsForOutlookGone(); ++row) {
        progress_.advance();
        ContactRecord* palm = sides_.view.recordAt(SyncList::Palm, row);
        if (palm == nullptr)
            continue;
        const MatchResult match = findMatch(sides_.outlook.contacts(), palm);
        if (sides_.leaveAloneIfAmbiguous(*palm, true, match))
            continue;
        if (match.code == MatchNone)
            addToOutlook(*palm);
        else if (match.code == MatchDiffers)
            settlePair(*palm, positionOf(sides_.palm.contacts(), palm), *match.record, match.position);
    }
}

void SynchronizeAllRun::outlookPass(int rows) {
    for (int row = 0; row < rows && !stopsForOutlookGone(); ++row) {
        progress_.advance();
        ContactRecord* outlook = sides_.view.recordAt(SyncList::Outlook, row);
        if (outlook == nullptr)
            continue;
        const MatchResult match = findMatch(sides_.palm.contacts(), outlook);
        if (sides_.leaveAloneIfAmbiguous(*outlook, false, match))
            continue;
        if (match.code == MatchNone)
            addToPalm(*outlook);
        else if (match.code == MatchDiffers)
            settlePair(*match.record, match.position, *outlook, positionOf(sides_.outlook.contacts(), outlook));
    }
}

void SynchronizeAllRun::count(const Write& write, bool written, bool& changedSide) {
    if (written) {
        changedSide = true;
        unwritten_.erase(write);
    } else {
        unwritten_.insert(write);
    }
}

void SynchronizeAllRun::addToOutlook(const ContactRecord& palm) {
    // The connector's merge of a record without counterpart is exactly the
    // add: a working copy without the Palm block, the new contact, a copy of
    // it in `contacts`; and it keeps the item positions right if that copy
    // cannot be made.
    const bool written = sides_.outlook.mergeRecord(&palm);
    if (written)
        sides_.noteCutsForOutlook(palm);
    sides_.report.noteWrite(palm, SyncReport::Action::AddedToOutlook, written,
                            written ? std::string() : outlookWriteProblem(sides_.outlook));
    count(Write(&palm, nullptr), written, outlookChanged_);
}

void SynchronizeAllRun::addToPalm(const ContactRecord& outlook) {
    if (!sides_.outlookRecordUsable(outlook)) {
        count(Write(nullptr, &outlook), false, palmChanged_);
        return;
    }
    TextCuts cuts = sides_.cutsOnTheWayToPalm(outlook);
    const bool written = sides_.palm.addRecord(&outlook, &cuts);
    sides_.noteCutsForPalm(outlook, cuts);
    sides_.report.noteWrite(outlook, SyncReport::Action::AddedToPalm, written);
    count(Write(nullptr, &outlook), written, palmChanged_);
}

void SynchronizeAllRun::settlePair(ContactRecord& palm, int32_t palmPosition, ContactRecord& outlook,
                                   int32_t outlookPosition) {
    // Asked only while the rule leaves it to the user and no answer was
    // applied to all pairs.
    // Both passes meet a pair left alone: it is asked about once.
    if (leftUnasked_.count(Write(&palm, &outlook)) != 0)
        return;
    const bool asks = decision_.action() == SyncAction::AskUser && !decision_.applyToAll();
    const bool palmWins = palmRecordWins(decision_.decide(sides_.view, palm, outlook));
    if (decision_.leavesPairAlone()) {
        sides_.report.noteDone(SyncReport::namesOf(palm), SyncReport::Action::LeftUnasked);
        leftUnasked_.insert(Write(&palm, &outlook));
        return;
    }
    if (asks)
        sides_.report.noteAnswer(palm, outlook, palmWins);
    if (palmWins)
        overwriteOutlook(palm, outlook, outlookPosition);
    else
        overwritePalm(palm, palmPosition, outlook);
}

void SynchronizeAllRun::overwriteOutlook(const ContactRecord& palm, ContactRecord& outlook, int32_t outlookPosition) {
    // The write starts from the stored image of the contact at the position,
    // so the Palm record's values reach it as the assigned copy's would.
    const bool written = sides_.outlook.updateContact(&palm, outlookPosition);
    if (written)
        sides_.noteCutsForOutlook(palm);
    sides_.report.noteWrite(palm, SyncReport::Action::OutlookOverwritten, written,
                            written ? std::string() : outlookWriteProblem(sides_.outlook));
    if (written) {
        assignRecordValues(outlook, palm);
        noteChanged(sides_.outlook.contacts(), outlookPosition);
    }
    count(Write(&palm, &outlook), written, outlookChanged_);
}

void SynchronizeAllRun::overwritePalm(ContactRecord& palm, int32_t palmPosition, const ContactRecord& outlook) {
    if (!sides_.outlookRecordUsable(outlook)) {
        count(Write(&palm, &outlook), false, palmChanged_);
        return;
    }
    TextCuts cuts = sides_.cutsOnTheWayToPalm(outlook);
    const bool written = sides_.palm.updateRecord(&outlook, palmPosition, &cuts);
    sides_.noteCutsForPalm(outlook, cuts);
    sides_.report.noteWrite(outlook, SyncReport::Action::PalmOverwritten, written);
    if (written) {
        assignRecordValues(palm, outlook);
        noteChanged(sides_.palm.contacts(), palmPosition);
    }
    count(Write(&palm, &outlook), written, palmChanged_);
}

bool SynchronizeAllRun::savePalmSide() {
    // Saved over, another program's additions would be lost even by a run
    // that changed only Outlook.
    changedElsewhere_ = sides_.palm.fileChangedSinceRead();
    if (changedElsewhere_)
        return false;
    const bool saved = sides_.palm.save();
    fileRewritten_ = saved;
    // With only Outlook changed the file already holds everything shown.
    return saved || !palmChanged_;
}

void SynchronizeAllRun::saveAndRefill() {
    if (!palmChanged_ && !outlookChanged_)
        return;
    palmSaved_ = savePalmSide();
    if (!palmSaved_) {
        sides_.report.noteFailure(changedElsewhere_ ? changedAtSaveReportText : notSavedReportText);
        sides_.reloadPalmSide();
    }
    // Straight after a reload: the Palm rows point at records that are gone.
    sides_.refillBothLists();
}

void SynchronizeAllRun::finish() {
    sides_.view.setCursor(SyncCursor::Normal);
    progress_.clear();
    sides_.detachMappingBlock();
    tellResult(palmSaved_);
    sides_.view.updateCounts();
}

void SynchronizeAllRun::tellResult(bool palmSaved) {
    SyncView& view = sides_.view;
    const int failed = static_cast<int>(unwritten_.size());
    const int palmRows = view.rowCount(SyncList::Palm);
    const int outlookRows = view.rowCount(SyncList::Outlook);
    if (outlookGone_) {
        if (!palmSaved)
            sides_.tell(palmSaveFailedText(outlookChanged_).c_str(), errorCaption, SyncMessageKind::ErrorOk);
        sides_.tell((outlookGoneText + sides_.summaryEnd()).c_str(), errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    if (palmSaved) {
        sides_.tell((synchronizeAllSummary(palmRows, outlookRows, failed) + sides_.summaryEnd()).c_str(),
                    informationCaption, SyncMessageKind::InformationOk);
        return;
    }
    // What was cut on its way to Palm Desktop never reached the file.
    sides_.valuesCutForPalm = 0;
    const std::string text =
        changedElsewhere_ ? addressFileChangedText(true, outlookChanged_) : palmSaveFailedText(outlookChanged_);
    sides_.tell(text.c_str(), errorCaption, SyncMessageKind::ErrorOk);
    sides_.tell((synchronizeAllSummaryWithoutPalm(outlookRows, failed) + sides_.summaryEnd()).c_str(),
                informationCaption, SyncMessageKind::InformationOk);
}
