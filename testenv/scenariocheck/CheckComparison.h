#pragma once
#include "testenv/scenariocheck/CheckRecord.h"

#include <cstddef>
#include <string>
#include <vector>

// What changed between two readings of a user's file. Records that are the
// same on both sides, in the same order, anchor the comparison; between two
// anchors a record of each side with the same key is one record changed, and
// the rest were removed or added.

enum class ChangeKind { Added, Removed, Changed };

struct FieldDifference {
    ChangeKind kind;
    std::string name;
    std::string before;
    std::string after;
};

struct RecordDifference {
    ChangeKind kind;
    // Positions from 0; beforeIndex for Removed and Changed, afterIndex for
    // Added and Changed.
    size_t beforeIndex = 0;
    size_t afterIndex = 0;
    // For Changed, field by field, in the order of the earlier record.
    std::vector<FieldDifference> fields;
};

struct CheckComparison {
    std::vector<FieldDifference> fileValues;
    std::vector<RecordDifference> records;
    int added = 0;
    int changed = 0;
    int removed = 0;

    bool same() const { return fileValues.empty() && records.empty(); }
};

// Leaves out every field (of the records and of the file) whose name is in
// ignored, or starts with an entry ending in '*' without the '*'.
CheckComparison compareCheckFiles(const CheckFile& before, const CheckFile& after,
                                  const std::vector<std::string>& ignored);

// Each difference as lines of text, then the summary line
// "N added, N changed, N removed".
std::string formatComparison(const CheckComparison& comparison, const CheckFile& before, const CheckFile& after);
