#pragma once
#include <cstddef>

// Puts text into a fixed-capacity field: at most capacity - 1 characters, the
// rest of the field zero-filled, always terminated. A null text empties the
// field; a zero capacity writes nothing.
void copyText(char* field, size_t capacity, const char* text);

template <size_t N>
void copyText(char (&field)[N], const char* text) {
    copyText(field, N, text);
}
