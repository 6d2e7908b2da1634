#pragma once
#include "testenv/fakeoutlook/FakeAutomationObject.h"

// The folder's item collection. Like Outlook's, each collection object keeps
// its own enumeration position for "GetFirst"/"GetNext", which yield
// "Nothing" past the last item. "Item" counts from 1; "Add" with 2 (or no
// argument) appends a new contact item; "Count" is the number of items.
class FakeItems : public FakeAutomationObject {
public:
    explicit FakeItems(std::shared_ptr<FakeOutlook> outlook);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t nextItem(AutomationValue* result);
    int32_t itemAt(const std::vector<AutomationValue>& arguments, AutomationValue* result);
    int32_t addItem(const std::vector<AutomationValue>& arguments, AutomationValue* result);
    AutomationValue contactItem(size_t index);

    size_t position_ = 0;
};
