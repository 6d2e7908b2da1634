#include "testenv/fakeoutlook/FakeContact.h"

#include "outlook/AutomationStatus.h"
#include "outlook/OutlookDate.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "testenv/fakeoutlook/MemberName.h"

static AutomationValue neutralValue(AutomationValueType type) {
    switch (type) {
    case AutomationValueType::Text: return AutomationValue::fromText(u"");
    case AutomationValueType::Int32: return AutomationValue::fromInt(0);
    // As Outlook does: a date not set reads as 1 January 4501.
    case AutomationValueType::Date: return AutomationValue::fromDate(OutlookNoDate);
    default: return AutomationValue();
    }
}

FakeContact::FakeContact(double creationTime, uint64_t serial, const std::u16string& entryId) : serial_(serial) {
    for (const FakeContactProperty& property : fakeContactProperties()) {
        values_.push_back(neutralValue(property.type));
    }
    seed("CreationTime", AutomationValue::fromDate(creationTime));
    seed("LastModificationTime", AutomationValue::fromDate(creationTime));
    seed("EntryID", AutomationValue::fromText(entryId));
}

bool FakeContact::seed(const char* name, const AutomationValue& value) {
    int index = findFakeContactProperty(name);
    if (index < 0 || fakeContactProperties()[index].type != value.type())
        return false;
    values_[index] = value;
    return true;
}

bool FakeContact::setText(const char* name, const std::u16string& text) {
    return seed(name, AutomationValue::fromText(text));
}

bool FakeContact::setDate(const char* name, double date) { return seed(name, AutomationValue::fromDate(date)); }

bool FakeContact::setInteger(const char* name, int32_t value) { return seed(name, AutomationValue::fromInt(value)); }

const AutomationValue* FakeContact::value(const char* name) const {
    int index = findFakeContactProperty(name);
    return index < 0 ? nullptr : &values_[index];
}

std::u16string FakeContact::text(const char* name) const {
    const AutomationValue* stored = value(name);
    return stored ? stored->text() : std::u16string();
}

double FakeContact::date(const char* name) const {
    const AutomationValue* stored = value(name);
    return stored ? stored->date() : 0.0;
}

int32_t FakeContact::integer(const char* name) const {
    const AutomationValue* stored = value(name);
    return stored ? stored->integer() : 0;
}

static const char16_t ContactClass[] = u"IPM.Contact";

bool FakeContact::isContactItem() const {
    const std::u16string kind = text("MessageClass");
    if (kind.empty())
        return true;
    const size_t length = sizeof ContactClass / sizeof ContactClass[0] - 1;
    if (kind.size() < length)
        return false;
    for (size_t at = 0; at < length; ++at) {
        const char16_t c = kind[at];
        const char16_t lower = c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
        const char16_t wanted =
            ContactClass[at] >= u'A' && ContactClass[at] <= u'Z' ? ContactClass[at] - u'A' + u'a' : ContactClass[at];
        if (lower != wanted)
            return false;
    }
    return kind.size() == length || kind[length] == u'.';
}

bool FakeContact::hasProperty(const char* name) const {
    if (findFakeContactProperty(name) < 0)
        return false;
    // A distribution list has no names, addresses or numbers.
    return isContactItem() || isItemProperty(name);
}

int32_t FakeContact::getProperty(const char* name, AutomationValue* result) const {
    const AutomationValue* stored = hasProperty(name) ? value(name) : nullptr;
    if (!stored)
        return AutomationStatus::UnknownName;
    if (result) {
        *result = *stored;
        if (sameMemberName(name, "MessageClass") && stored->text().empty())
            *result = AutomationValue::fromText(ContactClass);
    }
    return AutomationStatus::Ok;
}

int32_t FakeContact::putProperty(const char* name, const AutomationValue& value) {
    int index = findFakeContactProperty(name);
    if (index < 0)
        return AutomationStatus::UnknownName;
    const FakeContactProperty& property = fakeContactProperties()[index];
    if (property.readOnly)
        return AutomationStatus::MemberNotFound;
    if (property.type != value.type())
        return AutomationStatus::TypeMismatch;
    values_[index] = value;
    return AutomationStatus::Ok;
}

void FakeContact::save(double now) {
    ++saveCount_;
    seed("LastModificationTime", AutomationValue::fromDate(now));
}
