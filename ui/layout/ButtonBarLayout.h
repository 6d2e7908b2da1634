#pragma once
#include "ui/geometry/Geometry.h"

// The four image buttons at the right of the button bar, each the size of
// the face image.
constexpr int ButtonBarButtonCount = 4;
constexpr int ButtonBarButtonWidth = 80;
constexpr int ButtonBarButtonHeight = 23;

UxRect buttonBarButtonRect(int index, int width, int height);

// The first button whose rectangle holds the point, else -1.
int buttonBarButtonAt(int x, int y, int width, int height);
