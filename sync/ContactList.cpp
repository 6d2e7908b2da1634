#include "sync/ContactList.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "sync/ContactMatchIndex.h"

ContactList::ContactList() = default;

ContactList::~ContactList() {
    clear();
    delete spare_;
}

// Room in nodes_ for one more, growing by doubling so that appending one by
// one stays linear.
template <typename Vector>
static bool roomForOneMore(Vector& nodes) {
    if (nodes.size() < nodes.capacity())
        return true;
    try {
        nodes.reserve(std::max<size_t>(16, nodes.size() * 2));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool ContactList::reserveNext() {
    if (spare_ == nullptr)
        spare_ = new (std::nothrow) Node;
    return spare_ != nullptr && roomForOneMore(nodes_);
}

bool ContactList::append(std::unique_ptr<ContactRecord> record) {
    if (!record)
        return false;
    Node* node = spare_ != nullptr ? spare_ : new (std::nothrow) Node;
    if (node == nullptr)
        return false;
    if (!roomForOneMore(nodes_)) {
        if (node != spare_)
            delete node;
        return false;
    }
    spare_ = nullptr;
    node->record = std::move(record);
    node->position = count_;
    node->previous = last_;
    if (last_ != nullptr)
        last_->next = node;
    else
        first_ = node;
    last_ = node;
    nodes_.push_back(node);
    ++count_;
    cursor_ = node;
    cursorPosition_ = node->position;
    return true;
}

ContactRecord* ContactList::first() {
    if (first_ == nullptr)
        return nullptr;
    cursor_ = first_;
    cursorPosition_ = 0;
    return cursor_->record.get();
}

ContactRecord* ContactList::next() {
    if (cursor_ == nullptr || cursor_->next == nullptr)
        return nullptr;
    cursor_ = cursor_->next;
    cursorPosition_ = cursor_->position;
    return cursor_->record.get();
}

ContactRecord* ContactList::at(int32_t position) {
    if (position < 0 || position >= count_)
        return nullptr;
    cursor_ = nodes_[static_cast<size_t>(position)];
    cursorPosition_ = position;
    return cursor_->record.get();
}

const ContactRecord* ContactList::peek(int32_t position) const {
    if (position < 0 || position >= count_)
        return nullptr;
    return nodes_[static_cast<size_t>(position)]->record.get();
}

int32_t ContactList::positionOf(const ContactRecord* record) {
    if (record == nullptr || count_ == 0)
        return -1;
    if (cursor_ != nullptr && cursor_->record.get() == record)
        return cursorPosition_;
    int32_t position = -1;
    if (ContactMatchIndex* index = matchIndex()) {
        position = index->positionOf(record);
    } else {
        for (int32_t candidate = 0; candidate < count_ && position < 0; ++candidate) {
            if (nodes_[static_cast<size_t>(candidate)]->record.get() == record)
                position = candidate;
        }
    }
    if (position >= 0)
        at(position);
    return position;
}

ContactRecord* ContactList::addCopy(const ContactRecord* source) {
    if (source == nullptr)
        return nullptr;
    std::unique_ptr<ContactRecord> copy;
    try {
        copy.reset(new ContactRecord(*source));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    ContactRecord* added = copy.get();
    if (!append(std::move(copy)))
        return nullptr;
    return added;
}

template <size_t N>
static void mergeText(char (&target)[N], const char (&source)[N]) {
    if (source[0] == '\0')
        return;
    std::memcpy(target, source, N);
    target[N - 1] = '\0';
}

bool ContactList::mergeAt(int32_t position, const ContactRecord* source) {
    ContactRecord* target = source != nullptr ? at(position) : nullptr;
    if (target == nullptr)
        return false;
    // A record merged with itself may have been changed by its caller.
    noteChanged(position);
    if (target == source)
        return true;
    forEachTextFieldPair(*target, *source,
                         [](auto& targetField, const auto& sourceField) { mergeText(targetField, sourceField); });
    target->birthday = source->birthday;
    return true;
}

void ContactList::clear() {
    Node* node = first_;
    while (node != nullptr) {
        Node* following = node->next;
        delete node;
        node = following;
    }
    first_ = nullptr;
    last_ = nullptr;
    cursor_ = nullptr;
    count_ = 0;
    cursorPosition_ = 0;
    nodes_.clear();
    if (matchIndex_)
        matchIndex_->reset();
}

void ContactList::noteChanged(int32_t position) {
    if (matchIndex_ && position >= 0 && position < count_)
        matchIndex_->recordChanged(position);
}

ContactMatchIndex* ContactList::matchIndex() {
    if (!matchIndex_)
        matchIndex_.reset(new (std::nothrow) ContactMatchIndex);
    if (!matchIndex_ || !matchIndex_->update(*this))
        return nullptr;
    return matchIndex_.get();
}
