#include "outlook/win32/VariantConversion.h"

#include <climits>
#include <memory>

#include "outlook/AutomationStatus.h"
#include "outlook/win32/DispatchObject.h"

std::wstring toWideString(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::u16string fromWideString(const wchar_t* text, size_t length) {
    if (!text)
        return std::u16string();
    return std::u16string(text, text + length);
}

static AutomationValue objectFromUnknown(IUnknown* unknown) {
    if (!unknown)
        return AutomationValue::fromObject(nullptr);
    ComPtr<IDispatch> dispatch;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.receiveVoid())) || !dispatch) {
        return AutomationValue();
    }
    return AutomationValue::fromObject(DispatchObject::wrap(dispatch.get()));
}

// Far more than a GetArray block of contacts; a larger array is refused
// rather than copied.
static const size_t MaximumArrayCells = 1u << 22;

// Leftmost index first, as GetArray's (column, row): SAFEARRAY data holds
// the leftmost index varying fastest.
static AutomationValue arrayFromSafeArray(SAFEARRAY* array) {
    if (!array || SafeArrayGetDim(array) != 2)
        return AutomationValue();
    VARTYPE type = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(array, &type)) || type != VT_VARIANT)
        return AutomationValue();
    LONG lower[2] = {};
    LONG upper[2] = {};
    for (UINT dimension = 0; dimension < 2; ++dimension) {
        if (FAILED(SafeArrayGetLBound(array, dimension + 1, &lower[dimension])) ||
            FAILED(SafeArrayGetUBound(array, dimension + 1, &upper[dimension])))
            return AutomationValue();
    }
    const LONGLONG columnSpan = static_cast<LONGLONG>(upper[0]) - lower[0] + 1;
    const LONGLONG rowSpan = static_cast<LONGLONG>(upper[1]) - lower[1] + 1;
    const size_t columns = columnSpan > 0 ? static_cast<size_t>(columnSpan) : 0;
    const size_t rows = rowSpan > 0 ? static_cast<size_t>(rowSpan) : 0;
    if (columns != 0 && rows > MaximumArrayCells / columns)
        return AutomationValue();
    auto converted = std::make_shared<AutomationArray>(columns, rows);
    if (columns != 0 && rows != 0) {
        VARIANT* cells = nullptr;
        if (FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&cells))))
            return AutomationValue();
        for (size_t row = 0; row < rows; ++row) {
            for (size_t column = 0; column < columns; ++column)
                converted->set(column, row, automationValueFromVariant(cells[row * columns + column]));
        }
        SafeArrayUnaccessData(array);
    }
    return AutomationValue::fromArray(converted);
}

static bool unsignedFits(unsigned long value) { return value <= static_cast<unsigned long>(INT32_MAX); }

AutomationValue automationValueFromVariant(const VARIANT& variant) {
    switch (variant.vt) {
    case VT_BSTR: return AutomationValue::fromText(fromWideString(variant.bstrVal, SysStringLen(variant.bstrVal)));
    case VT_I4: return AutomationValue::fromInt(static_cast<int32_t>(variant.lVal));
    case VT_INT: return AutomationValue::fromInt(static_cast<int32_t>(variant.intVal));
    case VT_I2: return AutomationValue::fromInt(variant.iVal);
    case VT_I1: return AutomationValue::fromInt(static_cast<signed char>(variant.cVal));
    case VT_UI1: return AutomationValue::fromInt(variant.bVal);
    case VT_UI2: return AutomationValue::fromInt(variant.uiVal);
    case VT_UI4:
        return unsignedFits(variant.ulVal) ? AutomationValue::fromInt(static_cast<int32_t>(variant.ulVal))
                                           : AutomationValue();
    case VT_UINT:
        return unsignedFits(variant.uintVal) ? AutomationValue::fromInt(static_cast<int32_t>(variant.uintVal))
                                             : AutomationValue();
    case VT_DATE: return AutomationValue::fromDate(variant.date);
    case VT_DISPATCH: return AutomationValue::fromObject(DispatchObject::wrap(variant.pdispVal));
    case VT_UNKNOWN: return objectFromUnknown(variant.punkVal);
    case VT_ARRAY | VT_VARIANT: return arrayFromSafeArray(variant.parray);
    default: return AutomationValue();
    }
}

static int32_t textToVariant(const std::u16string& text, VARIANT* variant) {
    if (text.size() > UINT_MAX / 2)
        return AutomationStatus::OutOfMemory;
    std::wstring wide = toWideString(text);
    BSTR string = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!string)
        return AutomationStatus::OutOfMemory;
    variant->vt = VT_BSTR;
    variant->bstrVal = string;
    return AutomationStatus::Ok;
}

static int32_t objectToVariant(const AutomationObjectRef& object, VARIANT* variant) {
    IDispatch* dispatch = nullptr;
    if (object) {
        auto* adapter = dynamic_cast<DispatchObject*>(object.get());
        if (!adapter)
            return AutomationStatus::TypeMismatch;
        dispatch = adapter->dispatch();
        if (dispatch)
            dispatch->AddRef();
    }
    variant->vt = VT_DISPATCH;
    variant->pdispVal = dispatch;
    return AutomationStatus::Ok;
}

static int32_t arrayToVariant(const AutomationArray* array, VARIANT* variant) {
    if (!array || array->columns() > LONG_MAX || array->rows() > LONG_MAX)
        return AutomationStatus::InvalidArgument;
    SAFEARRAYBOUND bounds[2] = {};
    bounds[0].cElements = static_cast<ULONG>(array->columns());
    bounds[1].cElements = static_cast<ULONG>(array->rows());
    SAFEARRAY* made = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (!made)
        return AutomationStatus::OutOfMemory;
    int32_t status = AutomationStatus::Ok;
    if (array->columns() != 0 && array->rows() != 0) {
        VARIANT* cells = nullptr;
        status = SafeArrayAccessData(made, reinterpret_cast<void**>(&cells));
        for (size_t row = 0; automationSucceeded(status) && row < array->rows(); ++row) {
            for (size_t column = 0; automationSucceeded(status) && column < array->columns(); ++column)
                status = automationValueToVariant(array->at(column, row), &cells[row * array->columns() + column]);
        }
        if (cells)
            SafeArrayUnaccessData(made);
    }
    if (!automationSucceeded(status)) {
        SafeArrayDestroy(made);
        return status;
    }
    variant->vt = VT_ARRAY | VT_VARIANT;
    variant->parray = made;
    return AutomationStatus::Ok;
}

int32_t automationValueToVariant(const AutomationValue& value, VARIANT* variant) {
    if (!variant)
        return AutomationStatus::InvalidArgument;
    switch (value.type()) {
    case AutomationValueType::Empty: variant->vt = VT_EMPTY; return AutomationStatus::Ok;
    case AutomationValueType::Text: return textToVariant(value.text(), variant);
    case AutomationValueType::Int32:
        variant->vt = VT_I4;
        variant->lVal = value.integer();
        return AutomationStatus::Ok;
    case AutomationValueType::Date:
        variant->vt = VT_DATE;
        variant->date = value.date();
        return AutomationStatus::Ok;
    case AutomationValueType::Object: return objectToVariant(value.object(), variant);
    case AutomationValueType::Array: return arrayToVariant(value.array(), variant);
    }
    return AutomationStatus::TypeMismatch;
}
