// The readers the help checks stand on: a fault here would let a missing
// page or message pass unseen.
#include <gtest/gtest.h>

#include "help/check/HtmlPage.h"
#include "help/check/HtmlTokens.h"
#include "help/check/ProgramTexts.h"
#include "help/check/SiteMap.h"
#include "help/check/TextFiles.h"

namespace {

std::vector<std::string> texts(const std::vector<SourceText>& literals) {
    std::vector<std::string> found;
    for (const SourceText& literal : literals)
        found.push_back(literal.text);
    return found;
}

}  // namespace

TEST(StringLiterals, JoinsAdjacentLiteralsAcrossLinesAndComments) {
    const std::string source = "const char a[] = \"Please contact \"\n"
                               "    /* the address */ \"support@x.example.\";\n"
                               "f(\"one\", \"two\");\n";
    EXPECT_EQ(texts(stringLiterals(source)),
              (std::vector<std::string>{"Please contact support@x.example.", "one", "two"}));
}

TEST(StringLiterals, SkipsCommentsIncludesAndCharacterLiterals) {
    const std::string source = "#include \"ui/MainFrame.h\"\n"
                               "// \"not a text\"\n"
                               "/* \"nor this\" */\n"
                               "char quote = '\"'; char other = '\\'';\n"
                               "#define TEXT \"kept\"\n"
                               "auto s = \"end\";\n";
    EXPECT_EQ(texts(stringLiterals(source)), (std::vector<std::string>{"kept", "end"}));
}

TEST(StringLiterals, DecodesEscapesAndCountsLines) {
    const std::vector<SourceText> found =
        stringLiterals("x;\n\ny = \"a\\\"b\\tc\\x41\\101\\\\\";\nR\"(raw \"text\")\";");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].text, "a\"b\tcAA\\");
    EXPECT_EQ(found[0].line, 3);
    EXPECT_EQ(found[1].text, "raw \"text\"");
    EXPECT_EQ(found[1].line, 4);
}

TEST(StringLiterals, AnIdentifierEndingInRIsNoRawPrefix) {
    EXPECT_EQ(texts(stringLiterals("USER\"(a)\";")), (std::vector<std::string>{"(a)"}));
}

TEST(MessageShape, SentencesAreMessagesLabelsAreNot) {
    EXPECT_TRUE(looksLikeMessage("Do you really want to quit Quillset?"));
    EXPECT_TRUE(looksLikeMessage(" %d records could not be written."));
    EXPECT_TRUE(looksLikeMessage("Invalid Palm Desktop Contacts Database file, please try another one."));
    EXPECT_FALSE(looksLikeMessage("Error"));
    EXPECT_FALSE(looksLikeMessage("Palm Desktop Contacts:"));
    EXPECT_FALSE(looksLikeMessage("qsohelp.chm"));
    EXPECT_FALSE(looksLikeMessage("Starting Application ..."));
    EXPECT_FALSE(looksLikeMessage(std::string("Palm Desktop Contacts Database File(*.dat)\0*.dat.", 46)));
}

TEST(MessageSearch, ConversionsStandForTheWordsTheHelpWrites) {
    const std::string message = "Transfer finished, %d records synchronized.";
    EXPECT_TRUE(containsMessage("It says: Transfer finished, n records synchronized. Then", message));
    EXPECT_TRUE(containsMessage("Transfer finished, 12 records synchronized.", message));
    EXPECT_FALSE(containsMessage("Transfer finished, records synchronized.", message));
    EXPECT_FALSE(containsMessage("Transfer finished, n records synchronised.", message));
    EXPECT_TRUE(
        containsMessage("View contacts detail information of Ann Lee.", "View contacts detail information of %s %s."));
    EXPECT_TRUE(containsMessage("Progress 50% shown", "Progress %d%% shown"));
    EXPECT_TRUE(containsMessage("a (b) [c] d.", "a (b) [c] d."));
}

TEST(MessageSearch, BlanksOfTheMessageAreCollapsedAndItsEndsTrimmed) {
    EXPECT_TRUE(containsMessage("They could not be written.", "  could not   be written. "));
    EXPECT_FALSE(containsMessage("anything", "   "));
}

TEST(ResourceTexts, MenusDialogsControlsAndStrings) {
    const std::string rc = "IDR_MAIN_MENU MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n"
                           "        MENUITEM \"&Refresh\\tF5\", ID_FILE_REFRESH\n        MENUITEM SEPARATOR\n"
                           "    END\nEND\n"
                           "IDD_CHOOSE DIALOGEX 0, 0, 269, 250\nCAPTION \"Choose Sync Action\"\nFONT 8, \"Verdana\"\n"
                           "BEGIN\n    GROUPBOX \" Choose Action \", -1, 15, 153, 238, 66\n"
                           "    LTEXT \"Version : \" QUILLSET_VERSION_TEXT, -1, 60, 29, 68, 8\n"
                           "    CONTROL \"\", 1008, \"SysListView32\", 0, 1, 2, 3, 4\n"
                           "    AUTOCHECKBOX \"Say \"\"yes\"\"\", 1013, 1, 2, 3, 4\nEND\n"
                           "STRINGTABLE\nBEGIN\n    42 \"Nothing is left to undo.\"\nEND\n"
                           "VS_VERSION_INFO VERSIONINFO\nBEGIN\n VALUE \"FileVersion\", \"1.0\"\nEND\n";
    const std::vector<ResourceText> found = resourceTexts(rc);
    ASSERT_EQ(found.size(), 7u);
    EXPECT_EQ(found[0].text, "File");
    EXPECT_EQ(found[1].text, "Refresh");
    EXPECT_EQ(found[1].kind, ResourceText::Kind::Menu);
    EXPECT_EQ(found[2].kind, ResourceText::Kind::DialogCaption);
    EXPECT_EQ(found[2].dialog, "IDD_CHOOSE");
    EXPECT_EQ(found[3].text, "Choose Action");  // the font line is no text
    EXPECT_EQ(found[4].text, "Version :");
    EXPECT_EQ(found[5].text, "Say \"yes\"");
    EXPECT_EQ(found[6].kind, ResourceText::Kind::String);
    EXPECT_EQ(found[6].text, "Nothing is left to undo.");
}

TEST(ResourceTexts, PlainTextKeepsADoubledAmpersand) {
    EXPECT_EQ(plainResourceText("Save && E&xit\tCtrl+X"), "Save & Exit");
}

TEST(HtmlPage, VisibleTextJoinsInlineTagsAndSeparatesBlocks) {
    const HtmlPage page =
        readHtmlPage("<html><head><title>The &quot;main&quot; window</title>"
                     "<style>p { color: red; }</style></head><body>"
                     "<h1><a name=\"top\"></a>Main <b>window</b></h1><p>finished, <var>n</var>&nbsp;records"
                     "</p><p>next</p><!-- <a href=\"hidden.htm\"> --></body></html>");
    EXPECT_EQ(page.title, "The \"main\" window");
    EXPECT_EQ(page.heading, "Main window");
    EXPECT_EQ(page.text, "Main window finished, n records next");
    EXPECT_TRUE(page.links.empty());
    EXPECT_EQ(page.anchors, std::vector<std::string>{"top"});
}

TEST(HtmlPage, CollectsLinksImagesSheetsAndPlaces) {
    const HtmlPage page = readHtmlPage("<link rel=stylesheet href='../help.css'><a name=old></a>"
                                       "<a href=\"b.htm#x&amp;y\">b</a><img src=\"../images/a.png\" alt=\"a > b\">"
                                       "<h2 id='part'>p</h2><h2><a name='named'></a>q</h2>");
    EXPECT_EQ(page.styleSheets, std::vector<std::string>{"../help.css"});
    EXPECT_EQ(page.links, std::vector<std::string>{"b.htm#x&y"});
    EXPECT_EQ(page.images, std::vector<std::string>{"../images/a.png"});
    // An id is no place for the help compiler; only <a name> is.
    EXPECT_EQ(page.anchors, (std::vector<std::string>{"old", "named"}));
}

TEST(HtmlPage, AddressesSplitAndExternalOnesAreKnown) {
    std::string file, fragment;
    splitAddress("a.htm#b", &file, &fragment);
    EXPECT_EQ(file, "a.htm");
    EXPECT_EQ(fragment, "b");
    EXPECT_TRUE(isExternalAddress("HTTP://x"));
    EXPECT_TRUE(isExternalAddress("mailto:a@b"));
    EXPECT_FALSE(isExternalAddress("http.htm"));
}

TEST(Entities, NamedAndNumericEntitiesDecodeUnknownOnesStay) {
    EXPECT_EQ(decodeEntities("a&amp;b &#65;&#x42; &lt;&gt; &bogus; & x"), "a&b AB <> &bogus; & x");
}

TEST(SiteMap, EntriesKeepTheirNestingAndEveryPage) {
    const std::vector<SiteMapEntry> entries =
        readSiteMap("<OBJECT type=\"text/site properties\"><param name=\"X\" value=\"y\"></OBJECT><UL>"
                    "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Messages\"></OBJECT>"
                    "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A &amp; B\">"
                    "<param name=\"Local\" value=\"html/a.htm\"><param name=\"Name\" value=\"other\">"
                    "<param name=\"Local\" value=\"html/b.htm\"></OBJECT></UL></UL>");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Messages");
    EXPECT_EQ(entries[0].depth, 1);
    EXPECT_TRUE(entries[0].locals.empty());
    EXPECT_EQ(entries[1].name, "A & B");
    EXPECT_EQ(entries[1].depth, 2);
    EXPECT_EQ(entries[1].locals, (std::vector<std::string>{"html/a.htm", "html/b.htm"}));
}

TEST(Paths, NormalPathsResolveDotsAndRefuseToClimbOut) {
    EXPECT_EQ(normalPath("html/../images/a.png"), "images/a.png");
    EXPECT_EQ(normalPath("html\\.\\a.htm"), "html/a.htm");
    EXPECT_EQ(normalPath("../a.htm"), "");
    EXPECT_EQ(folderOf("html/a.htm"), "html");
    EXPECT_EQ(folderOf("a.htm"), "");
}
