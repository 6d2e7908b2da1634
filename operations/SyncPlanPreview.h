#pragma once
#include <string>
#include <vector>

#include "operations/SyncPlan.h"

// One row of the preview of a plan. A step that changes several fields
// takes one row per field; its first row names the action and the contact,
// the others leave them empty.
struct PreviewLine {
    std::string action;
    std::string contact;
    std::string field;
    std::string before;
    std::string after;
};

// The rows of the preview, step by step in the order the run takes them.
std::vector<PreviewLine> previewLines(const SyncPlan& plan);

// One paragraph above the rows: what each side gets, what is asked and what
// is left alone, in counts.
std::string previewSummary(const SyncPlan& plan);
