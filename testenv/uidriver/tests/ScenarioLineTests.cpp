#include "testenv/uidriver/ScenarioLine.h"
#include "testenv/uidriver/ViewGeometry.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

TEST(ScenarioLine, QuotesGroupBlanksAndMayBeEmpty) {
    EXPECT_EQ(splitCommandLine("answer Confirm \"Do you really want to quit?\" Yes"),
              (Words{"answer", "Confirm", "Do you really want to quit?", "Yes"}));
    EXPECT_EQ(splitCommandLine("wait-window \" Quillset for Outlook\""),
              (Words{"wait-window", " Quillset for Outlook"}));
    EXPECT_EQ(splitCommandLine("cell 1000 0 2 \"\""), (Words{"cell", "1000", "0", "2", ""}));
    EXPECT_EQ(splitCommandLine("\trows\t1000   33  "), (Words{"rows", "1000", "33"}));
    EXPECT_EQ(splitCommandLine("start \"C:\\Program Files\\Q\\q.exe\""),
              (Words{"start", "C:\\Program Files\\Q\\q.exe"}));
    EXPECT_TRUE(splitCommandLine("   ").empty());
}

TEST(ScenarioLine, OnlyALeadingHashMakesAComment) {
    EXPECT_TRUE(isCommentOrBlank(splitCommandLine("")));
    EXPECT_TRUE(isCommentOrBlank(splitCommandLine("  # the Palm side")));
    EXPECT_TRUE(isCommentOrBlank(splitCommandLine("#colour 1000 0 blue")));
    // A colour word is no comment.
    const Words colour = splitCommandLine("colour 1000 0 #0000ff");
    EXPECT_FALSE(isCommentOrBlank(colour));
    EXPECT_EQ(colour.back(), "#0000ff");
    // An empty quoted first word is a word, not a blank line.
    EXPECT_FALSE(isCommentOrBlank(splitCommandLine("\"\" x")));
}

TEST(ScenarioLine, NumbersAreWholeDecimalNumbers) {
    int value = 99;
    EXPECT_TRUE(parseNumber("40001", &value));
    EXPECT_EQ(value, 40001);
    EXPECT_TRUE(parseNumber("-1", &value));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(parseNumber("0", &value));
    EXPECT_EQ(value, 0);

    value = 99;
    EXPECT_FALSE(parseNumber("", &value));
    EXPECT_FALSE(parseNumber("12x", &value));
    EXPECT_FALSE(parseNumber("x12", &value));
    EXPECT_FALSE(parseNumber("1 2", &value));
    EXPECT_FALSE(parseNumber(" 12", &value));
    EXPECT_FALSE(parseNumber("+12", &value));
    EXPECT_FALSE(parseNumber("2147483648", &value));
    EXPECT_FALSE(parseNumber("99999999999999", &value));
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(parseNumber("2147483647", &value));
    EXPECT_EQ(value, 2147483647);
}

TEST(ScenarioLine, StatesAreYesOrNo) {
    bool state = false;
    EXPECT_TRUE(parseYesNo("yes", &state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(parseYesNo("no", &state));
    EXPECT_FALSE(state);
    state = true;
    EXPECT_FALSE(parseYesNo("Yes", &state));
    EXPECT_FALSE(parseYesNo("1", &state));
    EXPECT_FALSE(parseYesNo("", &state));
    EXPECT_TRUE(state);
}

TEST(ViewGeometry, BigButtonsShareTheWidthBeyond576Pixels) {
    // 576 wide: no gap, the buttons touch from x = 240 on.
    EXPECT_EQ(bigButtonCentre(0, 576).x, 256);
    EXPECT_EQ(bigButtonCentre(1, 576).x, 288);
    EXPECT_EQ(bigButtonCentre(2, 576).x, 320);
    // 800 wide: a 56-pixel gap before each.
    EXPECT_EQ(bigButtonCentre(0, 800).x, 296 + 16);
    EXPECT_EQ(bigButtonCentre(1, 800).x, 384 + 16);
    EXPECT_EQ(bigButtonCentre(2, 800).x, 472 + 16);
    EXPECT_EQ(bigButtonCentre(2, 800).y, 24);
    // The quarter truncates toward zero, also below 576.
    EXPECT_EQ(bigButtonCentre(0, 803).x, 296 + 16);
    EXPECT_EQ(bigButtonCentre(0, 573).x, 240 + 16);
    EXPECT_EQ(bigButtonCentre(1, 571).x, 272 - 2 + 16);
}

TEST(ViewGeometry, BarButtonsShareTheWidthBeyond560PixelsInEighths) {
    // 800 wide: the buttons start at 360, 470, 580 and 690.
    EXPECT_EQ(barButtonCentre(0, 800, 60).x, 360 + 40);
    EXPECT_EQ(barButtonCentre(1, 800, 60).x, 470 + 40);
    EXPECT_EQ(barButtonCentre(3, 800, 60).x, 690 + 40);
    // In a 60-pixel bar they span y = 20 to 43.
    EXPECT_EQ(barButtonCentre(2, 800, 60).y, 31);
    // Narrower than 560 the share is negative and truncates toward zero.
    EXPECT_EQ(barButtonCentre(0, 553, 60).x, 240 + 40);
    EXPECT_EQ(barButtonCentre(1, 551, 60).x, 320 - 5 + 40);
}

TEST(ViewGeometry, TheSplitterLiesBetweenTheListsWhenTheyAreTwoPixelsApart) {
    int splitter = -1;
    EXPECT_TRUE(splitterFromListEdges(395, 397, &splitter));
    EXPECT_EQ(splitter, 396);
    splitter = -1;
    EXPECT_FALSE(splitterFromListEdges(395, 396, &splitter));
    EXPECT_FALSE(splitterFromListEdges(395, 398, &splitter));
    EXPECT_FALSE(splitterFromListEdges(397, 395, &splitter));
    EXPECT_EQ(splitter, -1);
    // The grab point is inside the list band, clear of header and footer.
    EXPECT_GT(splitterGrabHeight(496), ViewHeaderBand);
    EXPECT_LT(splitterGrabHeight(496), 496 - ViewFooterBand);
}

}  // namespace
