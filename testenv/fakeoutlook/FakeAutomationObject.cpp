#include "testenv/fakeoutlook/FakeAutomationObject.h"

#include "outlook/AutomationStatus.h"
#include "testenv/fakeoutlook/MemberName.h"

FakeAutomationObject::FakeAutomationObject(std::shared_ptr<FakeOutlook> outlook, const char* target, int contactIndex)
    : outlook_(std::move(outlook)), target_(target), contactIndex_(contactIndex) {
    outlook_->objectCreated();
}

FakeAutomationObject::~FakeAutomationObject() { outlook_->objectDestroyed(); }

int32_t FakeAutomationObject::invoke(const char* name, AutomationCallKind kind,
                                     const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    AutomationValue answered;
    int32_t status = AutomationStatus::InvalidArgument;
    if (name) {
        status = outlook_->injectedFailure(name, kind);
        if (status == AutomationStatus::Ok)
            status = answer(name, kind, arguments, &answered);
    }
    if (!automationSucceeded(status))
        answered.clear();
    if (result)
        *result = answered;

    FakeCall call;
    call.target = target_;
    call.contactIndex = contactIndex_;
    call.member = name ? name : "";
    call.kind = kind;
    call.arguments = arguments;
    call.status = status;
    outlook_->recordCall(std::move(call));
    return status;
}

int32_t FakeAutomationObject::findMember(const FakeMember* members, size_t count, const char* name,
                                         AutomationCallKind kind, size_t* position) {
    for (size_t index = 0; index < count; ++index) {
        if (!sameMemberName(members[index].name, name))
            continue;
        if (members[index].kind != kind)
            return AutomationStatus::MemberNotFound;
        *position = index;
        return AutomationStatus::Ok;
    }
    return AutomationStatus::UnknownName;
}

int32_t FakeAutomationObject::expectArguments(const std::vector<AutomationValue>& arguments, size_t count) {
    return arguments.size() == count ? AutomationStatus::Ok : AutomationStatus::BadParameterCount;
}
