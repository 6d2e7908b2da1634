#pragma once
#include "testenv/fakeoutlook/FakeAutomationObject.h"

// A contact item: property gets and puts on the stored contact, and "Save".
class FakeContactItem : public FakeAutomationObject {
public:
    FakeContactItem(std::shared_ptr<FakeOutlook> outlook, size_t index);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t answerProperty(FakeContact& contact, const char* name, AutomationCallKind kind,
                           const std::vector<AutomationValue>& arguments, AutomationValue* result);

    size_t index_;
};
