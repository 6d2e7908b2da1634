#include "testenv/fakeoutlook/FakeApplication.h"

#include "testenv/fakeoutlook/FakeNamespace.h"
#include "testenv/fakeoutlook/MemberName.h"
#include "platform/TextCodec.h"

static const FakeMember ApplicationMembers[] = {
    {"GetNameSpace", AutomationCallKind::Method},
};

FakeApplication::FakeApplication(std::shared_ptr<FakeOutlook> outlook)
    : FakeAutomationObject(std::move(outlook), "Application") {}

int32_t FakeApplication::answer(const char* name, AutomationCallKind kind,
                                const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(ApplicationMembers, 1, name, kind, &member);
    if (status == AutomationStatus::Ok)
        status = expectArguments(arguments, 1);
    if (status != AutomationStatus::Ok)
        return status;
    if (!arguments[0].isText())
        return AutomationStatus::TypeMismatch;
    // MAPI is the only namespace type Outlook has.
    if (!sameMemberName(utf16ToAnsi(arguments[0].text()).c_str(), "MAPI"))
        return AutomationStatus::Exception;
    *result = AutomationValue::fromObject(std::make_shared<FakeNamespace>(sharedOutlook()));
    return AutomationStatus::Ok;
}
