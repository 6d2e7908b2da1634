#include "testenv/palmdesktop/UsersFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace {

// The parsed file lives on the heap: it holds 64 users of half a kilobyte.
std::unique_ptr<StandInUsers> parse(const std::string& text) {
    std::unique_ptr<StandInUsers> users(new StandInUsers);
    standInUsersParse(users.get(), text.data(), text.size());
    return users;
}

TEST(UsersFile, ReadsUsersSkippingBlankAndCommentLinesWithEitherLineEnd) {
    auto users = parse(
        "# demo users\r\n\r\n1001|Ann Lee|AnnLee\r\n   \n\t# indented comment\n 1002 | Tom Berg |\tTomBerg \n7|x|y");
    ASSERT_EQ(users->userCount, 3);
    EXPECT_EQ(standInUserCount(users.get()), 3);
    EXPECT_EQ(users->users[0].id, 1001u);
    EXPECT_STREQ(users->users[0].name, "Ann Lee");
    EXPECT_STREQ(users->users[0].directory, "AnnLee");
    EXPECT_STREQ(users->users[1].name, "Tom Berg");
    EXPECT_STREQ(users->users[1].directory, "TomBerg");
    // The last line needs no line end.
    EXPECT_EQ(users->users[2].id, 7u);
    EXPECT_STREQ(users->users[2].directory, "y");
}

TEST(UsersFile, SkipsMalformedUserLinesAndKeepsTheRest) {
    auto users = parse("abc|Bad Id|Dir\n"
                       "|No Id|Dir\n"
                       "-5|Negative|Dir\n"
                       "4294967296|Too Big|Dir\n"
                       "4294967295|Largest|Dir\n"
                       "12|Only two fields\n"
                       "13|Four|fields|here\n"
                       "14||\n");
    ASSERT_EQ(users->userCount, 2);
    EXPECT_EQ(users->users[0].id, 4294967295u);
    EXPECT_STREQ(users->users[0].name, "Largest");
    // Empty name and directory are texts like any other.
    EXPECT_EQ(users->users[1].id, 14u);
    EXPECT_STREQ(users->users[1].name, "");
    EXPECT_STREQ(users->users[1].directory, "");
}

TEST(UsersFile, CutsLongFieldsAndStopsAtTheUserLimit) {
    const std::string longName(1000, 'n');
    const std::string longDirectory(1000, 'd');
    std::string text = "1|" + longName + "|" + longDirectory + "\n";
    for (int id = 2; id <= QS_STANDIN_MAX_USERS + 10; ++id)
        text += std::to_string(id) + "|User|Dir\n";
    auto users = parse(text);

    EXPECT_EQ(users->userCount, QS_STANDIN_MAX_USERS);
    EXPECT_EQ(std::strlen(users->users[0].name), size_t(QS_STANDIN_NAME_CAPACITY - 1));
    EXPECT_EQ(std::strlen(users->users[0].directory), size_t(QS_STANDIN_DIRECTORY_CAPACITY - 1));
    EXPECT_EQ(users->users[QS_STANDIN_MAX_USERS - 1].id, uint32_t(QS_STANDIN_MAX_USERS));
}

TEST(UsersFile, ReadsNoFurtherThanTheFileSizeLimit) {
    std::string text = "1|First|A\n";
    text += "#" + std::string(QS_STANDIN_MAX_FILE_SIZE, 'x') + "\n";
    text += "2|Beyond|B\n";
    EXPECT_EQ(parse(text)->userCount, 1);

    StandInUsers empty;
    standInUsersParse(&empty, nullptr, 100);
    EXPECT_EQ(standInUserCount(&empty), 0);
    EXPECT_EQ(empty.nameLength, QS_STANDIN_NATURAL_LENGTH);
}

TEST(UsersFile, SwitchesSetTheirValuesAndIgnoreWhatTheyCannotUse) {
    auto users = parse("1|Ann|A\n"
                       "count=-3\n"
                       "namelength=80\n"
                       "dirlength = 300\n"
                       "root=D:\\Elsewhere\\\n"
                       "rootfails=1\n"
                       "colour=blue\n"
                       "namelength=abc\n"
                       "dirlength=5000\n");
    EXPECT_EQ(users->userCount, 1);
    EXPECT_EQ(standInUserCount(users.get()), -3);
    EXPECT_EQ(users->nameLength, 80);
    EXPECT_EQ(users->directoryLength, 300);
    EXPECT_TRUE(users->hasRoot);
    EXPECT_STREQ(users->root, "D:\\Elsewhere\\");
    EXPECT_TRUE(users->rootFails);

    EXPECT_EQ(standInUserCount(parse("count=100000\n").get()), 32767);
    EXPECT_EQ(standInUserCount(parse("count=-100000\n").get()), -32768);
    EXPECT_EQ(standInUserCount(parse("count=99999999999999999999\n1|A|B\n").get()), 1);
    EXPECT_EQ(standInUserCount(parse("count=5\ncount=0\n1|A|B\n").get()), 0);
    EXPECT_FALSE(parse("rootfails=1\nrootfails=0\n")->rootFails);
}

TEST(UsersFile, LooksUsersUpByPositionAndId) {
    auto users = parse("5|First|A\n6|Second|B\n5|Again|C\n");
    EXPECT_STREQ(standInUserAt(users.get(), 1)->name, "Second");
    EXPECT_EQ(standInUserAt(users.get(), -1), nullptr);
    EXPECT_EQ(standInUserAt(users.get(), 3), nullptr);
    EXPECT_STREQ(standInFindUser(users.get(), 5)->name, "First");
    EXPECT_EQ(standInFindUser(users.get(), 7), nullptr);
}

// Guard bytes after the size the caller gives.
struct Guarded {
    char bytes[64];
    explicit Guarded() { std::memset(bytes, 0x5A, sizeof bytes); }
    bool untouchedFrom(size_t offset) const {
        for (size_t i = offset; i < sizeof bytes; ++i)
            if (bytes[i] != 0x5A)
                return false;
        return true;
    }
};

TEST(UsersFileAnswer, CopiesWithinTheCallersSizeAndAlwaysTerminates) {
    Guarded fits;
    short size = 16;
    EXPECT_EQ(standInCopyAnswer("Ann Lee", QS_STANDIN_NATURAL_LENGTH, fits.bytes, &size), 0);
    EXPECT_STREQ(fits.bytes, "Ann Lee");
    EXPECT_EQ(size, 16);

    Guarded exact;
    size = 8;
    EXPECT_EQ(standInCopyAnswer("Ann Lee", QS_STANDIN_NATURAL_LENGTH, exact.bytes, &size), 0);
    EXPECT_TRUE(exact.untouchedFrom(8));

    Guarded cut;
    size = 4;
    EXPECT_EQ(standInCopyAnswer("Ann Lee", QS_STANDIN_NATURAL_LENGTH, cut.bytes, &size), -2);
    EXPECT_STREQ(cut.bytes, "Ann");
    EXPECT_TRUE(cut.untouchedFrom(4));

    Guarded one;
    size = 1;
    EXPECT_EQ(standInCopyAnswer("Ann", QS_STANDIN_NATURAL_LENGTH, one.bytes, &size), -2);
    EXPECT_EQ(one.bytes[0], '\0');
    EXPECT_TRUE(one.untouchedFrom(1));
}

TEST(UsersFileAnswer, RefusesUnusableBuffersWithoutWriting) {
    Guarded buffer;
    short size = 0;
    EXPECT_EQ(standInCopyAnswer("Ann", QS_STANDIN_NATURAL_LENGTH, buffer.bytes, &size), -1);
    size = -5;
    EXPECT_EQ(standInCopyAnswer("Ann", QS_STANDIN_NATURAL_LENGTH, buffer.bytes, &size), -1);
    EXPECT_EQ(standInCopyAnswer("Ann", QS_STANDIN_NATURAL_LENGTH, buffer.bytes, nullptr), -1);
    EXPECT_TRUE(buffer.untouchedFrom(0));
    size = 4;
    EXPECT_EQ(standInCopyAnswer("Ann", QS_STANDIN_NATURAL_LENGTH, nullptr, &size), -1);
}

TEST(UsersFileAnswer, LengthSwitchPadsWithPositionDigitsOrCuts) {
    Guarded padded;
    short size = 32;
    EXPECT_EQ(standInCopyAnswer("Ann", 12, padded.bytes, &size), 0);
    EXPECT_STREQ(padded.bytes, "Ann345678901");

    // Longer than the caller's buffer: cut there, terminated, nothing beyond.
    Guarded overlong;
    size = 10;
    EXPECT_EQ(standInCopyAnswer("Ann", 80, overlong.bytes, &size), -2);
    EXPECT_STREQ(overlong.bytes, "Ann345678");
    EXPECT_TRUE(overlong.untouchedFrom(10));

    Guarded shorter;
    size = 32;
    EXPECT_EQ(standInCopyAnswer("Ann Lee", 2, shorter.bytes, &size), 0);
    EXPECT_STREQ(shorter.bytes, "An");
}

// Whatever the bytes, the parser stays inside its buffers and leaves every
// text terminated (the sanitizer build checks the first half).
TEST(UsersFile, SurvivesArbitraryBytes) {
    std::mt19937 random(20240607u);
    const char alphabet[] = "0123456789|=#\r\n \tabcnamelengthcountroot-\x00\xff";
    for (int round = 0; round < 300; ++round) {
        std::string text(random() % 3000, '\0');
        for (char& c : text)
            c = alphabet[random() % (sizeof alphabet - 1)];
        auto users = parse(text);
        ASSERT_GE(users->userCount, 0);
        ASSERT_LE(users->userCount, QS_STANDIN_MAX_USERS);
        for (int index = 0; index < users->userCount; ++index) {
            ASSERT_NE(std::memchr(users->users[index].name, '\0', QS_STANDIN_NAME_CAPACITY), nullptr);
            ASSERT_NE(std::memchr(users->users[index].directory, '\0', QS_STANDIN_DIRECTORY_CAPACITY), nullptr);
        }
        ASSERT_NE(std::memchr(users->root, '\0', QS_STANDIN_DIRECTORY_CAPACITY), nullptr);
        ASSERT_TRUE(users->nameLength == QS_STANDIN_NATURAL_LENGTH ||
                    (users->nameLength >= 0 && users->nameLength <= QS_STANDIN_MAX_ANSWER_LENGTH));
    }
}

}  // namespace
