#include "sync/ContactList.h"

#include <cstring>
#include <new>
#include <utility>

ContactList::~ContactList()
{
    clear();
    delete spare_;
}

bool ContactList::reserveNext()
{
    if (spare_ == nullptr)
        spare_ = new (std::nothrow) Node;
    return spare_ != nullptr;
}

bool ContactList::append(std::unique_ptr<ContactRecord> record)
{
    if (!record)
        return false;
    Node* node = spare_ != nullptr ? spare_ : new (std::nothrow) Node;
    if (node == nullptr)
        return false;
    spare_ = nullptr;
    node->record = std::move(record);
    node->position = count_;
    node->previous = last_;
    if (last_ != nullptr)
        last_->next = node;
    else
        first_ = node;
    last_ = node;
    ++count_;
    cursor_ = node;
    cursorPosition_ = node->position;
    return true;
}

ContactRecord* ContactList::first()
{
    if (first_ == nullptr)
        return nullptr;
    cursor_ = first_;
    cursorPosition_ = 0;
    return cursor_->record.get();
}

ContactRecord* ContactList::next()
{
    if (cursor_ == nullptr || cursor_->next == nullptr)
        return nullptr;
    cursor_ = cursor_->next;
    cursorPosition_ = cursor_->position;
    return cursor_->record.get();
}

ContactRecord* ContactList::at(int32_t position)
{
    if (position < 0 || position >= count_ || cursor_ == nullptr)
        return nullptr;
    Node* node = cursor_;
    while (node->position < position)
        node = node->next;
    while (node->position > position)
        node = node->previous;
    cursor_ = node;
    cursorPosition_ = node->position;
    return node->record.get();
}

ContactRecord* ContactList::addCopy(const ContactRecord* source)
{
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
static void mergeText(char (&target)[N], const char (&source)[N])
{
    if (source[0] == '\0')
        return;
    std::memcpy(target, source, N);
    target[N - 1] = '\0';
}

bool ContactList::mergeAt(int32_t position, const ContactRecord* source)
{
    ContactRecord* target = source != nullptr ? at(position) : nullptr;
    if (target == nullptr)
        return false;
    if (target == source)
        return true;
    forEachTextFieldPair(*target, *source, [](auto& targetField, const auto& sourceField) {
        mergeText(targetField, sourceField);
    });
    target->birthday = source->birthday;
    return true;
}

void ContactList::clear()
{
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
}
