#include "palm/PalmCategory.h"

#include <cstring>

namespace {

void copyCut(char* destination, const char* source, uint32_t maxLength) {
    size_t length = 0;
    while (source != nullptr && length < maxLength && source[length] != '\0')
        ++length;
    if (length > 0)
        std::memcpy(destination, source, length);
    destination[length] = '\0';
}

bool copyOut(const char* text, char* buffer, uint32_t* capacity) {
    if (buffer == nullptr || capacity == nullptr)
        return false;
    std::memset(buffer, 0, *capacity);
    size_t length = std::strlen(text);
    if (length == 0 || length >= *capacity)
        return false;
    std::memcpy(buffer, text, length + 1);
    *capacity = static_cast<uint32_t>(length);
    return true;
}

}  // namespace

PalmCategory::PalmCategory() = default;

PalmCategory::~PalmCategory() = default;

bool PalmCategory::copyName(char* buffer, uint32_t* capacity) const { return copyOut(name_, buffer, capacity); }

bool PalmCategory::copySafeName(char* buffer, uint32_t* capacity) const { return copyOut(safeName_, buffer, capacity); }

void PalmCategory::setName(const char* name) { copyCut(name_, name, MaxNameLength); }

void PalmCategory::setSafeName(const char* safeName) { copyCut(safeName_, safeName, MaxSafeNameLength); }

void PalmCategory::setDirty(bool dirty) {
    if (dirty)
        flags_ |= DirtyFlag;
    else
        flags_ &= ~DirtyFlag;
}
