#include "ui/layout/ProgressBar.h"

ProgressBarLayout progressBarLayout(const UxRect& statusPart, int percent) {
    ProgressBarLayout layout;
    layout.percent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    layout.area = makeRect(statusPart.left + 2, statusPart.top + 2, statusPart.right - 2, statusPart.bottom - 2);
    const int filledWidth = static_cast<int>(layout.area.width() * layout.percent * 0.01);
    layout.filled = makeRect(layout.area.left, layout.area.top, layout.area.left + filledWidth, layout.area.bottom);
    layout.whiteText = layout.percent > 50;
    return layout;
}
