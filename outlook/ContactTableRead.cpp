#include "outlook/ContactTableRead.h"

#include <cstdint>
#include <cstring>

#include "outlook/AutomationCalls.h"
#include "platform/TextCodec.h"
#include "sync/TextField.h"

namespace {

const int32_t RowsPerBlock = 200;
// Outlook documents a cut at 255 bytes "at the first 255 characters"; for a
// Unicode store 255 bytes are 127 characters. A text of either length may
// be cut, so it is read again whenever the field could hold more.
const size_t SuspectLength = 127;
// The two columns before the image's.
const size_t EntryIdColumn = 0;
const size_t MessageClassColumn = 1;
const size_t FirstImageColumn = 2;

// The image rows the table holds, in column order after the first two.
std::vector<size_t> tableRows() {
    std::vector<size_t> rows;
    const auto& imageRows = contactImageRows();
    for (size_t index = 0; index < imageRows.size(); ++index) {
        if (imageRows[index].propertyName)
            rows.push_back(index);
    }
    return rows;
}

const size_t NoColumn = SIZE_MAX;

// Columns set up as wanted; `columnOf` takes, for each of `rows`, its
// column in the table, NoColumn for one the table would not hold.
bool setUpColumns(AutomationObject* table, const std::vector<size_t>& rows, std::vector<size_t>* columnOf,
                  size_t* columnCount) {
    AutomationObjectRef columns = ofKind(getObjectProperty(table, "Columns"), "Columns");
    if (!columns)
        return false;
    if (!automationSucceeded(invokeByName(columns.get(), "RemoveAll", AutomationCallKind::Method, {}, nullptr)))
        return false;
    auto add = [&](const char* name) {
        return automationSucceeded(invokeByName(columns.get(), "Add", AutomationCallKind::Method,
                                                {AutomationValue::fromText(ansiToUtf16(name))}, nullptr));
    };
    // Without its id no row can be read again, nor written later.
    if (!add("EntryID") || !add("MessageClass"))
        return false;
    size_t next = FirstImageColumn;
    columnOf->assign(rows.size(), NoColumn);
    for (size_t at = 0; at < rows.size(); ++at) {
        if (add(contactImageRows()[rows[at]].propertyName))
            (*columnOf)[at] = next++;
    }
    *columnCount = next;
    return true;
}

// Whether the table may have cut the text it gave for the row so that the
// record would show less or other than a read of the item: short of the
// image's field, or filling exactly what the record keeps (only the whole
// text tells whether the record holds all of it).
bool mayBeCut(const ImageRow& row, const AutomationValue& value) {
    if (row.kind != ImageValueKind::Text || !value.isText() || value.text().size() < SuspectLength)
        return false;
    const size_t length = utf16ToAnsi(value.text()).size();
    return length < row.imageSize - 1 || (textKeptByRecord(row) > 0 && length == textKeptByRecord(row));
}

ContactItemRead readRow(const AutomationArray& block, size_t rowIndex, const std::vector<size_t>& rows,
                        const std::vector<size_t>& columnOf, const char* folderName, ImageRowSet* again) {
    ContactItemRead read;
    copyText(read.image.folderName, folderName);
    read.entryId = utf16ToAnsi(block.at(EntryIdColumn, rowIndex).text());
    const AutomationValue& kind = block.at(MessageClassColumn, rowIndex);
    read.isContact = !kind.isText() || isContactMessageClass(kind.text());
    again->reset();
    for (size_t at = 0; at < rows.size(); ++at) {
        const ImageRow& row = contactImageRows()[rows[at]];
        if (columnOf[at] == NoColumn) {
            again->set(rows[at]);
            continue;
        }
        const AutomationValue& value = block.at(columnOf[at], rowIndex);
        const bool cut = storeImageValue(read.image, row, value);
        // A text the table may have cut is judged when it is read whole.
        if (mayBeCut(row, value))
            again->set(rows[at]);
        else if (cut)
            read.cut.set(rows[at]);
    }
    return read;
}

// The rows in `again` from the item itself; those it cannot give are refused.
void readAgainFromItem(AutomationObject* nameSpace, const ImageRowSet& again, ContactItemRead* read) {
    AutomationObjectRef item;
    if (!read->entryId.empty()) {
        const AutomationValue id = AutomationValue::fromText(ansiToUtf16(read->entryId));
        item = ofKind(callForObject(nameSpace, "GetItemFromID", {id}), "ContactItem");
    }
    const auto& imageRows = contactImageRows();
    for (size_t index = 0; index < imageRows.size(); ++index) {
        if (!again.test(index))
            continue;
        if (!item) {
            read->refused.set(index);
            continue;
        }
        AutomationValue value;
        const int32_t status =
            invokeByName(item.get(), imageRows[index].propertyName, AutomationCallKind::PropertyGet, {}, &value);
        if (automationSucceeded(status) && storeImageValue(read->image, imageRows[index], value))
            read->cut.set(index);
        else if (isRefusedRead(status))
            read->refused.set(index);
    }
}

}  // namespace

bool isContactMessageClass(const std::u16string& messageClass) {
    static const char contact[] = "ipm.contact";
    const size_t length = sizeof contact - 1;
    if (messageClass.size() < length)
        return false;
    for (size_t at = 0; at < length; ++at) {
        char16_t c = messageClass[at];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != static_cast<char16_t>(contact[at]))
            return false;
    }
    return messageClass.size() == length || messageClass[length] == u'.';
}

TableRead readContactTable(AutomationObject* folder, AutomationObject* nameSpace, const char* folderName,
                           std::vector<ContactItemRead>* reads) {
    AutomationObjectRef table = ofKind(callForObject(folder, "GetTable"), "Table");
    if (!table)
        return TableRead::NotOffered;
    const std::vector<size_t> rows = tableRows();
    std::vector<size_t> columnOf;
    size_t columnCount = 0;
    if (!setUpColumns(table.get(), rows, &columnOf, &columnCount))
        return TableRead::NotOffered;

    for (;;) {
        AutomationValue result;
        const int32_t status = invokeByName(table.get(), "GetArray", AutomationCallKind::Method,
                                            {AutomationValue::fromInt(RowsPerBlock)}, &result);
        const AutomationArray* block = result.array();
        if (!automationSucceeded(status) || !block || (block->rows() > 0 && block->columns() < columnCount))
            return TableRead::Partial;
        for (size_t row = 0; row < block->rows(); ++row) {
            ImageRowSet again;
            reads->push_back(readRow(*block, row, rows, columnOf, folderName, &again));
            if (reads->back().isContact && again.any())
                readAgainFromItem(nameSpace, again, &reads->back());
        }
        // A short block is the last: no call to learn that nothing is left.
        if (block->rows() < static_cast<size_t>(RowsPerBlock))
            return TableRead::Whole;
    }
}
