#pragma once
#include <cstdint>

// A rectangle in pixels, left/top inclusive, right/bottom exclusive, laid out
// like the platform's RECT so the windows can copy it field by field.
struct UxRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const UxRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// A point in pixels. A client position may be negative: a captured pointer
// left of or above the window.
struct UxPoint {
    int x = 0;
    int y = 0;
};

// A position as the window messages pack it into 32 bits: x in the low half,
// y in the high half, each a signed 16-bit value.
UxPoint unpackPosition(uint32_t packed);

inline UxRect makeRect(int left, int top, int right, int bottom) {
    UxRect rect;
    rect.left = left;
    rect.top = top;
    rect.right = right;
    rect.bottom = bottom;
    return rect;
}

inline UxRect makeRectOfSize(int left, int top, int width, int height) {
    return makeRect(left, top, left + width, top + height);
}

// A width x height rectangle centred on reference; a position that would be
// negative becomes 0, so a window larger than the screen keeps its title bar
// on it.
UxRect centerRectOn(const UxRect& reference, int width, int height);
