#include "outlook/win32/DispatchObject.h"

#include "outlook/AutomationStatus.h"
#include "outlook/win32/ScopedVariant.h"
#include "outlook/win32/VariantConversion.h"
#include "platform/TextCodec.h"

static const LCID NameLookupLocale = 0x0400;  // LOCALE_USER_DEFAULT
static const LCID InvokeLocale = 0x0800;      // LOCALE_SYSTEM_DEFAULT

AutomationObjectRef DispatchObject::wrap(IDispatch* dispatch) {
    if (!dispatch)
        return nullptr;
    return AutomationObjectRef(new DispatchObject(ComPtr<IDispatch>::borrow(dispatch)));
}

int32_t DispatchObject::lookUpMember(const char* name, DISPID* member) {
    int32_t cached = DISPID_UNKNOWN;
    if (members_->find(kind_, name, &cached)) {
        *member = cached;
        return S_OK;
    }
    std::wstring wideName = toWideString(ansiToUtf16(name));
    LPOLESTR names[1] = {&wideName[0]};
    HRESULT status = dispatch_->GetIDsOfNames(IID_NULL, names, 1, NameLookupLocale, member);
    if (SUCCEEDED(status))
        members_->store(kind_, name, *member);
    return status;
}

void DispatchObject::shareCacheWith(const AutomationValue& value) const {
    if (!value.isObject())
        return;
    if (auto* adapter = dynamic_cast<DispatchObject*>(value.object().get()))
        adapter->members_ = members_;
}

int32_t DispatchObject::invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                               AutomationValue* result) {
    if (result)
        result->clear();
    if (!name || !dispatch_)
        return AutomationStatus::InvalidArgument;
    DISPID member = DISPID_UNKNOWN;
    HRESULT status = lookUpMember(name, &member);
    if (FAILED(status))
        return status;

    // IDispatch takes its arguments last to first.
    VariantArray variants(arguments.size());
    for (size_t index = 0; index < arguments.size(); ++index) {
        status = automationValueToVariant(arguments[index], &variants[arguments.size() - 1 - index]);
        if (FAILED(status))
            return status;
    }
    DISPID propertyPut = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {};
    parameters.rgvarg = variants.data();
    parameters.cArgs = static_cast<UINT>(variants.size());
    if (kind == AutomationCallKind::PropertyPut) {
        parameters.rgdispidNamedArgs = &propertyPut;
        parameters.cNamedArgs = 1;
    }

    ScopedVariant answer;
    status = dispatch_->Invoke(member, IID_NULL, InvokeLocale, static_cast<WORD>(kind), &parameters, answer.get(),
                               nullptr, nullptr);
    if (SUCCEEDED(status) && result) {
        *result = automationValueFromVariant(answer.value());
        shareCacheWith(*result);
    }
    return status;
}
