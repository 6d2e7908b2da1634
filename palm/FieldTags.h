#pragma once
#include <cstdint>

// The 32-bit tag that stands before every value of a Palm record.
constexpr uint32_t IntegerTag = 1;
// Dates are accepted wherever an integer is read; the writer never emits them.
constexpr uint32_t DateTag = 3;
constexpr uint32_t StringTag = 5;
constexpr uint32_t BooleanTag = 6;
// Four blob columns, each with its own tag from 64 to 67.
constexpr uint32_t BlobTag = 64;
constexpr uint32_t LastBlobTag = 67;
constexpr uint32_t WideTag = 68;

// The word between a string tag and its text; ignored on reading.
constexpr uint32_t StringFieldWord = 1;

inline bool isIntegerTag(uint32_t tag) { return tag == IntegerTag || tag == DateTag || tag == BooleanTag; }
inline bool isBlobTag(uint32_t tag) { return tag >= BlobTag && tag <= LastBlobTag; }
