#pragma once
#include <cstdint>

#include "sync/ContactList.h"

// Where the very record object stands in the list, counted from 0; -1 when
// it is not one of the list's records. Matching cannot answer this: an
// earlier record that looks the same would be found first.
int32_t positionOf(ContactList* list, const ContactRecord* record);
