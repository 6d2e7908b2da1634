#include "sync/ContactList.h"
#include "sync/TextField.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

static std::unique_ptr<ContactRecord> named(const char* firstName) {
    std::unique_ptr<ContactRecord> record(new ContactRecord);
    copyText(record->firstName, firstName);
    return record;
}

static void fill(ContactList& list, int count) {
    for (int index = 0; index < count; ++index)
        ASSERT_TRUE(list.append(named(std::to_string(index).c_str())));
}

static std::string nameOf(const ContactRecord* record) { return record != nullptr ? record->firstName : "<null>"; }

TEST(ContactListTest, EmptyListAnswersNothing) {
    ContactList list;
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(nullptr, list.first());
    EXPECT_EQ(nullptr, list.next());
    EXPECT_EQ(nullptr, list.at(0));
    EXPECT_EQ(0, list.cursorPosition());
    EXPECT_FALSE(list.append(nullptr));
    EXPECT_EQ(0, list.count());
}

TEST(ContactListTest, FirstThenNextVisitsInLoadOrder) {
    ContactList list;
    fill(list, 3);
    EXPECT_EQ(2, list.cursorPosition());
    EXPECT_EQ("0", nameOf(list.first()));
    EXPECT_EQ("1", nameOf(list.next()));
    EXPECT_EQ("2", nameOf(list.next()));
    EXPECT_EQ(nullptr, list.next());
    EXPECT_EQ(2, list.cursorPosition());
    EXPECT_EQ(nullptr, list.next());
}

TEST(ContactListTest, AtWalksBothWaysFromTheCursor) {
    ContactList list;
    fill(list, 5);
    EXPECT_EQ("2", nameOf(list.at(2)));
    EXPECT_EQ("3", nameOf(list.next()));
    EXPECT_EQ("4", nameOf(list.at(4)));
    EXPECT_EQ(nullptr, list.next());
    EXPECT_EQ("0", nameOf(list.at(0)));
    EXPECT_EQ(0, list.cursorPosition());
    EXPECT_EQ("3", nameOf(list.at(3)));
    EXPECT_EQ("1", nameOf(list.at(1)));
    EXPECT_EQ("2", nameOf(list.next()));

    // Out of range leaves the cursor where it was.
    EXPECT_EQ(nullptr, list.at(5));
    EXPECT_EQ(nullptr, list.at(-1));
    EXPECT_EQ(2, list.cursorPosition());
}

TEST(ContactListTest, AppendMovesTheCursorToTheNewRecord) {
    ContactList list;
    fill(list, 2);
    list.first();
    ASSERT_TRUE(list.append(named("new")));
    EXPECT_EQ(2, list.cursorPosition());
    EXPECT_EQ(nullptr, list.next());
    EXPECT_EQ("new", nameOf(list.at(2)));
}

TEST(ContactListTest, AReservedNodeServesTheNextAppendOnly) {
    ContactList list;
    ASSERT_TRUE(list.reserveNext());
    ASSERT_TRUE(list.reserveNext()) << "a second reservation keeps the first";
    EXPECT_EQ(0, list.count()) << "reserving adds nothing";
    EXPECT_EQ(nullptr, list.first());
    EXPECT_FALSE(list.append(nullptr));
    ASSERT_TRUE(list.append(named("a")));
    ASSERT_TRUE(list.append(named("b")));
    EXPECT_EQ("b", nameOf(list.at(1)));
    EXPECT_EQ("a", nameOf(list.at(0)));
    // A spare left over when the list goes is freed with it.
    ASSERT_TRUE(list.reserveNext());
    list.clear();
    ASSERT_TRUE(list.append(named("c")));
    EXPECT_EQ(1, list.count());
}

TEST(ContactListTest, AddCopyMakesAnIndependentRecordWithItsOwnBlock) {
    ContactList list;
    ContactRecord source;
    copyText(source.lastName, "Lee");
    source.nativeId = 12;
    source.birthday = 100.5;
    source.nativeData = {1, 2, 3};

    ContactRecord* copy = list.addCopy(&source);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(&source, copy);
    EXPECT_EQ(copy, list.at(0));
    EXPECT_STREQ("Lee", copy->lastName);
    EXPECT_EQ(12, copy->nativeId);
    EXPECT_EQ(100.5, copy->birthday);
    source.nativeData[0] = 9;
    copyText(source.lastName, "Changed");
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), copy->nativeData);
    EXPECT_STREQ("Lee", copy->lastName);

    ContactRecord withoutBlock;
    ContactRecord* second = list.addCopy(&withoutBlock);
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(second->nativeData.empty());

    EXPECT_EQ(nullptr, list.addCopy(nullptr));
    EXPECT_EQ(2, list.count());
}

TEST(ContactListTest, MergeAtTakesNonEmptyTextsAndTheBirthdayOnly) {
    ContactList list;
    ContactRecord original;
    copyText(original.company, "Acme");
    copyText(original.firstName, "Ann");
    copyText(original.custom[4], "keep me");
    original.anniversary = 10.0;
    original.birthday = 20.0;
    original.creationTime = 30.0;
    original.lastModificationTime = 40.0;
    original.sourceType = 1;
    original.compareStatus = 2;
    original.nativeId = 55;
    original.isPrivate = 1;
    original.nativeData = {4, 4};
    list.addCopy(&original);
    list.addCopy(&original);

    ContactRecord update;
    copyText(update.firstName, "Anna");
    copyText(update.homeAddress.city, "Oslo");
    copyText(update.custom[8], "new custom");
    update.anniversary = 1.0;
    update.birthday = 0.0;
    update.creationTime = 3.0;
    update.lastModificationTime = 4.0;
    update.sourceType = 3;
    update.compareStatus = 1;
    update.nativeId = 7;
    update.isPrivate = 0;
    update.nativeData = {8};

    ASSERT_TRUE(list.mergeAt(1, &update));
    const ContactRecord* merged = list.at(1);
    EXPECT_STREQ("Anna", merged->firstName);
    EXPECT_STREQ("Acme", merged->company);
    EXPECT_STREQ("Oslo", merged->homeAddress.city);
    EXPECT_STREQ("keep me", merged->custom[4]);
    EXPECT_STREQ("new custom", merged->custom[8]);
    EXPECT_EQ(0.0, merged->birthday);
    EXPECT_EQ(10.0, merged->anniversary);
    EXPECT_EQ(30.0, merged->creationTime);
    EXPECT_EQ(40.0, merged->lastModificationTime);
    EXPECT_EQ(1, merged->sourceType);
    EXPECT_EQ(2, merged->compareStatus);
    EXPECT_EQ(55, merged->nativeId);
    EXPECT_EQ(1, merged->isPrivate);
    EXPECT_EQ((std::vector<uint8_t>{4, 4}), merged->nativeData);
    EXPECT_STREQ("Ann", list.at(0)->firstName);

    copyText(update.company, "X");
    ASSERT_TRUE(list.mergeAt(0, &update));
    EXPECT_STREQ("X", list.at(0)->company);

    EXPECT_FALSE(list.mergeAt(2, &update));
    EXPECT_FALSE(list.mergeAt(-1, &update));
    EXPECT_FALSE(list.mergeAt(0, nullptr));
    EXPECT_TRUE(list.mergeAt(0, list.at(0)));
    EXPECT_STREQ("X", list.at(0)->company);
}

TEST(ContactListTest, ClearEmptiesTheListForReuse) {
    ContactList list;
    fill(list, 4);
    list.at(1);
    list.clear();
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(0, list.cursorPosition());
    EXPECT_EQ(nullptr, list.first());
    EXPECT_EQ(nullptr, list.at(0));

    fill(list, 2);
    EXPECT_EQ("0", nameOf(list.first()));
    EXPECT_EQ("1", nameOf(list.next()));
    EXPECT_EQ(1, list.cursorPosition());
}
