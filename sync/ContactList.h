#pragma once
#include <cstdint>
#include <memory>

#include "sync/ContactRecord.h"

// Records in the order they were added, each with a fixed position counted
// from 0. The list owns its records. A cursor makes first-then-next passes and
// neighbouring lookups by position cost one step each.
class ContactList {
public:
    ContactList() = default;
    ~ContactList();
    ContactList(const ContactList&) = delete;
    ContactList& operator=(const ContactList&) = delete;

    // Takes the record and adds it at the end; the cursor moves to it. False
    // only for a null record (or when no node can be allocated).
    bool append(std::unique_ptr<ContactRecord> record);
    // Allocates the node of the next append ahead of time, so that a caller
    // who must change something else first can make that append certain.
    // False when memory runs out.
    bool reserveNext();
    // Moves the cursor to the first record; null when empty.
    ContactRecord* first();
    // Moves the cursor one on; null (cursor unchanged) when it is on the last record.
    ContactRecord* next();
    // The record at position, walking from the cursor; null when out of range.
    ContactRecord* at(int32_t position);
    int32_t count() const { return count_; }
    // Where the cursor stands (0 when empty).
    int32_t cursorPosition() const { return cursorPosition_; }
    // Appends a copy of source, with its own copy of the native block. Null,
    // and the list unchanged, for a null source or when memory runs out.
    ContactRecord* addCopy(const ContactRecord* source);
    // Updates the record at position from source: non-empty texts replace the
    // target's, the birthday is always taken, every other value is kept.
    bool mergeAt(int32_t position, const ContactRecord* source);
    // Frees every record and empties the list.
    void clear();

private:
    struct Node {
        std::unique_ptr<ContactRecord> record;
        int32_t position = 0;
        Node* previous = nullptr;
        Node* next = nullptr;
    };

    Node* first_ = nullptr;
    Node* last_ = nullptr;
    Node* cursor_ = nullptr;
    // The node reserveNext set aside, used by the next append.
    Node* spare_ = nullptr;
    int32_t count_ = 0;
    int32_t cursorPosition_ = 0;
};
