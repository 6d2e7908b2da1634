#pragma once
#include <cstddef>
#include <vector>

#include "outlook/AutomationValue.h"

// One property of an Outlook contact item, with the type Outlook gives it.
struct FakeContactProperty {
    const char* name;
    AutomationValueType type;
    bool readOnly;
};

// Every property the in-memory contact item has, in a fixed order (the one a
// persisted contact file can use).
const std::vector<FakeContactProperty>& fakeContactProperties();

// The property's position in fakeContactProperties(), or -1.
int findFakeContactProperty(const char* name);

// A property every item has, a distribution list too; the rest are a
// contact's own.
bool isItemProperty(const char* name);
