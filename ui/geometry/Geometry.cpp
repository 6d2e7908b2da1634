#include "ui/geometry/Geometry.h"

UxRect centerRectOn(const UxRect& reference, int width, int height) {
    // Integer division truncates toward zero, as the halving must.
    int x = reference.left + (reference.width() - width) / 2;
    int y = reference.top + (reference.height() - height) / 2;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    return makeRectOfSize(x, y, width, height);
}

static int signedHalf(uint32_t half) {
    return half >= 0x8000 ? static_cast<int>(half) - 0x10000 : static_cast<int>(half);
}

UxPoint unpackPosition(uint32_t packed) {
    UxPoint point;
    point.x = signedHalf(packed & 0xFFFFu);
    point.y = signedHalf(packed >> 16);
    return point;
}
