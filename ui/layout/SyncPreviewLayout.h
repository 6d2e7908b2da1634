#pragma once
#include <array>

// The list of the Preview Synchronize All dialog, apart from its window.

constexpr int PreviewColumnCount = 5;

// "Action", "Contact", "Field", "Now", "After"; null past the last.
const char* previewColumnHeading(int column);

// The columns' widths in pixels for a list whose rows are `width` pixels
// wide, where the longest action text shown is `actionTextWidth` pixels.
// Action fits that text, up to a share of the list; Contact and Field take
// shares of the rest, and Now and After split what is left, so the columns
// fill the list. None is narrower than it needs to stay readable: a narrow
// list scrolls rather than squeezing a column to nothing.
std::array<int, PreviewColumnCount> previewColumnWidths(int width, int actionTextWidth);
