#pragma once
#include "palm/PalmCategory.h"

#include <cstdint>
#include <memory>

// The up to sixteen categories of an address file, each in its slot. The
// table owns copies of the categories added to it.
class PalmCategoryTable {
public:
    static constexpr int32_t SlotCount = 16;
    static constexpr uint32_t DefaultHeaderValue = 128;

    PalmCategoryTable();
    virtual ~PalmCategoryTable();
    PalmCategoryTable(const PalmCategoryTable&) = delete;
    PalmCategoryTable& operator=(const PalmCategoryTable&) = delete;

    virtual uint32_t count() const;
    virtual const PalmCategory* findById(int32_t id) const;
    // None for a slot outside 0 to 15 or an empty one.
    virtual const PalmCategory* categoryAt(int32_t slot) const;
    // Stores a copy. A category without a slot gets the first free one from 1
    // to 15 and is marked dirty; its safe name is made anew from its name.
    // Fails for a missing category, a full table, ID -1, an ID already held,
    // a slot outside 0 to 15 or a slot already taken.
    virtual bool add(const PalmCategory* category);

    uint32_t headerValue() const { return headerValue_; }
    void setHeaderValue(uint32_t value) { headerValue_ = value; }

private:
    int32_t firstFreeSlot() const;

    uint32_t headerValue_ = DefaultHeaderValue;
    uint32_t count_ = 0;
    std::unique_ptr<PalmCategory> slots_[SlotCount];
};

// The name made safe for a file name: each of " * + , . / : ; < = > ? [ \ ] ^ |
// becomes an underscore.
void makeSafeCategoryName(const char* name, char* safeName, uint32_t capacity);
