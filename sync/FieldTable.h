#pragma once
#include <cstdint>

#include "sync/ContactRecord.h"

// One column of the field table: a record field by id, with its display name
// and display width in characters. Unused slots are all zero.
struct FieldSlot {
    int32_t id;
    int32_t reserved;
    char name[32];
    int32_t width;
    int32_t reserved2;
};

constexpr int FieldTableSlotCount = 84;
constexpr int FieldTableUsedSlotCount = 42;

// Field ids that are not plain text fields of the record.
constexpr int32_t FieldIdCreationTime = 40;
constexpr int32_t FieldIdLastModificationTime = 41;
constexpr int32_t FieldIdSourceType = 42;

// All 84 slots, the 42 used ones first.
const FieldSlot* fieldTableSlots();

// Copies the first slot whose id is id. Id 0 finds the first empty slot.
bool findField(int32_t id, FieldSlot* slot);

// The text form of one field of record. Fails when an argument is missing, when
// the slot's display width is not smaller than capacity, for an unknown id, and
// for a source type without a name (the buffer then holds the empty text).
bool getFieldText(const ContactRecord* record, const FieldSlot* slot, char* buffer, uint32_t capacity);
