#include "ui/layout/ContactDetailModel.h"

#include "resources/ResourceIds.h"
#include "sync/TextField.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void fillAddress(AddressBlock& block, const std::string& prefix) {
    copyText(block.street, (prefix + " street").c_str());
    copyText(block.city, (prefix + " city").c_str());
    copyText(block.state, (prefix + " state").c_str());
    copyText(block.postalCode, (prefix + " zip").c_str());
    copyText(block.country, (prefix + " country").c_str());
}

ContactValues annLee() {
    ContactValues record;
    copyText(record.firstName, "Ann");
    copyText(record.lastName, "Lee");
    copyText(record.company, "Harbour Works");
    copyText(record.jobTitle, "Pilot");
    copyText(record.workPhone, "555-0100");
    copyText(record.email1, "ann@example.com");
    copyText(record.email2, "second@example.com");
    copyText(record.homePhone, "555-0102");
    copyText(record.mobilePhone, "555-0101");
    copyText(record.mainPhone, "555-0199");
    fillAddress(record.businessAddress, "work");
    fillAddress(record.homeAddress, "home");
    fillAddress(record.otherAddress, "other");
    return record;
}

}  // namespace

TEST(ContactDetail, EightEditsShowTheirFields) {
    const ContactValues record = annLee();
    const std::pair<int, std::string> expected[DetailFieldCount] = {
        {1036, "Ann"},      {1037, "Lee"},      {1038, "Harbour Works"},
        {1039, "Pilot"},    {1040, "555-0100"}, {1001, "ann@example.com"},
        {1042, "555-0102"}, {1043, "555-0101"},
    };
    for (int index = 0; index < DetailFieldCount; ++index) {
        DetailText shown{};
        ASSERT_TRUE(detailFieldText(record, index, &shown)) << index;
        EXPECT_EQ(expected[index].first, shown.controlId) << index;
        EXPECT_EQ(expected[index].second, shown.text) << index;
    }
    DetailText shown{};
    EXPECT_FALSE(detailFieldText(record, DetailFieldCount, &shown));
    EXPECT_FALSE(detailFieldText(record, -1, &shown));
    EXPECT_FALSE(detailFieldText(record, 0, nullptr));
}

TEST(ContactDetail, AddressSwitchChoosesTheBlock) {
    const ContactValues record = annLee();
    EXPECT_STREQ("Work", detailAddressChoiceText(0));
    EXPECT_STREQ("Home", detailAddressChoiceText(1));
    EXPECT_STREQ("Other", detailAddressChoiceText(2));
    EXPECT_STREQ("", detailAddressChoiceText(3));

    const char* prefixes[DetailAddressChoiceCount] = {"work", "home", "other"};
    const int ids[DetailAddressFieldCount] = {1045, 1046, 1047, 1048, 1049};
    const char* parts[DetailAddressFieldCount] = {" street", " city", " state", " zip", " country"};
    for (int choice = 0; choice < DetailAddressChoiceCount; ++choice) {
        for (int index = 0; index < DetailAddressFieldCount; ++index) {
            DetailText shown{};
            ASSERT_TRUE(detailAddressText(record, choice, index, &shown)) << choice << " " << index;
            EXPECT_EQ(ids[index], shown.controlId);
            EXPECT_EQ(std::string(prefixes[choice]) + parts[index], shown.text) << choice << " " << index;
        }
    }
}

TEST(ContactDetail, NoSelectionLeavesTheAddressFields) {
    const ContactValues record = annLee();
    DetailText shown = {77, "kept"};
    for (int choice : {-1, 3, 100}) {
        EXPECT_EQ(nullptr, detailAddressBlock(record, choice)) << choice;
        EXPECT_FALSE(detailAddressText(record, choice, 0, &shown)) << choice;
    }
    EXPECT_FALSE(detailAddressText(record, 0, DetailAddressFieldCount, &shown));
    EXPECT_FALSE(detailAddressText(record, 0, -1, &shown));
    EXPECT_EQ(77, shown.controlId);
}

TEST(ContactDetail, TitleAndHeaderNameTheContact) {
    ContactValues record = annLee();
    EXPECT_EQ("Detail information of Ann Lee", detailWindowTitle(record));
    EXPECT_EQ("View contacts detail information of Ann Lee.", detailHeaderLine(record));

    copyText(record.firstName, "");
    EXPECT_EQ("Detail information of  Lee", detailWindowTitle(record));
    EXPECT_EQ("View contacts detail information of  Lee.", detailHeaderLine(record));
}

TEST(ContactDetail, HeaderLineIsCutTo99Characters) {
    ContactValues record;
    const std::string first(sizeof record.firstName - 1, 'f');
    const std::string last(sizeof record.lastName - 1, 'l');
    copyText(record.firstName, first.c_str());
    copyText(record.lastName, last.c_str());
    const std::string whole = "View contacts detail information of " + first + " " + last + ".";
    ASSERT_EQ(100u, whole.size());
    EXPECT_EQ(whole.substr(0, 99), detailHeaderLine(record));
    // The title has no such limit.
    EXPECT_EQ("Detail information of " + first + " " + last, detailWindowTitle(record));
}

TEST(ContactDetail, UnterminatedNamesAreReadOnlyToTheirEnd) {
    ContactValues record;
    std::memset(record.firstName, 'f', sizeof record.firstName);
    std::memset(record.lastName, 'l', sizeof record.lastName);
    const std::string title = detailWindowTitle(record);
    EXPECT_EQ("Detail information of " + std::string(32, 'f') + " " + std::string(32, 'l'), title);
    EXPECT_EQ(99u, detailHeaderLine(record).size());
}
