#pragma once
#include "testenv/fakeoutlook/FakeAutomationObject.h"

// The default Contacts folder: its "Name" and its "Items".
class FakeContactsFolder : public FakeAutomationObject {
public:
    explicit FakeContactsFolder(std::shared_ptr<FakeOutlook> outlook);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;
};
