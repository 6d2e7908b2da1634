#pragma once
#include <windows.h>
#include <ole2.h>

// While a call to Outlook waits, COM asks this filter what to do with a call
// Outlook rejected: it is made again after a moment, for as long as
// rejectedCallRetryDelay allows, before it fails. Registered for the
// thread's apartment from construction to destruction.
class BusyMessageFilter final : public IMessageFilter {
public:
    BusyMessageFilter();
    ~BusyMessageFilter();
    BusyMessageFilter(const BusyMessageFilter&) = delete;
    BusyMessageFilter& operator=(const BusyMessageFilter&) = delete;

    bool registered() const { return registered_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    // Lives as long as its owner, whatever COM counts.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

private:
    IMessageFilter* previous_ = nullptr;
    bool registered_ = false;
};
