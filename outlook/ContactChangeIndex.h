#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "outlook/OutlookContactChange.h"

// Notes changes as noteContactChange does, but finds a contact's earlier
// change by its entry id in constant time: a synchronization of thousands of
// contacts would otherwise compare every change with all those before it.
// The list may be emptied, replaced or moved from between notes; the index
// then reads it again.
class ContactChangeIndex {
public:
    void note(std::vector<OutlookContactChange>& changes, OutlookContactChange change);

private:
    void rebuild(const std::vector<OutlookContactChange>& changes);

    // Entry id to the position of its first change in the list.
    std::unordered_map<std::string, size_t> positions_;
    const std::vector<OutlookContactChange>* indexed_ = nullptr;
    size_t indexedCount_ = 0;
};
