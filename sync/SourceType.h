#pragma once
#include <cstdint>

// Where a record came from (ContactRecord::sourceType). Only the first three
// are produced by the loaders; the rest are accepted and named.
constexpr int32_t SourceTypePalm = 1;
constexpr int32_t SourceTypePalm4 = 2;
constexpr int32_t SourceTypeOutlook = 3;
constexpr int32_t SourceTypeLast = 15;

// The display name of a source type, or null outside 1-15.
const char* sourceTypeName(int32_t sourceType);
