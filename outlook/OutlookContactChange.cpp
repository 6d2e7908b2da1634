#include "outlook/OutlookContactChange.h"

#include <algorithm>
#include <cstring>

#include "outlook/AutomationCalls.h"
#include "platform/TextCodec.h"

namespace {

std::vector<uint8_t> fieldBytes(const OutlookContactImage& image, const ImageRow& row) {
    const uint8_t* field = reinterpret_cast<const uint8_t*>(&image) + row.imageOffset;
    size_t length = row.imageSize;
    if (row.kind == ImageValueKind::Text) {
        const void* end = std::memchr(field, '\0', row.imageSize);
        length = end ? static_cast<size_t>(static_cast<const uint8_t*>(end) - field) : row.imageSize - 1;
    }
    return std::vector<uint8_t>(field, field + length);
}

bool writtenToOutlook(const ImageRow& row) { return row.propertyName != nullptr && !row.readOnly; }

AutomationValue valueToPut(const OutlookPropertyValue& value, const ImageRow& row) {
    switch (row.kind) {
    case ImageValueKind::Text:
        return AutomationValue::fromText(
            value.whole ? value.text : ansiToUtf16(std::string(value.bytes.begin(), value.bytes.end())));
    case ImageValueKind::Date: {
        double date = 0.0;
        std::memcpy(&date, value.bytes.data(), sizeof date);
        return AutomationValue::fromDate(date);
    }
    case ImageValueKind::Integer: {
        int32_t number = 0;
        std::memcpy(&number, value.bytes.data(), sizeof number);
        return AutomationValue::fromInt(number);
    }
    }
    return AutomationValue();
}

}  // namespace

std::vector<OutlookPropertyValue> changedProperties(const OutlookContactImage& before, const OutlookContactImage& after,
                                                    const std::vector<OutlookPropertyValue>& read) {
    std::vector<OutlookPropertyValue> changed;
    const auto& rows = contactImageRows();
    for (size_t index = 0; index < rows.size(); ++index) {
        if (!writtenToOutlook(rows[index]))
            continue;
        std::vector<uint8_t> earlier = fieldBytes(before, rows[index]);
        if (earlier == fieldBytes(after, rows[index]))
            continue;
        OutlookPropertyValue value;
        value.row = static_cast<uint16_t>(index);
        value.bytes = std::move(earlier);
        for (const OutlookPropertyValue& held : read) {
            if (held.row == index && held.whole && rows[index].kind == ImageValueKind::Text) {
                value.bytes.clear();
                value.whole = true;
                value.text = held.text;
            }
        }
        changed.push_back(std::move(value));
    }
    return changed;
}

bool wholeText(uint16_t row, const std::u16string& text, OutlookPropertyValue* value) {
    OutlookPropertyValue whole;
    whole.row = row;
    whole.whole = true;
    whole.text = text;
    if (!fitsItsRow(whole))
        return false;
    *value = std::move(whole);
    return true;
}

bool fitsItsRow(const OutlookPropertyValue& value) {
    if (value.row >= ContactImageRowCount)
        return false;
    const ImageRow& row = contactImageRows()[value.row];
    if (!writtenToOutlook(row))
        return false;
    if (value.whole)
        return row.kind == ImageValueKind::Text && value.bytes.empty() && value.text.size() <= LongestKeptText &&
               value.text.find(u'\0') == std::u16string::npos;
    if (!value.text.empty())
        return false;
    if (row.kind == ImageValueKind::Text)
        return value.bytes.size() < row.imageSize &&
               (value.bytes.empty() || std::memchr(value.bytes.data(), '\0', value.bytes.size()) == nullptr);
    return value.bytes.size() == row.imageSize;
}

bool mayComeBackShort(const OutlookPropertyValue& value) {
    if (value.whole || value.row >= ContactImageRowCount)
        return false;
    const ImageRow& row = contactImageRows()[value.row];
    return row.kind == ImageValueKind::Text &&
           (value.bytes.size() + 1 >= row.imageSize ||
            std::find(value.bytes.begin(), value.bytes.end(), '?') != value.bytes.end());
}

bool mayComeBackShort(const OutlookContactChange& change) {
    for (const OutlookPropertyValue& value : change.previous) {
        if (mayComeBackShort(value))
            return true;
    }
    return false;
}

void foldContactChange(OutlookContactChange& earlier, OutlookContactChange change) {
    // A property the earlier write changed already keeps its first value.
    for (OutlookPropertyValue& value : change.previous) {
        bool known = false;
        for (const OutlookPropertyValue& kept : earlier.previous)
            known = known || kept.row == value.row;
        if (!known)
            earlier.previous.push_back(std::move(value));
    }
    earlier.modifiedAfter = change.modifiedAfter;
    earlier.names = std::move(change.names);
}

void noteContactChange(std::vector<OutlookContactChange>& changes, OutlookContactChange change) {
    for (OutlookContactChange& earlier : changes) {
        if (change.reachable && !change.entryId.empty() && earlier.reachable && earlier.entryId == change.entryId) {
            foldContactChange(earlier, std::move(change));
            return;
        }
    }
    changes.push_back(std::move(change));
}

bool restoreProperties(AutomationObject* item, const std::vector<OutlookPropertyValue>& previous) {
    if (item == nullptr)
        return false;
    bool allPut = true;
    for (const OutlookPropertyValue& value : previous) {
        if (!fitsItsRow(value)) {
            allPut = false;
            continue;
        }
        const ImageRow& row = contactImageRows()[value.row];
        const int32_t status =
            invokeByName(item, row.propertyName, AutomationCallKind::PropertyPut, {valueToPut(value, row)}, nullptr);
        allPut = allPut && automationSucceeded(status);
    }
    const bool saved = automationSucceeded(invokeByName(item, "Save", AutomationCallKind::Method, {}, nullptr));
    return allPut && saved;
}
