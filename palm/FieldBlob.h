#pragma once
#include <cstdint>
#include <vector>

// The variable-length value of the Palm Desktop 4 blob columns. The five words
// are kept exactly as read so that a save writes them back unchanged; the data
// is owned, so copying a blob copies its bytes.
class FieldBlob {
public:
    uint32_t tag = 0;
    uint32_t present = 0;
    uint32_t wordA = 0;
    uint32_t wordB = 0;
    uint32_t length = 0;
    std::vector<uint8_t> data;

    // Back to the empty blob: every word 0, no data.
    void clear();
    // Replaces the data and sets length to match; false when memory runs out
    // (the blob is then left without data).
    bool setData(const uint8_t* bytes, uint32_t count);
    // True when the blob carries data in the file: present and a length.
    bool hasData() const { return present != 0 && length != 0; }
    // Bytes the blob takes in the file, tag included.
    uint64_t encodedSize() const;

    bool operator==(const FieldBlob& other) const;
    bool operator!=(const FieldBlob& other) const { return !(*this == other); }
};
