#pragma once
#include <string>

#include "config/OptionsRecord.h"
#include "sync/AmbiguousPairs.h"
#include "sync/ContactList.h"

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

// Every differing pair of the two sides as they are now, settled by the
// rule; ambiguous pairs are left alone, as the run leaves them.
PlannedOverwrites countPlannedOverwrites(ContactList* palm, ContactList* outlook, const AmbiguousPairs& ambiguous,
                                         SyncAction rule);

// More than half of a side of ManyRecords or more overwritten, or one side
// empty while the other holds ManyRecords or more.
bool isLargeChange(const PlannedOverwrites& planned);

// The second question, with the counts; asked with No as the default.
std::string largeChangeQuestion(const PlannedOverwrites& planned);
