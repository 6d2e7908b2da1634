#include "testenv/fakeoutlook/StandInControl.h"

#include "outlook/AutomationStatus.h"
#include "platform/TextCodec.h"
#include "testenv/fakeoutlook/MemberName.h"
#include "testenv/fakeoutlook/StandInCallCounts.h"

namespace {

const int32_t ContactsFolder = 10;

int32_t call(AutomationObject& object, const char* name, AutomationCallKind kind,
             std::vector<AutomationValue> arguments, AutomationValue* result) {
    AutomationValue ignored;
    return object.invoke(name, kind, arguments, result ? result : &ignored);
}

// The object a call answered with, or a failure.
int32_t objectOf(AutomationObject& object, const char* name, AutomationCallKind kind,
                 std::vector<AutomationValue> arguments, AutomationObjectRef* found) {
    AutomationValue value;
    int32_t status = call(object, name, kind, std::move(arguments), &value);
    if (!automationSucceeded(status))
        return status;
    if (!value.isObject() || !value.object())
        return AutomationStatus::Failed;
    *found = value.object();
    return AutomationStatus::Ok;
}

std::u16string textOf(AutomationObject& item, const char* name) {
    AutomationValue value;
    if (!automationSucceeded(call(item, name, AutomationCallKind::PropertyGet, {}, &value)) || !value.isText()) {
        return std::u16string();
    }
    return value.text();
}

bool allText(const std::vector<AutomationValue>& arguments, size_t first) {
    for (size_t index = first; index < arguments.size(); ++index) {
        if (!arguments[index].isText())
            return false;
    }
    return true;
}

int32_t putAndSave(AutomationObject& item, const std::vector<AutomationValue>& pairs, size_t first) {
    for (size_t index = first; index + 1 < pairs.size(); index += 2) {
        const std::string property = utf16ToAnsi(pairs[index].text());
        int32_t status = call(item, property.c_str(), AutomationCallKind::PropertyPut, {pairs[index + 1]}, nullptr);
        if (!automationSucceeded(status))
            return status;
    }
    return call(item, "Save", AutomationCallKind::Method, {}, nullptr);
}

}  // namespace

StandInControl::StandInControl(std::shared_ptr<StandInOutlook> outlook, StandInServerHooks hooks)
    : outlook_(std::move(outlook)), application_(outlook_->application()), hooks_(std::move(hooks)) {}

int32_t StandInControl::invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                               AutomationValue* result) {
    if (name && StandInCallCounts::isControlMember(name)) {
        if (kind == AutomationCallKind::PropertyPut)
            return AutomationStatus::MemberNotFound;
        AutomationValue ignored;
        return control(name, arguments, result ? result : &ignored);
    }
    return application_->invoke(name, kind, arguments, result);
}

int32_t StandInControl::control(const std::string& name, const Arguments& arguments, AutomationValue* result) {
    const char* member = name.c_str();
    result->clear();
    if (sameMemberName(member, "StandInDeleteContact"))
        return deleteContact(arguments);
    if (sameMemberName(member, "StandInAddContact"))
        return addContact(arguments);
    if (sameMemberName(member, "StandInEditContact"))
        return editContact(arguments);
    if (sameMemberName(member, "StandInDenyReads"))
        return denyReads(arguments);
    if (sameMemberName(member, "StandInContactCount"))
        return contactCount(result);
    if (!arguments.empty() && !sameMemberName(member, "StandInBusy"))
        return AutomationStatus::BadParameterCount;
    if (sameMemberName(member, "StandInBusy")) {
        if (arguments.size() != 1)
            return AutomationStatus::BadParameterCount;
        if (!arguments[0].isInt() || arguments[0].integer() < 0)
            return AutomationStatus::TypeMismatch;
        if (!hooks_.beBusy)
            return AutomationStatus::MemberNotFound;
        hooks_.beBusy(arguments[0].integer());
        return AutomationStatus::Ok;
    }
    if (sameMemberName(member, "StandInQuit")) {
        if (!hooks_.quit)
            return AutomationStatus::MemberNotFound;
        hooks_.quit();
        return AutomationStatus::Ok;
    }
    if (sameMemberName(member, "StandInWriteCalls")) {
        std::string problem;
        if (!hooks_.writeCalls)
            return AutomationStatus::MemberNotFound;
        return hooks_.writeCalls(&problem) ? AutomationStatus::Ok : AutomationStatus::Failed;
    }
    return AutomationStatus::UnknownName;
}

int32_t StandInControl::items(AutomationObjectRef* items) {
    AutomationObjectRef session;
    AutomationObjectRef folder;
    int32_t status = objectOf(*application_, "GetNameSpace", AutomationCallKind::Method,
                              {AutomationValue::fromText(u"MAPI")}, &session);
    if (automationSucceeded(status)) {
        status = objectOf(*session, "GetDefaultFolder", AutomationCallKind::Method,
                          {AutomationValue::fromInt(ContactsFolder)}, &folder);
    }
    if (automationSucceeded(status))
        status = objectOf(*folder, "Items", AutomationCallKind::PropertyGet, {}, items);
    return status;
}

int32_t StandInControl::findContact(const std::u16string& who, AutomationObjectRef* item) {
    AutomationObjectRef all;
    int32_t status = items(&all);
    if (!automationSucceeded(status))
        return status;
    AutomationValue count;
    status = call(*all, "Count", AutomationCallKind::PropertyGet, {}, &count);
    if (!automationSucceeded(status))
        return status;
    if (!count.isInt())
        return AutomationStatus::Failed;
    if (who.size() > 1 && who[0] == u'#') {
        int32_t position = 0;
        for (size_t index = 1; index < who.size(); ++index) {
            if (who[index] < u'0' || who[index] > u'9' || position > 100000000)
                return AutomationStatus::InvalidArgument;
            position = position * 10 + (who[index] - u'0');
        }
        if (position < 1 || position > count.integer())
            return AutomationStatus::InvalidArgument;
        return objectOf(*all, "Item", AutomationCallKind::Method, {AutomationValue::fromInt(position)}, item);
    }
    for (int32_t position = 1; position <= count.integer(); ++position) {
        AutomationObjectRef candidate;
        status = objectOf(*all, "Item", AutomationCallKind::Method, {AutomationValue::fromInt(position)}, &candidate);
        if (!automationSucceeded(status))
            return status;
        const std::u16string first = textOf(*candidate, "FirstName");
        const std::u16string last = textOf(*candidate, "LastName");
        if (first + u" " + last == who || textOf(*candidate, "FullName") == who) {
            *item = candidate;
            return AutomationStatus::Ok;
        }
    }
    return AutomationStatus::InvalidArgument;
}

int32_t StandInControl::deleteContact(const Arguments& arguments) {
    if (arguments.size() != 1)
        return AutomationStatus::BadParameterCount;
    if (!arguments[0].isText())
        return AutomationStatus::TypeMismatch;
    AutomationObjectRef item;
    int32_t status = findContact(arguments[0].text(), &item);
    if (!automationSucceeded(status))
        return status;
    return call(*item, "Delete", AutomationCallKind::Method, {}, nullptr);
}

int32_t StandInControl::addContact(const Arguments& arguments) {
    if (arguments.empty() || arguments.size() % 2 != 0)
        return AutomationStatus::BadParameterCount;
    if (!allText(arguments, 0))
        return AutomationStatus::TypeMismatch;
    AutomationObjectRef all;
    AutomationObjectRef item;
    int32_t status = items(&all);
    if (automationSucceeded(status))
        status = objectOf(*all, "Add", AutomationCallKind::Method, {}, &item);
    if (!automationSucceeded(status))
        return status;
    return putAndSave(*item, arguments, 0);
}

int32_t StandInControl::editContact(const Arguments& arguments) {
    if (arguments.size() != 3)
        return AutomationStatus::BadParameterCount;
    if (!allText(arguments, 0))
        return AutomationStatus::TypeMismatch;
    AutomationObjectRef item;
    int32_t status = findContact(arguments[0].text(), &item);
    if (!automationSucceeded(status))
        return status;
    return putAndSave(*item, arguments, 1);
}

int32_t StandInControl::denyReads(const Arguments& arguments) {
    if (arguments.empty())
        return AutomationStatus::BadParameterCount;
    if (!allText(arguments, 0))
        return AutomationStatus::TypeMismatch;
    for (const AutomationValue& property : arguments) {
        outlook_->model().failPropertyGet(utf16ToAnsi(property.text()), AccessDenied);
    }
    return AutomationStatus::Ok;
}

int32_t StandInControl::contactCount(AutomationValue* result) {
    *result = AutomationValue::fromInt(static_cast<int32_t>(outlook_->model().contactCount()));
    return AutomationStatus::Ok;
}
