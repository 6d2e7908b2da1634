#pragma once
#include "palm/BinaryFileStream.h"

#include <cstdint>
#include <string>
#include <vector>

// What both address file formats share beyond the stream and the category
// section: the field schema, strict header reads, and the checks that keep a
// hostile file from steering reads or allocations.

// The file's description of its records, kept and written back as read. The
// record readers do not consult the field types: each format fixes how each
// column is read and written.
struct FieldSchema {
    uint32_t tableId = 74;
    uint32_t fieldsPerRecord = 0;
    uint32_t recordIdColumn = 0;
    uint32_t statusColumn = 0;
    uint32_t positionColumn = 0;
    // The file's 16-bit field count is the number of types.
    std::vector<uint16_t> fieldTypes;

    uint16_t fieldCount() const { return static_cast<uint16_t>(fieldTypes.size()); }
    bool operator==(const FieldSchema& other) const;
    bool operator!=(const FieldSchema& other) const { return !(*this == other); }
};

// Where the last read of an address file object left it. Only an object whose
// content came whole from its file, or was never read, may be saved: a save
// after a partial read would destroy what could not be read.
enum class AddressFileReadState {
    NotRead,
    Complete,
    // The header read, but the records stopped early; the list holds the
    // records before the failure.
    RecordsMissing,
    Failed,
};

// The smallest tagged value in a record (tag and a 32-bit value, or a blob's
// tag and present word), so a record of n columns needs at least 8n bytes.
constexpr uint32_t MinimumColumnBytes = 8;

// Reads the schema, refusing one this layout cannot hold or write back: more
// field types than maxColumns, and fields per record of 0 or above
// maxColumns. On failure schema is unchanged.
bool readFieldSchema(BinaryFileStream& stream, FieldSchema& schema, uint32_t maxColumns);
bool writeFieldSchema(BinaryFileStream& stream, const FieldSchema& schema);

// Header values must arrive whole: a file cut short inside its header fails
// instead of reading stale bytes.
bool readExactly(BinaryFileStream& stream, void* destination, uint32_t count);
bool readExactUInt16(BinaryFileStream& stream, uint16_t& value);
bool readExactUInt32(BinaryFileStream& stream, uint32_t& value);
// A counted string of at most maxLength characters, read whole (embedded NUL
// bytes included). A longer one fails before any of its text is read.
bool readBoundedText(BinaryFileStream& stream, std::string& text, uint32_t maxLength);

// Sets holds to whether the file holds at least count more bytes from the
// current position, and returns to that position; false when the stream
// could not (the read must then stop).
bool streamHoldsBytes(BinaryFileStream& stream, uint64_t count, bool& holds);

// How many records to make room for up front: recordCount when the file holds
// enough bytes for that many records of fieldsPerRecord columns, else 0 (the
// list then grows as records actually arrive). False as streamHoldsBytes.
bool reservableRecordCount(BinaryFileStream& stream, uint32_t recordCount, uint32_t fieldsPerRecord,
                           uint32_t& reservable);

// A text the counted string encoding can express.
inline bool fitsCountedString(const std::string& text) {
    return text.size() <= BinaryFileStream::MaxCountedStringLength;
}
