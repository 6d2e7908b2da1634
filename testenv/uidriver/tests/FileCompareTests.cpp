#include "testenv/uidriver/FileCompare.h"

#include <gtest/gtest.h>

TEST(FileCompare, TheFirstDifferingByteOrTheEndOfTheShorter) {
    EXPECT_EQ(firstDifference("", ""), SameBytes);
    EXPECT_EQ(firstDifference(std::string("a\0b", 3), std::string("a\0b", 3)), SameBytes);
    // A zero byte is a byte like any other, not the end of the text.
    EXPECT_EQ(firstDifference(std::string("a\0b", 3), std::string("a\0c", 3)), 2);
    EXPECT_EQ(firstDifference("xbc", "abc"), 0);
    // One file cut short, or grown.
    EXPECT_EQ(firstDifference("abc", "ab"), 2);
    EXPECT_EQ(firstDifference("", "a"), 0);
}
