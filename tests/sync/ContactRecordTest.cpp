#include "sync/ContactRecord.h"
#include "sync/TextField.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

TEST(TextFieldTest, CutsToCapacityAndZeroFillsTheRest) {
    char field[8];
    std::memset(field, 'x', sizeof field);
    copyText(field, "abc");
    EXPECT_STREQ("abc", field);
    for (size_t index = 3; index < sizeof field; ++index)
        EXPECT_EQ('\0', field[index]) << index;

    copyText(field, "abcdefghij");
    EXPECT_STREQ("abcdefg", field);

    copyText(field, nullptr);
    EXPECT_EQ(std::string(sizeof field, '\0'), std::string(field, sizeof field));
}

TEST(TextFieldTest, NeverTouchesBytesPastTheCapacity) {
    char buffer[6];
    std::memset(buffer, '#', sizeof buffer);
    copyText(buffer, 4, "long text");
    EXPECT_STREQ("lon", buffer);
    EXPECT_EQ('#', buffer[4]);
    EXPECT_EQ('#', buffer[5]);

    copyText(buffer, 0, "anything");
    EXPECT_EQ('l', buffer[0]);

    // A source without a terminator within the field is read only as far as needed.
    const char unterminated[3] = {'a', 'b', 'c'};
    copyText(buffer, 3, unterminated);
    EXPECT_STREQ("ab", buffer);
}

TEST(ContactRecordTest, NewRecordIsAllZerosEvenOverDirtyMemory) {
    alignas(ContactRecord) unsigned char storage[sizeof(ContactRecord)];
    std::memset(storage, 0xAB, sizeof storage);
    ContactRecord* record = new (storage) ContactRecord;

    size_t textBytes = 0;
    ContactRecord other;
    forEachTextFieldPair(*record, other, [&](auto& field, const auto&) {
        for (char byte : field)
            EXPECT_EQ('\0', byte);
        textBytes += sizeof field;
    });
    // Every text field of the record is visited: the record's whole fixed part
    // is text, four dates and four integers (plus possible padding).
    EXPECT_GE(sizeof(ContactValues), textBytes + 4 * sizeof(double) + 4 * sizeof(int32_t));
    EXPECT_LE(sizeof(ContactValues), textBytes + 4 * sizeof(double) + 4 * sizeof(int32_t) + 8);

    EXPECT_EQ(0.0, record->anniversary);
    EXPECT_EQ(0.0, record->birthday);
    EXPECT_EQ(0.0, record->creationTime);
    EXPECT_EQ(0.0, record->lastModificationTime);
    EXPECT_EQ(0, record->sourceType);
    EXPECT_EQ(0, record->compareStatus);
    EXPECT_EQ(0, record->nativeId);
    EXPECT_EQ(0, record->isPrivate);
    EXPECT_TRUE(record->nativeData.empty());
    record->~ContactRecord();
}

TEST(ContactRecordTest, AssignValuesKeepsTheTargetsNativeBlock) {
    ContactRecord source;
    copyText(source.firstName, "Ann");
    copyText(source.custom[8], "last custom");
    source.birthday = 36345.0;
    source.sourceType = 3;
    source.nativeId = 77;
    source.nativeData = {9, 9, 9};

    ContactRecord target;
    copyText(target.lastName, "Lee");
    target.nativeData = {1, 2};

    assignRecordValues(target, source);
    EXPECT_STREQ("Ann", target.firstName);
    EXPECT_STREQ("", target.lastName);
    EXPECT_STREQ("last custom", target.custom[8]);
    EXPECT_EQ(36345.0, target.birthday);
    EXPECT_EQ(3, target.sourceType);
    EXPECT_EQ(77, target.nativeId);
    EXPECT_EQ((std::vector<uint8_t>{1, 2}), target.nativeData);

    assignRecordValues(target, target);
    EXPECT_STREQ("Ann", target.firstName);
    EXPECT_EQ((std::vector<uint8_t>{1, 2}), target.nativeData);
}
