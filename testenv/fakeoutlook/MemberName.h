#pragma once
#include <cctype>

// Automation member names are looked up without regard to case, as a type
// library does.
inline bool sameMemberName(const char* left, const char* right) {
    if (!left || !right)
        return false;
    for (; *left && *right; ++left, ++right) {
        if (std::tolower(static_cast<unsigned char>(*left)) != std::tolower(static_cast<unsigned char>(*right))) {
            return false;
        }
    }
    return *left == *right;
}
