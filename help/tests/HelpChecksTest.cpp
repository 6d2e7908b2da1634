// The checks run on a small help made for each test, one fault at a time:
// each check must name the fault, and pass the sound help.
#include <gtest/gtest.h>

#include <filesystem>

#include "help/check/HelpChecks.h"
#include "tests/support/TempFolder.h"

namespace {

const char projectText[] = "[OPTIONS]\nCompiled file=t.chm\nContents file=t.hhc\nIndex file=t.hhk\n"
                           "Default topic=html/a.htm\n\n[FILES]\nhtml/a.htm\nhtml/b.htm\n";

std::string siteMap(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text = "<HTML><BODY><UL>";
    for (const auto& [name, local] : entries) {
        text += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name + "\">";
        if (!local.empty())
            text += "<param name=\"Local\" value=\"" + local + "\">";
        text += "</OBJECT>";
    }
    return text + "</UL></BODY></HTML>";
}

class SmallHelp : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder.path() + "html");
        std::filesystem::create_directories(folder.path() + "images");
        write("t.hhp", projectText);
        write("t.hhc", siteMap({{"Pages", ""}, {"A", "html/a.htm"}, {"B", "html/b.htm#part"}}));
        write("t.hhk", siteMap({{"a", "html/a.htm"}}));
        write("html/a.htm", "<html><head><title>Choose Sync Action</title><link rel=stylesheet href=\"../t.css\">"
                            "</head><body><h1>A</h1><p>Done, <var>n</var> records synchronized.</p>"
                            "<a href=\"b.htm#part\">b</a> <img src=\"../images/x.png\"> "
                            "<a href=\"http://www.quillset.example/\">web</a></body></html>");
        write("html/b.htm",
              "<html><body><h1><a name=\"part\"></a>Set Options</h1><a href=\"#part\">up</a></body></html>");
        write("t.css", "body {}");
        write("images/x.png", "png");
    }

    void write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(writeWholeFile(folder.file(name), text));
    }

    HelpFolder loaded() {
        HelpFolder help;
        std::string problem;
        EXPECT_TRUE(help.load(root(), "t.hhp", &problem)) << problem;
        return help;
    }

    std::string root() const { return folder.path().substr(0, folder.path().size() - 1); }

    TempFolder folder;
};

}  // namespace

TEST_F(SmallHelp, TheSoundHelpPassesEveryCheck) {
    const HelpFolder help = loaded();
    EXPECT_EQ(help.pages.size(), 2u);
    EXPECT_TRUE(missingEntryPages(help).empty());
    EXPECT_TRUE(brokenReferences(help).empty());
    EXPECT_TRUE(pagesOutsideContents(help).empty());
    EXPECT_TRUE(projectFileFaults(help).empty());
    EXPECT_TRUE(textsWithoutHelp(help, {{"Done, %d records synchronized.", "x.cpp:1"}}).empty());
    EXPECT_TRUE(dialogsWithoutPage(help, {{"Choose Sync Action", "x.rc:1"}, {"Set Options", "x.rc:2"}}).empty());
}

TEST_F(SmallHelp, AContentsOrIndexEntryWithoutItsPageOrPlace) {
    write("t.hhc", siteMap({{"A", "html/a.htm"}, {"B", "html/b.htm#gone"}, {"C", "html/c.htm"}}));
    write("t.hhk", siteMap({{"a", "html/a.htm"}, {"nothing", ""}}));
    const std::vector<std::string> faults = missingEntryPages(loaded());
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_NE(faults[0].find("html/b.htm#gone"), std::string::npos);
    EXPECT_NE(faults[1].find("html/c.htm"), std::string::npos);
    EXPECT_NE(faults[2].find("\"nothing\" names no page"), std::string::npos);
}

TEST_F(SmallHelp, BrokenLinksImagesSheetsAndPlaces) {
    write("html/a.htm", "<link href=\"../gone.css\"><a href=\"b.htm#nowhere\">b</a><a href=\"c.htm\">c</a>"
                        "<img src=\"x.png\"><a href=\"#top\">top</a><a href=\"../../outside.htm\">o</a>"
                        "<a href=\"\">empty</a>");
    const std::vector<std::string> faults = brokenReferences(loaded());
    ASSERT_EQ(faults.size(), 7u);
    const std::string all = [&]() {
        std::string joined;
        for (const std::string& fault : faults)
            joined += fault + "\n";
        return joined;
    }();
    for (const char* named : {"../gone.css", "b.htm#nowhere", "c.htm", "x.png", "#top", "../../outside.htm", "empty"})
        EXPECT_NE(all.find(named), std::string::npos) << named;
}

TEST_F(SmallHelp, APageOutsideTheContentsAndADefaultTopicOutsideIt) {
    write("html/orphan.htm", "<h1>alone</h1>");
    write("t.hhp", std::string(projectText) + "html/orphan.htm\n");
    write("t.hhc", siteMap({{"B", "html/b.htm"}}));
    const std::vector<std::string> faults = pagesOutsideContents(loaded());
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_EQ(faults[0], "html/a.htm is not in the contents");
    EXPECT_EQ(faults[1], "html/orphan.htm is not in the contents");
    EXPECT_NE(faults[2].find("default topic"), std::string::npos);
}

TEST_F(SmallHelp, ProjectFilesMissingOnDiskOrPagesMissingFromTheProject) {
    write("t.hhp", "[OPTIONS]\nContents file=t.hhc\nIndex file=t.hhk\n[FILES]\nhtml/a.htm\nhtml/gone.htm\n");
    const std::vector<std::string> faults = projectFileFaults(loaded());
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_NE(faults[0].find("html/gone.htm"), std::string::npos);
    EXPECT_EQ(faults[1], "html/b.htm is missing from [FILES]");
}

TEST_F(SmallHelp, AMessageOrDialogTheHelpDoesNotDescribe) {
    const HelpFolder help = loaded();
    const std::vector<std::string> texts =
        textsWithoutHelp(help, {{"Done, %d records synchronized.", "a.cpp:1"}, {"Nothing to undo.", "b.cpp:7"}});
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "\"Nothing to undo.\" (b.cpp:7) is on no page of the help");
    // A caption in the body text only is no page of the dialog's own.
    write("html/b.htm", "<h1><a name=\"part\"></a>Other</h1><p>Set Options</p>");
    EXPECT_EQ(dialogsWithoutPage(loaded(), {{"Set Options", "x.rc:2"}}).size(), 1u);
}

TEST(HelpFolderLoad, AMissingProjectContentsOrIndexIsReported) {
    TempFolder folder;
    const std::string root = folder.path().substr(0, folder.path().size() - 1);
    HelpFolder help;
    std::string problem;
    EXPECT_FALSE(help.load(root, "t.hhp", &problem));
    EXPECT_NE(problem.find("no project file"), std::string::npos);
    ASSERT_TRUE(writeWholeFile(folder.file("t.hhp"), "[OPTIONS]\nContents file=t.hhc\nIndex file=t.hhk\n"));
    EXPECT_FALSE(help.load(root, "t.hhp", &problem));
    EXPECT_NE(problem.find("contents"), std::string::npos);
    ASSERT_TRUE(writeWholeFile(folder.file("t.hhc"), "<UL></UL>"));
    EXPECT_FALSE(help.load(root, "t.hhp", &problem));
    EXPECT_NE(problem.find("index"), std::string::npos);
}
