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

AutomationValue AutomationValue::fromArray(std::shared_ptr<const AutomationArray> array) {
    if (!array)
        return AutomationValue();
    AutomationValue value;
    value.type_ = AutomationValueType::Array;
    value.array_ = std::move(array);
    return value;
}

const AutomationValue& AutomationArray::at(size_t column, size_t row) const {
    static const AutomationValue none;
    if (column >= columns_ || row >= rows_)
        return none;
    return cells_[row * columns_ + column];
}

void AutomationArray::set(size_t column, size_t row, AutomationValue value) {
    if (column < columns_ && row < rows_)
        cells_[row * columns_ + column] = std::move(value);
}

bool AutomationArray::operator==(const AutomationArray& other) const {
    return columns_ == other.columns_ && rows_ == other.rows_ && cells_ == other.cells_;
}

bool AutomationValue::operator==(const AutomationValue& other) const {
    if (type_ != other.type_)
        return false;
    switch (type_) {
    case AutomationValueType::Empty: return true;
    case AutomationValueType::Text: return text_ == other.text_;
    case AutomationValueType::Int32: return integer_ == other.integer_;
    case AutomationValueType::Date: return date_ == other.date_;
    case AutomationValueType::Object: return object_ == other.object_;
    case AutomationValueType::Array: return array_ == other.array_ || *array_ == *other.array_;
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
    case AutomationValueType::Date: std::snprintf(number, sizeof number, "date %.10g", date_); return number;
    case AutomationValueType::Object: return object_ ? "object" : "nothing";
    case AutomationValueType::Array:
        std::snprintf(number, sizeof number, "array %zux%zu", array_->columns(), array_->rows());
        return number;
    }
    return "empty";
}
