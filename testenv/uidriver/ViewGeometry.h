#pragma once

// Where the content view's parts are, as the driver aims at them: the view
// draws three big buttons in its header band and splits its list band in
// two. Plain numbers in the view's client coordinates, so the native tests
// read this too. The driver works these out on its own rather than asking
// the program, so a program that puts things elsewhere is caught.

constexpr int ViewHeaderBand = 48;
constexpr int ViewFooterBand = 30;
constexpr int BigButtonEdge = 32;
constexpr int BigButtonTopEdge = 8;

struct ViewPoint {
    int x = 0;
    int y = 0;
};

// The middle of big button index (0..2) in a view of this width: the
// buttons start 240 pixels in and share what is left beyond 576 pixels
// equally, a quarter between each (the quarter truncated toward zero).
inline ViewPoint bigButtonCentre(int index, int viewWidth) {
    const int gap = (viewWidth - 576) / 4;
    ViewPoint centre;
    centre.x = 240 + BigButtonEdge * index + (index + 1) * gap + BigButtonEdge / 2;
    centre.y = BigButtonTopEdge + BigButtonEdge / 2;
    return centre;
}

// The middle of button-bar button index (0..3: Refresh, Option, Help, Exit)
// in a bar of this size: 80 x 23 buttons from x = 240 on, sharing what is
// left beyond 560 pixels in eighths (truncated toward zero), their bottom 17
// pixels above the bar's.
constexpr int BarButtonWidth = 80;
constexpr int BarButtonHeight = 23;

inline ViewPoint barButtonCentre(int index, int barWidth, int barHeight) {
    const int share = (barWidth - 560) / 8;
    ViewPoint centre;
    centre.x = 240 + BarButtonWidth * index + (4 + index) * share + BarButtonWidth / 2;
    centre.y = barHeight - 40 + BarButtonHeight / 2;
    return centre;
}

// The height at which a drag grabs the splitter: the middle of the list band.
inline int splitterGrabHeight(int viewHeight) { return (ViewHeaderBand + viewHeight - ViewFooterBand) / 2; }

// The splitter from where the two lists end and start: the left list ends
// one pixel before it (its right edge is exclusive) and the right list
// starts one pixel after it. False when the two edges disagree.
inline bool splitterFromListEdges(int leftListRight, int rightListLeft, int* splitter) {
    if (rightListLeft - leftListRight != 2)
        return false;
    *splitter = leftListRight + 1;
    return true;
}
