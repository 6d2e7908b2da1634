#pragma once
#include "ui/geometry/Geometry.h"

// Where the main window and its content view put their parts, from the client
// width and height alone.

struct MainFrameLayout {
    UxRect statusBar;
    UxRect buttonBar;
    UxRect contentView;
};

constexpr int MainFrameMinimumWidth = 800;
constexpr int MainFrameMinimumHeight = 600;
constexpr int ButtonBarHeight = 60;

MainFrameLayout mainFrameLayout(int width, int height);

// The content view: a 48-pixel header band with labels and the three big
// buttons, the two lists side by side, and a 30-pixel footer band.
constexpr int ContactViewHeaderHeight = 48;
constexpr int ContactViewFooterHeight = 30;
constexpr int BigButtonCount = 3;
constexpr int BigButtonSize = 32;
constexpr int BigButtonTop = 8;
// The splitter stays this far from either edge.
constexpr int SplitterMargin = 240;

struct ContactViewLayout {
    UxRect palmList;
    UxRect outlookList;
    UxRect palmSelectAll;
    UxRect palmClear;
    UxRect outlookSelectAll;
    UxRect outlookClear;
    // Its height includes the drop-down list.
    UxRect userCombo;
    UxRect palmLabel;
    UxRect outlookLabel;
    UxRect userLabel;
    int splitter = 0;
};

ContactViewLayout contactViewLayout(int width, int height);

// The lists either side of a splitter at x.
void placeListsAtSplitter(int splitter, int width, int height, UxRect* palmList, UxRect* outlookList);

// Whether a pointer at y is in the band between header and footer, where the
// pointer sizes the lists.
bool inListBand(int y, int height);

// Whether a dragged splitter may stand at x.
bool splitterAllowedAt(int x, int width);

// The left edge of big button index (0..2), and its hit rectangle.
int bigButtonLeft(int index, int width);
UxRect bigButtonRect(int index, int width);

// The first big button whose rectangle holds the point, else -1.
int bigButtonAt(int x, int y, int width);
