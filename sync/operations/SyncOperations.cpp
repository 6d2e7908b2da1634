#include "sync/operations/SyncOperations.h"

#include <string>

#include "sync/operations/SyncMessages.h"
#include "sync/operations/SyncProgress.h"
#include "sync/operations/SynchronizeAllRun.h"

namespace {

WriteOutcome writeToOutlook(SyncSides& sides, const ContactRecord* record)
{
    return mergeIntoOutlook(sides.outlook, record);
}

WriteOutcome writeToPalm(SyncSides& sides, const ContactRecord* record)
{
    return mergeIntoPalm(sides.palm, record);
}

}

SyncOperations::SyncOperations(SyncView& view, PalmContactStore& palm, OutlookConnector& outlook)
    : sides_{view, palm, outlook}
{
}

bool SyncOperations::tellIfOutlookMissing()
{
    if (sides_.outlook.outlookAvailable())
        return false;
    sides_.tell(outlookMissingText, errorCaption, SyncMessageKind::ErrorOk);
    return true;
}

int SyncOperations::checkedRows(SyncList list) const
{
    const int rows = sides_.view.rowCount(list);
    int checked = 0;
    for (int row = 0; row < rows; ++row) {
        if (sides_.view.isChecked(list, row))
            ++checked;
    }
    return checked;
}

WriteTally SyncOperations::writeCheckedRows(SyncList list, int checked, RecordWrite write)
{
    SyncProgress progress(sides_.view, checked);
    WriteTally tally;
    const int rows = sides_.view.rowCount(list);
    for (int row = 0; row < rows; ++row) {
        if (!sides_.view.isChecked(list, row))
            continue;
        progress.advance();
        tally.add(write(sides_, sides_.view.recordAt(list, row)));
        sides_.view.setChecked(list, row, false);
    }
    progress.clear();
    return tally;
}

void SyncOperations::transferPalmToOutlook()
{
    MappingBlockRelease release(sides_);
    SyncView& view = sides_.view;
    if (!view.hasList(SyncList::Palm) || tellIfOutlookMissing())
        return;
    const int checked = checkedRows(SyncList::Palm);
    if (checked == 0) {
        sides_.tell(noPalmRecordSelectedText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    view.setCursor(SyncCursor::Wait);
    const WriteTally tally = writeCheckedRows(SyncList::Palm, checked, writeToOutlook);
    if (tally.changed)
        sides_.refillBothLists();
    view.updateCounts();
    view.setCursor(SyncCursor::Normal);
    sides_.detachMappingBlock();
    sides_.tell(palmToOutlookSummary(checked, tally.failed).c_str(), informationCaption,
                SyncMessageKind::InformationOk);
}

void SyncOperations::transferOutlookToPalm()
{
    MappingBlockRelease release(sides_);
    SyncView& view = sides_.view;
    if (!view.hasList(SyncList::Outlook))
        return;
    const int checked = checkedRows(SyncList::Outlook);
    if (checked == 0) {
        sides_.tell(noOutlookRecordSelectedText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    view.setCursor(SyncCursor::Wait);
    const WriteTally tally = writeCheckedRows(SyncList::Outlook, checked, writeToPalm);
    bool saved = true;
    if (tally.changed) {
        saved = sides_.palm.save();
        if (!saved)
            sides_.reloadPalmSide();
        // Straight after a reload: the Palm rows point at records that are gone.
        sides_.refillBothLists();
    }
    view.setCursor(SyncCursor::Normal);
    view.updateCounts();
    sides_.detachMappingBlock();
    if (!saved) {
        // Nothing of this run reached the file, so there is nothing to sum up.
        sides_.tell(palmSaveFailedText(false).c_str(), errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    sides_.tell(outlookToPalmSummary(checked, tally.failed).c_str(), informationCaption,
                SyncMessageKind::InformationOk);
}

void SyncOperations::synchronizeAll(int32_t syncAction)
{
    MappingBlockRelease release(sides_);
    SyncView& view = sides_.view;
    if (!view.hasList(SyncList::Palm) || !view.hasList(SyncList::Outlook) || tellIfOutlookMissing())
        return;
    const int palmRows = view.rowCount(SyncList::Palm);
    const int outlookRows = view.rowCount(SyncList::Outlook);
    if (palmRows + outlookRows <= 0) {
        sides_.tell(nothingToSynchronizeText, errorCaption, SyncMessageKind::ErrorOk);
        return;
    }
    if (!view.showMessage(synchronizeAllQuestion, synchronizeAllCaption, SyncMessageKind::QuestionYesNo))
        return;
    SynchronizeAllRun run(sides_, syncAction, palmRows + outlookRows);
    run.palmPass(palmRows);
    run.outlookPass(outlookRows);
    run.finish();
}
