#include "sync/FieldTable.h"
#include "sync/TextField.h"

#include "platform/LocalClock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

static FieldSlot slotWithId(int32_t id) {
    FieldSlot slot{};
    EXPECT_TRUE(findField(id, &slot)) << id;
    return slot;
}

static std::string textOf(const ContactRecord& record, int32_t id, uint32_t capacity = 5000) {
    const FieldSlot slot = slotWithId(id);
    std::string buffer(capacity, '#');
    if (!getFieldText(&record, &slot, &buffer[0], capacity))
        return "<failed>";
    return buffer.c_str();
}

TEST(FieldTableTest, UsedSlotsCoverEachIdOnceAndTheRestAreZero) {
    const FieldSlot* slots = fieldTableSlots();
    std::set<int32_t> ids;
    for (int index = 0; index < FieldTableUsedSlotCount; ++index) {
        EXPECT_NE('\0', slots[index].name[0]) << index;
        EXPECT_GT(slots[index].width, 0) << index;
        ids.insert(slots[index].id);
    }
    EXPECT_EQ(42u, ids.size());
    EXPECT_EQ(1, *ids.begin());
    EXPECT_EQ(42, *ids.rbegin());

    const FieldSlot zero{};
    for (int index = FieldTableUsedSlotCount; index < FieldTableSlotCount; ++index)
        EXPECT_EQ(0, std::memcmp(&zero, &slots[index], sizeof zero)) << index;
}

// The lists show their columns in slot order and size them by the width, so
// every slot is held here as the design lists it.
TEST(FieldTableTest, EverySlotHoldsItsIdNameAndWidth) {
    struct Expected {
        int32_t id;
        const char* name;
        int32_t width;
    };
    const Expected used[FieldTableUsedSlotCount] = {
        {1, "First Name", 32},
        {2, "Last Name", 32},
        {37, "Company", 64},
        {38, "Title", 32},
        {3, "Street", 64},
        {4, "City", 32},
        {5, "State", 32},
        {6, "Postal", 16},
        {7, "Country", 32},
        {8, "Street", 64},
        {9, "City", 32},
        {10, "State", 32},
        {11, "Postal", 16},
        {12, "Country", 32},
        {13, "Street", 64},
        {14, "City", 32},
        {15, "State", 32},
        {16, "Postal", 16},
        {17, "Country", 32},
        {18, "Home Phone", 24},
        {19, "Work Phone", 24},
        {20, "Mobile Phone", 24},
        {21, "Other Phone", 24},
        {22, "Main Phone", 24},
        {23, "Fax", 24},
        {24, "Pager", 24},
        {25, "E-Mail", 24},
        {26, "Home Page", 256},
        {27, "Note", 4096},
        {28, "Custom 1", 64},
        {29, "Custom 2", 64},
        {30, "Custom 3", 64},
        {31, "Custom 4", 64},
        {32, "Custom 5", 64},
        {33, "Custom 6", 64},
        {34, "Custom 7", 64},
        {35, "Custom 8", 64},
        {36, "Custom 9", 64},
        {39, "Category", 64},
        {40, "CreationTime", 8},
        {41, "LastModificationTime", 8},
        {42, "Source Type", 8},
    };
    const FieldSlot* slots = fieldTableSlots();
    for (int index = 0; index < FieldTableSlotCount; ++index) {
        const Expected expected = index < FieldTableUsedSlotCount ? used[index] : Expected{0, "", 0};
        const FieldSlot& slot = slots[index];
        EXPECT_EQ(expected.id, slot.id) << index;
        EXPECT_STREQ(expected.name, slot.name) << index;
        EXPECT_EQ(expected.width, slot.width) << index;
        EXPECT_EQ(0, slot.reserved) << index;
        EXPECT_EQ(0, slot.reserved2) << index;
        // The name is zero-filled to the end of its field.
        const size_t length = strnlen(slot.name, sizeof slot.name);
        ASSERT_LT(length, sizeof slot.name) << index;
        for (size_t byte = length; byte < sizeof slot.name; ++byte)
            EXPECT_EQ('\0', slot.name[byte]) << index;
    }
}

TEST(FieldTableTest, FindFieldCopiesTheFirstMatchingSlot) {
    FieldSlot slot{};
    ASSERT_TRUE(findField(39, &slot));
    EXPECT_EQ(0, std::memcmp(&fieldTableSlots()[38], &slot, sizeof slot));
    EXPECT_STREQ("Category", slot.name);
    EXPECT_EQ(64, slot.width);

    EXPECT_STREQ("Company", slotWithId(37).name);
    EXPECT_STREQ("Custom 9", slotWithId(36).name);
    EXPECT_EQ(4096, slotWithId(27).width);
    EXPECT_EQ(24, slotWithId(25).width);

    FieldSlot untouched{};
    untouched.id = 99;
    EXPECT_FALSE(findField(43, &untouched));
    EXPECT_FALSE(findField(-1, &untouched));
    EXPECT_EQ(99, untouched.id);

    FieldSlot empty;
    std::memset(&empty, 0x55, sizeof empty);
    ASSERT_TRUE(findField(0, &empty));
    EXPECT_EQ(0, std::memcmp(&fieldTableSlots()[42], &empty, sizeof empty));

    EXPECT_FALSE(findField(1, nullptr));
}

TEST(FieldTableTest, DisplayWidthGuardsTheBuffer) {
    ContactRecord record;
    copyText(record.firstName, "Ann");
    char buffer[5000];
    const FieldSlot note = slotWithId(27);
    const FieldSlot firstName = slotWithId(1);
    EXPECT_FALSE(getFieldText(&record, &note, buffer, 1024));
    EXPECT_TRUE(getFieldText(&record, &note, buffer, 4097));
    EXPECT_TRUE(getFieldText(&record, &firstName, buffer, 33));
    EXPECT_STREQ("Ann", buffer);
    EXPECT_FALSE(getFieldText(&record, &firstName, buffer, 32));

    EXPECT_FALSE(getFieldText(nullptr, &firstName, buffer, 33));
    EXPECT_FALSE(getFieldText(&record, nullptr, buffer, 33));
    EXPECT_FALSE(getFieldText(&record, &firstName, nullptr, 33));

    // A hand-made slot with a negative width must still not write before the buffer.
    FieldSlot odd = firstName;
    odd.width = -1;
    char guarded[3] = {'x', 'y', 'z'};
    EXPECT_FALSE(getFieldText(&record, &odd, guarded + 1, 0));
    EXPECT_EQ('x', guarded[0]);
    EXPECT_EQ('y', guarded[1]);
    EXPECT_TRUE(getFieldText(&record, &odd, guarded, 3));
    EXPECT_STREQ("An", guarded);
}

TEST(FieldTableTest, EachTextIdShowsItsOwnField) {
    ContactRecord record;
    copyText(record.firstName, "f1");
    copyText(record.lastName, "f2");
    AddressBlock* blocks[] = {&record.businessAddress, &record.homeAddress, &record.otherAddress};
    for (int block = 0; block < 3; ++block) {
        const int base = 3 + 5 * block;
        copyText(blocks[block]->street, ("f" + std::to_string(base)).c_str());
        copyText(blocks[block]->city, ("f" + std::to_string(base + 1)).c_str());
        copyText(blocks[block]->state, ("f" + std::to_string(base + 2)).c_str());
        copyText(blocks[block]->postalCode, ("f" + std::to_string(base + 3)).c_str());
        copyText(blocks[block]->country, ("f" + std::to_string(base + 4)).c_str());
    }
    copyText(record.homePhone, "f18");
    copyText(record.workPhone, "f19");
    copyText(record.mobilePhone, "f20");
    copyText(record.otherPhone, "f21");
    copyText(record.mainPhone, "f22");
    copyText(record.businessFax, "f23");
    copyText(record.pager, "f24");
    copyText(record.email1, "f25");
    copyText(record.homePage, "f26");
    copyText(record.note, "f27");
    for (int index = 0; index < 9; ++index)
        copyText(record.custom[index], ("f" + std::to_string(28 + index)).c_str());
    copyText(record.company, "f37");
    copyText(record.jobTitle, "f38");
    copyText(record.category, "f39");
    // Fields without an id must never show up.
    copyText(record.homeFax, "wrong");
    copyText(record.email2, "wrong");
    copyText(record.personalHomePage, "wrong");

    for (int32_t id = 1; id <= 39; ++id)
        EXPECT_EQ("f" + std::to_string(id), textOf(record, id)) << id;
}

TEST(FieldTableTest, TextIsCutToTheBuffer) {
    ContactRecord record;
    const std::string longMail(63, 'm');
    copyText(record.email1, longMail.c_str());
    // "E-Mail" is 24 wide on screen but 64 in the record.
    EXPECT_EQ(std::string(24, 'm'), textOf(record, 25, 25));
    EXPECT_EQ(longMail, textOf(record, 25, 100));
}

TEST(FieldTableTest, DatesShowAsMonthDayYearAndTime) {
    ContactRecord record;
    EXPECT_EQ("12/30/1899 00:00:00", textOf(record, 40));
    record.lastModificationTime = 36345.75;
    EXPECT_EQ("07/04/1999 18:00:00", textOf(record, 41));
    // Width 8 passes with 9 bytes; the text is then cut, not overrun.
    EXPECT_EQ("07/04/19", textOf(record, 41, 9));
}

TEST(FieldTableTest, UnconvertibleDateShowsTheCurrentLocalTime) {
    ContactRecord record;
    record.creationTime = 1.0e9;
    auto format = [](const LocalDateTime& time) {
        char text[32];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", time.month, time.day, time.year, time.hour,
                      time.minute, time.second);
        return std::string(text);
    };
    const std::string before = format(currentLocalTime());
    const std::string shown = textOf(record, 40);
    const std::string after = format(currentLocalTime());
    EXPECT_TRUE(shown == before || shown == after) << shown;
}

TEST(FieldTableTest, SourceTypeShowsItsNameOrFails) {
    ContactRecord record;
    record.sourceType = 2;
    EXPECT_EQ("Palm(4.1.2 and aboves)", textOf(record, 42));
    record.sourceType = 15;
    EXPECT_EQ("Tolcard", textOf(record, 42));
    record.sourceType = 3;
    EXPECT_EQ("Outlook", textOf(record, 42));

    const FieldSlot slot = slotWithId(42);
    for (int32_t type : {0, 16, -1}) {
        record.sourceType = type;
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_FALSE(getFieldText(&record, &slot, buffer, sizeof buffer)) << type;
        EXPECT_STREQ("", buffer);
    }
}

TEST(FieldTableTest, UnknownIdsFail) {
    ContactRecord record;
    char buffer[64];
    FieldSlot slot{};
    ASSERT_TRUE(findField(0, &slot));
    EXPECT_FALSE(getFieldText(&record, &slot, buffer, sizeof buffer));
    slot.id = 43;
    EXPECT_FALSE(getFieldText(&record, &slot, buffer, sizeof buffer));
}
