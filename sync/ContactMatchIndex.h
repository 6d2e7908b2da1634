#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sync/MatchRule.h"

class ContactList;
struct ContactRecord;

// What findMatch looks a counterpart up in instead of scanning the list: for
// each key of the candidate test (MatchRule.h) the positions whose records
// have it, in list order, and for each record object its position.
//
// The list owns its index and keeps it current: appended records are taken
// in at the next update, a record the list changes (mergeAt) or is told about
// (noteChanged) is looked at again then, and so is the last counterpart the
// search handed out, because the stores overwrite the counterpart they found
// before they search again.
class ContactMatchIndex {
public:
    ContactMatchIndex() = default;
    ContactMatchIndex(const ContactMatchIndex&) = delete;
    ContactMatchIndex& operator=(const ContactMatchIndex&) = delete;

    // Brings the index up to the list. False when memory ran out: the index
    // is then empty, and the caller searches without it.
    bool update(const ContactList& list);
    // The lowest position whose record is probe itself or passes the
    // candidate test against it; -1 when there is none. After update.
    int32_t firstCandidate(const ContactList& list, const ContactRecord& probe) const;
    // Where the very record object stands; -1 when it is not in the list.
    // After update.
    int32_t positionOf(const ContactRecord* record) const;

    // The record at position changed in place.
    void recordChanged(int32_t position);
    // The search handed out the record at position to a caller that may
    // change it before the next search.
    void lend(int32_t position) { lent_ = position; }
    // The list was emptied.
    void reset();

    // How often the index was built from nothing (tests and benchmarks).
    int builds() const { return builds_; }

private:
    struct KeySlot {
        uint64_t hash = 0;   // 0: unused
        int32_t first = -1;  // lowest position with the key, -1 for none
        int32_t more = -1;   // further positions, ascending, in overflow_
    };
    struct PointerSlot {
        const ContactRecord* record = nullptr;
        int32_t position = -1;
    };

    void clearAll();
    void add(const ContactList& list, int32_t position);
    void refresh(const ContactList& list, int32_t position);
    void insertKey(uint64_t hash, int32_t position);
    void removeKey(uint64_t hash, int32_t position);
    static constexpr size_t NoSlot = static_cast<size_t>(-1);
    size_t keySlotOf(uint64_t hash) const;
    KeySlot& slotForKey(uint64_t hash);
    void growKeys();
    void insertPointer(const ContactRecord* record, int32_t position);
    void growPointers();
    // Whether the walk of one key's positions may stop at position.
    bool settles(const ContactList& list, const ContactRecord& probe, int32_t position, int32_t& best) const;

    std::vector<MatchKeys> keys_;  // the keys each indexed record was filed under
    std::vector<KeySlot> keySlots_;
    size_t usedKeySlots_ = 0;
    std::vector<std::vector<int32_t>> overflow_;
    std::vector<PointerSlot> pointerSlots_;
    std::vector<int32_t> changed_;
    int32_t lent_ = -1;
    // Set when a change could not be noted: the next update starts over.
    bool stale_ = true;
    int builds_ = 0;
};
