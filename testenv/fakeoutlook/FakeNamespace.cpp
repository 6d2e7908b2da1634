#include "testenv/fakeoutlook/FakeNamespace.h"

#include "testenv/fakeoutlook/FakeContactItem.h"
#include "testenv/fakeoutlook/FakeContactsFolder.h"

static const int32_t ContactsFolderNumber = 10;

enum NamespaceMember { NamespaceGetDefaultFolder, NamespaceGetItemFromID };

static const FakeMember NamespaceMembers[] = {
    {"GetDefaultFolder", AutomationCallKind::Method},
    {"GetItemFromID", AutomationCallKind::Method},
};

FakeNamespace::FakeNamespace(std::shared_ptr<FakeOutlook> outlook)
    : FakeAutomationObject(std::move(outlook), "NameSpace") {}

int32_t FakeNamespace::answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                              AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(NamespaceMembers, 2, name, kind, &member);
    if (status != AutomationStatus::Ok)
        return status;
    if (member == NamespaceGetItemFromID)
        return itemFromId(arguments, result);
    status = expectArguments(arguments, 1);
    if (status != AutomationStatus::Ok)
        return status;
    if (!arguments[0].isInt())
        return AutomationStatus::TypeMismatch;
    if (arguments[0].integer() != ContactsFolderNumber)
        return AutomationStatus::Exception;
    *result = AutomationValue::fromObject(std::make_shared<FakeContactsFolder>(sharedOutlook()));
    return AutomationStatus::Ok;
}

int32_t FakeNamespace::itemFromId(const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    // The store id may follow; this Outlook has one store.
    if (arguments.empty() || arguments.size() > 2)
        return AutomationStatus::BadParameterCount;
    for (const AutomationValue& argument : arguments) {
        if (!argument.isText())
            return AutomationStatus::TypeMismatch;
    }
    size_t index = 0;
    // Outlook raises "the operation failed" for an id it does not hold.
    if (!outlook().findContactById(arguments[0].text(), &index))
        return AutomationStatus::Exception;
    *result = AutomationValue::fromObject(std::make_shared<FakeContactItem>(sharedOutlook(), index));
    return AutomationStatus::Ok;
}
