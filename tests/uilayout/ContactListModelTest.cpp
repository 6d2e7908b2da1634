#include "ui/layout/ContactListModel.h"

#include "sync/RecordMatching.h"

#include <gtest/gtest.h>

#include <string>

TEST(ContactColumns, EightColumnsWithTheirFieldsHeadersAndWidths) {
    struct Column {
        int32_t field;
        const char* header;
        int width;
    };
    const Column expected[ContactColumnCount] = {
        {1, "First Name", 128}, {2, "Last Name", 128},  {25, "E-Mail", 96},       {37, "Company", 256},
        {38, "Title", 128},     {19, "Work Phone", 96}, {20, "Mobile Phone", 96}, {18, "Home Phone", 96},
    };
    for (int column = 0; column < ContactColumnCount; ++column) {
        EXPECT_EQ(expected[column].field, contactColumnField(column)) << column;
        FieldSlot slot{};
        int width = 0;
        ASSERT_TRUE(contactColumnHeading(column, &slot, &width)) << column;
        EXPECT_STREQ(expected[column].header, slot.name) << column;
        EXPECT_EQ(expected[column].width, width) << column;
    }
}

TEST(ContactColumns, NoColumnOutsideTheEight) {
    FieldSlot slot{};
    int width = -7;
    for (int column : {-1, ContactColumnCount, 100}) {
        EXPECT_EQ(0, contactColumnField(column)) << column;
        EXPECT_FALSE(contactColumnHeading(column, &slot, &width)) << column;
    }
    EXPECT_EQ(-7, width);
}

TEST(ContactListRows, ShowDiffKeepsOnlyMissingAndDiffering) {
    for (int32_t status : {CompareStatusSame, CompareStatusMissing, CompareStatusDiffers, 3, -1}) {
        EXPECT_TRUE(recordShownInList(status, 0)) << status;
    }
    for (int showDiff : {1, 2, -1}) {
        EXPECT_FALSE(recordShownInList(CompareStatusSame, showDiff)) << showDiff;
        EXPECT_TRUE(recordShownInList(CompareStatusMissing, showDiff)) << showDiff;
        EXPECT_TRUE(recordShownInList(CompareStatusDiffers, showDiff)) << showDiff;
        EXPECT_FALSE(recordShownInList(3, showDiff)) << showDiff;
    }
}

TEST(ContactListRows, TextColourFollowsTheStatus) {
    EXPECT_EQ(rgbColor(0, 128, 0), rowTextColor(CompareStatusMissing));
    EXPECT_EQ(rgbColor(0, 0, 255), rowTextColor(CompareStatusDiffers));
    EXPECT_EQ(rgbColor(0, 0, 0), rowTextColor(CompareStatusSame));
    EXPECT_EQ(rgbColor(0, 0, 0), rowTextColor(7));
    EXPECT_EQ(rgbColor(0, 0, 0), rowTextColor(-1));
    // Stored as the platform's COLORREF: red in the low byte.
    EXPECT_EQ(0x00FF0000u, rowTextColor(CompareStatusDiffers));
}

TEST(ContactListRows, CountLine) {
    EXPECT_EQ("Palm Desktop Contacts Record Count:0; Outlook Contacts Record Count:0", recordCountLine(0, 0));
    EXPECT_EQ("Palm Desktop Contacts Record Count:12; Outlook Contacts Record Count:3", recordCountLine(12, 3));
    EXPECT_EQ("Palm Desktop Contacts Record Count:-2147483648; Outlook Contacts Record Count:2147483647",
              recordCountLine(INT32_MIN, INT32_MAX));
}
