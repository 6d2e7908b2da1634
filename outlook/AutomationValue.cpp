#include "outlook/AutomationValue.h"

#include <cstdio>

#include "platform/TextCodec.h"

AutomationValue AutomationValue::fromText(std::u16string text) {
    AutomationValue value;
    value.type_ = AutomationValueType::Text;
    value.text_ = std::move(text);
    return value;
}

AutomationValue AutomationValue::fromInt(int32_t integer) {
    AutomationValue value;
    value.type_ = AutomationValueType::Int32;
    value.integer_ = integer;
    return value;
}

AutomationValue AutomationValue::fromDate(double date) {
    AutomationValue value;
    value.type_ = AutomationValueType::Date;
    value.date_ = date;
    return value;
}

AutomationValue AutomationValue::fromObject(AutomationObjectRef object) {
    AutomationValue value;
    value.type_ = AutomationValueType::Object;
    value.object_ = std::move(object);
    return value;
}

bool AutomationValue::operator==(const AutomationValue& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
    case AutomationValueType::Empty: return true;
    case AutomationValueType::Text: return text_ == other.text_;
    case AutomationValueType::Int32: return integer_ == other.integer_;
    case AutomationValueType::Date: return date_ == other.date_;
    case AutomationValueType::Object: return object_ == other.object_;
    }
    return false;
}

std::string AutomationValue::describe() const {
    char number[64];
    switch (type_) {
    case AutomationValueType::Empty: return "empty";
    case AutomationValueType::Text: return "\"" + utf16ToAnsi(text_) + "\"";
    case AutomationValueType::Int32:
        std::snprintf(number, sizeof number, "%d", static_cast<int>(integer_));
        return number;
    case AutomationValueType::Date:
        std::snprintf(number, sizeof number, "date %.10g", date_);
        return number;
    case AutomationValueType::Object: return object_ ? "object" : "nothing";
    }
    return "empty";
}
