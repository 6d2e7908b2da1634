#include "ui/layout/MainWindowLayout.h"

MainFrameLayout mainFrameLayout(int width, int height) {
    MainFrameLayout layout;
    layout.statusBar = makeRect(0, height - 24, width, height);
    layout.buttonBar = makeRect(0, 0, width, ButtonBarHeight);
    // The view reaches 4 pixels under the status bar, which covers them.
    layout.contentView = makeRect(0, ButtonBarHeight, width, height - 20);
    return layout;
}

void placeListsAtSplitter(int splitter, int width, int height, UxRect* palmList, UxRect* outlookList) {
    const int bottom = height - ContactViewFooterHeight;
    *palmList = makeRect(0, ContactViewHeaderHeight, splitter - 1, bottom);
    *outlookList = makeRect(splitter + 1, ContactViewHeaderHeight, width, bottom);
}

ContactViewLayout contactViewLayout(int width, int height) {
    ContactViewLayout layout;
    const int middle = width / 2;
    const int footerTop = height - 25;
    layout.splitter = middle;
    placeListsAtSplitter(middle, width, height, &layout.palmList, &layout.outlookList);
    layout.palmSelectAll = makeRectOfSize(10, footerTop, 80, 20);
    layout.palmClear = makeRectOfSize(100, footerTop, 80, 20);
    layout.outlookSelectAll = makeRectOfSize(width - 180, footerTop, 80, 20);
    layout.outlookClear = makeRectOfSize(width - 90, footerTop, 80, 20);
    layout.userCombo = makeRectOfSize(middle, footerTop, 120, 200);
    layout.palmLabel = makeRect(20, 0, 240, ContactViewHeaderHeight);
    layout.outlookLabel = makeRect(width - 260, 0, width - 20, ContactViewHeaderHeight);
    layout.userLabel = makeRect(middle - 140, footerTop, middle, height - 5);
    return layout;
}

bool inListBand(int y, int height) { return y > ContactViewHeaderHeight && y < height - ContactViewFooterHeight; }

bool splitterAllowedAt(int x, int width) { return x >= SplitterMargin && x <= width - SplitterMargin; }

int bigButtonLeft(int index, int width) {
    const int gap = (width - 576) / 4;
    return 240 + BigButtonSize * index + (index + 1) * gap;
}

UxRect bigButtonRect(int index, int width) {
    return makeRectOfSize(bigButtonLeft(index, width), BigButtonTop, BigButtonSize, BigButtonSize);
}

int bigButtonAt(int x, int y, int width) {
    for (int index = 0; index < BigButtonCount; ++index) {
        if (bigButtonRect(index, width).contains(x, y))
            return index;
    }
    return -1;
}
