#include "ui/layout/ButtonBarLayout.h"

UxRect buttonBarButtonRect(int index, int width, int height) {
    // Negative below 560 pixels: the buttons then crowd to the left.
    const int gap = (width - 560) / 8;
    const int left = 240 + ButtonBarButtonWidth * index + (4 + index) * gap;
    return makeRect(left, height - 40, left + ButtonBarButtonWidth, height - 17);
}

int buttonBarButtonAt(int x, int y, int width, int height) {
    for (int index = 0; index < ButtonBarButtonCount; ++index) {
        if (buttonBarButtonRect(index, width, height).contains(x, y))
            return index;
    }
    return -1;
}
