#pragma once
#include "testenv/fakeoutlook/FakeAutomationObject.h"

// The default Contacts folder: its "Name", its "Items" and, from Outlook
// 2007 on, "GetTable" (without a filter).
class FakeContactsFolder : public FakeAutomationObject {
public:
    explicit FakeContactsFolder(std::shared_ptr<FakeOutlook> outlook);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t getTable(const std::vector<AutomationValue>& arguments, AutomationValue* result);
};
