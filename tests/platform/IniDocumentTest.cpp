#include "platform/IniDocument.h"

#include <gtest/gtest.h>

TEST(IniDocumentTest, OnlyTheFirstSectionOfANameIsSearched) {
    IniDocument document;
    document.parse("[A]\nx=1\n[B]\ny=2\n[A]\nz=3\n");
    std::string value;
    EXPECT_TRUE(document.find("A", "x", &value));
    EXPECT_EQ("1", value);
    EXPECT_TRUE(document.find("b", "Y", &value));
    EXPECT_FALSE(document.find("A", "z", &value));
}

TEST(IniDocumentTest, QuotesAroundAValueAreRemovedAndCommentsIgnored) {
    IniDocument document;
    document.parse("[S]\n;k=commented\nq=\"a b\"\nhalf=\"a\nnoequals\n");
    std::string value;
    EXPECT_FALSE(document.find("S", ";k", &value));
    EXPECT_TRUE(document.find("S", "q", &value));
    EXPECT_EQ("a b", value);
    EXPECT_TRUE(document.find("S", "half", &value));
    EXPECT_EQ("\"a", value);
    EXPECT_FALSE(document.find("S", "noequals", &value));
}

TEST(IniDocumentTest, SetAddsAtTheEndOfItsSectionAndKeepsComments) {
    IniDocument document;
    document.parse("; top\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    document.set("A", "w", "9");
    document.set("B", "y", "3");
    document.set("C", "k", "v");
    EXPECT_EQ("; top\r\n[A]\r\nx=1\r\nw=9\r\n\r\n[B]\r\ny=3\r\n[C]\r\nk=v\r\n", document.text());
}
