#include "sync/operations/SyncSides.h"

#include <string>

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

bool SyncSides::outlookRecordUsable(const ContactRecord& record)
{
    if (outlook.fullyRead(&record))
        return true;
    if (namedAsPartlyRead.insert(&record).second)
        report.noteLine(SyncReport::namesOf(record) +
                    ": not copied to Palm Desktop, Outlook refused to give some of its values");
    return false;
}

void SyncSides::beginOutlookAccount()
{
    namedAsPartlyRead.clear();
    const int skipped = outlook.skippedItems();
    if (skipped > 0)
        report.noteLine(std::to_string(skipped) +
                        " Outlook items that are no contacts (distribution lists) were skipped");
}
