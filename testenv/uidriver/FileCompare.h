#pragma once
#include <cstddef>
#include <string>

// Whether two files' bytes are the same. No platform headers: the native
// tests read this too.

constexpr long long SameBytes = -1;

// The offset of the first byte where the two differ: SameBytes when they
// hold the same bytes, the shorter one's length when it is the start of the
// longer.
inline long long firstDifference(const std::string& first, const std::string& second) {
    const size_t common = first.size() < second.size() ? first.size() : second.size();
    for (size_t at = 0; at < common; ++at) {
        if (first[at] != second[at])
            return static_cast<long long>(at);
    }
    return first.size() == second.size() ? SameBytes : static_cast<long long>(common);
}
