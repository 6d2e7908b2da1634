#pragma once
#ifdef _WIN32
#include <windows.h>
#include <ole2.h>

#include <memory>
#include <string>

#include "outlook/AutomationObject.h"
#include "outlook/MemberIdCache.h"
#include "outlook/win32/ComPtr.h"

// An AutomationObject over a real IDispatch: members are looked up by name
// (GetIDsOfNames, user default locale) and called through Invoke (system
// default locale). Holds one reference, released when the last
// AutomationObjectRef to it goes. Once its kind is set, a member number is
// taken from the cache it shares with every object reached from the same
// root (a fresh cache for a root wrapped anew).
class DispatchObject : public AutomationObject {
public:
    // Takes a reference of its own; none for a null interface.
    static AutomationObjectRef wrap(IDispatch* dispatch);

    int32_t invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

    void setMemberKind(const char* kind) override { kind_ = kind ? kind : ""; }

    IDispatch* dispatch() const { return dispatch_.get(); }

private:
    explicit DispatchObject(ComPtr<IDispatch> dispatch)
        : dispatch_(std::move(dispatch)), members_(std::make_shared<MemberIdCache>()) {}
    int32_t lookUpMember(const char* name, DISPID* member);
    // Objects in a result share this object's cache.
    void shareCacheWith(const AutomationValue& value) const;

    ComPtr<IDispatch> dispatch_;
    std::shared_ptr<MemberIdCache> members_;
    std::string kind_;
};
#endif
