// The stand-in Outlook as a local server, a process of its own as the real
// one is: one stand-in shared by every client (REGCLS_MULTIPLEUSE), IDispatch
// marshaled by the system's standard proxy, so every call is a round trip.
// It can play busy (every call refused for a while), quit as a crash would,
// and counts the calls it receives (StandInCallCounts), written to the
// CallsFile switch's file now and then, on request and at its end. It ends
// a little after its last client let go.
#include <windows.h>
#include <ole2.h>

#include <memory>
#include <new>
#include <string>

#include "testenv/fakeoutlook/StandInCallCounts.h"
#include "testenv/fakeoutlook/StandInControl.h"
#include "testenv/fakeoutlook/StandInOutlook.h"
#include "testenv/outlookserver/DispatchAdapter.h"
#include "testenv/outlookserver/ServerSwitches.h"
#include "testenv/outlookserver/StandInClass.h"

namespace {

const UINT_PTR HousekeepingTimer = 1;
const UINT HousekeepingInterval = 200;
// Before the first client arrives COM may still be starting it.
const DWORD FirstClientWait = 20000;
const DWORD LingerAfterLastClient = 1000;
const UINT QuitMessage = WM_APP + 1;

struct ServerState {
    StandInCallCounts counts;
    std::string callsFile;
    std::shared_ptr<StandInOutlook> outlook;
    AutomationObjectRef application;
    DWORD busyUntil = 0;
    DWORD classCookie = 0;
    bool busy = false;
    DWORD mainThread = 0;
    volatile DWORD* lastCall = nullptr;
};

ServerState* state = nullptr;

bool writeCalls(std::string* problem) {
    if (state->callsFile.empty()) {
        *problem = "no calls file is set";
        return false;
    }
    if (!state->counts.write(state->callsFile, problem)) {
        tellFromStandIn(*problem);
        return false;
    }
    return true;
}

void writeCallsIfChanged() {
    std::string problem;
    if (!state->callsFile.empty() && state->counts.changed())
        writeCalls(&problem);
}

bool isBusy() {
    if (!state->busy)
        return false;
    if (static_cast<LONG>(GetTickCount() - state->busyUntil) >= 0)
        state->busy = false;
    return state->busy;
}

class BusyFilter final : public IMessageFilter {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
            *out = static_cast<IMessageFilter*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // Wine runs a call answered SERVERCALL_RETRYLATER anyway; a rejected one
    // reaches the caller as RPC_E_CALL_REJECTED.
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
        if (!isBusy())
            return SERVERCALL_ISHANDLED;
        state->counts.count(StandInCallCounts::Rejected);
        return SERVERCALL_REJECTED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

class ApplicationFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the process; the linger below decides its end.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IDispatch* application = DispatchAdapter::create(state->application);
        if (!application)
            return E_OUTOFMEMORY;
        HRESULT status = application->QueryInterface(iid, out);
        application->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

bool openStandIn() {
    StandInSettings settings;
    std::string problem;
    if (!readStandInSettings(lookUpStandInSwitch, &settings, &problem)) {
        tellFromStandIn(problem);
        return false;
    }
    settings.report = tellFromStandIn;
    state->callsFile = settings.callsFile;
    state->outlook = StandInOutlook::open(settings, &problem);
    if (!state->outlook) {
        tellFromStandIn(problem);
        return false;
    }
    StandInServerHooks hooks;
    hooks.beBusy = [](int seconds) {
        state->busyUntil = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
        state->busy = seconds > 0;
    };
    // After the answer to this call has gone out.
    hooks.quit = [] { PostThreadMessageA(state->mainThread, QuitMessage, 0, 0); };
    hooks.writeCalls = writeCalls;
    state->application = std::make_shared<StandInControl>(state->outlook, hooks);
    return true;
}

// Serves until the last client let go (and a little after) or a quit.
void serve() {
    SetTimer(nullptr, HousekeepingTimer, HousekeepingInterval, nullptr);
    const DWORD started = GetTickCount();
    DWORD lastClientSeen = 0;
    bool hadClient = false;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == QuitMessage) {
            writeCallsIfChanged();
            Sleep(50);
            // Windows forgets the class of a server whose process died, so
            // the next client starts a new one; Wine keeps it and answers
            // RPC_S_SERVER_UNAVAILABLE for good. Only the class goes, so
            // the clients' objects still die with the process.
            CoRevokeClassObject(state->classCookie);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        if (message.hwnd == nullptr && message.message == WM_TIMER) {
            writeCallsIfChanged();
            const DWORD now = GetTickCount();
            if (DispatchAdapter::liveCount() > 0) {
                hadClient = true;
                lastClientSeen = now;
            } else if (hadClient ? now - lastClientSeen >= LingerAfterLastClient : now - started >= FirstClientWait) {
                return;
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ServerState serverState;
    state = &serverState;
    serverState.mainThread = GetCurrentThreadId();
    // The thread's message queue, before anyone posts to it.
    MSG peek;
    PeekMessageA(&peek, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    int exitCode = 0;
    if (!openStandIn()) {
        exitCode = 1;
    } else {
        HANDLE activity =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD), StandInActivityName);
        void* view = activity ? MapViewOfFile(activity, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)) : nullptr;
        if (view) {
            serverState.lastCall = static_cast<volatile DWORD*>(view);
            *serverState.lastCall = GetTickCount();
            serverState.counts.observe([] { *state->lastCall = GetTickCount(); });
        }
        DispatchAdapter::countCallsIn(&serverState.counts);
        BusyFilter filter;
        IMessageFilter* previous = nullptr;
        CoRegisterMessageFilter(&filter, &previous);
        ApplicationFactory factory;
        DWORD cookie = 0;
        HRESULT status =
            CoRegisterClassObject(CLSID_StandInOutlook, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie);
        serverState.classCookie = cookie;
        if (FAILED(status)) {
            tellFromStandIn("the class could not be registered");
            exitCode = 1;
        } else {
            serve();
            CoRevokeClassObject(cookie);
        }
        CoRegisterMessageFilter(nullptr, nullptr);
        std::string problem;
        if (!serverState.callsFile.empty())
            writeCalls(&problem);
        DispatchAdapter::countCallsIn(nullptr);
        serverState.counts.observe(nullptr);
        if (view)
            UnmapViewOfFile(view);
        if (activity)
            CloseHandle(activity);
    }
    serverState.application.reset();
    serverState.outlook.reset();
    CoUninitialize();
    state = nullptr;
    return exitCode;
}
