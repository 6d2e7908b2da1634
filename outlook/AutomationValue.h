#pragma once
#include <cstdint>
#include <memory>
#include <string>

class AutomationObject;
// Objects are shared: whoever holds a reference keeps the object alive, and
// the last one to let go releases it (a COM reference, for a real object).
using AutomationObjectRef = std::shared_ptr<AutomationObject>;

enum class AutomationValueType { Empty, Text, Int32, Date, Object };

// The small variant that crosses the automation layer: arguments and results.
// Dates are automation dates (days since 30 December 1899, the fraction the
// time of day). An object value may hold no object (Outlook's "Nothing").
class AutomationValue {
public:
    AutomationValue() = default;
    static AutomationValue fromText(std::u16string text);
    static AutomationValue fromInt(int32_t value);
    static AutomationValue fromDate(double date);
    static AutomationValue fromObject(AutomationObjectRef object);

    AutomationValueType type() const { return type_; }
    bool isEmpty() const { return type_ == AutomationValueType::Empty; }
    bool isText() const { return type_ == AutomationValueType::Text; }
    bool isInt() const { return type_ == AutomationValueType::Int32; }
    bool isDate() const { return type_ == AutomationValueType::Date; }
    bool isObject() const { return type_ == AutomationValueType::Object; }

    // Each accessor gives its type's neutral value ("" / 0 / none) when the
    // value holds another type.
    const std::u16string& text() const { return text_; }
    int32_t integer() const { return type_ == AutomationValueType::Int32 ? integer_ : 0; }
    double date() const { return type_ == AutomationValueType::Date ? date_ : 0.0; }
    const AutomationObjectRef& object() const { return object_; }

    void clear() { *this = AutomationValue(); }

    // Same type and value; objects compare by identity.
    bool operator==(const AutomationValue& other) const;
    bool operator!=(const AutomationValue& other) const { return !(*this == other); }

    // For call logs and test messages: 'empty', '"text"', '10', 'date 36345.5',
    // 'object' or 'nothing'.
    std::string describe() const;

private:
    AutomationValueType type_ = AutomationValueType::Empty;
    std::u16string text_;
    int32_t integer_ = 0;
    double date_ = 0.0;
    AutomationObjectRef object_;
};
