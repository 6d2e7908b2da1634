#include "operations/SyncSides.h"

#include <string>

#include "sync/RecordMatching.h"
#include "operations/SyncMessages.h"

void SyncSides::refillBothLists() {
    view.fillList(SyncList::Palm, palm.contacts());
    view.fillList(SyncList::Outlook, outlook.contacts());
}

void SyncSides::reloadPalmSide() {
    view.reloadPalmSide();
    // Fresh records carry no status yet, and "ShowDiff" filters by it.
    computeCompareStatus(palm.contacts(), outlook.contacts());
    computeCompareStatus(outlook.contacts(), palm.contacts());
}

void SyncSides::findAmbiguousPairs() {
    leftAmbiguous.clear();
    ambiguous.find(palm.contacts(), outlook.contacts());
}

bool SyncSides::leaveAloneIfAmbiguous(const ContactRecord& probe, bool probeIsPalm, const MatchResult& match) {
    const bool alone =
        probeIsPalm ? ambiguous.leavesPalmProbeAlone(probe, match) : ambiguous.leavesOutlookProbeAlone(probe, match);
    if (alone)
        noteLeftAmbiguous(probe);
    return alone;
}

void SyncSides::noteLeftAmbiguous(const ContactRecord& record) {
    if (leftAmbiguous.insert(&record).second)
        report.noteDone(SyncReport::namesOf(record), SyncReport::Action::LeftAmbiguous);
}

static void nameCuts(SyncReport& report, const ContactRecord& record, const TextCuts& cuts) {
    for (const char* field : cuts.names)
        report.noteLine(SyncReport::namesOf(record) + ": " + field + " cut to fit");
}

void SyncSides::noteCutsForOutlook(const ContactRecord& palmRecord) {
    const TextCuts cuts = palm.textsCutFrom(&palmRecord);
    nameCuts(report, palmRecord, cuts);
    valuesCutForOutlook += static_cast<int>(cuts.names.size());
}

TextCuts SyncSides::cutsOnTheWayToPalm(const ContactRecord& outlookRecord) const {
    TextCuts cuts;
    cuts.cutOnRead = outlook.textsCutOnRead(&outlookRecord);
    return cuts;
}

void SyncSides::noteCutsForPalm(const ContactRecord& record, const TextCuts& cuts) {
    nameCuts(report, record, cuts);
    valuesCutForPalm += static_cast<int>(cuts.names.size());
}

void SyncSides::forgetNotes() {
    closingNotes.clear();
    valuesCutForOutlook = 0;
    valuesCutForPalm = 0;
}

std::string SyncSides::summaryEnd() const {
    return leftAloneSentence(static_cast<int>(leftAmbiguous.size())) +
           valuesCutSentence(valuesCutForOutlook + valuesCutForPalm) + closingNotes;
}

void SyncSides::detachMappingBlock() { outlook.attachMappingBlock(nullptr); }

void SyncSides::tell(const char* text, const char* caption, SyncMessageKind kind) {
    view.showMessage(text, caption, kind);
}

bool SyncSides::outlookRecordUsable(const ContactRecord& record) {
    if (outlook.fullyRead(&record))
        return true;
    if (namedAsPartlyRead.insert(&record).second)
        report.noteLine(SyncReport::namesOf(record) +
                        ": not copied to Palm Desktop, Outlook refused to give some of its values");
    return false;
}

void SyncSides::beginOutlookAccount() {
    namedAsPartlyRead.clear();
    const int skipped = outlook.skippedItems();
    if (skipped > 0)
        report.noteLine(std::to_string(skipped) +
                        " Outlook items that are no contacts (distribution lists) were skipped");
}
