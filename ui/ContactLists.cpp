#include "ui/ContactLists.h"

#include "sync/ContactList.h"
#include "sync/FieldTable.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/ContactListModel.h"

void addContactColumns(UxListView& list) {
    for (int column = 0; column < ContactColumnCount; ++column) {
        FieldSlot slot;
        int width = 0;
        if (contactColumnHeading(column, &slot, &width))
            list.insertColumn(column, slot.name, width);
    }
}

void removeAllColumns(UxListView& list) {
    while (list.columnCount() > 0 && list.deleteColumn(0)) {
    }
}

namespace {

// The field of each column, looked up once per fill.
struct ColumnFields {
    FieldSlot slots[ContactColumnCount];
    bool found[ContactColumnCount];

    ColumnFields() {
        for (int column = 0; column < ContactColumnCount; ++column)
            found[column] = findField(contactColumnField(column), &slots[column]);
    }
};

// False when the list took no row for the record.
bool addRecordRow(UxListView& list, int row, const ContactRecord* record, const ColumnFields& fields) {
    char text[1025];
    for (int column = 0; column < ContactColumnCount; ++column) {
        text[0] = '\0';
        if (fields.found[column])
            getFieldText(record, &fields.slots[column], text, sizeof text);
        if (column == 0) {
            if (!list.insertItem(row, text, -1, reinterpret_cast<LPARAM>(record)))
                return false;
        } else {
            list.setItem(row, column, text, -1, 0);
        }
    }
    return true;
}

int shownRecordCount(const ContactList& records, int showDiff) {
    int shown = 0;
    for (int32_t position = 0; position < records.count(); ++position) {
        if (recordShownInList(records.peek(position)->compareStatus, showDiff))
            ++shown;
    }
    return shown;
}

}  // namespace

void fillContactList(UxListView& list, ContactList* records, int showDiff) {
    UxListBulkChange change(list, records != nullptr ? shownRecordCount(*records, showDiff) : 0);
    list.removeAllRows();
    if (records == nullptr)
        return;
    // The last record on top: the rows are added from the last record back,
    // each at the end, which costs the list no moving of the rows it has.
    const ColumnFields fields;
    int row = 0;
    for (int32_t position = records->count() - 1; position >= 0; --position) {
        const ContactRecord* record = records->at(position);
        if (record != nullptr && recordShownInList(record->compareStatus, showDiff) &&
            addRecordRow(list, row, record, fields))
            ++row;
    }
}

LRESULT drawContactRow(NMLVCUSTOMDRAW* draw) {
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

ContactRecord* contactAt(const UxListView& list, int row) {
    return reinterpret_cast<ContactRecord*>(list.itemData(row));
}

void setAllChecked(UxListView& list, bool checked) {
    const int rows = list.itemCount();
    for (int row = 0; row < rows; ++row)
        list.setChecked(row, checked);
}
