#include "operations/SynchronizeAllRun.h"

#include <string>

#include "operations/StoreWrites.h"
#include "operations/SyncMessages.h"

using Kind = SyncStep::Kind;

// A record overwritten in place: its list's search index must see it.
static void noteChanged(ContactList* contacts, int32_t position) {
    if (contacts != nullptr)
        contacts->noteChanged(position);
}

// The record of the list at the position, when it is the one the plan saw.
static ContactRecord* planned(ContactList* contacts, int32_t position, const ContactRecord* record) {
    if (record == nullptr || contacts == nullptr || contacts->peek(position) != record)
        return nullptr;
    return contacts->at(position);
}

SynchronizeAllRun::SynchronizeAllRun(SyncSides& sides, const SyncPlan& plan)
    : sides_(sides), plan_(plan), decision_(plan.rule), progress_(sides.view, static_cast<int>(plan.steps.size())) {
    sides_.view.setCursor(SyncCursor::Wait);
}

bool SynchronizeAllRun::stopsForOutlookGone() {
    if (outlookGone_ || !sides_.outlook.outlookGone())
        return outlookGone_;
    outlookGone_ = true;
    sides_.report.noteFailure(outlookGoneReportText);
    return true;
}

void SynchronizeAllRun::runSteps() {
    // Also after the last step: its write may have been the one that found
    // Outlook gone.
    for (const SyncStep& step : plan_.steps) {
        if (stopsForOutlookGone())
            return;
        progress_.advance();
        const bool writes = step.kind != Kind::LeftAmbiguous && step.kind != Kind::LeftPartlyRead;
        // A pair still to be asked about is named as the Outlook contact it is.
        const Check check = writes ? checkAsPlanned(step, step.kind != Kind::OverwritePalm) : Check::Go;
        if (check == Check::Stop)
            return;
        if (check == Check::Go)
            carryOut(step);
        if (!changedContact_.empty() || listsChanged_ || changedElsewhere_)
            return;
    }
    stopsForOutlookGone();
}

SynchronizeAllRun::Check SynchronizeAllRun::checkAsPlanned(const SyncStep& step, bool palmWins) {
    if ((step.palm != nullptr && !planned(sides_.palm.contacts(), step.palmPosition, step.palm)) ||
        (step.outlook != nullptr && !planned(sides_.outlook.contacts(), step.outlookPosition, step.outlook))) {
        listsChanged_ = true;
        sides_.report.noteFailure(listsChangedText);
        return Check::Stop;
    }
    // A cheap look at the file before every write; the save compares its
    // bytes.
    if (sides_.palm.fileTouchedSinceRead()) {
        changedElsewhere_ = true;
        return Check::Stop;
    }
    if (step.outlook == nullptr)
        return Check::Go;
    switch (sides_.outlook.stateSinceRead(step.outlookPosition)) {
    case OutlookConnector::ItemState::ChangedSince:
        changedContact_ = SyncReport::namesOf(*step.outlook);
        sides_.report.noteFailure(outlookContactChangedReportText(changedContact_));
        return Check::Stop;
    case OutlookConnector::ItemState::Gone: noteDeleted(step, palmWins); return Check::Skip;
    case OutlookConnector::ItemState::AsLeft:
    case OutlookConnector::ItemState::Unreachable: break;
    }
    return Check::Go;
}

void SynchronizeAllRun::noteDeleted(const SyncStep& step, bool palmWins) {
    // Neither written over nor copied: its values are no longer Outlook's.
    if (step.kind == Kind::AddToPalm) {
        sides_.report.noteWrite(*step.outlook, SyncReport::Action::AddedToPalm, false, contactDeletedReportText);
        count(false, palmChanged_);
        return;
    }
    if (palmWins)
        sides_.report.noteWrite(*step.palm, SyncReport::Action::OutlookOverwritten, false, contactDeletedReportText);
    else
        sides_.report.noteWrite(*step.outlook, SyncReport::Action::PalmOverwritten, false, contactDeletedReportText);
    count(false, palmWins ? outlookChanged_ : palmChanged_);
}

void SynchronizeAllRun::carryOut(const SyncStep& step) {
    switch (step.kind) {
    case Kind::AddToOutlook: addToOutlook(*step.palm); break;
    case Kind::AddToPalm: addToPalm(*step.outlook); break;
    case Kind::OverwriteOutlook:
    case Kind::OverwritePalm:
    case Kind::AskUser: settlePair(step); break;
    case Kind::LeftAmbiguous:
    case Kind::LeftPartlyRead: leaveAlone(step); break;
    }
}

void SynchronizeAllRun::leaveAlone(const SyncStep& step) {
    if (step.kind == Kind::LeftPartlyRead) {
        // Named in the report, and counted as not written, as a write to
        // Palm Desktop refused.
        sides_.outlookRecordUsable(*step.outlook);
        count(false, palmChanged_);
        return;
    }
    sides_.noteLeftAmbiguous(step.palm != nullptr ? *step.palm : *step.outlook);
}

void SynchronizeAllRun::count(bool written, bool& changedSide) {
    if (written)
        changedSide = true;
    else
        ++unwritten_;
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
    count(written, outlookChanged_);
}

void SynchronizeAllRun::addToPalm(const ContactRecord& outlook) {
    if (!sides_.outlookRecordUsable(outlook)) {
        count(false, palmChanged_);
        return;
    }
    TextCuts cuts = sides_.cutsOnTheWayToPalm(outlook);
    const bool written = sides_.palm.addRecord(&outlook, &cuts);
    sides_.noteCutsForPalm(outlook, cuts);
    sides_.report.noteWrite(outlook, SyncReport::Action::AddedToPalm, written);
    count(written, palmChanged_);
}

void SynchronizeAllRun::settlePair(const SyncStep& step) {
    ContactRecord* palm = sides_.palm.contacts()->at(step.palmPosition);
    ContactRecord* outlook = sides_.outlook.contacts()->at(step.outlookPosition);
    // Asked only while the rule leaves it to the user and no answer was
    // applied to all pairs.
    const bool asks = step.kind == Kind::AskUser && !decision_.applyToAll();
    const bool palmWins = palmRecordWins(decision_.decide(sides_.view, *palm, *outlook));
    if (decision_.leavesPairAlone()) {
        sides_.report.noteDone(SyncReport::namesOf(*palm), SyncReport::Action::LeftUnasked);
        return;
    }
    if (asks) {
        sides_.report.noteAnswer(*palm, *outlook, palmWins);
        // The user may have changed the contact in Outlook while the question
        // was open.
        if (checkAsPlanned(step, palmWins) != Check::Go)
            return;
    }
    if (palmWins)
        overwriteOutlook(*palm, *outlook, step.outlookPosition);
    else
        overwritePalm(*palm, step.palmPosition, *outlook);
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
    count(written, outlookChanged_);
}

void SynchronizeAllRun::overwritePalm(ContactRecord& palm, int32_t palmPosition, const ContactRecord& outlook) {
    if (!sides_.outlookRecordUsable(outlook)) {
        count(false, palmChanged_);
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
    count(written, palmChanged_);
}

bool SynchronizeAllRun::savePalmSide() {
    // Saved over, another program's additions would be lost even by a run
    // that changed only Outlook.
    changedElsewhere_ = changedElsewhere_ || sides_.palm.fileChangedSinceRead();
    if (changedElsewhere_)
        return false;
    const bool saved = sides_.palm.save();
    fileRewritten_ = saved;
    // With only Outlook changed the file already holds everything shown.
    return saved || !palmChanged_;
}

void SynchronizeAllRun::saveAndRefill() {
    if (!palmChanged_ && !outlookChanged_ && !changedElsewhere_)
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

SyncRunEnd SynchronizeAllRun::end() const {
    if (outlookGone_)
        return SyncRunEnd::OutlookGone;
    if (changedElsewhere_)
        return SyncRunEnd::AddressFileChanged;
    if (!changedContact_.empty() || listsChanged_)
        return SyncRunEnd::OutlookContactChanged;
    if (!palmSaved_ || unwritten_ > 0)
        return SyncRunEnd::SomeNotWritten;
    return SyncRunEnd::Done;
}

void SynchronizeAllRun::tellResult(bool palmSaved) {
    SyncView& view = sides_.view;
    const int failed = unwritten_;
    const int palmRows = view.rowCount(SyncList::Palm);
    const int outlookRows = view.rowCount(SyncList::Outlook);
    std::string stopped;
    if (outlookGone_)
        stopped = outlookGoneText;
    else if (!changedContact_.empty())
        stopped = outlookContactChangedText(changedContact_);
    else if (listsChanged_)
        stopped = listsChangedText;
    if (!stopped.empty()) {
        if (!palmSaved)
            sides_.tell(palmSaveFailedText(outlookChanged_).c_str(), errorCaption, SyncMessageKind::ErrorOk);
        sides_.tell((stopped + sides_.summaryEnd()).c_str(), errorCaption, SyncMessageKind::ErrorOk);
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
