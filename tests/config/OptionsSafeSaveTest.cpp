#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "platform/FileFaults.h"
#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace {

class OptionsSafeSaveTest : public ::testing::Test {
protected:
    OptionsSafeSaveTest() : program_(folder_.path()) {}
    std::string optionsPath() const { return folder_.file("qsopt10.dat"); }
    TempFolder folder_;
    ScopedProgramFolder program_;
    Settings settings;
};

// A failed save of the options keeps the options saved before, whole.
TEST_F(OptionsSafeSaveTest, EveryFailureKeepsTheOptionsSavedBefore) {
    settings.options.setDefaults();
    settings.options.syncAction = 1;
    ASSERT_TRUE(settings.save());
    const std::vector<uint8_t> saved = readWholeFile(optionsPath());
    ASSERT_EQ(sizeof(OptionsRecord), saved.size());

    std::vector<FileFaultPlan> plans;
    for (size_t offset = 0; offset < sizeof(OptionsRecord); offset += 3) {
        FileFaultPlan torn;
        torn.failWriteAtOffset = static_cast<int64_t>(offset);
        plans.push_back(torn);
    }
    FileFaultPlan full;
    full.freeDiskBytes = 0;
    plans.push_back(full);
    FileFaultPlan flush;
    flush.failFlush = true;
    plans.push_back(flush);
    FileFaultPlan replace;
    replace.failReplace = true;
    plans.push_back(replace);

    settings.options.syncAction = 2;
    for (const FileFaultPlan& plan : plans) {
        {
            ScopedFileFaults faults(plan);
            EXPECT_FALSE(settings.save()) << plan.failWriteAtOffset;
        }
        EXPECT_EQ(saved, readWholeFile(optionsPath())) << plan.failWriteAtOffset;
        EXPECT_FALSE(isPlainFile(FileRewrite::temporaryPathFor(optionsPath())));
    }
    ASSERT_TRUE(settings.save());
    EXPECT_NE(saved, readWholeFile(optionsPath())) << "the changed rule is saved once nothing fails";
}

TEST_F(OptionsSafeSaveTest, TheFirstSaveCreatesTheFile) {
    settings.options.setDefaults();
    ASSERT_FALSE(isPlainFile(optionsPath()));
    EXPECT_TRUE(settings.save());
    EXPECT_EQ(sizeof(OptionsRecord), readWholeFile(optionsPath()).size());
}

}  // namespace
