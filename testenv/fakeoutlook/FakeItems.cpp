#include "testenv/fakeoutlook/FakeItems.h"

#include "testenv/fakeoutlook/FakeContactItem.h"

static const int32_t ContactItemType = 2;

enum ItemsMember { ItemsGetFirst, ItemsGetNext, ItemsItem, ItemsAdd, ItemsCount };

static const FakeMember ItemsMembers[] = {
    {"GetFirst", AutomationCallKind::Method},   {"GetNext", AutomationCallKind::Method},
    {"Item", AutomationCallKind::Method},       {"Add", AutomationCallKind::Method},
    {"Count", AutomationCallKind::PropertyGet},
};

FakeItems::FakeItems(std::shared_ptr<FakeOutlook> outlook) : FakeAutomationObject(std::move(outlook), "Items") {}

int32_t FakeItems::answer(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                          AutomationValue* result) {
    size_t member = 0;
    int32_t status = findMember(ItemsMembers, sizeof ItemsMembers / sizeof ItemsMembers[0], name, kind, &member);
    if (status != AutomationStatus::Ok)
        return status;
    switch (member) {
    case ItemsGetFirst:
        if ((status = expectArguments(arguments, 0)) != AutomationStatus::Ok)
            return status;
        position_ = 0;
        return nextItem(result);
    case ItemsGetNext: {
        if ((status = expectArguments(arguments, 0)) != AutomationStatus::Ok)
            return status;
        int limit = outlook().getNextLimit();
        if (limit >= 0 && position_ >= static_cast<size_t>(limit))
            return AutomationStatus::Failed;
        return nextItem(result);
    }
    case ItemsItem: return itemAt(arguments, result);
    case ItemsAdd: return addItem(arguments, result);
    default:
        if ((status = expectArguments(arguments, 0)) != AutomationStatus::Ok)
            return status;
        *result = AutomationValue::fromInt(static_cast<int32_t>(outlook().contactCount()));
        return AutomationStatus::Ok;
    }
}

AutomationValue FakeItems::contactItem(size_t index) {
    return AutomationValue::fromObject(std::make_shared<FakeContactItem>(sharedOutlook(), index));
}

int32_t FakeItems::nextItem(AutomationValue* result) {
    if (position_ >= outlook().contactCount()) {
        *result = AutomationValue::fromObject(nullptr);
        return AutomationStatus::Ok;
    }
    *result = contactItem(position_++);
    return AutomationStatus::Ok;
}

int32_t FakeItems::itemAt(const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    int32_t status = expectArguments(arguments, 1);
    if (status != AutomationStatus::Ok)
        return status;
    if (!arguments[0].isInt())
        return AutomationStatus::TypeMismatch;
    int32_t position = arguments[0].integer();
    if (position < 1 || static_cast<size_t>(position) > outlook().contactCount())
        return AutomationStatus::Exception;
    *result = contactItem(static_cast<size_t>(position - 1));
    return AutomationStatus::Ok;
}

int32_t FakeItems::addItem(const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    if (arguments.size() > 1)
        return AutomationStatus::BadParameterCount;
    if (arguments.size() == 1) {
        if (!arguments[0].isInt())
            return AutomationStatus::TypeMismatch;
        // Only contact items live in this folder.
        if (arguments[0].integer() != ContactItemType)
            return AutomationStatus::Exception;
    }
    outlook().addContact();
    *result = contactItem(outlook().contactCount() - 1);
    return AutomationStatus::Ok;
}
