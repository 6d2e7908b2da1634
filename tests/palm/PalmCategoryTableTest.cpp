#include "palm/BinaryFileStream.h"
#include "palm/PalmCategory.h"
#include "palm/PalmCategorySection.h"
#include "palm/PalmCategoryTable.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

PalmCategory makeCategory(int32_t slot, int32_t id, const char* name, const char* safeName = "") {
    PalmCategory category;
    category.setSlot(slot);
    category.setId(id);
    category.setName(name);
    category.setSafeName(safeName);
    return category;
}

// --- PalmCategory ------------------------------------------------------------

TEST(PalmCategoryTest, NewCategoryAndCutTexts) {
    PalmCategory category;
    EXPECT_EQ(-1, category.getSlot());
    EXPECT_EQ(-1, category.getId());
    EXPECT_STREQ("", category.namePointer());
    EXPECT_EQ(0u, category.flags());

    category.setName("ABCDEFGHIJKLMNOPQRST");
    EXPECT_STREQ("ABCDEFGHIJKLMNO", category.namePointer());
    category.setSafeName(std::string(300, 's').c_str());
    EXPECT_EQ(std::string(255, 's'), category.safeNamePointer());
    category.setName(nullptr);
    EXPECT_STREQ("", category.namePointer());

    category.setDirty(true);
    EXPECT_EQ(PalmCategory::DirtyFlag, category.flags());
    category.setDirty(false);
    EXPECT_FALSE(category.isDirty());
}

TEST(PalmCategoryTest, CopyNameClearsChecksAndReportsLength) {
    PalmCategory category = makeCategory(2, 5, "Business");
    char buffer[12];
    std::memset(buffer, 'X', sizeof buffer);
    uint32_t capacity = 12;
    ASSERT_TRUE(category.copyName(buffer, &capacity));
    EXPECT_STREQ("Business", buffer);
    EXPECT_EQ(8u, capacity);
    EXPECT_EQ(0, buffer[11]) << "the whole capacity is cleared first";

    std::memset(buffer, 'X', sizeof buffer);
    capacity = 8;
    EXPECT_FALSE(category.copyName(buffer, &capacity)) << "no room for the terminator";
    EXPECT_EQ(0, buffer[0]);
    EXPECT_EQ(0, buffer[7]);
    EXPECT_EQ('X', buffer[8]) << "nothing beyond the capacity is touched";

    capacity = 12;
    EXPECT_FALSE(PalmCategory().copyName(buffer, &capacity)) << "an empty name fails";
    EXPECT_FALSE(category.copyName(nullptr, &capacity));
    EXPECT_FALSE(category.copyName(buffer, nullptr));
    capacity = 12;
    EXPECT_FALSE(category.copySafeName(buffer, &capacity)) << "no safe name set";
}

// --- PalmCategoryTable -----------------------------------------------------

TEST(PalmCategoryTableTest, AddPlacesUnplacedCategoriesInTheFirstFreeSlot) {
    PalmCategoryTable table;
    EXPECT_EQ(128u, table.headerValue());
    PalmCategory unfiled = makeCategory(0, 0, "Unfiled");
    ASSERT_TRUE(table.add(&unfiled));
    PalmCategory inSlotOne = makeCategory(1, 10, "One");
    ASSERT_TRUE(table.add(&inSlotOne));
    PalmCategory unplaced = makeCategory(-1, 20, "Two");
    ASSERT_TRUE(table.add(&unplaced));
    EXPECT_EQ(-1, unplaced.getSlot()) << "the table places its own copy";

    const PalmCategory* placed = table.findById(20);
    ASSERT_NE(nullptr, placed);
    EXPECT_EQ(2, placed->getSlot());
    EXPECT_TRUE(placed->isDirty());
    EXPECT_EQ(placed, table.categoryAt(2));
    EXPECT_FALSE(table.findById(10)->isDirty());
    EXPECT_EQ(3u, table.count());
}

TEST(PalmCategoryTableTest, AddRefusesWhatTheTableCannotHold) {
    PalmCategoryTable table;
    PalmCategory unfiled = makeCategory(0, 0, "Unfiled");
    ASSERT_TRUE(table.add(&unfiled));
    EXPECT_FALSE(table.add(nullptr));
    PalmCategory noId = makeCategory(3, -1, "NoId");
    EXPECT_FALSE(table.add(&noId)) << "the table never hands out IDs";
    PalmCategory sameId = makeCategory(3, 0, "Same");
    EXPECT_FALSE(table.add(&sameId));
    PalmCategory takenSlot = makeCategory(0, 4, "Taken");
    EXPECT_FALSE(table.add(&takenSlot));
    PalmCategory slot16 = makeCategory(16, 4, "High");
    EXPECT_FALSE(table.add(&slot16));
    PalmCategory negativeSlot = makeCategory(-2, 4, "Low");
    EXPECT_FALSE(table.add(&negativeSlot));
    EXPECT_EQ(1u, table.count());

    for (int32_t id = 1; id <= 15; ++id) {
        PalmCategory category = makeCategory(-1, id, "C");
        ASSERT_TRUE(table.add(&category)) << id;
    }
    EXPECT_EQ(16u, table.count());
    PalmCategory oneMore = makeCategory(-1, 99, "Full");
    EXPECT_FALSE(table.add(&oneMore));
    EXPECT_EQ(nullptr, table.categoryAt(16));
    EXPECT_EQ(nullptr, table.categoryAt(-1));
    EXPECT_EQ(15, table.findById(15)->getSlot());
}

TEST(PalmCategoryTableTest, UnplacedCategoryFailsWhenOnlySlotZeroIsFree) {
    PalmCategoryTable table;
    for (int32_t slot = 1; slot < 16; ++slot) {
        PalmCategory category = makeCategory(slot, slot + 100, "C");
        ASSERT_TRUE(table.add(&category));
    }
    PalmCategory unplaced = makeCategory(-1, 7, "Late");
    EXPECT_FALSE(table.add(&unplaced));
    EXPECT_EQ(nullptr, table.categoryAt(0));
}

TEST(PalmCategoryTableTest, SafeNameIsMadeFromTheName) {
    PalmCategoryTable table;
    PalmCategory unsafe = makeCategory(1, 1, "a\"*+,./:;<", "kept?");
    PalmCategory unsafe2 = makeCategory(2, 2, "=>?[\\]^|b-_ (x)");
    PalmCategory unnamed = makeCategory(3, 3, "", "file's own");
    ASSERT_TRUE(table.add(&unsafe));
    ASSERT_TRUE(table.add(&unsafe2));
    ASSERT_TRUE(table.add(&unnamed));
    EXPECT_STREQ("a_________", table.findById(1)->safeNamePointer());
    EXPECT_STREQ("________b-_ (x)", table.findById(2)->safeNamePointer());
    EXPECT_STREQ("file's own", table.findById(3)->safeNamePointer()) << "an empty name keeps the safe name";
}

// --- the category section ----------------------------------------------------

class PalmCategorySectionTest : public ::testing::Test {
protected:
    bool readSection(const PalmBytes& bytes) {
        EXPECT_TRUE(PalmBytes(bytes).u32(0xC0FFEE).writeTo(path));
        EXPECT_TRUE(stream.open(path, BinaryFileStream::ReadWriteExisting));
        bool ok = readCategories(stream, table);
        sectionEnd = stream.position();
        stream.close();
        return ok;
    }
    std::vector<uint8_t> writeSection(const PalmCategoryTable* source) {
        EXPECT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
        EXPECT_TRUE(writeCategories(stream, source));
        EXPECT_TRUE(stream.close());
        return readWholeFile(path);
    }

    TempFolder folder;
    std::string path = folder.file("section.dat");
    BinaryFileStream stream;
    std::unique_ptr<PalmCategoryTable> table;
    uint64_t sectionEnd = 0;
};

TEST_F(PalmCategorySectionTest, EmptySectionHoldsOnlyUnfiled) {
    ASSERT_TRUE(readSection(PalmBytes().categorySection(0x12345678, {})));
    ASSERT_TRUE(table);
    EXPECT_EQ(8u, sectionEnd);
    EXPECT_EQ(1u, table->count());
    EXPECT_EQ(0x12345678u, table->headerValue());
    const PalmCategory* unfiled = table->findById(0);
    ASSERT_NE(nullptr, unfiled);
    EXPECT_EQ(0, unfiled->getSlot());
    EXPECT_STREQ("Unfiled", unfiled->namePointer());
    EXPECT_STREQ("Unfiled", unfiled->safeNamePointer());

    EXPECT_EQ(PalmBytes().u32(0x12345678).u32(0).bytes(), writeSection(table.get()));
    EXPECT_EQ(PalmBytes().u32(128).u32(0).bytes(), writeSection(nullptr));
}

TEST_F(PalmCategorySectionTest, EntriesAreReadWithTheirSlotsFlagsAndNames) {
    ASSERT_TRUE(readSection(PalmBytes().categorySection(128, {{3, 7, "Business", "Business"},
                                                              {1, 9, "Friends/Family", "Friends/Family", 1},
                                                              {5, 12, "ABCDEFGHIJKLMNOPQRST", "whatever"},
                                                              {0xFFFFFFFF, 14, "Unplaced", ""}})));
    EXPECT_EQ(5u, table->count());
    const PalmCategory* business = table->categoryAt(3);
    ASSERT_NE(nullptr, business);
    EXPECT_EQ(7, business->getId());
    EXPECT_FALSE(business->isDirty());

    const PalmCategory* friends = table->findById(9);
    ASSERT_NE(nullptr, friends);
    EXPECT_TRUE(friends->isDirty());
    EXPECT_STREQ("Friends_Family", friends->safeNamePointer());

    const PalmCategory* cut = table->findById(12);
    EXPECT_STREQ("ABCDEFGHIJKLMNO", cut->namePointer());
    EXPECT_STREQ("ABCDEFGHIJKLMNO", cut->safeNamePointer());

    EXPECT_EQ(2, table->findById(14)->getSlot()) << "slot -1 takes the first free slot";
    uint32_t marker = 0;
    ASSERT_TRUE(stream.open(path, BinaryFileStream::ReadExisting));
    ASSERT_TRUE(stream.setPosition(sectionEnd));
    ASSERT_TRUE(stream.readUInt32(marker));
    EXPECT_EQ(0xC0FFEEu, marker) << "the section is consumed exactly";
}

TEST_F(PalmCategorySectionTest, OnlyTheLow16BitsOfTheCountAreUsed) {
    PalmBytes bytes;
    bytes.u32(128).u32(0x00050001).u32(4).u32(40).u32(0).countedString("Work").countedString("Work");
    ASSERT_TRUE(readSection(bytes));
    EXPECT_EQ(2u, table->count());
    EXPECT_STREQ("Work", table->findById(40)->namePointer());
}

TEST_F(PalmCategorySectionTest, HostileSectionsFail) {
    struct Case {
        const char* what;
        PalmBytes bytes;
    };
    std::vector<uint8_t> longName(256, 'n');
    std::vector<Case> cases = {
        {"16 entries", PalmBytes().u32(128).u32(16)},
        {"65535 entries", PalmBytes().u32(128).u32(0xFFFF)},
        {"ID 0", PalmBytes().categorySection(128, {{1, 0, "Zero", "Zero"}})},
        {"ID -1", PalmBytes().categorySection(128, {{1, 0xFFFFFFFF, "None", "None"}})},
        {"repeated ID", PalmBytes().categorySection(128, {{1, 5, "A", "A"}, {2, 5, "B", "B"}})},
        {"slot 16", PalmBytes().categorySection(128, {{16, 5, "A", "A"}})},
        {"slot taken", PalmBytes().categorySection(128, {{2, 5, "A", "A"}, {2, 6, "B", "B"}})},
        {"slot of Unfiled", PalmBytes().categorySection(128, {{0, 5, "A", "A"}})},
        {"name of 256", PalmBytes().u32(128).u32(1).u32(1).u32(5).u32(0).longCountedString(std::string(256, 'n'))},
        {"safe name of 256",
         PalmBytes().u32(128).u32(1).u32(1).u32(5).u32(0).countedString("n").longCountedString(std::string(256, 'n'))},
        {"cut after the count", PalmBytes().u32(128).u32(2).u32(1).u32(5).u32(0).countedString("A").countedString("A")},
        {"cut in the header", PalmBytes().u16(1)},
        {"cut in a name", PalmBytes().u32(128).u32(1).u32(1).u32(5).u32(0).countedStringClaiming(10, "abc")},
        {"cut in an entry", PalmBytes().u32(128).u32(1).u32(1).u16(5)},
    };
    for (Case& c : cases) {
        // readSection appends a marker word; the truncated cases must not be
        // rescued by it, so they are written without.
        bool truncated = std::strncmp(c.what, "cut", 3) == 0;
        bool ok;
        if (truncated) {
            ASSERT_TRUE(c.bytes.writeTo(path));
            ASSERT_TRUE(stream.open(path, BinaryFileStream::ReadExisting));
            ok = readCategories(stream, table);
            stream.close();
        } else {
            ok = readSection(c.bytes);
        }
        EXPECT_FALSE(ok) << c.what;
        if (table) {
            EXPECT_LE(table->count(), 16u) << c.what;
        }
    }
}

TEST_F(PalmCategorySectionTest, FifteenEntriesAreTheMost) {
    std::vector<PalmBytes::CategoryEntry> entries;
    for (uint32_t i = 1; i <= 15; ++i)
        entries.push_back({i, i + 100, "C" + std::to_string(i), ""});
    ASSERT_TRUE(readSection(PalmBytes().categorySection(128, entries)));
    EXPECT_EQ(16u, table->count());
}

TEST_F(PalmCategorySectionTest, WritingGoesInSlotOrderWithCleanDirtyWords) {
    PalmCategoryTable source;
    source.setHeaderValue(0x80);
    PalmCategory unfiled = makeCategory(0, 0, "Unfiled");
    PalmCategory seven = makeCategory(7, 70, "Seven.", "stale");
    PalmCategory three = makeCategory(3, 30, "Three");
    seven.setDirty(true);
    ASSERT_TRUE(source.add(&unfiled));
    ASSERT_TRUE(source.add(&seven));
    ASSERT_TRUE(source.add(&three));

    PalmBytes expected;
    expected.u32(0x80).u32(2);
    expected.u32(3).u32(30).u32(0).countedString("Three").countedString("Three");
    expected.u32(7).u32(70).u32(0).countedString("Seven.").countedString("Seven_");
    EXPECT_EQ(expected.bytes(), writeSection(&source));
}

TEST_F(PalmCategorySectionTest, ReadThenWriteKeepsTheSection) {
    PalmBytes section;
    section.categorySection(0x99, {{2, 8, "Personal", "Personal"}, {9, 77, "QuickList", "QuickList"}});
    ASSERT_TRUE(readSection(section));
    EXPECT_EQ(section.bytes(), writeSection(table.get()));
}

TEST_F(PalmCategorySectionTest, TableWithoutUnfiledWritesEveryEntryItCounts) {
    PalmCategoryTable source;
    PalmCategory only = makeCategory(4, 40, "Alone");
    ASSERT_TRUE(source.add(&only));
    writeSection(&source);
    ASSERT_TRUE(readSection(PalmBytes().raw(readWholeFile(path))));
    ASSERT_NE(nullptr, table->findById(40)) << "a category the file held is not dropped";
    EXPECT_EQ(4, table->findById(40)->getSlot());
}

TEST(CategoryNameForIdTest, CopiesTheNameOrLeavesTheDestination) {
    PalmCategoryTable table;
    PalmCategory unfiled = makeCategory(0, 0, "Unfiled");
    PalmCategory longest = makeCategory(5, 12, "ABCDEFGHIJKLMNO");
    ASSERT_TRUE(table.add(&unfiled));
    ASSERT_TRUE(table.add(&longest));

    char name[16];
    ASSERT_TRUE(categoryNameForId(&table, 12, name));
    EXPECT_STREQ("ABCDEFGHIJKLMNO", name);
    ASSERT_TRUE(categoryNameForId(&table, 0, name));
    EXPECT_STREQ("Unfiled", name);

    std::strcpy(name, "untouched");
    EXPECT_FALSE(categoryNameForId(&table, 13, name));
    EXPECT_STREQ("untouched", name);
    EXPECT_FALSE(categoryNameForId(nullptr, 0, name));
    EXPECT_STREQ("untouched", name);
}

}  // namespace
