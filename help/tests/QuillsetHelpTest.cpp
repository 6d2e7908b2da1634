// The program's own help, as the build compiles it: every page the contents
// and index name is there, every link holds, and every message, menu item
// and dialog of the program is described. A new message without help fails
// here.
#include <gtest/gtest.h>

#include <regex>

#include "help/check/HelpChecks.h"
#include "help/check/TextFiles.h"

#ifndef QS_HELP_DIR
#error "QS_HELP_DIR names the help folder the compiler reads"
#endif
#ifndef QS_SOURCE_DIR
#error "QS_SOURCE_DIR names the source tree"
#endif

namespace {

// Where the program's messages are written: the windows and the
// synchronization operations.
const std::vector<std::string> messageFolders = {"ui", "operations", "palmstore", "sync", "session"};

std::string listed(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& fault : faults)
        text += "\n  " + fault;
    return text;
}

class QuillsetHelp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        help_ = new HelpFolder;
        loaded_ = help_->load(QS_HELP_DIR, "qsohelp.hhp", &problem_);
    }
    static void TearDownTestSuite() {
        delete help_;
        help_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(loaded_) << problem_; }

    const HelpFolder& help() const { return *help_; }
    static std::string rcPath() { return std::string(QS_SOURCE_DIR) + "/resources/quillset.rc"; }

    static HelpFolder* help_;
    static bool loaded_;
    static std::string problem_;
};

HelpFolder* QuillsetHelp::help_ = nullptr;
bool QuillsetHelp::loaded_ = false;
std::string QuillsetHelp::problem_;

}  // namespace

TEST_F(QuillsetHelp, TheProjectCompilesTheFileTheProgramOpens) {
    EXPECT_EQ(help().project.option("Compiled file"), "qsohelp.chm");
    EXPECT_FALSE(help().project.option("Title").empty());
    EXPECT_GE(help().pages.size(), 20u);
}

TEST_F(QuillsetHelp, EveryEntryOfTheContentsAndIndexHasItsPage) {
    EXPECT_GE(help().index.size(), 30u);
    const std::vector<std::string> faults = missingEntryPages(help());
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(QuillsetHelp, EveryLinkImageAndPlaceResolves) {
    const std::vector<std::string> faults = brokenReferences(help());
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(QuillsetHelp, EveryPageIsInTheContentsAndInTheProject) {
    std::vector<std::string> faults = pagesOutsideContents(help());
    const std::vector<std::string> files = projectFileFaults(help());
    faults.insert(faults.end(), files.begin(), files.end());
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(QuillsetHelp, F1OpensOnTheMainWindowPage) {
    const std::string topic = help().resolve("", help().project.option("Default topic"));
    const auto page = help().pages.find(topic);
    ASSERT_NE(page, help().pages.end()) << topic;
    EXPECT_NE(page->second.heading.find("main window"), std::string::npos) << page->second.heading;
}

TEST_F(QuillsetHelp, EveryMessageOfTheProgramIsDescribed) {
    std::vector<ProgramText> messages = programMessages(QS_SOURCE_DIR, messageFolders);
    const std::vector<ProgramText> strings = resourceScriptTexts(rcPath(), ResourceText::Kind::String);
    messages.insert(messages.end(), strings.begin(), strings.end());
    // The program has more than a dozen; far fewer means the sources moved.
    ASSERT_GE(messages.size(), 12u);
    const std::vector<std::string> faults = textsWithoutHelp(help(), messages);
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(QuillsetHelp, EveryMenuItemAndDialogTextIsDescribed) {
    std::vector<ProgramText> texts = resourceScriptTexts(rcPath(), ResourceText::Kind::Menu);
    ASSERT_GE(texts.size(), 12u);
    const std::vector<ProgramText> controls = resourceScriptTexts(rcPath(), ResourceText::Kind::Control);
    texts.insert(texts.end(), controls.begin(), controls.end());
    const std::vector<std::string> faults = textsWithoutHelp(help(), texts);
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(QuillsetHelp, EveryDialogHasAPageOfItsOwnInTheContents) {
    const std::vector<ProgramText> captions = resourceScriptTexts(rcPath(), ResourceText::Kind::DialogCaption);
    ASSERT_GE(captions.size(), 5u);
    const std::vector<std::string> faults = dialogsWithoutPage(help(), captions);
    EXPECT_TRUE(faults.empty()) << listed(faults);
}

TEST_F(QuillsetHelp, TheAboutPageShowsTheVersionOfTheBuild) {
    std::string header;
    ASSERT_TRUE(readTextFile(std::string(QS_SOURCE_DIR) + "/installer/QuillsetVersion.h", &header));
    std::string version;
    for (const char* part : {"MAJOR", "MINOR", "PATCH", "BUILD"}) {
        std::smatch match;
        ASSERT_TRUE(
            std::regex_search(header, match, std::regex(std::string("#define QUILLSET_VERSION_") + part + " ([0-9]+)")))
            << part;
        version += (version.empty() ? "" : ".") + match[1].str();
    }
    bool found = false;
    for (const auto& [path, page] : help().pages) {
        EXPECT_EQ(page.text.find("@QUILLSET_"), std::string::npos) << path << " keeps a placeholder";
        found = found || page.text.find("Version : " + version) != std::string::npos;
    }
    EXPECT_TRUE(found) << "no page shows \"Version : " << version << "\"";
}
