#include "sync/TextField.h"

#include <cstring>

void copyText(char* field, size_t capacity, const char* text) {
    if (field == nullptr || capacity == 0)
        return;
    size_t length = 0;
    if (text != nullptr) {
        // Never read past what the field can take: the source need not be terminated within reach.
        while (length < capacity - 1 && text[length] != '\0')
            ++length;
        std::memmove(field, text, length);
    }
    std::memset(field + length, 0, capacity - length);
}
