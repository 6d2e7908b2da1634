#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "outlook/AutomationObject.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

// A member an object of the in-memory Outlook answers, and how it is called.
struct FakeMember {
    const char* name;
    AutomationCallKind kind;
};

// The common part of the in-memory Outlook's objects: injected failures, the
// call log and the count of live objects. Subclasses answer the call itself.
class FakeAutomationObject : public AutomationObject {
public:
    ~FakeAutomationObject() override;

    int32_t invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) final;

protected:
    FakeAutomationObject(std::shared_ptr<FakeOutlook> outlook, const char* target, int contactIndex = -1);

    // Answers a call that no failure was injected for; `result` is never
    // null and starts empty.
    virtual int32_t answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                           AutomationValue* result) = 0;

    // The position of `name` among `members`: UnknownName when absent,
    // MemberNotFound when it is called the wrong way, Ok otherwise.
    static int32_t findMember(const FakeMember* members, size_t count, const char* name, AutomationCallKind kind,
                              size_t* position);
    // BadParameterCount unless there are exactly `count` arguments.
    static int32_t expectArguments(const std::vector<AutomationValue>& arguments, size_t count);

    FakeOutlook& outlook() { return *outlook_; }
    // The position the call log names for this object's contact.
    void setContactIndex(int index) { contactIndex_ = index; }
    const std::shared_ptr<FakeOutlook>& sharedOutlook() { return outlook_; }

private:
    std::shared_ptr<FakeOutlook> outlook_;
    const char* target_;
    int contactIndex_;
};
