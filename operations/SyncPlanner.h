#pragma once
#include "operations/SyncPlan.h"
#include "operations/SyncSides.h"

// Works out what one Synchronize All does, without writing: the Palm pass
// over the Palm rows shown, then the Outlook pass over the Outlook rows, each
// row matched against the other side as the run would find it, with the
// records the run adds on the way. The ambiguous pairs must have been found
// first (SyncSides::findAmbiguousPairs). A record the plan already writes or
// pairs is never taken into a second pair: its values would end as the last
// record's written.
SyncPlan planSynchronizeAll(SyncSides& sides, SyncAction rule, int palmRows, int outlookRows);
