#include "palm/PalmUserList.h"

#include "palm/PalmDesktopInstallation.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// What the fake user library answers.
struct FakeUsers {
    short count = 0;
    bool fillWholeBuffers = false;
    std::vector<short> nameSizes;
    std::vector<short> directorySizes;
};
FakeUsers fakeUsers;

void copyText(const std::string& text, char* buffer, short size) {
    const size_t length = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

short PALM_API fakeCount() { return fakeUsers.count; }
int32_t PALM_API fakeId(short index, uint32_t* id) {
    *id = 500u + 10u * static_cast<uint32_t>(index);
    return 0;
}
int32_t PALM_API fakeName(uint32_t id, char* buffer, short* size) {
    fakeUsers.nameSizes.push_back(*size);
    if (fakeUsers.fillWholeBuffers)
        std::memset(buffer, 'N', static_cast<size_t>(*size));
    else
        copyText("User " + std::to_string(id), buffer, *size);
    return 0;
}
int32_t PALM_API fakeDirectory(uint32_t id, char* buffer, short* size) {
    fakeUsers.directorySizes.push_back(*size);
    if (fakeUsers.fillWholeBuffers)
        std::memset(buffer, 'D', static_cast<size_t>(*size));
    else
        copyText("dir" + std::to_string(id), buffer, *size);
    return 0;
}

template <typename Function>
LibraryEntryPoint entry(Function function) {
    return reinterpret_cast<LibraryEntryPoint>(function);
}

class FakeUserModule : public PalmModule {
public:
    explicit FakeUserModule(bool withCount) : withCount_(withCount) {}
    LibraryEntryPoint entryPoint(const char* name) const override {
        const std::string wanted(name);
        if (wanted == "UmGetUserCount")
            return withCount_ ? entry(&fakeCount) : nullptr;
        if (wanted == "UmGetUserID")
            return entry(&fakeId);
        if (wanted == "UmGetUserName")
            return entry(&fakeName);
        if (wanted == "UmGetUserDirectory")
            return entry(&fakeDirectory);
        return nullptr;
    }

private:
    bool withCount_;
};

class FakeUserLoader : public PalmModuleLoader {
public:
    std::unique_ptr<PalmModule> load(const char* path) override {
        const std::string fullPath(path);
        if (fullPath.substr(fullPath.find_last_of('\\') + 1) != "UserData.dll")
            return nullptr;
        return std::unique_ptr<PalmModule>(new FakeUserModule(withCount));
    }
    bool withCount = true;
};

class PalmUserListTest : public ::testing::Test {
protected:
    PalmUserListTest() : programFolder_(folder_.path()) {}

    void SetUp() override {
        fakeUsers = FakeUsers();
        ASSERT_TRUE(writeWholeFile(folder_.file("tolvane.ini"), "[Path]\r\nPDPath=" + folder_.path() + "Palm\r\n"));
        setPalmModuleLoader(&loader_);
    }
    void TearDown() override {
        unloadPalmLibraries(kAllPalmLibraries);
        setPalmModuleLoader(nullptr);
    }
    void loadUserLibrary() { ASSERT_TRUE(loadPalmLibraries(PalmUserData)); }

    TempFolder folder_;
    ScopedProgramFolder programFolder_;
    FakeUserLoader loader_;
};

PalmUserEntry userWithId(uint32_t id) {
    PalmUserEntry user;
    user.id = id;
    return user;
}

}  // namespace

TEST_F(PalmUserListTest, ListsTheUsersInLibraryOrder) {
    loadUserLibrary();
    fakeUsers.count = 3;
    PalmUserList users;
    EXPECT_EQ(3, readPalmUsers(&users));
    ASSERT_EQ(3u, users.size());
    for (size_t index = 0; index < users.size(); ++index) {
        const uint32_t id = 500u + 10u * static_cast<uint32_t>(index);
        EXPECT_EQ(id, users[index].id);
        EXPECT_EQ("User " + std::to_string(id), users[index].name);
        EXPECT_EQ("dir" + std::to_string(id), users[index].directory);
    }
    EXPECT_EQ(std::vector<short>(3, 64), fakeUsers.nameSizes);
    EXPECT_EQ(std::vector<short>(3, 256), fakeUsers.directorySizes);
}

TEST_F(PalmUserListTest, NoUsersAndFailedCountsLeaveAnEmptyList) {
    loadUserLibrary();
    PalmUserList users(2);
    fakeUsers.count = 0;
    EXPECT_EQ(0, readPalmUsers(&users));
    EXPECT_TRUE(users.empty());

    users.resize(2);
    fakeUsers.count = -3;
    EXPECT_EQ(-3, readPalmUsers(&users));
    EXPECT_TRUE(users.empty());
    EXPECT_TRUE(fakeUsers.nameSizes.empty());
}

TEST_F(PalmUserListTest, MissingCountFunctionCountsAsUnavailable) {
    loader_.withCount = false;
    loadUserLibrary();
    PalmUserList users(1);
    EXPECT_EQ(PalmUserCountUnavailable, readPalmUsers(&users));
    EXPECT_TRUE(users.empty());

    // Without the library at all, the same.
    unloadPalmLibraries(kAllPalmLibraries);
    EXPECT_EQ(PalmUserCountUnavailable, readPalmUsers(&users));
    EXPECT_TRUE(users.empty());
}

TEST_F(PalmUserListTest, TextsThatFillTheirBuffersAreTerminatedInside) {
    loadUserLibrary();
    fakeUsers.count = 2;
    fakeUsers.fillWholeBuffers = true;
    PalmUserList users;
    ASSERT_EQ(2, readPalmUsers(&users));
    for (const PalmUserEntry& user : users) {
        EXPECT_EQ(std::string(63, 'N'), user.name);
        EXPECT_EQ(std::string(255, 'D'), user.directory);
    }
    // The id read before the texts is intact.
    EXPECT_EQ(510u, users[1].id);
}

TEST(SelectedUserIndex, MatchesTheLastUserOrFallsBackToTheFirst) {
    const PalmUserList users = {userWithId(7), userWithId(9), userWithId(9), userWithId(0xFFFFFFFFu)};
    EXPECT_EQ(0, selectedUserIndex(users, 7));
    EXPECT_EQ(1, selectedUserIndex(users, 9));   // the first of two equal ids
    EXPECT_EQ(3, selectedUserIndex(users, -1));  // ids compare as 32-bit values
    EXPECT_EQ(0, selectedUserIndex(users, 8));
    EXPECT_EQ(-1, selectedUserIndex(PalmUserList(), 7));
    EXPECT_EQ(-1, selectedUserIndex(PalmUserList(), 0));
}
