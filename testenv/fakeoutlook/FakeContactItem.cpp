#include "testenv/fakeoutlook/FakeContactItem.h"

#include "testenv/fakeoutlook/MemberName.h"

FakeContactItem::FakeContactItem(std::shared_ptr<FakeOutlook> outlook, size_t index)
    : FakeAutomationObject(std::move(outlook), "ContactItem", static_cast<int>(index)), index_(index) {
    if (const FakeContact* contact = this->outlook().contact(index))
        serial_ = contact->serial();
}

FakeContact* FakeContactItem::boundContact() {
    FakeContact* contact = outlook().contact(index_);
    if (contact && contact->serial() == serial_)
        return contact;
    // Another contact was deleted before this one: its position moved.
    size_t found = 0;
    if (!outlook().findContact(serial_, &found))
        return nullptr;
    index_ = found;
    setContactIndex(static_cast<int>(found));
    return outlook().contact(found);
}

int32_t FakeContactItem::answer(const char* name, AutomationCallKind kind,
                                const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    FakeContact* contact = boundContact();
    if (!contact)
        return AutomationStatus::Exception;
    if (sameMemberName(name, "Save")) {
        if (kind != AutomationCallKind::Method)
            return AutomationStatus::MemberNotFound;
        int32_t status = expectArguments(arguments, 0);
        if (status == AutomationStatus::Ok)
            contact->save(outlook().currentTime());
        return status;
    }
    if (sameMemberName(name, "Delete")) {
        if (kind != AutomationCallKind::Method)
            return AutomationStatus::MemberNotFound;
        int32_t status = expectArguments(arguments, 0);
        if (status == AutomationStatus::Ok)
            outlook().removeContact(index_);
        return status;
    }
    return answerProperty(*contact, name, kind, arguments, result);
}

int32_t FakeContactItem::answerProperty(FakeContact& contact, const char* name, AutomationCallKind kind,
                                        const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    if (!contact.hasProperty(name))
        return AutomationStatus::UnknownName;
    switch (kind) {
    case AutomationCallKind::PropertyGet:
        if (!arguments.empty())
            return AutomationStatus::BadParameterCount;
        return contact.getProperty(name, result);
    case AutomationCallKind::PropertyPut:
        if (arguments.size() != 1)
            return AutomationStatus::BadParameterCount;
        return contact.putProperty(name, arguments[0]);
    default: return AutomationStatus::MemberNotFound;
    }
}
