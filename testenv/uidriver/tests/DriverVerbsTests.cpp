#include "testenv/uidriver/ClickRules.h"
#include "testenv/uidriver/DriverVerbs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string readme() {
    std::string here = __FILE__;
    here = here.substr(0, here.find_last_of("/\\"));
    std::ifstream file(here + "/../README.md");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(DriverVerbs, EachNameIsOnceInTheTableAndItsHelpLineStartsWithIt) {
    std::set<std::string> names;
    for (const VerbSpec& verb : driverVerbs()) {
        EXPECT_TRUE(names.insert(verb.name).second) << verb.name;
        EXPECT_EQ(std::string(verb.usage).rfind(verb.name, 0), 0u) << verb.usage;
        EXPECT_GE(verb.minimumWords, 1u) << verb.name;
        EXPECT_LE(verb.minimumWords, verb.maximumWords) << verb.name;
    }
}

TEST(DriverVerbs, TheReferenceDescribesEveryCommand) {
    const std::string text = readme();
    ASSERT_FALSE(text.empty()) << "README.md beside the driver is missing";
    for (const VerbSpec& verb : driverVerbs()) {
        // As the start of a command line in code: "`rows <listId>" or "`wait-box`".
        const std::string written = std::string("`") + verb.name;
        const bool described =
            text.find(written + " ") != std::string::npos || text.find(written + "`") != std::string::npos;
        EXPECT_TRUE(described) << verb.name << " is not in README.md";
    }
}

TEST(DriverVerbs, WordCountsFollowTheHelpLines) {
    const VerbSpec* cell = findVerb("cell");
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(takesWordCount(*cell, 5));
    EXPECT_FALSE(takesWordCount(*cell, 4));
    EXPECT_FALSE(takesWordCount(*cell, 6));

    const VerbSpec* tick = findVerb("tick");
    ASSERT_NE(tick, nullptr);
    EXPECT_TRUE(takesWordCount(*tick, 3));
    EXPECT_TRUE(takesWordCount(*tick, 4));
    EXPECT_FALSE(takesWordCount(*tick, 5));

    const VerbSpec* start = findVerb("start");
    ASSERT_NE(start, nullptr);
    EXPECT_FALSE(takesWordCount(*start, 1));
    EXPECT_TRUE(takesWordCount(*start, 6));

    // The two spellings do the same.
    ASSERT_NE(findVerb("color"), nullptr);
    EXPECT_EQ(findVerb("color")->id, findVerb("colour")->id);
    EXPECT_EQ(findVerb("expect-exit")->id, findVerb("wait-exit")->id);
    EXPECT_EQ(findVerb("Colour"), nullptr);
    EXPECT_EQ(findVerb(""), nullptr);
}

TEST(ClickRules, APressCloseToThePreviousWaitsOutTheDoubleClickTime) {
    // 100 ms after a press at the same place, with a 500 ms double-click time.
    EXPECT_EQ(pauseBeforeSingleClick(100, 0, 0, 500, 4, 4), 450u);
    EXPECT_EQ(pauseBeforeSingleClick(500, 3, -4, 500, 4, 4), 50u);
    // Older than the double-click time, or far enough away: no wait.
    EXPECT_EQ(pauseBeforeSingleClick(501, 0, 0, 500, 4, 4), 0u);
    EXPECT_EQ(pauseBeforeSingleClick(10, 5, 0, 500, 4, 4), 0u);
    EXPECT_EQ(pauseBeforeSingleClick(10, 0, -5, 500, 4, 4), 0u);
}

TEST(ClickRules, TheCheckBoxIsTheMiddleOfTheFirstRunOfHits) {
    int offset = -1;
    EXPECT_FALSE(middleOfFirstRun({}, &offset));
    EXPECT_FALSE(middleOfFirstRun({false, false, false}, &offset));
    EXPECT_EQ(offset, -1);

    EXPECT_TRUE(middleOfFirstRun({false, false, true, true, true, true, true, false}, &offset));
    EXPECT_EQ(offset, 4);
    EXPECT_TRUE(middleOfFirstRun({true}, &offset));
    EXPECT_EQ(offset, 0);
    // A second run further right is not averaged in.
    EXPECT_TRUE(middleOfFirstRun({false, true, true, true, false, false, true, true}, &offset));
    EXPECT_EQ(offset, 2);
    // A run that reaches the end.
    EXPECT_TRUE(middleOfFirstRun({false, false, true, true}, &offset));
    EXPECT_EQ(offset, 2);
}

}  // namespace
