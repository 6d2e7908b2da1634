#include "palm/PalmAddressFileCommon.h"

namespace {

constexpr uint8_t LongLengthMarker = 255;

}  // namespace

bool FieldSchema::operator==(const FieldSchema& other) const {
    return tableId == other.tableId && fieldsPerRecord == other.fieldsPerRecord &&
           recordIdColumn == other.recordIdColumn && statusColumn == other.statusColumn &&
           positionColumn == other.positionColumn && fieldTypes == other.fieldTypes;
}

bool readExactly(BinaryFileStream& stream, void* destination, uint32_t count) {
    uint32_t delivered = count;
    return stream.readBlock(destination, &delivered) && delivered == count;
}

bool readExactUInt16(BinaryFileStream& stream, uint16_t& value) {
    uint8_t bytes[2];
    if (!readExactly(stream, bytes, sizeof bytes))
        return false;
    value = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    return true;
}

bool readExactUInt32(BinaryFileStream& stream, uint32_t& value) {
    uint8_t bytes[4];
    if (!readExactly(stream, bytes, sizeof bytes))
        return false;
    value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

bool readBoundedText(BinaryFileStream& stream, std::string& text, uint32_t maxLength) {
    text.clear();
    uint8_t shortLength = 0;
    if (!readExactly(stream, &shortLength, 1))
        return false;
    uint32_t length = shortLength;
    if (shortLength == LongLengthMarker) {
        uint16_t longLength = 0;
        if (!readExactUInt16(stream, longLength))
            return false;
        length = longLength;
    }
    if (length > maxLength)
        return false;
    if (length == 0)
        return true;
    text.resize(length);
    return readExactly(stream, &text[0], length);
}

bool readFieldSchema(BinaryFileStream& stream, FieldSchema& schema, uint32_t maxColumns) {
    FieldSchema read;
    uint16_t fieldCount = 0;
    if (!readExactUInt32(stream, read.tableId) || !readExactUInt32(stream, read.fieldsPerRecord) ||
        !readExactUInt32(stream, read.recordIdColumn) || !readExactUInt32(stream, read.statusColumn) ||
        !readExactUInt32(stream, read.positionColumn) || !readExactUInt16(stream, fieldCount)) {
        return false;
    }
    if (read.fieldsPerRecord == 0 || read.fieldsPerRecord > maxColumns || fieldCount > maxColumns)
        return false;
    read.fieldTypes.resize(fieldCount);
    for (uint16_t& type : read.fieldTypes) {
        if (!readExactUInt16(stream, type))
            return false;
    }
    schema = std::move(read);
    return true;
}

bool writeFieldSchema(BinaryFileStream& stream, const FieldSchema& schema) {
    if (schema.fieldTypes.size() > 0xFFFF)
        return false;
    if (!stream.writeUInt32(schema.tableId) || !stream.writeUInt32(schema.fieldsPerRecord) ||
        !stream.writeUInt32(schema.recordIdColumn) || !stream.writeUInt32(schema.statusColumn) ||
        !stream.writeUInt32(schema.positionColumn) || !stream.writeUInt16(schema.fieldCount())) {
        return false;
    }
    for (uint16_t type : schema.fieldTypes) {
        if (!stream.writeUInt16(type))
            return false;
    }
    return true;
}

bool streamHoldsBytes(BinaryFileStream& stream, uint64_t count, bool& holds) {
    holds = true;
    if (count == 0)
        return true;
    uint64_t start = stream.position();
    // One byte at the last position needed answers the question without
    // knowing the file's size.
    uint8_t probe = 0;
    uint32_t delivered = 1;
    holds = stream.setPosition(start + count - 1) && stream.readBlock(&probe, &delivered) && delivered == 1;
    return stream.setPosition(start);
}

bool reservableRecordCount(BinaryFileStream& stream, uint32_t recordCount, uint32_t fieldsPerRecord,
                           uint32_t& reservable) {
    reservable = 0;
    uint64_t needed = static_cast<uint64_t>(recordCount) * fieldsPerRecord * MinimumColumnBytes;
    bool holds = false;
    if (!streamHoldsBytes(stream, needed, holds))
        return false;
    if (holds)
        reservable = recordCount;
    return true;
}
