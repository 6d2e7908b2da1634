#include "ui/layout/ButtonBarLayout.h"
#include "ui/layout/MainWindowLayout.h"
#include "ui/layout/ProgressBar.h"

#include <gtest/gtest.h>

// ---- main frame and content view

TEST(MainFrameLayout, ButtonBarOnTopStatusBarBelowViewBetween) {
    const MainFrameLayout layout = mainFrameLayout(800, 600);
    EXPECT_EQ(makeRect(0, 0, 800, 60), layout.buttonBar);
    EXPECT_EQ(makeRect(0, 576, 800, 600), layout.statusBar);
    EXPECT_EQ(makeRect(0, 60, 800, 580), layout.contentView);
    // The view runs 4 pixels under the status bar.
    EXPECT_EQ(4, layout.contentView.bottom - layout.statusBar.top);
}

TEST(ContactViewLayout, ListsMeetAtHalfTheWidthWithATwoPixelGap) {
    const ContactViewLayout even = contactViewLayout(800, 520);
    EXPECT_EQ(400, even.splitter);
    EXPECT_EQ(makeRect(0, 48, 399, 490), even.palmList);
    EXPECT_EQ(makeRect(401, 48, 800, 490), even.outlookList);

    // An odd width halves down.
    const ContactViewLayout odd = contactViewLayout(801, 520);
    EXPECT_EQ(400, odd.splitter);
    EXPECT_EQ(399, odd.palmList.right);
    EXPECT_EQ(401, odd.outlookList.left);
    EXPECT_EQ(801, odd.outlookList.right);
}

TEST(ContactViewLayout, FooterButtonsComboAndLabels) {
    const ContactViewLayout layout = contactViewLayout(800, 520);
    EXPECT_EQ(makeRect(10, 495, 90, 515), layout.palmSelectAll);
    EXPECT_EQ(makeRect(100, 495, 180, 515), layout.palmClear);
    EXPECT_EQ(makeRect(620, 495, 700, 515), layout.outlookSelectAll);
    EXPECT_EQ(makeRect(710, 495, 790, 515), layout.outlookClear);
    EXPECT_EQ(makeRect(400, 495, 520, 695), layout.userCombo);
    EXPECT_EQ(makeRect(20, 0, 240, 48), layout.palmLabel);
    EXPECT_EQ(makeRect(540, 0, 780, 48), layout.outlookLabel);
    // The user label ends where the combo begins.
    EXPECT_EQ(makeRect(260, 495, 400, 515), layout.userLabel);
    EXPECT_EQ(layout.userCombo.left, layout.userLabel.right);
}

TEST(ContactViewLayout, SplitterMovesBothLists) {
    UxRect palm, outlook;
    placeListsAtSplitter(240, 800, 520, &palm, &outlook);
    EXPECT_EQ(makeRect(0, 48, 239, 490), palm);
    EXPECT_EQ(makeRect(241, 48, 800, 490), outlook);
}

TEST(ContactViewLayout, SplitterKeeps240PixelsFromEitherEdge) {
    EXPECT_FALSE(splitterAllowedAt(239, 800));
    EXPECT_TRUE(splitterAllowedAt(240, 800));
    EXPECT_TRUE(splitterAllowedAt(560, 800));
    EXPECT_FALSE(splitterAllowedAt(561, 800));
    // Too narrow a view leaves no place at all.
    EXPECT_FALSE(splitterAllowedAt(239, 479));
    EXPECT_FALSE(splitterAllowedAt(240, 479));
}

TEST(ContactViewLayout, ListBandExcludesHeaderAndFooter) {
    EXPECT_FALSE(inListBand(48, 520));
    EXPECT_TRUE(inListBand(49, 520));
    EXPECT_TRUE(inListBand(489, 520));
    EXPECT_FALSE(inListBand(490, 520));
    EXPECT_FALSE(inListBand(0, 520));
}

// ---- big buttons

TEST(BigButtons, SpreadEvenlyFrom576Pixels) {
    EXPECT_EQ(240, bigButtonLeft(0, 576));
    EXPECT_EQ(272, bigButtonLeft(1, 576));
    EXPECT_EQ(304, bigButtonLeft(2, 576));
    EXPECT_EQ(296, bigButtonLeft(0, 800));
    EXPECT_EQ(384, bigButtonLeft(1, 800));
    EXPECT_EQ(472, bigButtonLeft(2, 800));
    // (579 - 576) / 4 truncates to 0.
    EXPECT_EQ(240, bigButtonLeft(0, 579));
    EXPECT_EQ(makeRect(384, 8, 416, 40), bigButtonRect(1, 800));
}

TEST(BigButtons, HitTestingIncludesLeftAndTopEdgesOnly) {
    EXPECT_EQ(0, bigButtonAt(296, 8, 800));
    EXPECT_EQ(0, bigButtonAt(327, 39, 800));
    EXPECT_EQ(-1, bigButtonAt(328, 20, 800));
    EXPECT_EQ(-1, bigButtonAt(295, 20, 800));
    EXPECT_EQ(-1, bigButtonAt(300, 7, 800));
    EXPECT_EQ(-1, bigButtonAt(300, 40, 800));
    EXPECT_EQ(1, bigButtonAt(400, 20, 800));
    EXPECT_EQ(2, bigButtonAt(503, 39, 800));
    // At 576 the buttons touch: the shared edge belongs to the right one.
    EXPECT_EQ(1, bigButtonAt(272, 20, 576));
    EXPECT_EQ(0, bigButtonAt(271, 20, 576));
}

// ---- button bar

TEST(ButtonBarLayout, FourButtonsAt800) {
    const int lefts[] = {360, 470, 580, 690};
    for (int index = 0; index < ButtonBarButtonCount; ++index) {
        EXPECT_EQ(makeRect(lefts[index], 20, lefts[index] + 80, 43), buttonBarButtonRect(index, 800, 60)) << index;
    }
    EXPECT_EQ(2, buttonBarButtonAt(580, 20, 800, 60));
    EXPECT_EQ(-1, buttonBarButtonAt(660, 30, 800, 60));  // the gap after button 2
    EXPECT_EQ(-1, buttonBarButtonAt(700, 43, 800, 60));
    EXPECT_EQ(3, buttonBarButtonAt(769, 42, 800, 60));
}

TEST(ButtonBarLayout, NegativeGapBelow560) {
    // (500 - 560) / 8 = -7: the buttons overlap, and the first one wins.
    EXPECT_EQ(212, buttonBarButtonRect(0, 500, 60).left);
    EXPECT_EQ(285, buttonBarButtonRect(1, 500, 60).left);
    EXPECT_EQ(0, buttonBarButtonAt(290, 30, 500, 60));
    // (553 - 560) / 8 truncates to 0, the same as at 560.
    EXPECT_EQ(buttonBarButtonRect(3, 560, 60), buttonBarButtonRect(3, 553, 60));
    // The buttons follow the bar's height.
    EXPECT_EQ(makeRect(240, 60, 320, 83), buttonBarButtonRect(0, 560, 100));
}

// ---- progress

TEST(ProgressBar, HalfFullIsBlackTextJustAboveIsWhite) {
    const UxRect part = makeRect(0, 0, 204, 20);
    const ProgressBarLayout half = progressBarLayout(part, 50);
    EXPECT_EQ(makeRect(2, 2, 202, 18), half.area);
    EXPECT_EQ(makeRect(2, 2, 102, 18), half.filled);
    EXPECT_FALSE(half.whiteText);
    const ProgressBarLayout above = progressBarLayout(part, 51);
    EXPECT_EQ(104, above.filled.right);
    EXPECT_TRUE(above.whiteText);
}

TEST(ProgressBar, ClampsToTheBar) {
    const UxRect part = makeRect(10, 5, 110, 25);
    const ProgressBarLayout over = progressBarLayout(part, 150);
    EXPECT_EQ(100, over.percent);
    EXPECT_EQ(over.area, over.filled);
    EXPECT_TRUE(over.whiteText);

    for (int percent : {0, -5}) {
        const ProgressBarLayout empty = progressBarLayout(part, percent);
        EXPECT_EQ(0, empty.percent) << percent;
        EXPECT_EQ(0, empty.filled.width()) << percent;
        EXPECT_EQ(12, empty.filled.left) << percent;
        EXPECT_FALSE(empty.whiteText) << percent;
    }
}

TEST(ProgressBar, FilledWidthTruncates) {
    // 97 * 33 / 100 = 32.01 and 97 * 99 / 100 = 96.03.
    const UxRect part = makeRect(0, 0, 101, 10);
    EXPECT_EQ(32, progressBarLayout(part, 33).filled.width());
    EXPECT_EQ(96, progressBarLayout(part, 99).filled.width());
    EXPECT_EQ(0, progressBarLayout(part, 1).filled.width());
}
