#include "platform/TextCodec.h"

#include <gtest/gtest.h>

TEST(TextCodecTest, AsciiAndCodePageTextRoundTrip) {
    std::string ascii = "Ann Lee <ann@example.com> 555-0100";
    EXPECT_EQ(ascii, utf16ToAnsi(ansiToUtf16(ascii)));
    EXPECT_EQ(u"Ann", ansiToUtf16("Ann"));
    // e-acute and u-umlaut exist in every Western code page.
    std::string accented = "Jos\xE9 M\xFCller";
    std::u16string wide = ansiToUtf16(accented);
    EXPECT_EQ(u"Jos\u00E9 M\u00FCller", wide);
    EXPECT_EQ(accented, utf16ToAnsi(wide));
}

TEST(TextCodecTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ("a?b", utf16ToAnsi(u"a\u4E2Db"));
    EXPECT_EQ("", utf16ToAnsi(u""));
    EXPECT_EQ(u"", ansiToUtf16(""));
}

#ifndef _WIN32
TEST(TextCodecTest, EveryByteRoundTripsThroughWindows1252) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    EXPECT_EQ(all, utf16ToAnsi(ansiToUtf16(all)));
    EXPECT_EQ(u'\u20AC', ansiToUtf16("\x80")[0]);
}
#endif
