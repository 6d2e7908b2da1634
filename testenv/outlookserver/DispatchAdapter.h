#pragma once
#include <windows.h>
#include <ole2.h>

#include <atomic>

#include "outlook/AutomationObject.h"

class StandInCallCounts;

// Asked of an IDispatch to learn whether it is one of ours, so an object
// handed back as an argument reaches the model as the object it wraps.
// {838D27AC-50F1-444B-B11F-C0382108277B}
extern const IID IID_StandInDispatchAdapter;

// IDispatch over an AutomationObject, without a type library: the reverse of
// outlook/win32/DispatchObject. GetIDsOfNames numbers each name it is asked
// for (numbers shared by every object, as a type library's are, and names
// compared without case); Invoke converts the arguments and calls the member
// by name, so an unknown name fails at Invoke with the model's own status.
// Every object in a result is wrapped in a new adapter. No C++ exception
// leaves a COM method.
class DispatchAdapter final : public IDispatch {
public:
    // A new adapter with one reference, or null for a null object or when
    // memory runs out.
    static IDispatch* create(AutomationObjectRef object);

    // The wrapped object when `dispatch` is one of these adapters, else null.
    static AutomationObjectRef unwrap(IUnknown* dispatch);

    // Adapters alive in this process (DllCanUnloadNow).
    static long liveCount();

    // From now on every GetIDsOfNames and Invoke that reaches an adapter is
    // counted there; null: none. The counts must outlive the adapters.
    static void countCallsIn(StandInCallCounts* counts);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* members) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    explicit DispatchAdapter(AutomationObjectRef object);
    ~DispatchAdapter();
    DispatchAdapter(const DispatchAdapter&) = delete;
    DispatchAdapter& operator=(const DispatchAdapter&) = delete;
    HRESULT invoke(DISPID member, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                   UINT* argumentError);

    std::atomic<ULONG> references_{1};
    AutomationObjectRef object_;
};
