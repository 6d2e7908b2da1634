#include "palm/PalmDesktopInstallation.h"
#include "tests/support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#ifdef QS_PE_FIXTURE_DIR
#define REQUIRE_PE_FIXTURES()
static std::string fixturePath(const char* name) { return std::string(QS_PE_FIXTURE_DIR) + name; }
#else
#define REQUIRE_PE_FIXTURES() GTEST_SKIP() << "no Windows fixtures in this build"
static std::string fixturePath(const char* name) { return name; }
#endif

// ---- the registry value, set for a test and restored after it

#ifdef _WIN32
static const char kPalmKey[] = "Software\\U.S. Robotics\\Pilot Desktop\\Core";

class ScopedDesktopPathValue {
public:
    // A null value removes it for the test.
    explicit ScopedDesktopPathValue(const char* value) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kPalmKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            char saved[1024];
            DWORD length = sizeof saved;
            DWORD type = 0;
            if (RegQueryValueExA(key, "DesktopPath", nullptr, &type, reinterpret_cast<BYTE*>(saved), &length) ==
                ERROR_SUCCESS) {
                saved_.assign(saved, length);
                hadValue_ = true;
            }
            RegCloseKey(key);
        }
        if (value != nullptr) {
            store(std::string(value, std::strlen(value) + 1));
        } else {
            remove();
        }
    }
    ~ScopedDesktopPathValue() {
        if (hadValue_) {
            store(saved_);
        } else {
            remove();
        }
    }
    ScopedDesktopPathValue(const ScopedDesktopPathValue&) = delete;
    ScopedDesktopPathValue& operator=(const ScopedDesktopPathValue&) = delete;

private:
    static void store(const std::string& bytes) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kPalmKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        RegSetValueExA(key, "DesktopPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    static void remove() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kPalmKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(key, "DesktopPath");
        RegCloseKey(key);
    }

    std::string saved_;
    bool hadValue_ = false;
};
#endif

// ---- fake libraries

// What the fake user library answers; reset before every test.
struct FakeUserData {
    short count = 0;
    std::map<uint32_t, std::string> directories;
    std::string root = "C:\\Palm\\";
    int32_t rootResult = 1;
    short sizeLeftByRoot = 0;  // 0 leaves the caller's size untouched
    short sizeSeenByDirectory = 0;
    bool unterminatedNames = false;
};
static FakeUserData fake;

static void copyFakeText(const std::string& text, char* buffer, short* size) {
    const size_t length = std::min(text.size(), static_cast<size_t>(*size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

static short PALM_API fakeUserCount() { return fake.count; }
static int32_t PALM_API fakeUserId(short index, uint32_t* id) {
    *id = 100u + static_cast<uint32_t>(index);
    return 0;
}
static int32_t PALM_API fakeUserName(uint32_t id, char* buffer, short* size) {
    if (fake.unterminatedNames) {
        std::memset(buffer, 'n', static_cast<size_t>(*size));
    } else {
        copyFakeText("User " + std::to_string(id), buffer, size);
    }
    return 0;
}
static int32_t PALM_API fakeUserDirectory(uint32_t id, char* buffer, short* size) {
    fake.sizeSeenByDirectory = *size;
    copyFakeText(fake.directories[id], buffer, size);
    return 0;
}
static int32_t PALM_API fakeRootDirectory(char* buffer, short* size) {
    copyFakeText(fake.root, buffer, size);
    if (fake.sizeLeftByRoot != 0)
        *size = fake.sizeLeftByRoot;
    return fake.rootResult;
}
static void PALM_API fakeOther() {}

template <typename Function>
static LibraryEntryPoint asEntry(Function function) {
    return reinterpret_cast<LibraryEntryPoint>(function);
}

using FakeExports = std::map<std::string, LibraryEntryPoint>;

class FakePalmModule : public PalmModule {
public:
    FakePalmModule(FakeExports exports, int* liveModules) : exports_(std::move(exports)), liveModules_(liveModules) {
        ++*liveModules_;
    }
    ~FakePalmModule() override { --*liveModules_; }
    LibraryEntryPoint entryPoint(const char* name) const override {
        const auto found = exports_.find(name);
        return found != exports_.end() ? found->second : nullptr;
    }

private:
    FakeExports exports_;
    int* liveModules_;
};

// Hands out fake modules by file name and remembers every path asked for.
class FakePalmModuleLoader : public PalmModuleLoader {
public:
    std::unique_ptr<PalmModule> load(const char* path) override {
        requestedPaths.push_back(path);
        const std::string fullPath(path);
        const std::string fileName = fullPath.substr(fullPath.find_last_of('\\') + 1);
        const auto library = libraries.find(fileName);
        if (library == libraries.end())
            return nullptr;
        return std::unique_ptr<PalmModule>(new FakePalmModule(library->second, &liveModules));
    }

    std::map<std::string, FakeExports> libraries;
    std::vector<std::string> requestedPaths;
    int liveModules = 0;
};

static FakeExports fakeUserDataExports() {
    return {
        {"UmGetUserCount", asEntry(&fakeUserCount)},         {"UmGetUserID", asEntry(&fakeUserId)},
        {"UmGetUserName", asEntry(&fakeUserName)},           {"UmGetUserDirectory", asEntry(&fakeUserDirectory)},
        {"UmGetRootDirectory", asEntry(&fakeRootDirectory)}, {"UmNotLookedUp", asEntry(&fakeOther)},
    };
}

// ---- fixture: a program folder of the test's own, a Palm Desktop folder

class PalmDesktopInstallationTest : public ::testing::Test {
protected:
    PalmDesktopInstallationTest() : programFolder_(programDirectory_.path()) {}

    void SetUp() override {
        fake = FakeUserData();
        palmDirectory_ = programDirectory_.path() + "Palm";
        setPalmModuleLoader(&loader_);
    }
    void TearDown() override {
        unloadPalmLibraries(kAllPalmLibraries);
        setPalmModuleLoader(nullptr);
    }

    void writeSettings(const std::string& text) {
        ASSERT_TRUE(writeWholeFile(programDirectory_.file("tolvane.ini"), text));
    }
    // Points the "PDPath" setting at the Palm Desktop folder of this test.
    void usePalmDirectory() { writeSettings("[Path]\r\nPDPath=" + palmDirectory_ + "\r\n"); }
    void installAllFakeLibraries() {
        loader_.libraries["condmgr.dll"] = {{"CmGetLibVersion", asEntry(&fakeOther)}};
        loader_.libraries["UserData.dll"] = fakeUserDataExports();
        loader_.libraries["HSAPI.DLL"] = {{"HsGetApiVersion", asEntry(&fakeOther)}};
        loader_.libraries["instaide.dll"] = {{"PlmGetLibVesion", asEntry(&fakeOther)}};
    }
    void loadFakeUserLibrary() {
        usePalmDirectory();
        installAllFakeLibraries();
        ASSERT_TRUE(loadPalmLibraries(kAllPalmLibraries));
    }

    TempFolder programDirectory_;
    ScopedProgramFolder programFolder_;
    std::string palmDirectory_;
    FakePalmModuleLoader loader_;
};

// ---- directory

TEST_F(PalmDesktopInstallationTest, PathSettingWinsOverTheRegistry) {
#ifdef _WIN32
    ScopedDesktopPathValue registry("C:\\From Registry");
#endif
    writeSettings("[Path]\r\nPDPath=D:\\From Settings\r\n");
    char buffer[kPalmPathCapacity];
    EXPECT_EQ(kPalmPathFound, findPalmDesktopPath(buffer, sizeof buffer));
    EXPECT_STREQ("D:\\From Settings", buffer);
}

TEST_F(PalmDesktopInstallationTest, EmptySettingFallsBackToTheRegistry) {
    writeSettings("[Path]\r\nPDPath=\r\n");
    char buffer[kPalmPathCapacity];
#ifdef _WIN32
    ScopedDesktopPathValue registry("C:\\From Registry");
    EXPECT_EQ(kPalmPathFound, findPalmDesktopPath(buffer, sizeof buffer));
    EXPECT_STREQ("C:\\From Registry", buffer);
    EXPECT_EQ(kPalmPathTooLong, findPalmDesktopPath(buffer, 16));
    EXPECT_STREQ("", buffer);
#else
    EXPECT_EQ(kPalmPathNotFound, findPalmDesktopPath(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
#endif
}

TEST_F(PalmDesktopInstallationTest, NeitherSettingNorRegistryMeansNotFoundAndNoVersion) {
#ifdef _WIN32
    ScopedDesktopPathValue registry(nullptr);
#endif
    char buffer[kPalmPathCapacity] = "left over";
    EXPECT_EQ(kPalmPathNotFound, findPalmDesktopPath(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(-1, getPalmDesktopVersion());
    EXPECT_FALSE(loadPalmLibraries(kAllPalmLibraries));
    EXPECT_TRUE(loader_.requestedPaths.empty());
}

TEST_F(PalmDesktopInstallationTest, NoBufferIsRefused) {
    char buffer[4];
    EXPECT_EQ(kPalmPathNoBuffer, findPalmDesktopPath(nullptr, 260));
    EXPECT_EQ(kPalmPathNoBuffer, findPalmDesktopPath(buffer, 0));
}

TEST_F(PalmDesktopInstallationTest, SettingThatDoesNotFitIsTooLongNotCut) {
    writeSettings("[Path]\r\nPDPath=C:\\Palm\r\n");
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(kPalmPathTooLong, findPalmDesktopPath(buffer, 7));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ('x', buffer[7]);
    EXPECT_EQ(kPalmPathFound, findPalmDesktopPath(buffer, 8));
    EXPECT_STREQ("C:\\Palm", buffer);
}

// ---- version

TEST_F(PalmDesktopInstallationTest, VersionComesFromPalmExe) {
    REQUIRE_PE_FIXTURES();
    usePalmDirectory();
    struct Case {
        const char* fixture;
        int version;
    };
    for (const Case& c : {Case{"version-4-1-2-0.exe", 40102}, Case{"version-3-5-0-0.exe", 30500},
                          Case{"version-4-0-9-9.exe", 40009}, Case{"no-version.exe", -1}}) {
        TempFolder palm;
        ASSERT_TRUE(writeWholeFile(palm.file("palm.exe"), readWholeFile(fixturePath(c.fixture)))) << c.fixture;
        std::string directory = palm.path();
        directory.pop_back();
        writeSettings("[Path]\r\nPDPath=" + directory + "\r\n");
        EXPECT_EQ(c.version, getPalmDesktopVersion()) << c.fixture;
    }
}

TEST_F(PalmDesktopInstallationTest, VersionIsMissingWithoutPalmExe) {
    usePalmDirectory();
    EXPECT_EQ(-1, getPalmDesktopVersion());
}

// ---- libraries

TEST_F(PalmDesktopInstallationTest, LoadsTheFourLibrariesInOrderFromTheDirectory) {
    usePalmDirectory();
    installAllFakeLibraries();
    ASSERT_TRUE(loadPalmLibraries(kAllPalmLibraries));
    const std::vector<std::string> expected = {palmDirectory_ + "\\condmgr.dll", palmDirectory_ + "\\UserData.dll",
                                               palmDirectory_ + "\\HSAPI.DLL", palmDirectory_ + "\\instaide.dll"};
    EXPECT_EQ(expected, loader_.requestedPaths);
    for (PalmLibrary library : {PalmConduitManager, PalmUserData, PalmHotSyncApi, PalmInstallAide}) {
        EXPECT_TRUE(isPalmLibraryLoaded(library)) << library;
    }
    EXPECT_NE(nullptr, findPalmEntryPoint("CmGetLibVersion"));
    EXPECT_NE(nullptr, findPalmEntryPoint("HsGetApiVersion"));
    EXPECT_NE(nullptr, findPalmEntryPoint("PlmGetLibVesion"));
    EXPECT_EQ(asEntry(&fakeUserCount), findPalmEntryPoint("UmGetUserCount"));
    // Names the library lacks stay absent; names the program never looks
    // up are never resolved.
    EXPECT_EQ(nullptr, findPalmEntryPoint("UmAddUser"));
    EXPECT_EQ(nullptr, findPalmEntryPoint("UmNotLookedUp"));
}

TEST_F(PalmDesktopInstallationTest, MissingConduitManagerLoadsNothingElse) {
    usePalmDirectory();
    installAllFakeLibraries();
    loader_.libraries.erase("condmgr.dll");
    EXPECT_FALSE(loadPalmLibraries(kAllPalmLibraries));
    EXPECT_EQ(1u, loader_.requestedPaths.size());
    EXPECT_EQ(0, loader_.liveModules);
    EXPECT_FALSE(isPalmLibraryLoaded(PalmUserData));
    EXPECT_EQ(-100, palmUserCount());
    uint32_t id = 7;
    EXPECT_FALSE(palmUserId(0, &id));
    EXPECT_EQ(7u, id);
    char path[kPalmPathCapacity];
    EXPECT_FALSE(userDirectoryPath(100, path));
}

TEST_F(PalmDesktopInstallationTest, FailureStopsAtTheFailingLibrary) {
    usePalmDirectory();
    installAllFakeLibraries();
    loader_.libraries.erase("HSAPI.DLL");
    EXPECT_FALSE(loadPalmLibraries(kAllPalmLibraries));
    EXPECT_EQ(3u, loader_.requestedPaths.size());
    EXPECT_TRUE(isPalmLibraryLoaded(PalmConduitManager));
    EXPECT_TRUE(isPalmLibraryLoaded(PalmUserData));
    EXPECT_FALSE(isPalmLibraryLoaded(PalmInstallAide));
}

TEST_F(PalmDesktopInstallationTest, LoadingAndUnloadingTouchOnlyTheGivenSet) {
    usePalmDirectory();
    installAllFakeLibraries();
    ASSERT_TRUE(loadPalmLibraries(PalmUserData | PalmInstallAide));
    EXPECT_EQ(2u, loader_.requestedPaths.size());
    EXPECT_FALSE(isPalmLibraryLoaded(PalmConduitManager));

    // Loading again replaces the module rather than keeping two.
    ASSERT_TRUE(loadPalmLibraries(PalmUserData));
    EXPECT_EQ(2, loader_.liveModules);

    unloadPalmLibraries(PalmInstallAide);
    EXPECT_EQ(1, loader_.liveModules);
    EXPECT_EQ(nullptr, findPalmEntryPoint("PlmGetLibVesion"));
    EXPECT_NE(nullptr, findPalmEntryPoint("UmGetUserCount"));

    unloadPalmLibraries(kAllPalmLibraries);
    EXPECT_EQ(0, loader_.liveModules);
    EXPECT_EQ(nullptr, findPalmEntryPoint("UmGetUserCount"));
    EXPECT_EQ(-100, palmUserCount());
}

// ---- users

TEST_F(PalmDesktopInstallationTest, UserCallsReachTheLibrary) {
    loadFakeUserLibrary();
    fake.count = 3;
    fake.directories[101] = "Bob";
    EXPECT_EQ(3, palmUserCount());
    uint32_t id = 0;
    ASSERT_TRUE(palmUserId(1, &id));
    EXPECT_EQ(101u, id);

    char name[64];
    short size = sizeof name;
    ASSERT_TRUE(palmUserName(id, name, &size));
    EXPECT_STREQ("User 101", name);
    char directory[256];
    size = sizeof directory;
    ASSERT_TRUE(palmUserDirectory(id, directory, &size));
    EXPECT_STREQ("Bob", directory);
}

TEST_F(PalmDesktopInstallationTest, TextFromTheLibraryIsAlwaysTerminated) {
    loadFakeUserLibrary();
    fake.unterminatedNames = true;
    char name[16];
    std::memset(name, 0, sizeof name);
    short size = 8;
    ASSERT_TRUE(palmUserName(1, name, &size));
    EXPECT_STREQ("nnnnnnn", name);
    size = 0;
    EXPECT_FALSE(palmUserName(1, name, &size));
}

TEST_F(PalmDesktopInstallationTest, UserPathJoinsRootAndDirectoryWithoutSeparator) {
    loadFakeUserLibrary();
    fake.directories[100] = "Alice";
    char path[kPalmPathCapacity];
    ASSERT_TRUE(userDirectoryPath(100, path));
    EXPECT_STREQ("C:\\Palm\\Alice\\", path);

    fake.root = "C:\\Palm";
    ASSERT_TRUE(userDirectoryPath(100, path));
    EXPECT_STREQ("C:\\PalmAlice\\", path);
}

TEST_F(PalmDesktopInstallationTest, UserDirectoryGetsAFreshSize) {
    loadFakeUserLibrary();
    fake.sizeLeftByRoot = 9;
    fake.directories[100] = "A rather long user folder";
    char path[kPalmPathCapacity];
    ASSERT_TRUE(userDirectoryPath(100, path));
    EXPECT_EQ(260, fake.sizeSeenByDirectory);
    EXPECT_STREQ("C:\\Palm\\A rather long user folder\\", path);
}

TEST_F(PalmDesktopInstallationTest, UserPathFailsWhenAPartIsUnavailable) {
    loadFakeUserLibrary();
    fake.directories[100] = "Alice";
    char path[kPalmPathCapacity] = "left over";
    fake.rootResult = 0;
    EXPECT_FALSE(userDirectoryPath(100, path));
    EXPECT_STREQ("", path);

    fake.rootResult = 1;
    loader_.libraries["UserData.dll"].erase("UmGetRootDirectory");
    ASSERT_TRUE(loadPalmLibraries(PalmUserData));
    EXPECT_FALSE(userDirectoryPath(100, path));

    loader_.libraries["UserData.dll"] = fakeUserDataExports();
    loader_.libraries["UserData.dll"].erase("UmGetUserDirectory");
    ASSERT_TRUE(loadPalmLibraries(PalmUserData));
    EXPECT_FALSE(userDirectoryPath(100, path));
}

TEST_F(PalmDesktopInstallationTest, PathsThatDoNotFitAreRefused) {
    loadFakeUserLibrary();
    fake.root = std::string(250, 'r');
    fake.directories[100] = std::string(250, 'u');
    std::vector<char> guarded(kPalmPathCapacity + 16, '#');
    EXPECT_FALSE(userDirectoryPath(100, guarded.data(), kPalmPathCapacity));
    EXPECT_EQ('\0', guarded[0]);
    EXPECT_EQ('#', guarded[kPalmPathCapacity]);

    fake.root = "C:\\Palm\\";
    fake.directories[100] = "Alice";
    char exact[sizeof "C:\\Palm\\Alice\\"];
    EXPECT_TRUE(userDirectoryPath(100, exact));
    EXPECT_FALSE(userDirectoryPath(100, exact, sizeof exact - 1));
}

TEST_F(PalmDesktopInstallationTest, AddressFileLiesInTheUsersAddressFolder) {
    loadFakeUserLibrary();
    fake.directories[100] = "Alice";
    char path[kPalmPathCapacity];
    ASSERT_TRUE(palmAddressFilePath(100, path, sizeof path));
    EXPECT_STREQ("C:\\Palm\\Alice\\address\\address.dat", path);
    EXPECT_FALSE(palmAddressFilePath(100, path, 20));
    EXPECT_STREQ("", path);
}

// ---- the real libraries, under Windows

#ifdef _WIN32
TEST_F(PalmDesktopInstallationTest, LoadsRealLibrariesAndCallsTheUserLibrary) {
    REQUIRE_PE_FIXTURES();
    setPalmModuleLoader(nullptr);
    TempFolder palm;
    const std::vector<uint8_t> other = readWholeFile(fixturePath("otherlibrary.dll"));
    ASSERT_FALSE(other.empty());
    ASSERT_TRUE(writeWholeFile(palm.file("UserData.dll"), readWholeFile(fixturePath("UserData.dll"))));
    ASSERT_TRUE(writeWholeFile(palm.file("palm.exe"), readWholeFile(fixturePath("version-4-1-2-0.exe"))));
    ASSERT_TRUE(writeWholeFile(palm.file("HSAPI.DLL"), other));
    ASSERT_TRUE(writeWholeFile(palm.file("instaide.dll"), other));
    std::string directory = palm.path();
    directory.pop_back();
    writeSettings("[Path]\r\nPDPath=" + directory + "\r\n");
    EXPECT_EQ(40102, getPalmDesktopVersion());

    // Without condmgr.dll nothing loads.
    EXPECT_FALSE(loadPalmLibraries(kAllPalmLibraries));
    EXPECT_EQ(-100, palmUserCount());

    ASSERT_TRUE(writeWholeFile(palm.file("condmgr.dll"), other));
    ASSERT_TRUE(loadPalmLibraries(kAllPalmLibraries));
    EXPECT_NE(nullptr, findPalmEntryPoint("CmGetLibVersion"));
    EXPECT_EQ(nullptr, findPalmEntryPoint("HsGetApiVersion"));

    ASSERT_EQ(2, palmUserCount());
    uint32_t ids[2] = {};
    ASSERT_TRUE(palmUserId(0, &ids[0]));
    ASSERT_TRUE(palmUserId(1, &ids[1]));
    EXPECT_EQ(101u, ids[0]);
    EXPECT_EQ(202u, ids[1]);
    char name[64];
    short size = sizeof name;
    ASSERT_TRUE(palmUserName(ids[1], name, &size));
    EXPECT_STREQ("Bob Example", name);

    // The root call leaves a size too small for the user folder: only a
    // fresh size lets the second call answer.
    char path[kPalmPathCapacity];
    ASSERT_TRUE(userDirectoryPath(ids[0], path));
    EXPECT_STREQ("C:\\Palm\\AliceExample\\", path);

    unloadPalmLibraries(kAllPalmLibraries);
    EXPECT_FALSE(isPalmLibraryLoaded(PalmUserData));
    EXPECT_EQ(-100, palmUserCount());
}
#endif
