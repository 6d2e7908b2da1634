#include "sync/RecordMatching.h"
#include "sync/FieldDifferences.h"
#include "sync/TextField.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

static ContactRecord person(const char* firstName, const char* lastName) {
    ContactRecord record;
    copyText(record.firstName, firstName);
    copyText(record.lastName, lastName);
    return record;
}

static void setPhones(ContactRecord& record, const char* home, const char* work, const char* mobile, const char* main) {
    copyText(record.homePhone, home);
    copyText(record.workPhone, work);
    copyText(record.mobilePhone, mobile);
    copyText(record.mainPhone, main);
}

TEST(FindMatchTest, MissingProbeOrEmptyList) {
    ContactList list;
    EXPECT_EQ(MatchNoProbe, findMatch(&list, nullptr).code);

    const ContactRecord probe = person("Ann", "Lee");
    const MatchResult empty = findMatch(&list, &probe);
    EXPECT_EQ(MatchNone, empty.code);
    EXPECT_EQ(0, empty.position);
    EXPECT_EQ(nullptr, empty.record);

    EXPECT_EQ(MatchNone, findMatch(nullptr, &probe).code);
}

TEST(FindMatchTest, SameNamesWithoutPhonesAreTheSameRecord) {
    ContactList list;
    ContactRecord stored = person("Ann", "Lee");
    ContactRecord* inList = list.addCopy(&stored);
    const ContactRecord probe = person("Ann", "Lee");

    const MatchResult result = findMatch(&list, &probe);
    EXPECT_EQ(MatchSame, result.code);
    EXPECT_EQ(inList, result.record);
    EXPECT_EQ(0, result.position);
}

TEST(FindMatchTest, OneEqualPhoneMakesACounterpartThatMayDiffer) {
    ContactList list;
    ContactRecord stored = person("Ann", "Lee");
    setPhones(stored, "111", "", "", "");
    list.addCopy(&stored);

    ContactRecord probe = person("Ann", "Lee");
    setPhones(probe, "222", "", "", "");
    EXPECT_EQ(MatchDiffers, findMatch(&list, &probe).code);

    // All four numbers present and different: no counterpart, and the e-mail
    // test is not tried after the names passed.
    ContactList full;
    setPhones(stored, "1", "2", "3", "4");
    copyText(stored.email1, "ann@example.com");
    full.addCopy(&stored);
    setPhones(probe, "5", "6", "7", "8");
    copyText(probe.email1, "ann@example.com");
    const MatchResult none = findMatch(&full, &probe);
    EXPECT_EQ(MatchNone, none.code);
    EXPECT_EQ(1, none.position);

    // The last of the four numbers alone is enough.
    setPhones(probe, "5", "6", "7", "4");
    EXPECT_EQ(MatchDiffers, findMatch(&full, &probe).code);
}

TEST(FindMatchTest, EmailStandsInForDifferentNames) {
    ContactList list;
    ContactRecord stored = person("Ann", "Lee");
    copyText(stored.email1, "a@x.org");
    setPhones(stored, "1", "2", "3", "4");
    list.addCopy(&stored);

    ContactRecord probe = person("Ann", "Lee-Smith");
    copyText(probe.email1, "a@x.org");
    // Matched through the e-mail and the mobile number alone.
    setPhones(probe, "9", "9", "3", "9");
    const MatchResult throughMail = findMatch(&list, &probe);
    EXPECT_EQ(MatchDiffers, throughMail.code);
    EXPECT_EQ(0, throughMail.position);
    // The names are not compared again: nothing else differs, so the pair is the same.
    setPhones(probe, "1", "2", "3", "4");
    EXPECT_EQ(MatchSame, findMatch(&list, &probe).code);
    setPhones(probe, "9", "9", "9", "9");
    EXPECT_EQ(MatchNone, findMatch(&list, &probe).code);

    // Two empty addresses are no evidence.
    ContactList bare;
    ContactRecord bareStored = person("Ann", "Lee");
    bare.addCopy(&bareStored);
    const ContactRecord other = person("Bob", "Lee");
    EXPECT_EQ(MatchNone, findMatch(&bare, &other).code);
}

TEST(FindMatchTest, NamesCompareExactly) {
    ContactList list;
    ContactRecord stored = person("Ann", "Lee");
    list.addCopy(&stored);
    for (const char* firstName : {"ann", "Ann ", " Ann", "An"}) {
        const ContactRecord probe = person(firstName, "Lee");
        EXPECT_EQ(MatchNone, findMatch(&list, &probe).code) << firstName;
    }
}

TEST(FindMatchTest, TheEarliestCounterpartWins) {
    ContactList list;
    ContactRecord unrelated = person("Bob", "Ray");
    ContactRecord earlier = person("Ann", "Lee");
    copyText(earlier.company, "Old Co");
    ContactRecord later = person("Ann", "Lee");
    list.addCopy(&unrelated);
    ContactRecord* earlierInList = list.addCopy(&earlier);
    ContactRecord* laterInList = list.addCopy(&later);

    const ContactRecord probe = person("Ann", "Lee");
    const MatchResult result = findMatch(&list, &probe);
    EXPECT_EQ(MatchDiffers, result.code);
    EXPECT_EQ(earlierInList, result.record);
    EXPECT_EQ(1, result.position);

    // The probe's own entry answers "same" only when it comes first.
    EXPECT_EQ(MatchDiffers, findMatch(&list, laterInList).code);
    const MatchResult own = findMatch(&list, earlierInList);
    EXPECT_EQ(MatchSame, own.code);
    EXPECT_EQ(1, own.position);
}

// Each field of the difference test alone makes a matched pair differ; every
// other field leaves it the same.
TEST(FindMatchTest, OnlyTheComparedFieldsDecideADifference) {
    using Change = std::function<void(ContactRecord&)>;
    const std::vector<Change> compared = {
        [](ContactRecord& r) { copyText(r.homePhone, "x"); },
        [](ContactRecord& r) { copyText(r.workPhone, "x"); },
        [](ContactRecord& r) { copyText(r.mobilePhone, "x"); },
        [](ContactRecord& r) { copyText(r.mainPhone, "x"); },
        [](ContactRecord& r) { copyText(r.email1, "x"); },
        [](ContactRecord& r) { copyText(r.businessFax, "x"); },
        [](ContactRecord& r) { copyText(r.homeFax, "x"); },
        [](ContactRecord& r) { copyText(r.company, "x"); },
        [](ContactRecord& r) { copyText(r.jobTitle, "x"); },
        [](ContactRecord& r) { copyText(r.businessAddress.country, "x"); },
        [](ContactRecord& r) { copyText(r.businessAddress.state, "x"); },
        [](ContactRecord& r) { copyText(r.businessAddress.city, "x"); },
        [](ContactRecord& r) { copyText(r.businessAddress.street, "x"); },
        [](ContactRecord& r) { copyText(r.businessAddress.postalCode, "x"); },
        [](ContactRecord& r) { copyText(r.homeAddress.country, "x"); },
        [](ContactRecord& r) { copyText(r.homeAddress.state, "x"); },
        [](ContactRecord& r) { copyText(r.homeAddress.city, "x"); },
        [](ContactRecord& r) { copyText(r.homeAddress.street, "x"); },
        [](ContactRecord& r) { copyText(r.homeAddress.postalCode, "x"); },
        [](ContactRecord& r) { copyText(r.otherAddress.country, "x"); },
        [](ContactRecord& r) { copyText(r.otherAddress.state, "x"); },
        [](ContactRecord& r) { copyText(r.otherAddress.city, "x"); },
        [](ContactRecord& r) { copyText(r.otherAddress.street, "x"); },
        [](ContactRecord& r) { copyText(r.otherAddress.postalCode, "x"); },
        [](ContactRecord& r) { copyText(r.homePage, "x"); },
        [](ContactRecord& r) { copyText(r.note, "x"); },
        [](ContactRecord& r) { copyText(r.custom[0], "x"); },
        [](ContactRecord& r) { copyText(r.custom[4], "x"); },
        [](ContactRecord& r) { copyText(r.custom[8], "x"); },
        // A difference past the first byte counts as much as one at the start.
        [](ContactRecord& r) { copyText(r.note, "same start, other end!"); },
    };
    const std::vector<Change> ignored = {
        [](ContactRecord& r) { copyText(r.middleName, "x"); },
        [](ContactRecord& r) { copyText(r.suffix, "x"); },
        [](ContactRecord& r) { copyText(r.fullName, "x"); },
        [](ContactRecord& r) { copyText(r.account, "x"); },
        [](ContactRecord& r) { copyText(r.initials, "x"); },
        [](ContactRecord& r) { copyText(r.language, "x"); },
        [](ContactRecord& r) { copyText(r.otherPhone, "x"); },
        [](ContactRecord& r) { copyText(r.radioPhone, "x"); },
        [](ContactRecord& r) { copyText(r.carPhone, "x"); },
        [](ContactRecord& r) { copyText(r.callbackPhone, "x"); },
        [](ContactRecord& r) { copyText(r.email2, "x"); },
        [](ContactRecord& r) { copyText(r.email3, "x"); },
        [](ContactRecord& r) { copyText(r.pager, "x"); },
        [](ContactRecord& r) { copyText(r.email1Type, "x"); },
        [](ContactRecord& r) { copyText(r.email2DisplayName, "x"); },
        [](ContactRecord& r) { copyText(r.department, "x"); },
        [](ContactRecord& r) { copyText(r.assistantName, "x"); },
        [](ContactRecord& r) { copyText(r.assistantPhone, "x"); },
        [](ContactRecord& r) { copyText(r.profession, "x"); },
        [](ContactRecord& r) { copyText(r.hobby, "x"); },
        [](ContactRecord& r) { copyText(r.nickName, "x"); },
        [](ContactRecord& r) { copyText(r.spouse, "x"); },
        [](ContactRecord& r) { copyText(r.computerNetworkName, "x"); },
        [](ContactRecord& r) { copyText(r.customerId, "x"); },
        [](ContactRecord& r) { copyText(r.ftpSite, "x"); },
        [](ContactRecord& r) { copyText(r.imAddress, "x"); },
        [](ContactRecord& r) { copyText(r.personalHomePage, "x"); },
        [](ContactRecord& r) { copyText(r.category, "x"); },
        [](ContactRecord& r) { r.anniversary = r.birthday = r.creationTime = r.lastModificationTime = 5.0; },
        [](ContactRecord& r) {
            r.sourceType = 3;
            r.compareStatus = 2;
            r.nativeId = 9;
            r.isPrivate = 1;
        },
        [](ContactRecord& r) { r.nativeData = {1}; },
    };

    ContactRecord base = person("Ann", "Lee");
    setPhones(base, "1", "2", "3", "4");
    copyText(base.note, "same start, same end.");
    ContactList list;
    list.addCopy(&base);

    for (size_t index = 0; index < compared.size(); ++index) {
        ContactRecord probe = base;
        compared[index](probe);
        EXPECT_EQ(MatchDiffers, findMatch(&list, &probe).code) << "compared field " << index;
        // The preview names exactly the field that makes the pair differ.
        EXPECT_EQ(1u, differingFields(base, probe).size()) << "compared field " << index;
    }
    for (size_t index = 0; index < ignored.size(); ++index) {
        ContactRecord probe = base;
        ignored[index](probe);
        EXPECT_EQ(MatchSame, findMatch(&list, &probe).code) << "ignored field " << index;
        EXPECT_TRUE(differingFields(base, probe).empty()) << "ignored field " << index;
    }
    ContactRecord changed = base;
    copyText(changed.homeAddress.city, "Oslo");
    const std::vector<FieldDifference> differences = differingFields(base, changed);
    ASSERT_EQ(1u, differences.size());
    EXPECT_EQ("Home City", differences[0].name);
    EXPECT_EQ("", differences[0].before);
    EXPECT_EQ("Oslo", differences[0].after);
}

TEST(ComputeCompareStatusTest, MarksEachRecordOfTheFirstList) {
    ContactList palm;
    ContactList outlook;
    ContactRecord same = person("Ann", "Lee");
    ContactRecord differs = person("Bob", "Ray");
    ContactRecord onlyPalm = person("Cid", "Moe");
    ContactRecord onlyOutlook = person("Dee", "Fox");
    palm.addCopy(&same)->compareStatus = 7;
    palm.addCopy(&differs)->compareStatus = 7;
    palm.addCopy(&onlyPalm)->compareStatus = 7;
    outlook.addCopy(&onlyOutlook);
    copyText(differs.company, "Other");
    outlook.addCopy(&differs);
    copyText(same.category, "Business");
    outlook.addCopy(&same);

    ASSERT_TRUE(computeCompareStatus(&palm, &outlook));
    EXPECT_EQ(CompareStatusSame, palm.at(0)->compareStatus);
    EXPECT_EQ(CompareStatusDiffers, palm.at(1)->compareStatus);
    EXPECT_EQ(CompareStatusMissing, palm.at(2)->compareStatus);
    // Only the first list is written.
    EXPECT_EQ(0, outlook.at(0)->compareStatus);

    ASSERT_TRUE(computeCompareStatus(&outlook, &palm));
    EXPECT_EQ(CompareStatusMissing, outlook.at(0)->compareStatus);
    EXPECT_EQ(CompareStatusDiffers, outlook.at(1)->compareStatus);
    EXPECT_EQ(CompareStatusSame, outlook.at(2)->compareStatus);
}

TEST(ComputeCompareStatusTest, MissingListChangesNothing) {
    ContactList list;
    ContactRecord record = person("Ann", "Lee");
    list.addCopy(&record)->compareStatus = 7;
    EXPECT_FALSE(computeCompareStatus(&list, nullptr));
    EXPECT_FALSE(computeCompareStatus(nullptr, &list));
    EXPECT_EQ(7, list.at(0)->compareStatus);

    ContactList empty;
    EXPECT_TRUE(computeCompareStatus(&list, &empty));
    EXPECT_EQ(CompareStatusMissing, list.at(0)->compareStatus);
}

TEST(ComputeCompareStatusTest, AListAgainstItselfVisitsEveryRecord) {
    ContactList list;
    for (const char* name : {"A", "B", "C", "D"}) {
        ContactRecord record = person(name, "X");
        list.addCopy(&record)->compareStatus = 7;
    }
    ASSERT_TRUE(computeCompareStatus(&list, &list));
    for (int32_t position = 0; position < list.count(); ++position)
        EXPECT_EQ(CompareStatusSame, list.at(position)->compareStatus) << position;
}
