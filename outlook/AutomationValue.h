#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AutomationObject;
class AutomationArray;
// Objects are shared: whoever holds a reference keeps the object alive, and
// the last one to let go releases it (a COM reference, for a real object).
using AutomationObjectRef = std::shared_ptr<AutomationObject>;

enum class AutomationValueType { Empty, Text, Int32, Date, Object, Array };

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
    static AutomationValue fromArray(std::shared_ptr<const AutomationArray> array);

    AutomationValueType type() const { return type_; }
    bool isEmpty() const { return type_ == AutomationValueType::Empty; }
    bool isText() const { return type_ == AutomationValueType::Text; }
    bool isInt() const { return type_ == AutomationValueType::Int32; }
    bool isDate() const { return type_ == AutomationValueType::Date; }
    bool isObject() const { return type_ == AutomationValueType::Object; }
    bool isArray() const { return type_ == AutomationValueType::Array; }

    // Each accessor gives its type's neutral value ("" / 0 / none) when the
    // value holds another type.
    const std::u16string& text() const { return text_; }
    int32_t integer() const { return type_ == AutomationValueType::Int32 ? integer_ : 0; }
    double date() const { return type_ == AutomationValueType::Date ? date_ : 0.0; }
    const AutomationObjectRef& object() const { return object_; }
    // Null unless the value is an array.
    const AutomationArray* array() const { return type_ == AutomationValueType::Array ? array_.get() : nullptr; }

    void clear() { *this = AutomationValue(); }

    // Same type and value; objects compare by identity.
    bool operator==(const AutomationValue& other) const;
    bool operator!=(const AutomationValue& other) const { return !(*this == other); }

    // For call logs and test messages: 'empty', '"text"', '10', 'date 36345.5',
    // 'object', 'nothing' or 'array 3x2' (columns x rows).
    std::string describe() const;

private:
    AutomationValueType type_ = AutomationValueType::Empty;
    std::u16string text_;
    int32_t integer_ = 0;
    double date_ = 0.0;
    AutomationObjectRef object_;
    std::shared_ptr<const AutomationArray> array_;
};

// A two-dimensional array of values, as a Table's GetArray gives it: the
// first index the column, the second the row, both from 0. Shared and never
// changed once made, so copies of a value holding one cost nothing.
class AutomationArray {
public:
    AutomationArray(size_t columns, size_t rows) : columns_(columns), rows_(rows), cells_(columns * rows) {}
    size_t columns() const { return columns_; }
    size_t rows() const { return rows_; }
    // Out of range: an empty value.
    const AutomationValue& at(size_t column, size_t row) const;
    void set(size_t column, size_t row, AutomationValue value);
    bool operator==(const AutomationArray& other) const;

private:
    size_t columns_;
    size_t rows_;
    // Column by column within a row, row after row.
    std::vector<AutomationValue> cells_;
};
