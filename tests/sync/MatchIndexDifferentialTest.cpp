// The indexed findMatch against the plain walk of the rule, on lists built to
// collide, while records are added, merged and overwritten between searches.
#include "sync/ContactMatchIndex.h"
#include "sync/RecordMatching.h"
#include "sync/TextField.h"
#include "tests/sync/ReferenceMatching.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Few values per field, so names, addresses and numbers meet often; "ann"
// and "Ann" stay apart, empty texts are common.
class CollidingContacts {
public:
    explicit CollidingContacts(unsigned seed) : random_(seed) {}

    ContactRecord make() {
        ContactRecord record;
        copyText(record.firstName, pick({"", "Ann", "ann", "Bo"}));
        copyText(record.lastName, pick({"", "Lee", "Li"}));
        copyText(record.email1, pick({"", "", "a@x", "b@x"}));
        copyText(record.homePhone, pick({"", "1", "2"}));
        copyText(record.workPhone, pick({"", "1", "3"}));
        copyText(record.mobilePhone, pick({"", "", "2"}));
        copyText(record.mainPhone, pick({"", "", "", "1"}));
        copyText(record.company, pick({"", "", "X"}));
        copyText(record.custom[8], pick({"", "", "", "c"}));
        copyText(record.otherAddress.postalCode, pick({"", "", "", "9"}));
        // Not compared: never makes a difference.
        copyText(record.otherPhone, pick({"", "7"}));
        return record;
    }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

private:
    const char* pick(std::initializer_list<const char*> values) {
        return values.begin()[below(static_cast<int>(values.size()))];
    }

    std::mt19937 random_;
};

struct Answer {
    MatchCode code;
    const ContactRecord* record;
    int32_t position;
    int32_t cursor;
};

Answer indexedAnswer(ContactList& list, const ContactRecord* probe) {
    const MatchResult result = findMatch(&list, probe);
    return {result.code, result.record, result.position, list.cursorPosition()};
}

Answer referenceAnswer(ContactList& list, const ContactRecord* probe) {
    const MatchResult result = reference::walkForMatch(&list, probe);
    return {result.code, result.record, result.position, list.cursorPosition()};
}

// Both searches give the same code, counterpart, position and cursor.
::testing::AssertionResult sameAnswer(ContactList& list, const ContactRecord* probe) {
    const Answer indexed = indexedAnswer(list, probe);
    const Answer expected = referenceAnswer(list, probe);
    if (indexed.code == expected.code && indexed.record == expected.record && indexed.position == expected.position &&
        indexed.cursor == expected.cursor)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "indexed code " << indexed.code << " at " << indexed.position << " cursor "
                                         << indexed.cursor << ", walk code " << expected.code << " at "
                                         << expected.position << " cursor " << expected.cursor;
}

std::vector<int32_t> statusesAfter(ContactList& first, ContactList& second, bool indexed) {
    if (indexed)
        computeCompareStatus(&first, &second);
    else
        reference::walkCompareStatus(&first, &second);
    std::vector<int32_t> statuses;
    for (int32_t position = 0; position < first.count(); ++position)
        statuses.push_back(first.peek(position)->compareStatus);
    return statuses;
}

void fillRandomly(ContactList& list, const ContactList* other, CollidingContacts& contacts, int count) {
    for (int index = 0; index < count; ++index) {
        const int kind = contacts.below(5);
        ContactRecord record = contacts.make();
        if (kind == 0 && list.count() > 0)
            record = *list.peek(contacts.below(list.count()));  // a duplicate within the list
        else if (kind == 1 && other != nullptr && other->count() > 0)
            record = *other->peek(contacts.below(other->count()));  // the same contact on both sides
        list.addCopy(&record);
    }
}

// One random step on the lists; the searches are checked, the changes made
// as the stores and operations make them.
void step(ContactList& palm, ContactList& outlook, CollidingContacts& contacts) {
    const int choice = contacts.below(10);
    ContactList& list = contacts.below(2) == 0 ? palm : outlook;
    ContactList& other = &list == &palm ? outlook : palm;
    const ContactRecord fresh = contacts.make();
    switch (choice) {
    case 0:
    case 1:
        if (other.count() > 0) {
            EXPECT_TRUE(sameAnswer(list, other.peek(contacts.below(other.count())))) << "a record of the other side";
        }
        break;
    case 2:
        if (list.count() > 0) {
            EXPECT_TRUE(sameAnswer(list, list.peek(contacts.below(list.count())))) << "a record of the list itself";
        }
        break;
    case 3: EXPECT_TRUE(sameAnswer(list, &fresh)) << "a record of neither"; break;
    case 4: list.addCopy(&fresh); break;
    case 5:
        if (list.count() > 0)
            list.mergeAt(contacts.below(list.count()), &fresh);
        break;
    case 6:
        if (list.count() > 0) {
            const int32_t position = contacts.below(list.count());
            assignRecordValues(*list.at(position), fresh);
            list.noteChanged(position);
        }
        break;
    case 7: {
        // The stores' merge: search, then overwrite the counterpart found,
        // telling no one.
        const MatchResult match = findMatch(&list, &fresh);
        if (match.code == MatchDiffers)
            assignRecordValues(*match.record, fresh);
        else if (match.code == MatchNone)
            list.addCopy(&fresh);
        break;
    }
    case 8:
        EXPECT_EQ(statusesAfter(palm, outlook, false), statusesAfter(palm, outlook, true));
        EXPECT_EQ(statusesAfter(list, list, false), statusesAfter(list, list, true)) << "a list against itself";
        break;
    default:
        if (contacts.below(8) == 0) {
            list.clear();
            fillRandomly(list, &other, contacts, contacts.below(20));
        }
        break;
    }
}

}  // namespace

TEST(MatchIndexDifferentialTest, AgreesWithTheWalkThroughAddsMergesAndOverwrites) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CollidingContacts contacts(seed);
        ContactList palm;
        ContactList outlook;
        fillRandomly(palm, nullptr, contacts, contacts.below(30));
        fillRandomly(outlook, &palm, contacts, contacts.below(30));
        for (int count = 0; count < 150; ++count)
            step(palm, outlook, contacts);
        EXPECT_EQ(statusesAfter(outlook, palm, false), statusesAfter(outlook, palm, true));
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(MatchIndexDifferentialTest, EmptyListsProbesAndFieldsAnswerAsTheWalk) {
    ContactList empty;
    ContactRecord nobody;
    EXPECT_TRUE(sameAnswer(empty, &nobody));
    EXPECT_EQ(MatchNoProbe, findMatch(&empty, nullptr).code);

    // Nothing but empty texts: every record is everyone's counterpart by
    // name and by the empty numbers, the e-mail test never applies.
    ContactList blanks;
    for (int index = 0; index < 5; ++index)
        blanks.addCopy(&nobody);
    EXPECT_TRUE(sameAnswer(blanks, &nobody));
    EXPECT_TRUE(sameAnswer(blanks, blanks.peek(3))) << "an earlier blank is found before the probe itself";
    ContactRecord named;
    copyText(named.firstName, "Ann");
    EXPECT_TRUE(sameAnswer(blanks, &named)) << "no name, no e-mail: no counterpart";
}

TEST(MatchIndexTest, FollowsTheSynchronizationPatternWithoutRebuilding) {
    // The Palm pass of Synchronize All against a large Outlook list: every
    // record searched, the missing added, the differing overwritten.
    CollidingContacts contacts(7);
    ContactList palm;
    ContactList outlook;
    fillRandomly(palm, nullptr, contacts, 600);
    fillRandomly(outlook, &palm, contacts, 600);
    ContactList expectedOutlook;
    for (int32_t position = 0; position < outlook.count(); ++position)
        expectedOutlook.addCopy(outlook.peek(position));

    for (int32_t position = 0; position < palm.count(); ++position) {
        ContactRecord* record = palm.at(position);
        const Answer indexed = indexedAnswer(outlook, record);
        const Answer expected = referenceAnswer(expectedOutlook, record);
        ASSERT_EQ(expected.code, indexed.code) << "row " << position;
        ASSERT_EQ(expected.position, indexed.position) << "row " << position;
        if (indexed.code == MatchNone) {
            outlook.addCopy(record);
            expectedOutlook.addCopy(record);
        } else if (indexed.code == MatchDiffers) {
            assignRecordValues(*outlook.at(indexed.position), *record);
            outlook.noteChanged(indexed.position);
            assignRecordValues(*expectedOutlook.at(expected.position), *record);
        }
    }
    ASSERT_NE(nullptr, outlook.matchIndex());
    EXPECT_EQ(1, outlook.matchIndex()->builds()) << "built at the first search only";
    EXPECT_EQ(statusesAfter(palm, expectedOutlook, false), statusesAfter(palm, outlook, true));

    outlook.clear();
    outlook.addCopy(palm.peek(0));
    EXPECT_EQ(MatchSame, findMatch(&outlook, palm.peek(0)).code);
    EXPECT_EQ(2, outlook.matchIndex()->builds()) << "a cleared list starts a new index";
}

TEST(MatchIndexTest, PositionOfFindsTheVeryRecordObject) {
    ContactList list;
    ContactRecord record;
    std::vector<const ContactRecord*> added;
    for (int index = 0; index < 100; ++index)
        added.push_back(list.addCopy(&record));  // all alike: only the object tells them apart
    EXPECT_EQ(57, list.positionOf(added[57]));
    EXPECT_EQ(57, list.cursorPosition());
    EXPECT_EQ(0, list.positionOf(added[0]));
    EXPECT_EQ(-1, list.positionOf(&record));
    EXPECT_EQ(-1, list.positionOf(nullptr));
    const ContactRecord* late = list.addCopy(&record);
    EXPECT_EQ(100, list.positionOf(late)) << "a record added after the index was made";
    EXPECT_EQ(99, list.positionOf(added[99]));
}
