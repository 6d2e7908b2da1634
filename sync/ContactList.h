#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "sync/ContactRecord.h"

class ContactMatchIndex;

// Records in the order they were added, each with a fixed position counted
// from 0. The list owns its records. A cursor marks the record of the last
// first, next or lookup by position; a lookup by position costs one step.
//
// The list also keeps the index findMatch searches it with (built at the
// first search, kept current from then on). Whoever changes a listed
// record's values in place, other than through mergeAt, tells the list with
// noteChanged; the one exception is the counterpart findMatch has just
// handed out, which the index looks at again at the next search anyway.
class ContactList {
public:
    ContactList();
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
    // The record at position, which becomes the cursor; null when out of range.
    ContactRecord* at(int32_t position);
    // The record at position without moving the cursor; null when out of range.
    const ContactRecord* peek(int32_t position) const;
    // Where the very record object stands (the cursor moves to it); -1 when
    // it is not one of the list's records.
    int32_t positionOf(const ContactRecord* record);
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

    // The record at position was changed in place (e.g. by assignRecordValues).
    void noteChanged(int32_t position);
    // The search index, brought up to date with the list; null when memory
    // runs out (the caller then searches the list itself).
    ContactMatchIndex* matchIndex();

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
    // Every node by position.
    std::vector<Node*> nodes_;
    std::unique_ptr<ContactMatchIndex> matchIndex_;
    int32_t count_ = 0;
    int32_t cursorPosition_ = 0;
};
