#pragma once
#include "palm/BinaryFileStream.h"
#include "palm/PalmCategoryTable.h"

#include <cstdint>
#include <memory>

// The category section shared by both address file formats.

// The section holds at most this many entries; Unfiled is never among them.
constexpr uint32_t MaxCategoryEntries = PalmCategoryTable::SlotCount - 1;
// Names and safe names longer than this fail the section.
constexpr uint32_t MaxCategoryNameInFile = 255;

// Replaces table by one read from the stream's position, Unfiled in slot 0
// first. Fails for a section the file does not hold in full, more than 15
// entries, a name longer than 255 characters, or an entry the table refuses
// (ID 0 or -1, a repeated ID, a slot outside 0 to 15 or already taken). On
// failure table holds what was read before the failing entry.
bool readCategories(BinaryFileStream& stream, std::unique_ptr<PalmCategoryTable>& table);

// Writes table (or an empty section for none) at the stream's position.
bool writeCategories(BinaryFileStream& stream, const PalmCategoryTable* table);

// Copies the name of the category with that ID, terminated; false and
// destination untouched when there is none.
bool categoryNameForId(const PalmCategoryTable* table, int32_t id, char destination[16]);
