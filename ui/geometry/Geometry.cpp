#include "ui/geometry/Geometry.h"

UxRect centerRectOn(const UxRect& reference, int width, int height)
{
    // Integer division truncates toward zero, as the halving must.
    int x = reference.left + (reference.width() - width) / 2;
    int y = reference.top + (reference.height() - height) / 2;
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    return makeRectOfSize(x, y, width, height);
}
