#include "ui/geometry/ColorMath.h"
#include "ui/geometry/Geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>

// ---- centring

TEST(CenterRectOn, LargerThanTheScreenStaysAtTheOrigin) {
    EXPECT_EQ(makeRect(0, 0, 800, 600), centerRectOn(makeRect(0, 0, 640, 480), 800, 600));
    // Only the axis that does not fit is pinned.
    EXPECT_EQ(makeRect(0, 100, 800, 300), centerRectOn(makeRect(0, 0, 640, 400), 800, 200));
}

TEST(CenterRectOn, CentresOnTheReferenceIncludingItsOffset) {
    EXPECT_EQ(makeRect(112, 84, 912, 684), centerRectOn(makeRect(0, 0, 1024, 768), 800, 600));
    EXPECT_EQ(makeRect(1136, 134, 1936, 734), centerRectOn(makeRect(1024, 50, 2048, 818), 800, 600));
}

TEST(CenterRectOn, OddDifferencesTruncateTowardZero) {
    // 101 - 10 = 91 halves to 45; 11 - 4 = 7 halves to 3.
    EXPECT_EQ(makeRect(45, 3, 55, 7), centerRectOn(makeRect(0, 0, 101, 11), 10, 4));
    // 1 - 8 = -7 halves to -3, not -4; the top would be negative and becomes 0.
    EXPECT_EQ(makeRect(97, 0, 105, 8), centerRectOn(makeRect(100, -10, 101, 0), 8, 8));
}

// ---- pointer positions

TEST(UnpackPosition, BothHalvesAreSigned) {
    // A pointer captured left of and above the window: (-3, -40).
    const UxPoint outside = unpackPosition(0xFFD8FFFDu);
    EXPECT_EQ(-3, outside.x);
    EXPECT_EQ(-40, outside.y);
    // The largest positive halves stay positive; the next value is the most negative.
    const UxPoint edges = unpackPosition(0x80007FFFu);
    EXPECT_EQ(32767, edges.x);
    EXPECT_EQ(-32768, edges.y);
}

// ---- colours

namespace {

void expectNear(UxColor expected, UxColor actual, int tolerance) {
    EXPECT_LE(std::abs(redOf(expected) - redOf(actual)), tolerance) << std::hex << expected << " vs " << actual;
    EXPECT_LE(std::abs(greenOf(expected) - greenOf(actual)), tolerance) << std::hex << expected << " vs " << actual;
    EXPECT_LE(std::abs(blueOf(expected) - blueOf(actual)), tolerance) << std::hex << expected << " vs " << actual;
}

}  // namespace

TEST(ColorMath, PureBlueInHsl) {
    const HslColor blue = rgbToHsl(rgbColor(0, 0, 255));
    EXPECT_EQ(170, blue.hue);  // 240 degrees
    EXPECT_EQ(255, blue.saturation);
    EXPECT_EQ(127, blue.lightness);

    const HslColor red = rgbToHsl(rgbColor(255, 0, 0));
    EXPECT_EQ(255, red.hue);  // 360 degrees is not reduced
    const HslColor green = rgbToHsl(rgbColor(0, 255, 0));
    EXPECT_EQ(85, green.hue);
    // Above half lightness the saturation uses the other denominator.
    const HslColor pale = rgbToHsl(rgbColor(255, 200, 200));
    EXPECT_EQ(227, pale.lightness);
    EXPECT_EQ(255, pale.saturation);
}

TEST(ColorMath, NormalButtonFaceFromPureBlue) {
    // Lightness 127 -> 127 + 128 * 80 / 100 = 229; saturation 255 -> 255 * 34 / 100 = 86.
    const UxColor adjusted = adjustColor(rgbColor(0, 0, 255), 80, -66);
    HslColor expected;
    expected.hue = 170;
    expected.saturation = 86;
    expected.lightness = 229;
    EXPECT_EQ(hslToRgb(expected), adjusted);
    EXPECT_EQ(rgbColor(220, 220, 237), adjusted);
    // The pressed face is darker and more saturated than the normal one.
    EXPECT_EQ(rgbColor(159, 159, 222), adjustColor(rgbColor(0, 0, 255), 50, -50));
}

TEST(ColorMath, NegativeChangesScaleTowardZero) {
    EXPECT_EQ(rgbColor(126, 0, 0), adjustColor(rgbColor(255, 0, 0), -50, 0));
    EXPECT_EQ(rgbColor(0, 0, 0), adjustColor(rgbColor(200, 100, 50), -100, 0));
    EXPECT_EQ(rgbColor(118, 76, 55), adjustColor(rgbColor(200, 100, 50), -30, -40));
    // Full desaturation leaves the grey of the colour's lightness.
    EXPECT_EQ(rgbColor(125, 125, 125), adjustColor(rgbColor(200, 100, 50), 0, -100));
}

TEST(ColorMath, GreysChangeOnlyInLightness) {
    for (int level : {0, 1, 64, 128, 200, 255}) {
        const HslColor hsl = rgbToHsl(rgbColor(level, level, level));
        EXPECT_EQ(0, hsl.hue) << level;
        EXPECT_EQ(0, hsl.saturation) << level;
        EXPECT_NEAR(level, hsl.lightness, 1) << level;
    }
    EXPECT_EQ(rgbColor(64, 64, 64), adjustColor(rgbColor(128, 128, 128), -50, 0));
    EXPECT_EQ(rgbColor(191, 191, 191), adjustColor(rgbColor(128, 128, 128), 50, 0));
    EXPECT_EQ(rgbColor(255, 255, 255), adjustColor(rgbColor(0, 0, 0), 100, 0));
    const UxColor grey = adjustColor(rgbColor(200, 200, 200), 15, 0);
    EXPECT_EQ(redOf(grey), greenOf(grey));
    EXPECT_EQ(redOf(grey), blueOf(grey));
}

TEST(ColorMath, RoundTripReturnsTheColour) {
    // Hues 0, 120 and 240 degrees and greys survive the 8-bit storage all but
    // exactly (lightness truncates at most one step).
    for (UxColor color : {rgbColor(255, 0, 0), rgbColor(0, 255, 0), rgbColor(0, 0, 255), rgbColor(0, 0, 128),
                          rgbColor(0, 0, 0), rgbColor(77, 77, 77), rgbColor(255, 255, 255), rgbColor(10, 200, 10)}) {
        expectNear(color, hslToRgb(rgbToHsl(color)), 1);
    }
    // Any other hue lands on a 360/255-degree step, worth up to about six
    // channel steps at full saturation; a wrong segment or swapped channel
    // would be far off.
    for (UxColor color : {rgbColor(255, 128, 0), rgbColor(255, 255, 0), rgbColor(0, 255, 255), rgbColor(255, 0, 255),
                          rgbColor(49, 106, 197), rgbColor(212, 208, 200), rgbColor(200, 100, 50), rgbColor(10, 20, 30),
                          rgbColor(250, 240, 245)}) {
        expectNear(color, hslToRgb(rgbToHsl(color)), 7);
    }
}
