#include "platform/FileFaults.h"
#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const std::string kOriginal = "the original content, longer than the new one";
const std::string kNew = "new content";

bool rewrite(const std::string& path, const std::string& text) {
    return rewriteWholeFile(path, FileRewrite::Target::MustExist, text.data(), static_cast<uint32_t>(text.size()));
}

TEST(FileRewriteTest, TheFileHoldsExactlyTheNewBytesAndKeepsItsPermissions) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    ASSERT_TRUE(writeWholeFile(path, kOriginal));
#ifndef _WIN32
    ASSERT_EQ(0, chmod(path.c_str(), 0640));
#endif

    ASSERT_TRUE(rewrite(path, kNew));
    EXPECT_EQ(std::vector<uint8_t>(kNew.begin(), kNew.end()), readWholeFile(path)) << "a shorter rewrite shortens";
#ifndef _WIN32
    struct stat status;
    ASSERT_EQ(0, stat(path.c_str(), &status));
    EXPECT_EQ(0640u, status.st_mode & 07777);
#endif
    EXPECT_EQ(std::vector<std::string>{"address.dat"}, filesInFolder(folder.path()));
}

TEST(FileRewriteTest, AMissingOrHeldTargetIsRefusedAndLeftAlone) {
    TempFolder folder;
    std::string missing = folder.file("missing.dat");
    EXPECT_FALSE(rewrite(missing, kNew));
    EXPECT_FALSE(isPlainFile(missing)) << "a rewrite of an existing file never creates one";

    std::string held = folder.file("held.dat");
    ASSERT_TRUE(writeWholeFile(held, kOriginal));
    PlatformFile other;
    ASSERT_TRUE(other.open(held.c_str(), PlatformFile::Access::ReadWrite, PlatformFile::Disposition::OpenExisting));
    EXPECT_FALSE(rewrite(held, kNew));
    other.close();
    EXPECT_EQ(std::vector<uint8_t>(kOriginal.begin(), kOriginal.end()), readWholeFile(held));
    EXPECT_EQ(std::vector<std::string>{"held.dat"}, filesInFolder(folder.path()));
}

TEST(FileRewriteTest, TheTargetIsHeldWhileTheNewContentIsWritten) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    ASSERT_TRUE(writeWholeFile(path, kOriginal));
    FileRewrite rewrite;
    PlatformFile file;
    ASSERT_TRUE(rewrite.begin(path, FileRewrite::Target::MustExist, file));
    PlatformFile intruder;
    EXPECT_FALSE(intruder.open(path.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting));
    ASSERT_TRUE(file.write(kNew.data(), static_cast<uint32_t>(kNew.size())));
    EXPECT_TRUE(rewrite.commit(file));
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(intruder.open(path.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting));
}

TEST(FileRewriteTest, AnAbandonedRewriteLeavesNothingBehind) {
    TempFolder folder;
    std::string path = folder.file("options.dat");
    {
        FileRewrite rewrite;
        PlatformFile file;
        ASSERT_TRUE(rewrite.begin(path, FileRewrite::Target::MayBeNew, file));
        ASSERT_TRUE(file.write("x", 1));
        EXPECT_TRUE(isPlainFile(FileRewrite::temporaryPathFor(path)));
    }
    EXPECT_TRUE(filesInFolder(folder.path()).empty());

    std::string text = "created";
    EXPECT_TRUE(rewriteWholeFile(path, FileRewrite::Target::MayBeNew, text.data(), 7));
    EXPECT_EQ(std::vector<uint8_t>(text.begin(), text.end()), readWholeFile(path));
}

// Every way a rewrite can fail leaves the original byte for byte and no new
// file in the folder.
TEST(FileRewriteTest, EveryInjectedFailureKeepsTheOriginal) {
    TempFolder folder;
    std::string path = folder.file("address.dat");
    std::vector<FileFaultPlan> plans;
    for (int64_t offset = 0; offset < static_cast<int64_t>(kNew.size()); ++offset) {
        FileFaultPlan plan;
        plan.failWriteAtOffset = offset;
        plans.push_back(plan);
        FileFaultPlan full;
        full.freeDiskBytes = offset;
        plans.push_back(full);
    }
    FileFaultPlan flush;
    flush.failFlush = true;
    plans.push_back(flush);
    FileFaultPlan replace;
    replace.failReplace = true;
    plans.push_back(replace);

    for (size_t index = 0; index < plans.size(); ++index) {
        ASSERT_TRUE(writeWholeFile(path, kOriginal));
        {
            ScopedFileFaults faults(plans[index]);
            EXPECT_FALSE(rewrite(path, kNew)) << "plan " << index;
        }
        EXPECT_EQ(std::vector<uint8_t>(kOriginal.begin(), kOriginal.end()), readWholeFile(path)) << "plan " << index;
        EXPECT_EQ(std::vector<std::string>{"address.dat"}, filesInFolder(folder.path())) << "plan " << index;
    }
    // A fault past the end of what is written is never reached.
    FileFaultPlan late;
    late.failWriteAtOffset = static_cast<int64_t>(kNew.size());
    ScopedFileFaults faults(late);
    EXPECT_TRUE(rewrite(path, kNew));
}

TEST(FileRewriteTest, AFullDiskWritesWhatFitsAndFailsTheRest) {
    TempFolder folder;
    std::string path = folder.file("plain.dat");
    PlatformFile file;
    ASSERT_TRUE(file.open(path.c_str(), PlatformFile::Access::Write, PlatformFile::Disposition::CreateAlways));
    FileFaultPlan plan;
    plan.freeDiskBytes = 3;
    ScopedFileFaults faults(plan);
    EXPECT_TRUE(file.write("ab", 2));
    EXPECT_FALSE(file.write("cde", 3));
    EXPECT_FALSE(file.write("f", 1));
    file.close();
    EXPECT_EQ((std::vector<uint8_t>{'a', 'b', 'c'}), readWholeFile(path));
}

TEST(FileSystemTest, FoldersCopiesAndListings) {
    TempFolder folder;
    std::string sub = folder.file("Backups");
    EXPECT_TRUE(makeFolder(sub));
    EXPECT_TRUE(makeFolder(sub)) << "an existing folder is fine";
    std::string source = folder.file("a.dat");
    ASSERT_TRUE(writeWholeFile(source, kOriginal));
    std::string copy = sub + "/b.dat";
    ASSERT_TRUE(copyWholeFile(source, copy));
    EXPECT_EQ(readWholeFile(source), readWholeFile(copy));
    EXPECT_EQ(std::vector<std::string>{"a.dat"}, filesInFolder(folder.path())) << "folders are not files";
    EXPECT_FALSE(copyWholeFile(folder.file("none.dat"), sub + "/c.dat"));
    EXPECT_FALSE(isPlainFile(sub + "/c.dat"));

    FileFaultPlan plan;
    plan.freeDiskBytes = 5;
    {
        ScopedFileFaults faults(plan);
        EXPECT_FALSE(copyWholeFile(source, sub + "/d.dat"));
    }
    EXPECT_FALSE(isPlainFile(sub + "/d.dat")) << "a failed copy leaves no partial file";
    EXPECT_TRUE(removeFile(copy));
    EXPECT_FALSE(isPlainFile(copy));
}

}  // namespace
