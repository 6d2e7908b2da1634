#pragma once
#include "ui/geometry/Geometry.h"

// The percentage bar drawn over the status bar while an operation runs.
struct ProgressBarLayout {
    int percent = 0;
    // The face-coloured area: the status part shrunk by 2 pixels.
    UxRect area;
    // The blue part, from the area's left edge; empty at 0 percent.
    UxRect filled;
    // The label is white over a bar more than half full, else black.
    bool whiteText = false;
};

ProgressBarLayout progressBarLayout(const UxRect& statusPart, int percent);
