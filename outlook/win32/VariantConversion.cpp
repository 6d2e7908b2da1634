#include "outlook/win32/VariantConversion.h"

#include <climits>

#include "outlook/AutomationStatus.h"
#include "outlook/win32/DispatchObject.h"

std::wstring toWideString(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string fromWideString(const wchar_t* text, size_t length) {
    if (!text) return std::u16string();
    return std::u16string(text, text + length);
}

static AutomationValue objectFromUnknown(IUnknown* unknown) {
    if (!unknown) return AutomationValue::fromObject(nullptr);
    ComPtr<IDispatch> dispatch;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.receiveVoid())) || !dispatch) {
        return AutomationValue();
    }
    return AutomationValue::fromObject(DispatchObject::wrap(dispatch.get()));
}

static bool unsignedFits(unsigned long value) { return value <= static_cast<unsigned long>(INT32_MAX); }

AutomationValue automationValueFromVariant(const VARIANT& variant) {
    switch (variant.vt) {
    case VT_BSTR:
        return AutomationValue::fromText(fromWideString(variant.bstrVal, SysStringLen(variant.bstrVal)));
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
    case VT_DISPATCH:
        return AutomationValue::fromObject(DispatchObject::wrap(variant.pdispVal));
    case VT_UNKNOWN: return objectFromUnknown(variant.punkVal);
    default: return AutomationValue();
    }
}

static int32_t textToVariant(const std::u16string& text, VARIANT* variant) {
    if (text.size() > UINT_MAX / 2) return AutomationStatus::OutOfMemory;
    std::wstring wide = toWideString(text);
    BSTR string = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!string) return AutomationStatus::OutOfMemory;
    variant->vt = VT_BSTR;
    variant->bstrVal = string;
    return AutomationStatus::Ok;
}

static int32_t objectToVariant(const AutomationObjectRef& object, VARIANT* variant) {
    IDispatch* dispatch = nullptr;
    if (object) {
        auto* adapter = dynamic_cast<DispatchObject*>(object.get());
        if (!adapter) return AutomationStatus::TypeMismatch;
        dispatch = adapter->dispatch();
        if (dispatch) dispatch->AddRef();
    }
    variant->vt = VT_DISPATCH;
    variant->pdispVal = dispatch;
    return AutomationStatus::Ok;
}

int32_t automationValueToVariant(const AutomationValue& value, VARIANT* variant) {
    if (!variant) return AutomationStatus::InvalidArgument;
    switch (value.type()) {
    case AutomationValueType::Empty:
        variant->vt = VT_EMPTY;
        return AutomationStatus::Ok;
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
    }
    return AutomationStatus::TypeMismatch;
}
