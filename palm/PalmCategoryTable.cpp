#include "palm/PalmCategoryTable.h"

#include <cstring>
#include <new>

namespace {

bool isUnsafeForFileName(char character) {
    static const char unsafe[] = "\"*+,./:;<=>?[\\]^|";
    return character != '\0' && std::strchr(unsafe, character) != nullptr;
}

}  // namespace

void makeSafeCategoryName(const char* name, char* safeName, uint32_t capacity) {
    if (safeName == nullptr || capacity == 0)
        return;
    uint32_t length = 0;
    while (name != nullptr && name[length] != '\0' && length + 1 < capacity) {
        safeName[length] = isUnsafeForFileName(name[length]) ? '_' : name[length];
        ++length;
    }
    safeName[length] = '\0';
}

PalmCategoryTable::PalmCategoryTable() = default;

PalmCategoryTable::~PalmCategoryTable() = default;

uint32_t PalmCategoryTable::count() const { return count_; }

const PalmCategory* PalmCategoryTable::findById(int32_t id) const {
    for (const auto& category : slots_) {
        if (category && category->getId() == id)
            return category.get();
    }
    return nullptr;
}

const PalmCategory* PalmCategoryTable::categoryAt(int32_t slot) const {
    if (slot < 0 || slot >= SlotCount)
        return nullptr;
    return slots_[slot].get();
}

int32_t PalmCategoryTable::firstFreeSlot() const {
    // Slot 0 belongs to Unfiled; placing a new category never takes it.
    for (int32_t slot = 1; slot < SlotCount; ++slot) {
        if (!slots_[slot])
            return slot;
    }
    return PalmCategory::NoSlot;
}

bool PalmCategoryTable::add(const PalmCategory* category) {
    if (category == nullptr || count_ >= static_cast<uint32_t>(SlotCount))
        return false;
    std::unique_ptr<PalmCategory> copy(new (std::nothrow) PalmCategory(*category));
    if (!copy)
        return false;

    if (copy->getSlot() == PalmCategory::NoSlot) {
        int32_t slot = firstFreeSlot();
        if (slot == PalmCategory::NoSlot)
            return false;
        copy->setSlot(slot);
        copy->setDirty(true);
    }
    int32_t slot = copy->getSlot();
    if (slot < 0 || slot >= SlotCount || slots_[slot])
        return false;
    if (copy->getId() == PalmCategory::NoId || findById(copy->getId()) != nullptr)
        return false;

    if (copy->namePointer()[0] != '\0') {
        char safeName[PalmCategory::MaxSafeNameLength + 1];
        makeSafeCategoryName(copy->namePointer(), safeName, sizeof safeName);
        copy->setSafeName(safeName);
    }
    slots_[slot] = std::move(copy);
    ++count_;
    return true;
}
