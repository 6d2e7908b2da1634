#pragma once
#include <string>

#include "operations/SyncPlan.h"

// What a Synchronize All would overwrite on each side, counted before it
// runs. Pairs the user is asked about are not counted: each is seen.
struct PlannedOverwrites {
    int palmRecords = 0;
    int outlookRecords = 0;
    int palmOverwritten = 0;
    int outlookOverwritten = 0;
};

// From this many records on a side counts as large: most of it overwritten,
// or it against an empty other side (which looks like a side not read as
// it is), is asked about. A smaller book's few changes are not.
constexpr int ManyRecords = 10;

// The overwrites of the plan the run will carry out.
PlannedOverwrites plannedOverwrites(const SyncPlan& plan);

// More than half of a side of ManyRecords or more overwritten, or one side
// empty while the other holds ManyRecords or more.
bool isLargeChange(const PlannedOverwrites& planned);

// The second question, with the counts; asked with No as the default.
std::string largeChangeQuestion(const PlannedOverwrites& planned);
