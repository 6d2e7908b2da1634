#include "testenv/uidriver/InkColour.h"

#include <gtest/gtest.h>

namespace {

const PixelColour white = pixelColour(255, 255, 255);
const PixelColour black = pixelColour(0, 0, 0);
const PixelColour green = pixelColour(0, 128, 0);
const PixelColour blue = pixelColour(0, 0, 255);

PixelColour blend(PixelColour ink, PixelColour background, double alpha) {
    auto channel = [alpha](int a, int b) { return static_cast<int>(b + alpha * (a - b) + 0.5); };
    return pixelColour(channel(pixelRed(ink), pixelRed(background)), channel(pixelGreen(ink), pixelGreen(background)),
                       channel(pixelBlue(ink), pixelBlue(background)));
}

// A cell: mostly background, some text pixels and anti-aliased edges.
std::vector<PixelColour> cell(PixelColour background, PixelColour ink, int pure, const std::vector<double>& edges) {
    std::vector<PixelColour> pixels(400, background);
    size_t at = 0;
    for (int count = 0; count < pure; ++count)
        pixels[at++] = ink;
    for (double alpha : edges) {
        for (int count = 0; count < 6; ++count)
            pixels[at++] = blend(ink, background, alpha);
    }
    return pixels;
}

TEST(InkColour, PureTextWithSoftEdgesReadsAsItsColour) {
    const InkReading reading = readInk(cell(white, green, 30, {0.25, 0.5, 0.75}));
    ASSERT_TRUE(reading.found);
    EXPECT_EQ(reading.background, white);
    EXPECT_EQ(reading.ink, green);
    EXPECT_TRUE(inkMatches(reading, green));
    EXPECT_FALSE(inkMatches(reading, blue));
    EXPECT_FALSE(inkMatches(reading, black));
    EXPECT_EQ(inkName(reading), "green");
}

TEST(InkColour, AWideLightFringeDoesNotOutvoteTheStrokes) {
    // Smoothing draws more light fringe pixels than solid ones.
    std::vector<PixelColour> pixels(400, white);
    for (size_t index = 0; index < 20; ++index)
        pixels[index] = blue;
    for (size_t index = 20; index < 80; ++index)
        pixels[index] = blend(blue, white, 0.25);
    const InkReading reading = readInk(pixels);
    EXPECT_EQ(reading.ink, blue);
    EXPECT_EQ(reading.inkPixels, 20u);
}

TEST(InkColour, TextWithoutOnePurePixelStillMatchesOnlyItsOwnColour) {
    // Thin strokes: every pixel is a blend, the strongest at 80 %.
    const InkReading blueText = readInk(cell(white, blue, 0, {0.3, 0.8, 0.8, 0.8}));
    ASSERT_TRUE(blueText.found);
    EXPECT_NE(blueText.ink, blue);
    EXPECT_TRUE(inkMatches(blueText, blue));
    EXPECT_FALSE(inkMatches(blueText, black));
    EXPECT_FALSE(inkMatches(blueText, green));
    EXPECT_EQ(inkName(blueText), "blue");

    // Grey edges of black text are no green, though both darken every channel.
    const InkReading blackText = readInk(cell(white, black, 0, {0.75, 0.75, 0.75}));
    EXPECT_TRUE(inkMatches(blackText, black));
    EXPECT_FALSE(inkMatches(blackText, green));
    EXPECT_FALSE(inkMatches(blackText, blue));
}

TEST(InkColour, FaintBlendsAreNotTakenForTheColour) {
    // Only a 40 % blend of green: too weak to say the text is green.
    std::vector<PixelColour> pixels(200, white);
    for (size_t index = 0; index < 20; ++index)
        pixels[index] = blend(green, white, 0.4);
    const InkReading reading = readInk(pixels);
    ASSERT_TRUE(reading.found);
    EXPECT_FALSE(inkMatches(reading, green));
}

TEST(InkColour, AnEmptyOrPlainCellHasNoInk) {
    EXPECT_FALSE(readInk({}).found);
    EXPECT_FALSE(readInk(std::vector<PixelColour>(100, white)).found);
    // Noise close to the background is no text either.
    std::vector<PixelColour> noise(100, white);
    noise[3] = pixelColour(240, 240, 230);
    const InkReading reading = readInk(noise);
    EXPECT_FALSE(reading.found);
    EXPECT_FALSE(inkMatches(reading, white));
    EXPECT_EQ(inkName(reading), "");
}

TEST(InkColour, HighlightedRowsReadAsHighlightTextNotAsTheirStatusColour) {
    // White text on a blue selection bar must not pass as "blue".
    const InkReading reading = readInk(cell(pixelColour(10, 36, 106), white, 40, {0.5}));
    ASSERT_TRUE(reading.found);
    EXPECT_EQ(reading.ink, white);
    EXPECT_FALSE(inkMatches(reading, blue));
    EXPECT_TRUE(inkMatches(reading, white));
}

TEST(InkColour, TheBackgroundIsTheCommonestColourEvenWhenTextIsDense) {
    std::vector<PixelColour> pixels(100, pixelColour(255, 255, 224));
    for (size_t index = 0; index < 45; ++index)
        pixels[index] = black;
    const InkReading reading = readInk(pixels);
    EXPECT_EQ(reading.background, pixelColour(255, 255, 224));
    EXPECT_EQ(reading.ink, black);
    EXPECT_EQ(reading.inkPixels, 45u);
}

TEST(InkColour, ColoursAreNamedOrWrittenInHex) {
    PixelColour colour = 1;
    EXPECT_TRUE(parseColour("green", &colour));
    EXPECT_EQ(colour, green);
    EXPECT_TRUE(parseColour("Differs", &colour));
    EXPECT_EQ(colour, blue);
    EXPECT_TRUE(parseColour("missing", &colour));
    EXPECT_EQ(colour, green);
    EXPECT_TRUE(parseColour("same", &colour));
    EXPECT_EQ(colour, black);
    EXPECT_TRUE(parseColour("#0080ff", &colour));
    EXPECT_EQ(colour, pixelColour(0, 128, 255));
    EXPECT_EQ(formatColour(colour), "#0080ff");

    colour = 7;
    EXPECT_FALSE(parseColour("#12345", &colour));
    EXPECT_FALSE(parseColour("#1234567", &colour));
    EXPECT_FALSE(parseColour("#gg0000", &colour));
    EXPECT_FALSE(parseColour("0000ff", &colour));
    EXPECT_FALSE(parseColour("purple", &colour));
    EXPECT_FALSE(parseColour("", &colour));
    EXPECT_EQ(colour, 7u);
}

}  // namespace
