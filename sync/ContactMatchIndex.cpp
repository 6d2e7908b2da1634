#include "sync/ContactMatchIndex.h"

#include <algorithm>
#include <climits>
#include <new>

#include "sync/ContactList.h"

namespace {

// Slots kept at most three quarters full.
bool crowded(size_t used, size_t capacity) { return (used + 1) * 4 > capacity * 3; }

size_t capacityFor(size_t entries) {
    size_t capacity = 64;
    while (crowded(entries, capacity))
        capacity *= 2;
    return capacity;
}

size_t pointerHash(const ContactRecord* record) {
    uint64_t value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(record));
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDull;
    value ^= value >> 33;
    return static_cast<size_t>(value);
}

}  // namespace

void ContactMatchIndex::reset() {
    clearAll();
    stale_ = true;
}

void ContactMatchIndex::clearAll() {
    keys_.clear();
    keySlots_.clear();
    usedKeySlots_ = 0;
    overflow_.clear();
    pointerSlots_.clear();
    changed_.clear();
    lent_ = -1;
}

void ContactMatchIndex::recordChanged(int32_t position) {
    try {
        changed_.push_back(position);
    } catch (const std::bad_alloc&) {
        stale_ = true;
    }
}

bool ContactMatchIndex::update(const ContactList& list) {
    const size_t count = static_cast<size_t>(list.count());
    try {
        if (stale_ || count < keys_.size()) {
            clearAll();
            stale_ = false;
            ++builds_;
            keySlots_.resize(capacityFor(count * MatchKeyKinds));
            pointerSlots_.resize(capacityFor(count));
            keys_.reserve(count);
        }
        for (int32_t position : changed_)
            refresh(list, position);
        changed_.clear();
        refresh(list, lent_);
        lent_ = -1;
        for (size_t position = keys_.size(); position < count; ++position)
            add(list, static_cast<int32_t>(position));
    } catch (const std::bad_alloc&) {
        clearAll();
        stale_ = true;
        return false;
    }
    return true;
}

void ContactMatchIndex::add(const ContactList& list, int32_t position) {
    const ContactRecord* record = list.peek(position);
    const MatchKeys keys = record != nullptr ? matchKeysOf(*record) : MatchKeys{};
    keys_.push_back(keys);
    for (uint64_t hash : keys.hashes) {
        if (hash != 0)
            insertKey(hash, position);
    }
    if (record != nullptr)
        insertPointer(record, position);
}

void ContactMatchIndex::refresh(const ContactList& list, int32_t position) {
    // A change to a record not taken in yet is seen when it is.
    if (position < 0 || static_cast<size_t>(position) >= keys_.size())
        return;
    const ContactRecord* record = list.peek(position);
    if (record == nullptr)
        return;
    const MatchKeys now = matchKeysOf(*record);
    MatchKeys& filed = keys_[static_cast<size_t>(position)];
    for (int kind = 0; kind < MatchKeyKinds; ++kind) {
        if (now.hashes[kind] == filed.hashes[kind])
            continue;
        if (filed.hashes[kind] != 0)
            removeKey(filed.hashes[kind], position);
        filed.hashes[kind] = 0;
        if (now.hashes[kind] != 0)
            insertKey(now.hashes[kind], position);
        filed.hashes[kind] = now.hashes[kind];
    }
}

size_t ContactMatchIndex::keySlotOf(uint64_t hash) const {
    if (keySlots_.empty())
        return NoSlot;
    const size_t mask = keySlots_.size() - 1;
    for (size_t index = static_cast<size_t>(hash) & mask;; index = (index + 1) & mask) {
        if (keySlots_[index].hash == hash)
            return index;
        if (keySlots_[index].hash == 0)
            return NoSlot;
    }
}

ContactMatchIndex::KeySlot& ContactMatchIndex::slotForKey(uint64_t hash) {
    if (keySlots_.empty() || crowded(usedKeySlots_, keySlots_.size()))
        growKeys();
    const size_t mask = keySlots_.size() - 1;
    for (size_t index = static_cast<size_t>(hash) & mask;; index = (index + 1) & mask) {
        KeySlot& slot = keySlots_[index];
        if (slot.hash == hash)
            return slot;
        if (slot.hash == 0) {
            slot.hash = hash;
            ++usedKeySlots_;
            return slot;
        }
    }
}

void ContactMatchIndex::growKeys() {
    std::vector<KeySlot> grown(std::max<size_t>(64, keySlots_.size() * 2));
    const size_t mask = grown.size() - 1;
    for (const KeySlot& slot : keySlots_) {
        if (slot.hash == 0)
            continue;
        size_t index = static_cast<size_t>(slot.hash) & mask;
        while (grown[index].hash != 0)
            index = (index + 1) & mask;
        grown[index] = slot;
    }
    keySlots_.swap(grown);
}

void ContactMatchIndex::insertKey(uint64_t hash, int32_t position) {
    KeySlot& slot = slotForKey(hash);
    if (slot.first < 0) {
        slot.first = position;
        return;
    }
    if (slot.more < 0) {
        overflow_.emplace_back();
        slot.more = static_cast<int32_t>(overflow_.size() - 1);
    }
    std::vector<int32_t>& more = overflow_[static_cast<size_t>(slot.more)];
    if (position < slot.first) {
        more.insert(more.begin(), slot.first);
        slot.first = position;
        return;
    }
    // Records are taken in in list order, so this is nearly always the end.
    more.insert(std::upper_bound(more.begin(), more.end(), position), position);
}

void ContactMatchIndex::removeKey(uint64_t hash, int32_t position) {
    const size_t index = keySlotOf(hash);
    if (index == NoSlot || keySlots_[index].first < 0)
        return;
    KeySlot* slot = &keySlots_[index];
    std::vector<int32_t>* more = slot->more >= 0 ? &overflow_[static_cast<size_t>(slot->more)] : nullptr;
    if (slot->first == position) {
        if (more != nullptr && !more->empty()) {
            slot->first = more->front();
            more->erase(more->begin());
        } else {
            slot->first = -1;
        }
        return;
    }
    if (more == nullptr)
        return;
    const auto found = std::lower_bound(more->begin(), more->end(), position);
    if (found != more->end() && *found == position)
        more->erase(found);
}

void ContactMatchIndex::insertPointer(const ContactRecord* record, int32_t position) {
    if (crowded(static_cast<size_t>(position), pointerSlots_.size()))
        growPointers();
    const size_t mask = pointerSlots_.size() - 1;
    size_t index = pointerHash(record) & mask;
    while (pointerSlots_[index].record != nullptr)
        index = (index + 1) & mask;
    pointerSlots_[index] = PointerSlot{record, position};
}

void ContactMatchIndex::growPointers() {
    std::vector<PointerSlot> grown(std::max<size_t>(64, pointerSlots_.size() * 2));
    const size_t mask = grown.size() - 1;
    for (const PointerSlot& slot : pointerSlots_) {
        if (slot.record == nullptr)
            continue;
        size_t index = pointerHash(slot.record) & mask;
        while (grown[index].record != nullptr)
            index = (index + 1) & mask;
        grown[index] = slot;
    }
    pointerSlots_.swap(grown);
}

int32_t ContactMatchIndex::positionOf(const ContactRecord* record) const {
    if (record == nullptr || pointerSlots_.empty())
        return -1;
    const size_t mask = pointerSlots_.size() - 1;
    for (size_t index = pointerHash(record) & mask; pointerSlots_[index].record != nullptr;
         index = (index + 1) & mask) {
        if (pointerSlots_[index].record == record)
            return pointerSlots_[index].position;
    }
    return -1;
}

bool ContactMatchIndex::settles(const ContactList& list, const ContactRecord& probe, int32_t position,
                                int32_t& best) const {
    if (position >= best)
        return true;
    const ContactRecord* record = list.peek(position);
    // Another key with the same hash: not this one's record, look on.
    if (record == nullptr || (record != &probe && !isMatchCandidate(*record, probe)))
        return false;
    best = position;
    return true;
}

int32_t ContactMatchIndex::firstCandidate(const ContactList& list, const ContactRecord& probe) const {
    const MatchKeys keys = matchKeysOf(probe);
    int32_t best = INT32_MAX;
    for (uint64_t hash : keys.hashes) {
        const size_t index = hash != 0 ? keySlotOf(hash) : NoSlot;
        if (index == NoSlot)
            continue;
        const KeySlot& slot = keySlots_[index];
        if (slot.first < 0 || settles(list, probe, slot.first, best) || slot.more < 0)
            continue;
        for (int32_t position : overflow_[static_cast<size_t>(slot.more)]) {
            if (settles(list, probe, position, best))
                break;
        }
    }
    return best == INT32_MAX ? -1 : best;
}
