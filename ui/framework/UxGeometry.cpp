#include "ui/framework/UxGeometry.h"

#include "ui/geometry/Geometry.h"

RECT centerRect(HWND reference, int width, int height) {
    if (reference == nullptr || !IsWindow(reference))
        reference = GetDesktopWindow();
    RECT area = {0, 0, 0, 0};
    GetWindowRect(reference, &area);
    const UxRect centred = centerRectOn(makeRect(area.left, area.top, area.right, area.bottom), width, height);
    RECT result = {centred.left, centred.top, centred.right, centred.bottom};
    return result;
}

void centerWindow(HWND window, HWND reference, int width, int height) {
    if (width == 0 && height == 0) {
        RECT client;
        GetClientRect(window, &client);
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
    const RECT target = centerRect(reference, width, height);
    MoveWindow(window, target.left, target.top, width, height, TRUE);
}

bool imageSize(HBITMAP bitmap, int* width, int* height) {
    *width = 0;
    *height = 0;
    BITMAP description;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof description, &description) == 0)
        return false;
    *width = description.bmWidth;
    *height = description.bmHeight;
    return true;
}
