#include "palm/FieldBlob.h"

#include <new>

void FieldBlob::clear() {
    tag = 0;
    present = 0;
    wordA = 0;
    wordB = 0;
    length = 0;
    data.clear();
    data.shrink_to_fit();
}

bool FieldBlob::setData(const uint8_t* bytes, uint32_t count) {
    data.clear();
    length = 0;
    if (count == 0)
        return true;
    if (bytes == nullptr)
        return false;
    try {
        data.assign(bytes, bytes + count);
    } catch (const std::bad_alloc&) {
        data.clear();
        return false;
    }
    length = count;
    return true;
}

uint64_t FieldBlob::encodedSize() const {
    if (present == 0)
        return 8;
    return 20 + static_cast<uint64_t>(length);
}

bool FieldBlob::operator==(const FieldBlob& other) const {
    return tag == other.tag && present == other.present && wordA == other.wordA && wordB == other.wordB &&
           length == other.length && data == other.data;
}
