#include "sync/PalmContactStore.h"
#include "sync/TextField.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One older-format record with the private flag set, label text of six lines.
PalmBytes olderFile(uint32_t isPrivate) {
    PalmBytes bytes;
    bytes.u32(0x41420100).countedString("C:\\address.dat").countedString("one\ntwo\nthree\nfour\nfive\nsix\n");
    bytes.categorySection(128, {});
    bytes.format1Schema().u32(30);
    bytes.integerField(1).integerField(0).integerField(0);
    bytes.stringField("Lind").stringField("Maja").stringField("").stringField("");
    for (uint32_t slot = 0; slot < 5; ++slot) bytes.integerField(slot).stringField("");
    for (int text = 0; text < 6; ++text) bytes.stringField("");
    bytes.booleanField(isPrivate).integerField(0);
    for (int custom = 0; custom < 4; ++custom) bytes.stringField("");
    bytes.integerField(0);
    return bytes;
}

PalmBytes format4File(uint32_t isPrivate) {
    PalmBytes bytes;
    bytes.format4Signature().u32(0x41420200);
    bytes.fill(0, 12).u8(1).u8(16).fill(0, 10).countedString("C:\\address.dat").fill(0, 11);
    for (int label = 0; label < 9; ++label) bytes.countedString("").u32(0);
    bytes.fill(0, 42).categorySection(128, {}).format4Schema().u32(73);
    for (int column = 0; column < 6; ++column) bytes.integerField(0);
    bytes.integerField(isPrivate);
    for (uint32_t tag = 64; tag <= 67; ++tag) bytes.absentBlobField(tag);
    bytes.stringField("").stringField("").stringField("Maja").stringField("Lind").stringField("").stringField("");
    bytes.integerField(0).stringField("");
    for (int phone = 0; phone < 7; ++phone) bytes.stringField("");
    for (uint32_t label = 0; label < 7; ++label) bytes.integerField(label);
    for (int custom = 0; custom < 9; ++custom) bytes.stringField("");
    for (int block = 0; block < 3; ++block) {
        bytes.integerField(static_cast<uint32_t>(block));
        for (int text = 0; text < 5; ++text) bytes.stringField("");
    }
    bytes.stringField("").stringField("").integerField(0).integerField(0);
    bytes.stringField("").wideField(0, 0).booleanField(0).integerField(0).integerField(0);
    for (int text = 0; text < 4; ++text) bytes.stringField("");
    return bytes;
}

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
            ASSERT_TRUE((format == 1 ? olderFile(flag) : format4File(flag)).writeTo(path));
            PalmContactStore store(format == 1 ? 40000 : 40102);
            ASSERT_TRUE(store.loadFile(path)) << format;
            ContactRecord outlook = fromOutlook("+46 8 555 0199");
            ASSERT_TRUE(store.updateRecord(&outlook, 0));
            ASSERT_TRUE(store.save());

            PalmContactStore reread(40000);
            ASSERT_TRUE(reread.loadFile(path));
            uint32_t stored = format == 1 ? reread.file1().recordAt(0)->isPrivate : reread.file2().recordAt(0)->isPrivate;
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
    ASSERT_TRUE(olderFile(1).writeTo(path));
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
    ASSERT_TRUE(olderFile(0).writeTo(path));
    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    EXPECT_EQ("one\ntwo\nthree\nfour\n", file.customLabelText()) << "the program's labels are four lines";
    ASSERT_TRUE(file.saveToOpenedPath());
    PalmAddressFile reread(path);
    ASSERT_TRUE(reread.opened());
    EXPECT_EQ("one\ntwo\nthree\nfour\nfive\nsix\n", reread.labelText());
    EXPECT_EQ("one\ntwo\nthree\nfour\n", reread.customLabelText());
}

} // namespace
