#include "operations/RecordPosition.h"

int32_t positionOf(ContactList* list, const ContactRecord* record) {
    return list != nullptr ? list->positionOf(record) : -1;
}
