// The Windows version probe; there is none elsewhere.
#ifdef _WIN32
#include "platform/win32/OsVersion.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(OsVersion, VersionClassAndFileVersions) {
    // Every Windows (and Wine) this runs on is of the NT family.
    const int version = osVersionClass();
    EXPECT_GE(version, 3);
    EXPECT_LE(version, 6);
    int major = -1, minor = -1, third = -1, fourth = -1;
    EXPECT_FALSE(getFileVersion("", &major, &minor, &third, &fourth));
    EXPECT_EQ(0, major + minor + third + fourth);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    EXPECT_FALSE(getFileVersion(self, &major, &minor, &third, &fourth));  // the tests carry no version
    EXPECT_FALSE(getFileVersion("C:\\no\\such\\file.exe", &major, &minor, &third, &fourth));
}
#endif
