#pragma once
#ifdef _WIN32
#include <windows.h>
#include <ole2.h>

#include "outlook/AutomationObject.h"
#include "outlook/win32/ComPtr.h"

// An AutomationObject over a real IDispatch: members are looked up by name
// (GetIDsOfNames, user default locale) and called through Invoke (system
// default locale). Holds one reference, released when the last
// AutomationObjectRef to it goes.
class DispatchObject : public AutomationObject {
public:
    // Takes a reference of its own; none for a null interface.
    static AutomationObjectRef wrap(IDispatch* dispatch);

    int32_t invoke(const char* name, AutomationCallKind kind,
                   const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

    IDispatch* dispatch() const { return dispatch_.get(); }

private:
    explicit DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}
    int32_t lookUpMember(const char* name, DISPID* member);

    ComPtr<IDispatch> dispatch_;
};
#endif
