#include "testenv/outlookserver/DispatchAdapter.h"

#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "outlook/AutomationStatus.h"
#include "outlook/win32/ScopedVariant.h"
#include "outlook/win32/VariantConversion.h"
#include "platform/TextCodec.h"
#include "testenv/fakeoutlook/MemberName.h"
#include "testenv/fakeoutlook/StandInCallCounts.h"

const IID IID_StandInDispatchAdapter = {0x838d27ac, 0x50f1, 0x444b, {0xb1, 0x1f, 0xc0, 0x38, 0x21, 0x08, 0x27, 0x7b}};

static std::atomic<long> liveAdapters{0};
static std::atomic<StandInCallCounts*> callCounts{nullptr};

static void countCall(const std::string& name) {
    if (StandInCallCounts* counts = callCounts.load())
        counts->count(name);
}

// --- member numbers ---------------------------------------------------------

// Clear of DISPID_VALUE, DISPID_NEWENUM and the other reserved numbers.
static const DISPID FirstMember = 1000;

static std::mutex& memberLock() {
    static std::mutex lock;
    return lock;
}

static std::vector<std::string>& memberNames() {
    static std::vector<std::string> names;
    return names;
}

static DISPID memberNumber(const std::string& name) {
    std::lock_guard<std::mutex> guard(memberLock());
    std::vector<std::string>& names = memberNames();
    for (size_t index = 0; index < names.size(); ++index) {
        if (sameMemberName(names[index].c_str(), name.c_str()))
            return FirstMember + static_cast<DISPID>(index);
    }
    names.push_back(name);
    return FirstMember + static_cast<DISPID>(names.size() - 1);
}

static bool memberName(DISPID member, std::string* name) {
    std::lock_guard<std::mutex> guard(memberLock());
    const std::vector<std::string>& names = memberNames();
    if (member < FirstMember || static_cast<size_t>(member - FirstMember) >= names.size())
        return false;
    *name = names[static_cast<size_t>(member - FirstMember)];
    return true;
}

// --- values -----------------------------------------------------------------

// The model takes text, integers, dates and its own objects; anything else is
// a type mismatch here rather than a silently empty value there.
static HRESULT argumentFromVariant(const VARIANT& given, AutomationValue* value) {
    ScopedVariant plain;
    const VARIANT* variant = &given;
    if (given.vt & VT_BYREF) {
        if (FAILED(VariantCopyInd(plain.get(), const_cast<VARIANT*>(&given))))
            return DISP_E_TYPEMISMATCH;
        variant = &plain.value();
    }
    switch (variant->vt) {
    case VT_EMPTY:
    case VT_NULL: *value = AutomationValue(); return S_OK;
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IUnknown* unknown = variant->vt == VT_DISPATCH ? variant->pdispVal : variant->punkVal;
        if (!unknown) {
            *value = AutomationValue::fromObject(nullptr);
            return S_OK;
        }
        AutomationObjectRef own = DispatchAdapter::unwrap(unknown);
        if (!own)
            return DISP_E_TYPEMISMATCH;
        *value = AutomationValue::fromObject(own);
        return S_OK;
    }
    default: *value = automationValueFromVariant(*variant); return value->isEmpty() ? DISP_E_TYPEMISMATCH : S_OK;
    }
}

static HRESULT resultToVariant(const AutomationValue& value, VARIANT* variant) {
    if (!value.isObject())
        return automationValueToVariant(value, variant);
    IDispatch* dispatch = nullptr;
    if (value.object()) {
        dispatch = DispatchAdapter::create(value.object());
        if (!dispatch)
            return E_OUTOFMEMORY;
    }
    variant->vt = VT_DISPATCH;
    variant->pdispVal = dispatch;
    return S_OK;
}

static bool isMissing(const VARIANT& variant) {
    return variant.vt == VT_ERROR && variant.scode == DISP_E_PARAMNOTFOUND;
}

static void describeException(const std::string& member, EXCEPINFO* exception) {
    std::memset(exception, 0, sizeof *exception);
    exception->scode = E_FAIL;
    std::wstring description = toWideString(ansiToUtf16("The stand-in Outlook could not do " + member + "."));
    exception->bstrSource = SysAllocString(L"Quillset stand-in Outlook");
    exception->bstrDescription = SysAllocString(description.c_str());
}

// --- the adapter ------------------------------------------------------------

DispatchAdapter::DispatchAdapter(AutomationObjectRef object) : object_(std::move(object)) { ++liveAdapters; }

DispatchAdapter::~DispatchAdapter() { --liveAdapters; }

IDispatch* DispatchAdapter::create(AutomationObjectRef object) {
    if (!object)
        return nullptr;
    return new (std::nothrow) DispatchAdapter(std::move(object));
}

AutomationObjectRef DispatchAdapter::unwrap(IUnknown* dispatch) {
    if (!dispatch)
        return nullptr;
    void* found = nullptr;
    if (FAILED(dispatch->QueryInterface(IID_StandInDispatchAdapter, &found)) || !found)
        return nullptr;
    auto* adapter = static_cast<DispatchAdapter*>(found);
    AutomationObjectRef object = adapter->object_;
    adapter->Release();
    return object;
}

long DispatchAdapter::liveCount() { return liveAdapters.load(); }

void DispatchAdapter::countCallsIn(StandInCallCounts* counts) { callCounts.store(counts); }

HRESULT STDMETHODCALLTYPE DispatchAdapter::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_StandInDispatchAdapter)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchAdapter::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE DispatchAdapter::Release() {
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                         DISPID* members) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !members || count == 0 || !names[0])
        return E_INVALIDARG;
    try {
        std::string name = utf16ToAnsi(fromWideString(names[0], std::wcslen(names[0])));
        if (name.empty())
            return DISP_E_UNKNOWNNAME;
        if (!StandInCallCounts::isControlMember(name))
            countCall(StandInCallCounts::IdLookup);
        members[0] = memberNumber(name);
        // No member takes named arguments.
        for (UINT index = 1; index < count; ++index)
            members[index] = DISPID_UNKNOWN;
        return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                                  VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    try {
        return invoke(member, flags, parameters, result, exception, argumentError);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT DispatchAdapter::invoke(DISPID member, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                EXCEPINFO* exception, UINT* argumentError) {
    if (!parameters)
        return E_INVALIDARG;
    const UINT count = parameters->cArgs;
    const UINT named = parameters->cNamedArgs;
    if ((count > 0 && !parameters->rgvarg) || named > count || (named > 0 && !parameters->rgdispidNamedArgs)) {
        return E_INVALIDARG;
    }
    std::string name;
    if (!memberName(member, &name))
        return DISP_E_MEMBERNOTFOUND;
    countCall(name);

    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put) {
        if (named == 0)
            return DISP_E_PARAMNOTOPTIONAL;
        if (named != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_NONAMEDARGS;
    } else {
        if (named != 0)
            return DISP_E_NONAMEDARGS;
        if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)
            return E_INVALIDARG;
    }

    // IDispatch holds the positional arguments last to first, after the named
    // ones; a property put's value (the named one) goes last.
    std::vector<AutomationValue> arguments;
    // Optional arguments left out at the end are dropped, as if never given.
    UINT first = named;
    while (first < count && isMissing(parameters->rgvarg[first]))
        ++first;
    for (UINT index = count; index > first; --index) {
        AutomationValue value;
        HRESULT status = argumentFromVariant(parameters->rgvarg[index - 1], &value);
        if (FAILED(status)) {
            if (argumentError)
                *argumentError = index - 1;
            return status;
        }
        arguments.push_back(std::move(value));
    }
    if (put) {
        AutomationValue value;
        HRESULT status = argumentFromVariant(parameters->rgvarg[0], &value);
        if (FAILED(status)) {
            if (argumentError)
                *argumentError = 0;
            return status;
        }
        arguments.push_back(std::move(value));
    }

    AutomationValue answer;
    int32_t status;
    if (put) {
        status = object_->invoke(name.c_str(), AutomationCallKind::PropertyPut, arguments, &answer);
    } else if (flags & DISPATCH_METHOD) {
        status = object_->invoke(name.c_str(), AutomationCallKind::Method, arguments, &answer);
        if (status == AutomationStatus::MemberNotFound && (flags & DISPATCH_PROPERTYGET)) {
            status = object_->invoke(name.c_str(), AutomationCallKind::PropertyGet, arguments, &answer);
        }
    } else {
        status = object_->invoke(name.c_str(), AutomationCallKind::PropertyGet, arguments, &answer);
    }
    if (FAILED(status)) {
        if (status == DISP_E_EXCEPTION && exception)
            describeException(name, exception);
        return status;
    }
    if (result) {
        VariantInit(result);
        HRESULT converted = resultToVariant(answer, result);
        if (FAILED(converted))
            return converted;
    }
    return status;
}
