#include "palmstore/PalmContactStore.h"
#include "sync/TextField.h"
#include "tests/allocation/FailingAllocation.h"
#include "tests/support/PalmSampleFiles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PalmStoreAllocationTest : public ::testing::Test {
protected:
    PalmStoreAllocationTest() : scopedProgramFolder(program.path()) {}

    // Adds one record with each allocation of the add failing in turn, until
    // an add runs without reaching the failure. Every time, the add happens
    // whole or not at all: the file object, the working copies and `contacts`
    // agree, and a save writes what `contacts` shows. Returns how many
    // allocations failed.
    long addUnderEveryFailedAllocation(const PalmBytes& file, int version) {
        const std::string path = data.file("address.dat");
        ContactRecord outlook;
        copyText(outlook.firstName, "Nils");
        copyText(outlook.lastName, "Berg");
        copyText(outlook.workPhone, "+46 8 555 0100");
        for (long allowed = 0; allowed < 100000; ++allowed) {
            SCOPED_TRACE("allocations before the failing one: " + std::to_string(allowed));
            EXPECT_TRUE(file.writeTo(path));
            PalmContactStore store(version);
            EXPECT_TRUE(store.loadFile(path));
            bool added;
            bool failed;
            {
                FailingAllocation failure(allowed);
                added = store.addRecord(&outlook);
                failed = failure.happened();
            }
            const size_t expected = added ? 2 : 1;
            EXPECT_EQ(expected, fileRecordCount(store));
            EXPECT_EQ(expected, store.recordCount());
            EXPECT_EQ(static_cast<int32_t>(expected), store.contacts()->count());

            EXPECT_TRUE(store.save());
            PalmContactStore reread(version);
            EXPECT_TRUE(reread.loadFile(path));
            EXPECT_EQ(static_cast<int32_t>(expected), reread.contacts()->count());
            if (added) {
                EXPECT_STREQ("Nils", reread.contacts()->at(1)->firstName);
            }
            if (!failed) {
                EXPECT_TRUE(added) << "an add with all the memory it needs";
                return allowed;
            }
            if (HasFailure())
                return allowed;
        }
        ADD_FAILURE() << "the add never ran without a failed allocation";
        return 0;
    }

    static size_t fileRecordCount(PalmContactStore& store) {
        return store.loadedFormat() == PalmFormat::Older ? store.file1().recordCount() : store.file2().recordCount();
    }

    TempFolder program;
    ScopedProgramFolder scopedProgramFolder;
    TempFolder data;
};

TEST_F(PalmStoreAllocationTest, AnAddThatRunsOutOfMemoryLeavesTheOlderFormatFileAsItWas) {
    EXPECT_GT(addUnderEveryFailedAllocation(oneRecordOlderFile(0), 40000), 2);
}

TEST_F(PalmStoreAllocationTest, AnAddThatRunsOutOfMemoryLeavesThePalmDesktop4FileAsItWas) {
    EXPECT_GT(addUnderEveryFailedAllocation(oneRecordFormat4File(0), 40102), 2);
}

}  // namespace
