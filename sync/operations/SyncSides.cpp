#include "sync/operations/SyncSides.h"

#include "sync/RecordMatching.h"
#include "sync/operations/SyncMessages.h"

void SyncSides::refillBothLists()
{
    view.fillList(SyncList::Palm, palm.contacts());
    view.fillList(SyncList::Outlook, outlook.contacts());
}

void SyncSides::reloadPalmSide()
{
    view.reloadPalmSide();
    // Fresh records carry no status yet, and "ShowDiff" filters by it.
    computeCompareStatus(palm.contacts(), outlook.contacts());
    computeCompareStatus(outlook.contacts(), palm.contacts());
}

void SyncSides::findAmbiguousPairs()
{
    leftAmbiguous.clear();
    ambiguous.find(palm.contacts(), outlook.contacts());
}

bool SyncSides::leaveAloneIfAmbiguous(const ContactRecord& probe, bool probeIsPalm, const MatchResult& match)
{
    const bool alone = probeIsPalm ? ambiguous.leavesPalmProbeAlone(probe, match)
                                   : ambiguous.leavesOutlookProbeAlone(probe, match);
    if (!alone)
        return false;
    if (leftAmbiguous.insert(&probe).second)
        report.noteDone(SyncReport::namesOf(probe), SyncReport::Action::LeftAmbiguous);
    return true;
}

std::string SyncSides::summaryEnd() const
{
    return leftAloneSentence(static_cast<int>(leftAmbiguous.size())) + closingNotes;
}

void SyncSides::detachMappingBlock() { outlook.attachMappingBlock(nullptr); }

void SyncSides::tell(const char* text, const char* caption, SyncMessageKind kind)
{
    view.showMessage(text, caption, kind);
}
