#include "testenv/fakeoutlook/FakeNamespace.h"

#include "testenv/fakeoutlook/FakeContactsFolder.h"

static const int32_t ContactsFolderNumber = 10;

static const FakeMember NamespaceMembers[] = {
    {"GetDefaultFolder", AutomationCallKind::Method},
};

FakeNamespace::FakeNamespace(std::shared_ptr<FakeOutlook> outlook)
    : FakeAutomationObject(std::move(outlook), "NameSpace") {}

int32_t FakeNamespace::answer(const char* name, AutomationCallKind kind,
                              const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(NamespaceMembers, 1, name, kind, &member);
    if (status == AutomationStatus::Ok) status = expectArguments(arguments, 1);
    if (status != AutomationStatus::Ok) return status;
    if (!arguments[0].isInt()) return AutomationStatus::TypeMismatch;
    if (arguments[0].integer() != ContactsFolderNumber) return AutomationStatus::Exception;
    *result = AutomationValue::fromObject(std::make_shared<FakeContactsFolder>(sharedOutlook()));
    return AutomationStatus::Ok;
}
