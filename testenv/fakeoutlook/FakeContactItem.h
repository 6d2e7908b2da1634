#pragma once
#include <cstdint>

#include "testenv/fakeoutlook/FakeAutomationObject.h"

// A contact item: property gets and puts on the stored contact, "Save" and
// "Delete". Like Outlook's, it stays bound to its contact when others are
// deleted, and fails every call once its own contact is gone.
class FakeContactItem : public FakeAutomationObject {
public:
    FakeContactItem(std::shared_ptr<FakeOutlook> outlook, size_t index);

protected:
    int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    int32_t answerProperty(FakeContact& contact, const char* name, AutomationCallKind kind,
                           const std::vector<AutomationValue>& arguments, AutomationValue* result);
    // The contact now, or null once it was deleted.
    FakeContact* boundContact();

    size_t index_;
    uint64_t serial_ = 0;
};
