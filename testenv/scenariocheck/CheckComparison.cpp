#include "testenv/scenariocheck/CheckComparison.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

using Anchor = std::pair<size_t, size_t>;

// Beyond this many cells the middle of two long files gets no anchors of its
// own; its records still pair by key.
const size_t MaximumAlignmentCells = 4u * 1024u * 1024u;

bool isIgnored(const std::string& name, const std::vector<std::string>& ignored) {
    for (const std::string& pattern : ignored) {
        if (!pattern.empty() && pattern.back() == '*') {
            if (name.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0)
                return true;
        } else if (name == pattern) {
            return true;
        }
    }
    return false;
}

std::vector<CheckField> withoutIgnored(const std::vector<CheckField>& fields, const std::vector<std::string>& ignored) {
    std::vector<CheckField> kept;
    for (const CheckField& field : fields)
        if (!isIgnored(field.name, ignored))
            kept.push_back(field);
    return kept;
}

// One text per record, equal exactly when the kept fields are.
std::vector<std::string> digests(const std::vector<std::vector<CheckField>>& records) {
    std::vector<std::string> out;
    out.reserve(records.size());
    for (const std::vector<CheckField>& fields : records) {
        std::string digest;
        for (const CheckField& field : fields)
            digest.append(field.name).append("=").append(field.value).append("\n");
        out.push_back(std::move(digest));
    }
    return out;
}

// Longest common subsequence of a[from..) and b[from..) up to the trimmed
// ends, by the usual table.
void alignMiddle(const std::vector<std::string>& a, const std::vector<std::string>& b, size_t startA, size_t endA,
                 size_t startB, size_t endB, std::vector<Anchor>& anchors) {
    const size_t rows = endA - startA, columns = endB - startB;
    if (rows == 0 || columns == 0 || (rows + 1) > MaximumAlignmentCells / (columns + 1))
        return;
    std::vector<uint32_t> length((rows + 1) * (columns + 1), 0);
    const auto at = [&](size_t row, size_t column) -> uint32_t& { return length[row * (columns + 1) + column]; };
    for (size_t row = rows; row-- > 0;)
        for (size_t column = columns; column-- > 0;)
            at(row, column) = a[startA + row] == b[startB + column]
                                  ? at(row + 1, column + 1) + 1
                                  : std::max(at(row + 1, column), at(row, column + 1));
    size_t row = 0, column = 0;
    while (row < rows && column < columns) {
        if (a[startA + row] == b[startB + column]) {
            anchors.push_back({startA + row, startB + column});
            ++row, ++column;
        } else if (at(row + 1, column) >= at(row, column + 1)) {
            ++row;
        } else {
            ++column;
        }
    }
}

std::vector<Anchor> alignRecords(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<Anchor> anchors;
    size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix])
        anchors.push_back({prefix, prefix}), ++prefix;
    size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix])
        ++suffix;
    alignMiddle(a, b, prefix, a.size() - suffix, prefix, b.size() - suffix, anchors);
    for (size_t index = suffix; index-- > 0;)
        anchors.push_back({a.size() - 1 - index, b.size() - 1 - index});
    return anchors;
}

std::vector<FieldDifference> compareFields(const std::vector<CheckField>& before,
                                           const std::vector<CheckField>& after) {
    std::vector<FieldDifference> differences;
    const auto find = [](const std::vector<CheckField>& fields, const std::string& name) -> const CheckField* {
        for (const CheckField& field : fields)
            if (field.name == name)
                return &field;
        return nullptr;
    };
    for (const CheckField& field : before) {
        const CheckField* now = find(after, field.name);
        if (now == nullptr)
            differences.push_back({ChangeKind::Removed, field.name, field.value, ""});
        else if (now->value != field.value)
            differences.push_back({ChangeKind::Changed, field.name, field.value, now->value});
    }
    for (const CheckField& field : after)
        if (find(before, field.name) == nullptr)
            differences.push_back({ChangeKind::Added, field.name, "", field.value});
    return differences;
}

struct Sides {
    const CheckFile& before;
    const CheckFile& after;
    const std::vector<std::vector<CheckField>>& beforeFields;
    const std::vector<std::vector<CheckField>>& afterFields;
};

// The records between two anchors: pairs by key, the rest removed or added.
void compareRun(const Sides& sides, size_t beforeStart, size_t beforeEnd, size_t afterStart, size_t afterEnd,
                CheckComparison& comparison) {
    std::vector<size_t> partner(afterEnd - afterStart, SIZE_MAX);
    std::vector<bool> paired(beforeEnd - beforeStart, false);
    for (size_t i = beforeStart; i < beforeEnd; ++i) {
        const std::string& key = sides.before.records[i].key;
        if (key.empty())
            continue;
        for (size_t j = afterStart; j < afterEnd; ++j) {
            if (partner[j - afterStart] == SIZE_MAX && sides.after.records[j].key == key) {
                partner[j - afterStart] = i;
                paired[i - beforeStart] = true;
                break;
            }
        }
    }
    for (size_t i = beforeStart; i < beforeEnd; ++i) {
        if (paired[i - beforeStart])
            continue;
        comparison.records.push_back({ChangeKind::Removed, i, 0, {}});
        ++comparison.removed;
    }
    for (size_t j = afterStart; j < afterEnd; ++j) {
        const size_t i = partner[j - afterStart];
        if (i == SIZE_MAX) {
            comparison.records.push_back({ChangeKind::Added, 0, j, {}});
            ++comparison.added;
            continue;
        }
        std::vector<FieldDifference> fields = compareFields(sides.beforeFields[i], sides.afterFields[j]);
        // The same fields in another order (a telephone in another slot).
        if (fields.empty())
            fields.push_back({ChangeKind::Changed, "(order of the fields)", "", ""});
        comparison.records.push_back({ChangeKind::Changed, i, j, std::move(fields)});
        ++comparison.changed;
    }
}

std::vector<std::vector<CheckField>> keptFields(const CheckFile& file, const std::vector<std::string>& ignored) {
    std::vector<std::vector<CheckField>> kept;
    kept.reserve(file.records.size());
    for (const CheckRecord& record : file.records)
        kept.push_back(withoutIgnored(record.fields, ignored));
    return kept;
}

std::string quoted(const std::string& value) { return "\"" + value + "\""; }

void appendFieldDifference(std::string& out, const std::string& indent, const FieldDifference& difference) {
    out.append(indent).append(difference.name).append(": ");
    switch (difference.kind) {
    case ChangeKind::Added: out.append("added ").append(quoted(difference.after)); break;
    case ChangeKind::Removed: out.append("removed, was ").append(quoted(difference.before)); break;
    case ChangeKind::Changed:
        if (difference.before.empty() && difference.after.empty())
            out.append("changed");
        else
            out.append(quoted(difference.before)).append(" -> ").append(quoted(difference.after));
        break;
    }
    out.append("\n");
}

void appendFields(std::string& out, const CheckRecord& record) {
    for (const CheckField& field : record.fields)
        out.append("  ").append(field.name).append("=").append(field.value).append("\n");
}

std::string where(const std::string& noun, size_t index, const CheckRecord& record) {
    return noun + " " + std::to_string(index + 1) + " (" + record.label + ")";
}

}  // namespace

CheckComparison compareCheckFiles(const CheckFile& before, const CheckFile& after,
                                  const std::vector<std::string>& ignored) {
    CheckComparison comparison;
    comparison.fileValues =
        compareFields(withoutIgnored(before.fileValues, ignored), withoutIgnored(after.fileValues, ignored));
    const std::vector<std::vector<CheckField>> beforeFields = keptFields(before, ignored);
    const std::vector<std::vector<CheckField>> afterFields = keptFields(after, ignored);
    const Sides sides{before, after, beforeFields, afterFields};
    std::vector<Anchor> anchors = alignRecords(digests(beforeFields), digests(afterFields));
    anchors.push_back({before.records.size(), after.records.size()});
    Anchor previous{0, 0};
    for (const Anchor& anchor : anchors) {
        compareRun(sides, previous.first, anchor.first, previous.second, anchor.second, comparison);
        previous = {anchor.first + 1, anchor.second + 1};
    }
    return comparison;
}

std::string formatComparison(const CheckComparison& comparison, const CheckFile& before, const CheckFile& after) {
    std::string out;
    for (const FieldDifference& difference : comparison.fileValues)
        appendFieldDifference(out, "file: ", difference);
    const std::string& noun = after.recordNoun.empty() ? before.recordNoun : after.recordNoun;
    for (const RecordDifference& record : comparison.records) {
        switch (record.kind) {
        case ChangeKind::Added:
            out.append("added: ").append(where(noun, record.afterIndex, after.records[record.afterIndex])).append("\n");
            appendFields(out, after.records[record.afterIndex]);
            break;
        case ChangeKind::Removed:
            out.append("removed: ")
                .append(where(noun, record.beforeIndex, before.records[record.beforeIndex]))
                .append("\n");
            appendFields(out, before.records[record.beforeIndex]);
            break;
        case ChangeKind::Changed:
            out.append("changed: ").append(where(noun, record.afterIndex, after.records[record.afterIndex]));
            if (record.beforeIndex != record.afterIndex)
                out.append(", ")
                    .append(noun)
                    .append(" ")
                    .append(std::to_string(record.beforeIndex + 1))
                    .append(" before");
            out.append("\n");
            for (const FieldDifference& field : record.fields)
                appendFieldDifference(out, "  ", field);
            break;
        }
    }
    out.append(std::to_string(comparison.added))
        .append(" added, ")
        .append(std::to_string(comparison.changed))
        .append(" changed, ")
        .append(std::to_string(comparison.removed))
        .append(" removed");
    if (!comparison.fileValues.empty())
        out.append("; ")
            .append(std::to_string(comparison.fileValues.size()))
            .append(comparison.fileValues.size() == 1 ? " file value changed" : " file values changed");
    out.append("\n");
    return out;
}
