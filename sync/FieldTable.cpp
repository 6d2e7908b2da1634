#include "sync/FieldTable.h"

#include "sync/AutomationDate.h"
#include "sync/SourceType.h"

#include <cstring>

static const FieldSlot fieldSlots[FieldTableSlotCount] = {
    {1, 0, "First Name", 32, 0},
    {2, 0, "Last Name", 32, 0},
    {37, 0, "Company", 64, 0},
    {38, 0, "Title", 32, 0},
    {3, 0, "Street", 64, 0},
    {4, 0, "City", 32, 0},
    {5, 0, "State", 32, 0},
    {6, 0, "Postal", 16, 0},
    {7, 0, "Country", 32, 0},
    {8, 0, "Street", 64, 0},
    {9, 0, "City", 32, 0},
    {10, 0, "State", 32, 0},
    {11, 0, "Postal", 16, 0},
    {12, 0, "Country", 32, 0},
    {13, 0, "Street", 64, 0},
    {14, 0, "City", 32, 0},
    {15, 0, "State", 32, 0},
    {16, 0, "Postal", 16, 0},
    {17, 0, "Country", 32, 0},
    {18, 0, "Home Phone", 24, 0},
    {19, 0, "Work Phone", 24, 0},
    {20, 0, "Mobile Phone", 24, 0},
    {21, 0, "Other Phone", 24, 0},
    {22, 0, "Main Phone", 24, 0},
    {23, 0, "Fax", 24, 0},
    {24, 0, "Pager", 24, 0},
    {25, 0, "E-Mail", 24, 0},
    {26, 0, "Home Page", 256, 0},
    {27, 0, "Note", 4096, 0},
    {28, 0, "Custom 1", 64, 0},
    {29, 0, "Custom 2", 64, 0},
    {30, 0, "Custom 3", 64, 0},
    {31, 0, "Custom 4", 64, 0},
    {32, 0, "Custom 5", 64, 0},
    {33, 0, "Custom 6", 64, 0},
    {34, 0, "Custom 7", 64, 0},
    {35, 0, "Custom 8", 64, 0},
    {36, 0, "Custom 9", 64, 0},
    {39, 0, "Category", 64, 0},
    {FieldIdCreationTime, 0, "CreationTime", 8, 0},
    {FieldIdLastModificationTime, 0, "LastModificationTime", 8, 0},
    {FieldIdSourceType, 0, "Source Type", 8, 0},
    // The remaining slots are zero-initialised.
};

const FieldSlot* fieldTableSlots() { return fieldSlots; }

bool findField(int32_t id, FieldSlot* slot) {
    if (slot == nullptr)
        return false;
    for (const FieldSlot& candidate : fieldSlots) {
        if (candidate.id == id) {
            *slot = candidate;
            return true;
        }
    }
    return false;
}

struct FieldTableText {
    const char* text;
    size_t capacity;
};

template <size_t N>
static FieldTableText textRef(const char (&field)[N]) {
    return {field, N};
}

static FieldTableText addressFieldByIndex(const AddressBlock& block, int32_t index) {
    switch (index) {
    case 0: return textRef(block.street);
    case 1: return textRef(block.city);
    case 2: return textRef(block.state);
    case 3: return textRef(block.postalCode);
    default: return textRef(block.country);
    }
}

// The record's text field for ids 1-39; a null text for any other id.
static FieldTableText textFieldById(const ContactRecord& record, int32_t id) {
    if (id >= 3 && id <= 7)
        return addressFieldByIndex(record.businessAddress, id - 3);
    if (id >= 8 && id <= 12)
        return addressFieldByIndex(record.homeAddress, id - 8);
    if (id >= 13 && id <= 17)
        return addressFieldByIndex(record.otherAddress, id - 13);
    if (id >= 28 && id <= 36)
        return textRef(record.custom[id - 28]);
    switch (id) {
    case 1: return textRef(record.firstName);
    case 2: return textRef(record.lastName);
    case 18: return textRef(record.homePhone);
    case 19: return textRef(record.workPhone);
    case 20: return textRef(record.mobilePhone);
    case 21: return textRef(record.otherPhone);
    case 22: return textRef(record.mainPhone);
    case 23: return textRef(record.businessFax);
    case 24: return textRef(record.pager);
    case 25: return textRef(record.email1);
    case 26: return textRef(record.homePage);
    case 27: return textRef(record.note);
    case 37: return textRef(record.company);
    case 38: return textRef(record.jobTitle);
    case 39: return textRef(record.category);
    default: return {nullptr, 0};
    }
}

// Copies a record field into the buffer, bounded by both the field and the buffer.
static void copyFieldText(const FieldTableText& field, char* buffer, uint32_t capacity) {
    size_t length = 0;
    while (length + 1 < capacity && length < field.capacity && field.text[length] != '\0')
        ++length;
    std::memcpy(buffer, field.text, length);
    buffer[length] = '\0';
}

bool getFieldText(const ContactRecord* record, const FieldSlot* slot, char* buffer, uint32_t capacity) {
    if (record == nullptr || slot == nullptr || buffer == nullptr || capacity == 0)
        return false;
    if (static_cast<int64_t>(slot->width) >= static_cast<int64_t>(capacity))
        return false;
    buffer[0] = '\0';
    buffer[capacity - 1] = '\0';

    switch (slot->id) {
    case FieldIdCreationTime: formatDateTimeText(record->creationTime, buffer, capacity); return true;
    case FieldIdLastModificationTime: formatDateTimeText(record->lastModificationTime, buffer, capacity); return true;
    case FieldIdSourceType: {
        const char* name = sourceTypeName(record->sourceType);
        if (name == nullptr)
            return false;
        copyFieldText({name, std::strlen(name) + 1}, buffer, capacity);
        return true;
    }
    default: break;
    }
    const FieldTableText field = textFieldById(*record, slot->id);
    if (field.text == nullptr)
        return false;
    copyFieldText(field, buffer, capacity);
    return true;
}
