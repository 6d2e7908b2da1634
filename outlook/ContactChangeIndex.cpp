#include "outlook/ContactChangeIndex.h"

#include <utility>

void ContactChangeIndex::note(std::vector<OutlookContactChange>& changes, OutlookContactChange change) {
    if (&changes != indexed_ || changes.size() != indexedCount_)
        rebuild(changes);
    if (!change.entryId.empty()) {
        const auto found = positions_.find(change.entryId);
        if (found != positions_.end()) {
            foldContactChange(changes[found->second], std::move(change));
            return;
        }
        positions_.emplace(change.entryId, changes.size());
    }
    changes.push_back(std::move(change));
    indexedCount_ = changes.size();
}

void ContactChangeIndex::rebuild(const std::vector<OutlookContactChange>& changes) {
    positions_.clear();
    // emplace keeps the first position of an id, the change a scan finds.
    for (size_t position = 0; position < changes.size(); ++position)
        if (!changes[position].entryId.empty())
            positions_.emplace(changes[position].entryId, position);
    indexed_ = &changes;
    indexedCount_ = changes.size();
}
