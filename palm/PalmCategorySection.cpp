#include "palm/PalmCategorySection.h"

#include <cstring>
#include <new>

namespace {

constexpr int32_t UnfiledId = 0;
constexpr int32_t UnfiledSlot = 0;
const char* const UnfiledName = "Unfiled";

bool addUnfiled(PalmCategoryTable& table) {
    PalmCategory unfiled;
    unfiled.setSlot(UnfiledSlot);
    unfiled.setId(UnfiledId);
    unfiled.setName(UnfiledName);
    return table.add(&unfiled);
}

// The section is read strictly: a value the file does not hold in full fails
// it, so a file cut short never passes for one without categories.
bool readExactly(BinaryFileStream& stream, void* destination, uint32_t count) {
    uint32_t delivered = count;
    return stream.readBlock(destination, &delivered) && delivered == count;
}

bool readWord(BinaryFileStream& stream, uint32_t& value) {
    uint8_t bytes[4];
    if (!readExactly(stream, bytes, sizeof bytes))
        return false;
    value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

bool readCategoryText(BinaryFileStream& stream, char (&text)[MaxCategoryNameInFile + 1]) {
    text[0] = '\0';
    uint8_t prefix[3];
    if (!readExactly(stream, prefix, 1))
        return false;
    uint32_t length = prefix[0];
    if (length == 255) {
        if (!readExactly(stream, prefix + 1, 2))
            return false;
        length = static_cast<uint32_t>(prefix[1]) | static_cast<uint32_t>(prefix[2]) << 8;
    }
    if (length > MaxCategoryNameInFile)
        return false;
    if (length > 0 && !readExactly(stream, text, length))
        return false;
    text[length] = '\0';
    return true;
}

bool readEntry(BinaryFileStream& stream, PalmCategoryTable& table) {
    uint32_t slot = 0;
    uint32_t id = 0;
    uint32_t dirty = 0;
    if (!readWord(stream, slot) || !readWord(stream, id) || !readWord(stream, dirty))
        return false;

    char text[MaxCategoryNameInFile + 1];
    PalmCategory category;
    category.setSlot(static_cast<int32_t>(slot));
    category.setId(static_cast<int32_t>(id));
    if (!readCategoryText(stream, text))
        return false;
    category.setName(text);
    if (!readCategoryText(stream, text))
        return false;
    category.setSafeName(text);
    category.setDirty(dirty != 0);
    return table.add(&category);
}

uint32_t writtenEntryCount(const PalmCategoryTable& table) {
    uint32_t entries = 0;
    for (int32_t slot = 0; slot < PalmCategoryTable::SlotCount; ++slot) {
        const PalmCategory* category = table.categoryAt(slot);
        if (category && category->getId() != UnfiledId)
            ++entries;
    }
    return entries;
}

bool writeEntry(BinaryFileStream& stream, const PalmCategory& category) {
    return stream.writeUInt32(static_cast<uint32_t>(category.getSlot())) &&
           stream.writeUInt32(static_cast<uint32_t>(category.getId())) && stream.writeUInt32(0) &&
           stream.writeCountedString(category.namePointer()) && stream.writeCountedString(category.safeNamePointer());
}

}  // namespace

bool readCategories(BinaryFileStream& stream, std::unique_ptr<PalmCategoryTable>& table) {
    table.reset(new (std::nothrow) PalmCategoryTable());
    if (!table)
        return false;

    uint32_t headerValue = PalmCategoryTable::DefaultHeaderValue;
    uint32_t countWord = 0;
    if (!readWord(stream, headerValue) || !readWord(stream, countWord))
        return false;
    table->setHeaderValue(headerValue);
    if (!addUnfiled(*table))
        return false;

    uint32_t entries = countWord & 0xFFFF;
    if (entries > MaxCategoryEntries)
        return false;
    for (uint32_t entry = 0; entry < entries; ++entry) {
        if (!readEntry(stream, *table))
            return false;
    }
    return true;
}

bool writeCategories(BinaryFileStream& stream, const PalmCategoryTable* table) {
    uint32_t headerValue = table ? table->headerValue() : PalmCategoryTable::DefaultHeaderValue;
    if (!stream.writeUInt32(headerValue))
        return false;
    // The count is that of the entries that follow, so a table without
    // Unfiled still yields a section its reader can walk.
    uint32_t entries = table ? writtenEntryCount(*table) : 0;
    if (!stream.writeUInt32(entries))
        return false;
    if (entries == 0)
        return true;
    for (int32_t slot = 0; slot < PalmCategoryTable::SlotCount; ++slot) {
        const PalmCategory* category = table->categoryAt(slot);
        if (!category || category->getId() == UnfiledId)
            continue;
        if (!writeEntry(stream, *category))
            return false;
    }
    return true;
}

bool categoryNameForId(const PalmCategoryTable* table, int32_t id, char destination[16]) {
    if (table == nullptr || destination == nullptr)
        return false;
    const PalmCategory* category = table->findById(id);
    if (category == nullptr)
        return false;
    std::memcpy(destination, category->namePointer(), std::strlen(category->namePointer()) + 1);
    return true;
}
