#pragma once
#include "testenv/fakeoutlook/FakeAutomationObject.h"

// The MAPI namespace: "GetDefaultFolder" with 10 gives the Contacts folder
// (the other default folders are not held); "GetItemFromID" the contact item
// with that "EntryID".
class FakeNamespace : public FakeAutomationObject {
public:
    explicit FakeNamespace(std::shared_ptr<FakeOutlook> outlook);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t itemFromId(const std::vector<AutomationValue>& arguments, AutomationValue* result);
};
