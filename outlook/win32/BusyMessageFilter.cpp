#include "outlook/win32/BusyMessageFilter.h"

#include "outlook/BusyRetry.h"

BusyMessageFilter::BusyMessageFilter() { registered_ = SUCCEEDED(CoRegisterMessageFilter(this, &previous_)); }

BusyMessageFilter::~BusyMessageFilter() {
    if (!registered_)
        return;
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previous_, &ours);
    if (previous_ != nullptr)
        previous_->Release();
}

HRESULT STDMETHODCALLTYPE BusyMessageFilter::QueryInterface(REFIID id, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IMessageFilter)) {
        *object = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

DWORD STDMETHODCALLTYPE BusyMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
    return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE BusyMessageFilter::RetryRejectedCall(HTASK, DWORD tickCount, DWORD) {
    return static_cast<DWORD>(rejectedCallRetryDelay(tickCount));
}

DWORD STDMETHODCALLTYPE BusyMessageFilter::MessagePending(HTASK, DWORD, DWORD) {
    // Paint and sent messages go on; input waits for the call's end.
    return PENDINGMSG_WAITDEFPROCESS;
}
