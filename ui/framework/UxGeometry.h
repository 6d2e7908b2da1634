#pragma once
#include <windows.h>

#include "ui/geometry/Geometry.h"

// A width x height rectangle centred on the reference window (the desktop
// when it is none), never at a negative position.
RECT centerRect(HWND reference, int width, int height);
// Moves window to the centre of reference; width and height 0 take the
// window's own client size.
void centerWindow(HWND window, HWND reference, int width, int height);
// The bitmap's size; false and zeros without a bitmap.
bool imageSize(HBITMAP bitmap, int* width, int* height);

// The layout functions' rectangle as the platform's.
inline RECT toRect(const UxRect& rect) {
    RECT result = {rect.left, rect.top, rect.right, rect.bottom};
    return result;
}

// The pointer position of a mouse message, signed as client coordinates are:
// the one way every window of the framework reads it.
inline POINT pointOf(LPARAM lParam) {
    const UxPoint position = unpackPosition(static_cast<uint32_t>(lParam));
    POINT point = {position.x, position.y};
    return point;
}
