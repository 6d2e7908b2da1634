#include "ui/ContactLists.h"

#include "config/Options.h"
#include "sync/ContactList.h"
#include "sync/FieldTable.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/ContactListModel.h"

void addContactColumns(UxListView& list)
{
    for (int column = 0; column < ContactColumnCount; ++column) {
        FieldSlot slot;
        int width = 0;
        if (contactColumnHeading(column, &slot, &width))
            list.insertColumn(column, slot.name, width);
    }
}

void removeAllColumns(UxListView& list)
{
    while (list.columnCount() > 0 && list.deleteColumn(0)) {
    }
}

static void insertRecordRow(UxListView& list, const ContactRecord* record)
{
    char text[1025];
    for (int column = 0; column < ContactColumnCount; ++column) {
        FieldSlot slot;
        text[0] = '\0';
        if (findField(contactColumnField(column), &slot))
            getFieldText(record, &slot, text, sizeof text);
        if (column == 0)
            list.insertItem(0, text, -1, record);
        else
            list.setItem(0, column, text, -1, nullptr);
    }
}

void fillContactList(UxListView& list, ContactList* records)
{
    list.removeAllRows();
    if (records == nullptr)
        return;
    for (const ContactRecord* record = records->first(); record != nullptr; record = records->next()) {
        if (recordShownInList(record->compareStatus, showDiff))
            insertRecordRow(list, record);
    }
}

LRESULT drawContactRow(NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const ContactRecord* record = reinterpret_cast<const ContactRecord*>(draw->nmcd.lItemlParam);
        // The row is drawn by the list; only its text colour is ours.
        draw->clrText = record != nullptr ? rowTextColor(record->compareStatus) : RGB(0, 0, 0);
        return CDRF_DODEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

void setAllChecked(UxListView& list, bool checked)
{
    const int rows = list.itemCount();
    for (int row = 0; row < rows; ++row)
        list.setChecked(row, checked);
}
