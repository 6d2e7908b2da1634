#include "sync/operations/SyncSides.h"

#include "sync/RecordMatching.h"

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

void SyncSides::detachMappingBlock() { outlook.attachMappingBlock(nullptr); }

void SyncSides::tell(const char* text, const char* caption, SyncMessageKind kind)
{
    view.showMessage(text, caption, kind);
}
