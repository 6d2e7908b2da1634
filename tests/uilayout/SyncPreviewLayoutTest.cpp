#include "ui/layout/SyncPreviewLayout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

int sum(const std::array<int, PreviewColumnCount>& widths) { return std::accumulate(widths.begin(), widths.end(), 0); }

}  // namespace

TEST(SyncPreviewLayout, ActionFitsItsLongestTextAndTheOthersFillTheList) {
    const auto widths = previewColumnWidths(700, 160);
    EXPECT_EQ(sum(widths), 700);
    EXPECT_GT(widths[0], 160);
    EXPECT_LT(widths[0], 200);
    EXPECT_LE(widths[4] - widths[3], 1);
    EXPECT_GE(widths[4], widths[3]);
    // A longer action text takes its room from the other columns.
    const auto longer = previewColumnWidths(700, 190);
    EXPECT_EQ(sum(longer), 700);
    EXPECT_EQ(longer[0] - widths[0], 30);
    EXPECT_LT(longer[3], widths[3]);
}

TEST(SyncPreviewLayout, ActionTakesNoMoreThanItsShare) {
    const auto widths = previewColumnWidths(700, 600);
    EXPECT_EQ(sum(widths), 700);
    EXPECT_LE(widths[0], 700 * 30 / 100);
    // The values the user compares keep the most room.
    EXPECT_GT(widths[3] + widths[4], widths[0]);
}

TEST(SyncPreviewLayout, ANarrowListKeepsEveryColumnReadableAndScrolls) {
    const auto wide = previewColumnWidths(700, 160);
    for (int width : {200, 0, -20}) {
        const auto narrow = previewColumnWidths(width, 160);
        EXPECT_GT(sum(narrow), width);
        for (int column = 0; column < PreviewColumnCount; ++column) {
            EXPECT_GE(narrow[column], 70) << width << " " << column;
            EXPECT_LE(narrow[column], wide[column]) << width << " " << column;
        }
    }
    // An empty plan measures no action text; the heading still shows.
    EXPECT_GE(previewColumnWidths(700, 0)[0], 90);
}

TEST(SyncPreviewLayout, NoHeadingBeyondTheFive) {
    EXPECT_NE(previewColumnHeading(PreviewColumnCount - 1), nullptr);
    EXPECT_EQ(previewColumnHeading(-1), nullptr);
    EXPECT_EQ(previewColumnHeading(PreviewColumnCount), nullptr);
}
