#pragma once
#ifdef _WIN32
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <string>

#include "outlook/AutomationValue.h"

// VARIANT -> value. Text (a null string is ""), integers that fit 32 bits
// signed, dates and objects (IDispatch, or IUnknown that gives one) come
// through, and two-dimensional arrays of VARIANTs (GetArray's); anything
// else, VT_EMPTY and VT_NULL included, is empty. Objects are wrapped with a
// reference of their own.
AutomationValue automationValueFromVariant(const VARIANT& variant);

// Value -> VARIANT (which must be empty; the caller clears it). Objects must
// be IDispatch adapters (or none). Returns the status; on failure the VARIANT
// stays empty.
int32_t automationValueToVariant(const AutomationValue& value, VARIANT* variant);

// Names and texts between the portable and the Windows wide strings.
std::wstring toWideString(const std::u16string& text);
std::u16string fromWideString(const wchar_t* text, size_t length);
#endif
