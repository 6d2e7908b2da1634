// The index must note changes exactly as the plain scan does, also when the
// list is emptied or taken away between notes, as each operation does.
#include "outlook/ContactChangeIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

OutlookContactChange change(std::mt19937& random, int step) {
    OutlookContactChange made;
    made.kind = random() % 2 ? OutlookContactChange::Kind::Added : OutlookContactChange::Kind::Overwritten;
    // Few ids, so that most changes meet an earlier one; some without an id.
    const unsigned id = random() % 12;
    if (id != 0)
        made.entryId = std::string(100, '0') + std::to_string(id);
    made.modifiedAfter = step;
    made.names = "names " + std::to_string(step);
    for (unsigned rows = random() % 3; rows > 0; --rows)
        made.previous.push_back(OutlookPropertyValue{static_cast<uint16_t>(random() % 6), {uint8_t(step)}, false, {}});
    return made;
}

void expectSame(const std::vector<OutlookContactChange>& expected, const std::vector<OutlookContactChange>& actual,
                int step) {
    ASSERT_EQ(expected.size(), actual.size()) << "after step " << step;
    for (size_t index = 0; index < expected.size(); ++index) {
        const OutlookContactChange& left = expected[index];
        const OutlookContactChange& right = actual[index];
        EXPECT_EQ(left.kind, right.kind) << "change " << index << " after step " << step;
        EXPECT_EQ(left.entryId, right.entryId) << "change " << index << " after step " << step;
        EXPECT_EQ(left.modifiedAfter, right.modifiedAfter) << "change " << index << " after step " << step;
        EXPECT_EQ(left.names, right.names) << "change " << index << " after step " << step;
        ASSERT_EQ(left.previous.size(), right.previous.size()) << "change " << index << " after step " << step;
        for (size_t value = 0; value < left.previous.size(); ++value) {
            EXPECT_EQ(left.previous[value].row, right.previous[value].row);
            EXPECT_EQ(left.previous[value].bytes, right.previous[value].bytes);
        }
    }
}

}  // namespace

TEST(ContactChangeIndexTest, NotesAsTheScanDoesAcrossListsEmptiedAndTakenAway) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        std::vector<OutlookContactChange> scanned;
        std::vector<OutlookContactChange> indexed;
        std::vector<OutlookContactChange> takenAway;
        ContactChangeIndex index;
        for (int step = 0; step < 300; ++step) {
            const unsigned what = random() % 40;
            if (what == 0) {
                // The operation ends: its journal takes the list.
                takenAway = std::move(indexed);
                indexed.clear();
                scanned.clear();
            } else if (what == 1) {
                indexed.clear();
                scanned.clear();
            } else {
                OutlookContactChange made = change(random, step);
                noteContactChange(scanned, made);
                index.note(indexed, std::move(made));
            }
            expectSame(scanned, indexed, step);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(ContactChangeIndexTest, FollowsTheListItIsGiven) {
    ContactChangeIndex index;
    std::vector<OutlookContactChange> first;
    std::vector<OutlookContactChange> second;
    OutlookContactChange ann;
    ann.entryId = "ann";
    ann.names = "Ann";
    index.note(first, ann);
    // Another list holding Ann already: her change folds into that one.
    second.push_back(ann);
    ann.names = "Ann Lee";
    index.note(second, ann);
    ASSERT_EQ(1u, first.size());
    ASSERT_EQ(1u, second.size());
    EXPECT_EQ("Ann", first[0].names);
    EXPECT_EQ("Ann Lee", second[0].names);
}
