#include "tests/support/PalmBytes.h"

#include "tests/support/TempFolder.h"

namespace {

void appendLittleEndian(std::vector<uint8_t>& bytes, uint64_t value, unsigned size) {
    for (unsigned i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

PalmBytes& PalmBytes::u8(uint8_t value) {
    bytes_.push_back(value);
    return *this;
}

PalmBytes& PalmBytes::u16(uint16_t value) {
    appendLittleEndian(bytes_, value, 2);
    return *this;
}

PalmBytes& PalmBytes::u32(uint32_t value) {
    appendLittleEndian(bytes_, value, 4);
    return *this;
}

PalmBytes& PalmBytes::u64(uint64_t value) {
    appendLittleEndian(bytes_, value, 8);
    return *this;
}

PalmBytes& PalmBytes::raw(const std::string& text) { return raw(text.data(), text.size()); }

PalmBytes& PalmBytes::raw(const std::vector<uint8_t>& bytes) { return raw(bytes.data(), bytes.size()); }

PalmBytes& PalmBytes::raw(const void* bytes, size_t count) {
    const auto* begin = static_cast<const uint8_t*>(bytes);
    if (count > 0)
        bytes_.insert(bytes_.end(), begin, begin + count);
    return *this;
}

PalmBytes& PalmBytes::fill(uint8_t value, size_t count) {
    bytes_.insert(bytes_.end(), count, value);
    return *this;
}

PalmBytes& PalmBytes::countedString(const std::string& text) {
    return text.size() < 255 ? shortCountedString(text) : longCountedString(text);
}

PalmBytes& PalmBytes::shortCountedString(const std::string& text) {
    return u8(static_cast<uint8_t>(text.size())).raw(text);
}

PalmBytes& PalmBytes::longCountedString(const std::string& text) {
    return u8(255).u16(static_cast<uint16_t>(text.size())).raw(text);
}

PalmBytes& PalmBytes::countedStringClaiming(uint32_t declaredLength, const std::string& text) {
    if (declaredLength < 255)
        return u8(static_cast<uint8_t>(declaredLength)).raw(text);
    return u8(255).u16(static_cast<uint16_t>(declaredLength)).raw(text);
}

PalmBytes& PalmBytes::integerField(uint32_t value, uint32_t tag) { return u32(tag).u32(value); }

PalmBytes& PalmBytes::booleanField(uint32_t value) { return integerField(value, 6); }

PalmBytes& PalmBytes::dateField(uint32_t value) { return integerField(value, 3); }

PalmBytes& PalmBytes::stringField(const std::string& text, uint32_t word) {
    return u32(5).u32(word).countedString(text);
}

PalmBytes& PalmBytes::absentBlobField(uint32_t tag) { return u32(tag).u32(0); }

PalmBytes& PalmBytes::blobField(uint32_t tag, uint32_t wordA, uint32_t wordB, const std::vector<uint8_t>& data) {
    return u32(tag).u32(1).u32(wordA).u32(wordB).u32(static_cast<uint32_t>(data.size())).raw(data);
}

PalmBytes& PalmBytes::blobFieldClaiming(uint32_t tag, uint32_t declaredLength, const std::vector<uint8_t>& data) {
    return u32(tag).u32(1).u32(0).u32(0).u32(declaredLength).raw(data);
}

PalmBytes& PalmBytes::wideField(uint32_t first, uint32_t second, uint32_t tag) {
    return u32(tag).u32(first).u32(second);
}

PalmBytes& PalmBytes::categorySection(uint32_t headerValue, const std::vector<CategoryEntry>& entries) {
    u32(headerValue).u32(static_cast<uint32_t>(entries.size()));
    for (const CategoryEntry& entry : entries) {
        u32(entry.slot).u32(entry.id).u32(entry.dirty).countedString(entry.name).countedString(entry.safeName);
    }
    return *this;
}

bool PalmBytes::writeTo(const std::string& path) const { return writeWholeFile(path, bytes_); }

PalmBytes& PalmBytes::format4Signature() {
    return u8(0xBE).u8(0xBA).u8(0xFE).u8(0xCA).u8(0x0F).raw("PalmSG Database00RV");
}

PalmBytes& PalmBytes::format1Schema() {
    static const uint16_t types[30] = {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5,
                                       1, 5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1};
    u32(74).u32(30).u32(0).u32(1).u32(2).u16(30);
    for (uint16_t type : types)
        u16(type);
    return *this;
}

PalmBytes& PalmBytes::format4Schema() {
    static const uint16_t types[73] = {1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 67, 5, 5, 5, 5, 5,  5, 1, 5, 5, 5, 5, 5, 5, 5,
                                       5, 1, 1, 1, 1, 1, 1, 1,  5,  5,  5,  5, 5, 5, 5, 5,  5, 1, 5, 5, 5, 5, 5, 1, 5,
                                       5, 5, 5, 5, 1, 5, 5, 5,  5,  5,  5,  5, 1, 1, 5, 68, 6, 1, 1, 5, 5, 5, 5};
    u32(74).u32(73).u32(0).u32(2).u32(4).u16(73);
    for (uint16_t type : types)
        u16(type);
    return *this;
}
