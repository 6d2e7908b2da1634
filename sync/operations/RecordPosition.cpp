#include "sync/operations/RecordPosition.h"

int32_t positionOf(ContactList* list, const ContactRecord* record)
{
    if (list == nullptr || record == nullptr)
        return -1;
    for (ContactRecord* candidate = list->first(); candidate != nullptr; candidate = list->next()) {
        if (candidate == record)
            return list->cursorPosition();
    }
    return -1;
}
