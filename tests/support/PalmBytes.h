#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Builds the bytes of a Palm Desktop file piece by piece, little-endian, for
// tests that need exact or deliberately broken files. Every appender returns
// the builder so that calls chain.
class PalmBytes {
public:
    struct CategoryEntry {
        uint32_t slot;
        uint32_t id;
        std::string name;
        std::string safeName;
        uint32_t dirty = 0;
    };

    PalmBytes& u8(uint8_t value);
    PalmBytes& u16(uint16_t value);
    PalmBytes& u32(uint32_t value);
    PalmBytes& u64(uint64_t value);
    PalmBytes& raw(const std::string& text);
    PalmBytes& raw(const std::vector<uint8_t>& bytes);
    PalmBytes& raw(const void* bytes, size_t count);
    PalmBytes& fill(uint8_t value, size_t count);

    // The form the writer chooses: one length byte below 255, else 255 and a
    // 16-bit length.
    PalmBytes& countedString(const std::string& text);
    // One length byte whatever the text (lengths above 254 are cut to 8 bits).
    PalmBytes& shortCountedString(const std::string& text);
    // 255 and a 16-bit length, even for a short text.
    PalmBytes& longCountedString(const std::string& text);
    // A length prefix that claims declaredLength, followed by text as given.
    PalmBytes& countedStringClaiming(uint32_t declaredLength, const std::string& text);

    // Tag (1 unless told), then the value.
    PalmBytes& integerField(uint32_t value, uint32_t tag = 1);
    PalmBytes& booleanField(uint32_t value);
    PalmBytes& dateField(uint32_t value);
    // Tag 5, the word (1 unless told), a counted string.
    PalmBytes& stringField(const std::string& text, uint32_t word = 1);
    // Tag and a present word of 0: an empty blob.
    PalmBytes& absentBlobField(uint32_t tag);
    // Present (1), the two words, the data's length and the data.
    PalmBytes& blobField(uint32_t tag, uint32_t wordA, uint32_t wordB, const std::vector<uint8_t>& data);
    // A blob whose length word says declaredLength, followed by data as given.
    PalmBytes& blobFieldClaiming(uint32_t tag, uint32_t declaredLength, const std::vector<uint8_t>& data);
    PalmBytes& wideField(uint32_t first, uint32_t second, uint32_t tag = 68);

    // Header value, entry count, and the entries as listed.
    PalmBytes& categorySection(uint32_t headerValue, const std::vector<CategoryEntry>& entries);

    // The 24-byte signature of a Palm Desktop 4 file (BE BA FE CA 0F and the text).
    PalmBytes& format4Signature();
    // The default field schema of the older format (30 columns) and of the
    // Palm Desktop 4 format (73 columns): identifier, fields per record, the
    // three key columns, the field count and the types.
    PalmBytes& format1Schema();
    PalmBytes& format4Schema();

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }
    // Writes the bytes as the whole content of path.
    bool writeTo(const std::string& path) const;

private:
    std::vector<uint8_t> bytes_;
};
