#include "outlook/OutlookMapping.h"

#include <algorithm>
#include <cstring>

#include "outlook/AutomationCalls.h"
#include "outlook/OutlookDate.h"
#include "outlook/OutlookFieldList.h"
#include "platform/TextCodec.h"
#include "sync/AutomationDate.h"

namespace {

const size_t CustomFieldCount = sizeof(ContactValues::custom) / sizeof(ContactValues::custom[0]);
const size_t CustomFieldSize = sizeof(ContactValues::custom[0]);

// Copies text between fixed fields: reads no further than the source field,
// writes at most targetSize - 1 characters and zero-fills the rest.
void copyField(char* target, size_t targetSize, const char* source, size_t sourceSize) {
    if (targetSize == 0)
        return;
    const size_t limit = sourceSize < targetSize - 1 ? sourceSize : targetSize - 1;
    size_t length = 0;
    while (length < limit && source[length] != '\0')
        ++length;
    std::memmove(target, source, length);
    std::memset(target + length, 0, targetSize - length);
}

// As copyField, but a source that shows the target's text cut to the
// source's field leaves the longer target as it is.
void copyFieldUnlessShown(char* target, size_t targetSize, const char* source, size_t sourceSize) {
    if (sourceSize == 0)
        return;
    const size_t targetLength = strnlen(target, targetSize);
    const size_t shownLength = targetLength < sourceSize - 1 ? targetLength : sourceSize - 1;
    if (strnlen(source, sourceSize) == shownLength && std::memcmp(target, source, shownLength) == 0)
        return;
    copyField(target, targetSize, source, sourceSize);
}

char* recordField(ContactRecord& record, const ImageRow& row) {
    return reinterpret_cast<char*>(static_cast<ContactValues*>(&record)) + row.recordOffset;
}

bool pairsWithRecord(const ImageRow& row) { return row.recordOffset != NoRecordField; }

// The record has no integer field; dates and texts go as they are.
void imageRowToRecord(const OutlookContactImage& image, ContactRecord& record, const ImageRow& row) {
    if (row.kind == ImageValueKind::Text) {
        copyField(recordField(record, row), row.recordSize, imageText(image, row), row.imageSize);
    } else if (row.kind == ImageValueKind::Date) {
        const double date = imageDate(image, row);
        std::memcpy(recordField(record, row), &date, sizeof date);
    }
}

void recordRowToImage(const ContactRecord& record, OutlookContactImage& image, const ImageRow& row) {
    if (row.kind == ImageValueKind::Text) {
        copyFieldUnlessShown(imageText(image, row), row.imageSize, recordField(record, row), row.recordSize);
    } else if (row.kind == ImageValueKind::Date) {
        double date = 0.0;
        std::memcpy(&date, recordField(record, row), sizeof date);
        setImageDate(image, row, date);
    }
}

// The row custom field `index` (0-8) is mapped to, or null.
const ImageRow* customFieldRow(const MappingBlock* block, size_t index) {
    return block ? outlookFieldRow(block->customMap[index]) : nullptr;
}

void customFieldsFromImage(const OutlookContactImage& image, ContactRecord& record, const MappingBlock* block) {
    for (size_t index = 0; index < CustomFieldCount; ++index) {
        const ImageRow* row = customFieldRow(block, index);
        if (!row)
            continue;
        if (row->kind == ImageValueKind::Text) {
            copyField(record.custom[index], CustomFieldSize, imageText(image, *row), row->imageSize);
        } else if (row->kind == ImageValueKind::Date) {
            // No date is an empty field, not the day the dates count from.
            const double date = imageDate(image, *row);
            if (date == 0.0)
                std::memset(record.custom[index], 0, CustomFieldSize);
            else
                formatDateText(date, record.custom[index], CustomFieldSize);
        }
    }
}

// A date shown as text cannot be read back, so only text fields take a
// custom field in this direction.
void customFieldsToImage(const ContactRecord& record, OutlookContactImage& image, const MappingBlock* block) {
    for (size_t index = 0; index < CustomFieldCount; ++index) {
        const ImageRow* row = customFieldRow(block, index);
        if (!row || row->kind != ImageValueKind::Text)
            continue;
        copyFieldUnlessShown(imageText(image, *row), row->imageSize, record.custom[index], CustomFieldSize);
    }
}

// Whether the field holds what the item is known to hold.
bool alreadyHeld(const OutlookContactImage& image, const OutlookContactImage* held, const ImageRow& row) {
    if (!held)
        return false;
    if (row.kind == ImageValueKind::Text)
        return std::strncmp(imageText(image, row), imageText(*held, row), row.imageSize) == 0;
    if (row.kind == ImageValueKind::Date)
        return imageDate(image, row) == imageDate(*held, row);
    return false;  // "Gender" is always put
}

}  // namespace

const char* recordField(const ContactRecord& record, const ImageRow& row) {
    return reinterpret_cast<const char*>(static_cast<const ContactValues*>(&record)) + row.recordOffset;
}

size_t textKeptByRecord(const ImageRow& row) {
    if (row.kind != ImageValueKind::Text || !pairsWithRecord(row) || row.recordSize == 0 || row.imageSize == 0)
        return 0;
    return std::min(row.imageSize, row.recordSize) - 1;
}

bool isRefusedRead(int32_t status) {
    return !automationSucceeded(status) && status != AutomationStatus::UnknownName &&
           status != AutomationStatus::MemberNotFound;
}

bool storeImageValue(OutlookContactImage& image, const ImageRow& row, const AutomationValue& value) {
    switch (row.kind) {
    case ImageValueKind::Text: {
        char* field = imageText(image, row);
        std::memset(field, 0, row.imageSize);
        if (!value.isText() || row.imageSize == 0)
            return false;
        const std::string text = utf16ToAnsi(value.text());
        std::memcpy(field, text.data(), text.size() < row.imageSize - 1 ? text.size() : row.imageSize - 1);
        const size_t kept = textKeptByRecord(row);
        // A NUL ends the text where the field would.
        return kept > 0 && text.size() > kept && std::memchr(text.data(), '\0', kept + 1) == nullptr;
    }
    case ImageValueKind::Date: {
        // The record knows no date as 0, whatever Outlook shows for it.
        const double date = value.isDate() ? value.date() : 0.0;
        setImageDate(image, row, isOutlookNoDate(date) ? 0.0 : date);
        break;
    }
    case ImageValueKind::Integer: setImageInteger(image, row, value.isInt() ? value.integer() : 0); break;
    }
    return false;
}

bool readContactItem(AutomationObject* item, OutlookContactImage* image, ImageRowSet* refused, ImageRowSet* cut) {
    if (!item || !image)
        return false;
    const auto& rows = contactImageRows();
    for (size_t index = 0; index < rows.size(); ++index) {
        const ImageRow& row = rows[index];
        if (!row.propertyName)
            continue;
        AutomationValue value;
        const int32_t status = invokeByName(item, row.propertyName, AutomationCallKind::PropertyGet, {}, &value);
        if (storeImageValue(*image, row, value) && cut)
            cut->set(index);
        if (refused && isRefusedRead(status))
            refused->set(index);
    }
    return true;
}

bool writeContactItem(AutomationObject* item, const OutlookContactImage* image, OutlookContactImage* held,
                      ImageRowSet* unsaved, ImageRowSet* refused) {
    if (refused)
        refused->reset();
    if (!item || !image)
        return false;
    const auto& rows = contactImageRows();
    ImageRowSet accepted;
    for (size_t index = 0; index < rows.size(); ++index) {
        const ImageRow& row = rows[index];
        if (!row.propertyName || row.readOnly)
            continue;
        if (alreadyHeld(*image, held, row) && !(unsaved && unsaved->test(index)))
            continue;
        int32_t status = AutomationStatus::NothingDone;
        switch (row.kind) {
        case ImageValueKind::Text:
            status = putTextProperty(item, row.propertyName, imageText(*image, row), row.imageSize);
            break;
        case ImageValueKind::Date: status = putDateProperty(item, row.propertyName, imageDate(*image, row)); break;
        case ImageValueKind::Integer: status = putIntProperty(item, row.propertyName, imageInteger(*image, row)); break;
        }
        accepted[index] = status == AutomationStatus::Ok;
        if (refused)
            (*refused)[index] = !automationSucceeded(status);
    }
    // Unsaved puts may be gone when the item is next fetched, or kept and
    // saved with the next write: only a save makes them what Outlook holds,
    // and until then what it holds for them is unknown.
    if (!automationSucceeded(invokeByName(item, "Save", AutomationCallKind::Method, {}, nullptr))) {
        if (unsaved)
            *unsaved |= accepted;
        return false;
    }
    if (held) {
        for (size_t index = 0; index < rows.size(); ++index) {
            if (accepted[index])
                copyImageField(*held, *image, rows[index]);
        }
    }
    if (unsaved)
        *unsaved &= ~accepted;
    return true;
}

bool imageToRecord(const OutlookContactImage* image, ContactRecord* record, const MappingBlock* block) {
    if (!image || !record)
        return false;
    static_cast<ContactValues&>(*record) = ContactValues();
    for (const ImageRow& row : contactImageRows()) {
        if (pairsWithRecord(row) && !row.afterCustomMapping)
            imageRowToRecord(*image, *record, row);
    }
    customFieldsFromImage(*image, *record, block);
    for (const ImageRow& row : contactImageRows()) {
        if (pairsWithRecord(row) && row.afterCustomMapping)
            imageRowToRecord(*image, *record, row);
    }
    return true;
}

bool recordToImage(const ContactRecord* record, OutlookContactImage* image, const MappingBlock* block) {
    if (!record || !image)
        return false;
    for (const ImageRow& row : contactImageRows()) {
        if (pairsWithRecord(row) && !row.afterCustomMapping)
            recordRowToImage(*record, *image, row);
    }
    customFieldsToImage(*record, *image, block);
    for (const ImageRow& row : contactImageRows()) {
        if (pairsWithRecord(row) && row.afterCustomMapping)
            recordRowToImage(*record, *image, row);
    }
    return true;
}
