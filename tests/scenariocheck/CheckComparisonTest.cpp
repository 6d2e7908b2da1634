#include "testenv/scenariocheck/CheckComparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CheckRecord record(const std::string& key, std::vector<CheckField> fields) {
    CheckRecord made;
    made.key = key;
    made.label = key;
    for (const CheckField& field : fields)
        made.add(field.name, field.value);
    return made;
}

CheckFile fileOf(std::vector<CheckRecord> records) {
    CheckFile file;
    file.recordNoun = "record";
    file.records = std::move(records);
    return file;
}

CheckRecord person(const std::string& key, const std::string& phone) {
    return record(key, {{"Name", key}, {"Phone", phone}});
}

TEST(CheckComparison, UnchangedFilesAreTheSame) {
    const CheckFile file = fileOf({person("a", "1"), person("b", "2")});
    const CheckComparison comparison = compareCheckFiles(file, file, {});
    EXPECT_TRUE(comparison.same());
    EXPECT_EQ(formatComparison(comparison, file, file), "0 added, 0 changed, 0 removed\n");
}

// The program appends new records and changes others in place; a record
// that vanished from the middle must not make every later record look
// changed.
TEST(CheckComparison, FindsAddedChangedAndRemovedRecordsWhereverTheyAre) {
    const CheckFile before = fileOf({person("a", "1"), person("b", "2"), person("c", "3"), person("d", "4")});
    const CheckFile after = fileOf({person("a", "1"), person("c", "3"), person("d", "9"), person("e", "5")});
    const CheckComparison comparison = compareCheckFiles(before, after, {});
    EXPECT_EQ(comparison.added, 1);
    EXPECT_EQ(comparison.changed, 1);
    EXPECT_EQ(comparison.removed, 1);
    ASSERT_EQ(comparison.records.size(), 3u);
    EXPECT_EQ(comparison.records[0].kind, ChangeKind::Removed);
    EXPECT_EQ(comparison.records[0].beforeIndex, 1u);
    EXPECT_EQ(comparison.records[1].kind, ChangeKind::Changed);
    EXPECT_EQ(comparison.records[1].beforeIndex, 3u);
    EXPECT_EQ(comparison.records[1].afterIndex, 2u);
    ASSERT_EQ(comparison.records[1].fields.size(), 1u);
    EXPECT_EQ(comparison.records[1].fields[0].name, "Phone");
    EXPECT_EQ(comparison.records[1].fields[0].before, "4");
    EXPECT_EQ(comparison.records[1].fields[0].after, "9");
    EXPECT_EQ(comparison.records[2].kind, ChangeKind::Added);
    EXPECT_EQ(comparison.records[2].afterIndex, 3u);

    const std::string text = formatComparison(comparison, before, after);
    EXPECT_NE(text.find("removed: record 2 (b)\n  Name=b\n  Phone=2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("changed: record 3 (d), record 4 before\n  Phone: \"4\" -> \"9\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("added: record 4 (e)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1 added, 1 changed, 1 removed\n"), std::string::npos) << text;
}

// Next to an appended record, the changed one is still told apart by its
// key, however much of it changed; a record without a key never pairs.
TEST(CheckComparison, PairsChangedRecordsByKeyNotByPlace) {
    const CheckFile before = fileOf({person("a", "1"), record("b", {{"Name", "Bea"}})});
    const CheckFile after = fileOf(
        {person("a", "1"), person("n", "7"), record("b", {{"Name", "Beatrice"}}), record("", {{"Name", "nobody"}})});
    const CheckComparison comparison = compareCheckFiles(before, after, {});
    EXPECT_EQ(comparison.added, 2);
    EXPECT_EQ(comparison.changed, 1);
    EXPECT_EQ(comparison.removed, 0);
    for (const RecordDifference& difference : comparison.records) {
        if (difference.kind == ChangeKind::Changed) {
            EXPECT_EQ(difference.afterIndex, 2u);
            ASSERT_EQ(difference.fields.size(), 1u);
            EXPECT_EQ(difference.fields[0].after, "Beatrice");
        }
    }
}

TEST(CheckComparison, ReportsFieldsAddedRemovedAndOnlyReordered) {
    const CheckFile before = fileOf({record("a", {{"Work", "1"}, {"Home", "2"}}), record("b", {{"Note", "x"}})});
    const CheckFile after = fileOf({record("a", {{"Home", "2"}, {"Work", "1"}}), record("b", {{"Fax", "3"}})});
    const CheckComparison comparison = compareCheckFiles(before, after, {});
    ASSERT_EQ(comparison.changed, 2);
    const std::string text = formatComparison(comparison, before, after);
    EXPECT_NE(text.find("  (order of the fields): changed\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Note: removed, was \"x\"\n  Fax: added \"3\"\n"), std::string::npos) << text;
}

TEST(CheckComparison, IgnoredFieldsAreLeftOutByNameOrPrefix) {
    CheckFile before = fileOf({record("a", {{"Status", "0"}, {"Custom 1", "x"}, {"Custom 2", "y"}, {"Name", "A"}})});
    CheckFile after = fileOf({record("a", {{"Status", "2"}, {"Custom 1", "z"}, {"Name", "A"}})});
    before.fileValues = {{"Stored Name", "C:\\a"}};
    after.fileValues = {{"Stored Name", "C:\\b"}};
    EXPECT_FALSE(compareCheckFiles(before, after, {"Status"}).same());
    EXPECT_TRUE(compareCheckFiles(before, after, {"Status", "Custom *", "Stored Name"}).same());

    const CheckComparison fileOnly = compareCheckFiles(before, after, {"Status", "Custom*"});
    EXPECT_TRUE(fileOnly.records.empty());
    ASSERT_EQ(fileOnly.fileValues.size(), 1u);
    EXPECT_NE(formatComparison(fileOnly, before, after).find("file: Stored Name: \"C:\\a\" -> \"C:\\b\"\n"),
              std::string::npos);
}

// Equal records on both sides stay paired in order, however many repeat.
TEST(CheckComparison, RepeatedEqualRecordsAlignInOrder) {
    const CheckFile before = fileOf({person("", "1"), person("", "1"), person("x", "2")});
    const CheckFile after = fileOf({person("", "1"), person("x", "2"), person("", "1")});
    const CheckComparison comparison = compareCheckFiles(before, after, {});
    EXPECT_EQ(comparison.added, 1);
    EXPECT_EQ(comparison.removed, 1);
    EXPECT_EQ(comparison.changed, 0);
}

TEST(CheckComparison, EmptyFiles) {
    const CheckFile empty = fileOf({});
    const CheckFile one = fileOf({person("a", "1")});
    EXPECT_TRUE(compareCheckFiles(empty, empty, {}).same());
    EXPECT_EQ(compareCheckFiles(empty, one, {}).added, 1);
    EXPECT_EQ(compareCheckFiles(one, empty, {}).removed, 1);
}

}  // namespace
