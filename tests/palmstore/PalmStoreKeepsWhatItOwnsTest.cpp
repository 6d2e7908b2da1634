#include "palmstore/PalmContactStore.h"
#include "sync/TextField.h"
#include "tests/support/PalmSampleFiles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ContactRecord fromOutlook(const char* phone) {
    ContactRecord record;
    copyText(record.firstName, "Maja");
    copyText(record.lastName, "Lind");
    copyText(record.workPhone, phone);
    return record;
}

class PalmStoreKeepsWhatItOwnsTest : public ::testing::Test {
protected:
    PalmStoreKeepsWhatItOwnsTest() : scopedProgramFolder(program.path()) {}
    TempFolder program;
    ScopedProgramFolder scopedProgramFolder;
    TempFolder data;
};

TEST_F(PalmStoreKeepsWhatItOwnsTest, AnUpdateKeepsThePrivateFlagInBothFormats) {
    for (int format = 1; format <= 2; ++format) {
        for (uint32_t flag : {0u, 1u}) {
            std::string path = data.file("address" + std::to_string(format) + std::to_string(flag) + ".dat");
            ASSERT_TRUE((format == 1 ? oneRecordOlderFile(flag) : oneRecordFormat4File(flag)).writeTo(path));
            PalmContactStore store(format == 1 ? 40000 : 40102);
            ASSERT_TRUE(store.loadFile(path)) << format;
            ContactRecord outlook = fromOutlook("+46 8 555 0199");
            ASSERT_TRUE(store.updateRecord(&outlook, 0));
            ASSERT_TRUE(store.save());

            PalmContactStore reread(40000);
            ASSERT_TRUE(reread.loadFile(path));
            uint32_t stored =
                format == 1 ? reread.file1().recordAt(0)->isPrivate : reread.file2().recordAt(0)->isPrivate;
            EXPECT_EQ(flag, stored) << "format " << format;
            bool arrived = false;
            for (int slot = 0; slot < 5; ++slot) {
                const std::string& phone =
                    format == 1 ? reread.file1().recordAt(0)->phone[slot] : reread.file2().recordAt(0)->phone[slot];
                arrived = arrived || phone == "+46 8 555 0199";
            }
            EXPECT_TRUE(arrived) << "the update itself reached the file";
        }
    }
}

TEST_F(PalmStoreKeepsWhatItOwnsTest, ARecordAddedFromOutlookIsNotPrivate) {
    std::string path = data.file("address.dat");
    ASSERT_TRUE(oneRecordOlderFile(1).writeTo(path));
    PalmContactStore store(40000);
    ASSERT_TRUE(store.loadFile(path));
    ContactRecord outlook = fromOutlook("1");
    copyText(outlook.firstName, "Nils");
    ASSERT_TRUE(store.addRecord(&outlook));
    ASSERT_TRUE(store.save());
    PalmAddressFile reread(path);
    ASSERT_EQ(2u, reread.recordCount());
    EXPECT_EQ(1u, reread.recordAt(0)->isPrivate);
    EXPECT_EQ(0u, reread.recordAt(1)->isPrivate);
}

TEST_F(PalmStoreKeepsWhatItOwnsTest, ALabelTextOfMoreThanFourLinesIsSavedWhole) {
    std::string path = data.file("address.dat");
    ASSERT_TRUE(oneRecordOlderFile(0).writeTo(path));
    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    EXPECT_EQ("one\ntwo\nthree\nfour\n", file.customLabelText()) << "the program's labels are four lines";
    ASSERT_TRUE(file.saveToOpenedPath());
    PalmAddressFile reread(path);
    ASSERT_TRUE(reread.opened());
    EXPECT_EQ("one\ntwo\nthree\nfour\nfive\nsix\n", reread.labelText());
    EXPECT_EQ("one\ntwo\nthree\nfour\n", reread.customLabelText());
}

}  // namespace
