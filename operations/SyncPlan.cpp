#include "operations/SyncPlan.h"

#include <algorithm>

int SyncPlan::count(SyncStep::Kind kind) const {
    return static_cast<int>(
        std::count_if(steps.begin(), steps.end(), [kind](const SyncStep& step) { return step.kind == kind; }));
}
