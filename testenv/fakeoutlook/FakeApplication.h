#pragma once
#include "testenv/fakeoutlook/FakeAutomationObject.h"

// The application object: "GetNameSpace" with "MAPI" gives the namespace.
class FakeApplication : public FakeAutomationObject {
public:
    explicit FakeApplication(std::shared_ptr<FakeOutlook> outlook);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;
};
