#include "ui/layout/SyncPreviewLayout.h"

#include <algorithm>

namespace {

const char* const headings[PreviewColumnCount] = {"Action", "Contact", "Field", "Now", "After"};

const int leastWidth[PreviewColumnCount] = {90, 100, 70, 90, 90};
// The list's margins around a cell's text.
const int cellPadding = 16;
// Action never takes more than this share of the list, in percent, and
// Contact and Field these shares of what Action leaves.
const int actionMostPercent = 30;
const int contactPercent = 28;
const int fieldPercent = 16;

}  // namespace

const char* previewColumnHeading(int column) {
    return column >= 0 && column < PreviewColumnCount ? headings[column] : nullptr;
}

std::array<int, PreviewColumnCount> previewColumnWidths(int width, int actionTextWidth) {
    std::array<int, PreviewColumnCount> widths{};
    const int actionMost = std::max(leastWidth[0], width * actionMostPercent / 100);
    widths[0] = std::clamp(actionTextWidth + cellPadding, leastWidth[0], actionMost);
    const int rest = width - widths[0];
    widths[1] = std::max(leastWidth[1], rest * contactPercent / 100);
    widths[2] = std::max(leastWidth[2], rest * fieldPercent / 100);
    // Now gets the smaller half, After the pixel left over.
    const int values = rest - widths[1] - widths[2];
    widths[3] = std::max(leastWidth[3], values / 2);
    widths[4] = std::max(leastWidth[4], values - values / 2);
    return widths;
}
