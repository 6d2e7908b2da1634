#include "outlook/AutomationCalls.h"

#include <cstring>

#include "outlook/BusyRetry.h"
#include "platform/TextCodec.h"

// Set by the first call that finds Outlook gone, until forgotten.
static bool serverGone = false;

// A date this close to zero means "no date".
static constexpr double NoDateTolerance = 0.00001;

static int32_t getProperty(AutomationObject* object, const char* name, AutomationValue* value) {
    return invokeByName(object, name, AutomationCallKind::PropertyGet, {}, value);
}

static int32_t putProperty(AutomationObject* object, const char* name, AutomationValue value) {
    std::vector<AutomationValue> arguments;
    arguments.push_back(std::move(value));
    return invokeByName(object, name, AutomationCallKind::PropertyPut, arguments, nullptr);
}

static size_t boundedLength(const char* text, size_t maximumLength) {
    size_t length = 0;
    while (length < maximumLength && text[length] != '\0')
        ++length;
    return length;
}

int32_t invokeByName(AutomationObject* object, const char* name, AutomationCallKind kind,
                     const std::vector<AutomationValue>& arguments, AutomationValue* result) {
    if (result)
        result->clear();
    if (!object || !name)
        return AutomationStatus::InvalidArgument;
    const int32_t status = callRetryingWhileBusy([&]() {
        if (result)
            result->clear();
        return object->invoke(name, kind, arguments, result);
    });
    if (isOutlookGoneStatus(status))
        serverGone = true;
    // An object that fails must not leave a half-set result behind.
    if (!automationSucceeded(status) && result)
        result->clear();
    return status;
}

bool getTextProperty(AutomationObject* object, const char* name, char* buffer, uint32_t capacity) {
    if (!buffer || capacity == 0)
        return false;
    buffer[0] = '\0';
    AutomationValue value;
    if (!automationSucceeded(getProperty(object, name, &value)) || !value.isText())
        return false;
    std::string text = utf16ToAnsi(value.text());
    size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return true;
}

bool getIntProperty(AutomationObject* object, const char* name, int32_t* output) {
    if (!output)
        return false;
    *output = 0;
    AutomationValue value;
    if (!automationSucceeded(getProperty(object, name, &value)) || !value.isInt())
        return false;
    *output = value.integer();
    return true;
}

bool getDateProperty(AutomationObject* object, const char* name, double* output) {
    if (!output)
        return false;
    *output = 0.0;
    AutomationValue value;
    if (!automationSucceeded(getProperty(object, name, &value)) || !value.isDate())
        return false;
    *output = value.date();
    return true;
}

AutomationObjectRef getObjectProperty(AutomationObject* object, const char* name) {
    AutomationValue value;
    if (!automationSucceeded(getProperty(object, name, &value)) || !value.isObject())
        return nullptr;
    return value.object();
}

AutomationObjectRef callForObject(AutomationObject* object, const char* name,
                                  const std::vector<AutomationValue>& arguments) {
    AutomationValue result;
    if (!automationSucceeded(invokeByName(object, name, AutomationCallKind::Method, arguments, &result)))
        return nullptr;
    return result.isObject() ? result.object() : nullptr;
}

AutomationObjectRef ofKind(AutomationObjectRef object, const char* memberKind) {
    if (object)
        object->setMemberKind(memberKind);
    return object;
}

int32_t putTextProperty(AutomationObject* object, const char* name, const char* text, size_t maximumLength) {
    if (!text || maximumLength == 0 || text[0] == '\0')
        return AutomationStatus::NothingDone;
    std::u16string wide = ansiToUtf16(std::string(text, boundedLength(text, maximumLength)));
    if (wide.size() > MaximumPutTextLength)
        wide.resize(MaximumPutTextLength);
    return putProperty(object, name, AutomationValue::fromText(std::move(wide)));
}

int32_t putIntProperty(AutomationObject* object, const char* name, int32_t value) {
    return putProperty(object, name, AutomationValue::fromInt(value));
}

int32_t putDateProperty(AutomationObject* object, const char* name, double date) {
    if (date > -NoDateTolerance && date < NoDateTolerance)
        return AutomationStatus::NothingDone;
    return putProperty(object, name, AutomationValue::fromDate(date));
}

bool automationServerGone() { return serverGone; }

void forgetAutomationServerGone() { serverGone = false; }
