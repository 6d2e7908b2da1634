#include "ui/Application.h"

#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "outlook/BusyRetry.h"
#include "outlook/win32/BusyMessageFilter.h"
#include "palm/PalmDesktopInstallation.h"
#include "platform/DynamicLibrary.h"
#include "ui/framework/UxDrawing.h"
#include "ui/framework/UxHandles.h"
#include "ui/framework/UxSharedFonts.h"

namespace {

const char versionMessage[] =
    "Quillset requires Palm Desktop 3.5 or higher, which can not be found on your system. Please contact "
    "support@quillset.example.";
const char noUsersMessage[] = "Can not find any Palm users in your Palm Desktop environment.";

struct StartedServices {
    bool com = false;
    std::unique_ptr<BusyMessageFilter> busyFilter;
    HCURSOR cursorBeforeBusy = nullptr;
    UxFont normal;
    UxFont bold;
};

StartedServices& services() {
    static StartedServices started;
    return started;
}

// MAPI is reached at run time: a machine without it still runs the program.
struct MapiInit {
    ULONG version;
    ULONG flags;
};
using MapiInitializeFunction = HRESULT(WINAPI*)(void*);
using MapiUninitializeFunction = void(WINAPI*)(void);

DynamicLibrary& mapiLibrary() {
    static DynamicLibrary library;
    return library;
}

void initializeMapi() {
    DynamicLibrary& library = mapiLibrary();
    if (!library.load("mapi32.dll"))
        return;
    auto initializeFunction = reinterpret_cast<MapiInitializeFunction>(library.entryPoint("MAPIInitialize"));
    if (initializeFunction == nullptr)
        return;
    const HRESULT unknownFlags = static_cast<HRESULT>(0x80040106);
    // Multithreaded notifications without MAPI's own COM start, then without
    // that flag where it is unknown, then the defaults. Start-up goes on
    // whatever MAPI answers.
    MapiInit init = {0, 9};
    HRESULT result = initializeFunction(&init);
    if (result == unknownFlags) {
        init.flags = 1;
        result = initializeFunction(&init);
    }
    if (FAILED(result))
        initializeFunction(nullptr);
}

// The wait cursor while a call waits for a busy Outlook; the cursor before
// it comes back after.
void showBusyWait(bool waiting) {
    if (waiting)
        services().cursorBeforeBusy = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    else
        SetCursor(services().cursorBeforeBusy);
}

void uninitializeMapi() {
    DynamicLibrary& library = mapiLibrary();
    auto uninitializeFunction = reinterpret_cast<MapiUninitializeFunction>(library.entryPoint("MAPIUninitialize"));
    if (uninitializeFunction != nullptr)
        uninitializeFunction();
    library.release();
}

// A start-up message: in a box, or where a run without a window keeps it.
void tellAtStart(const char* text, UINT icon, std::string* refusal) {
    if (refusal != nullptr)
        *refusal = text;
    else
        MessageBoxA(nullptr, text, "Error", MB_OK | icon);
}

}  // namespace

bool initialize(std::string* refusal) {
    INITCOMMONCONTROLSEX controls = {8, 0xFF};
    if (!InitCommonControlsEx(&controls))
        return false;
    if (CoInitialize(nullptr) != S_OK)
        return false;
    services().com = true;
    services().busyFilter.reset(new BusyMessageFilter());
    setBusyWaitListener(showBusyWait);
    initializeMapi();

    if (getPalmDesktopVersion() < MinimumPalmDesktopVersion) {
        tellAtStart(versionMessage, MB_ICONINFORMATION, refusal);
        return false;
    }
    loadPalmLibraries(kAllPalmLibraries);

    services().normal.reset(uxCreateFont("Verdana", -11, FW_NORMAL));
    services().bold.reset(uxCreateFont("Verdana", -11, FW_BOLD));
    normalFont = services().normal.get();
    boldFont = services().bold.get();
    return true;
}

bool loadPalmUsers(PalmUserList& users, std::string* refusal) {
    if (readPalmUsers(&users) < 0) {
        tellAtStart(noUsersMessage, MB_ICONERROR, refusal);
        return false;
    }
    return true;
}

void shutdown() {
    unloadPalmLibraries(kAllPalmLibraries);
    uninitializeMapi();
    setBusyWaitListener(nullptr);
    if (services().com) {
        services().busyFilter.reset();
        CoUninitialize();
        services().com = false;
    }
    normalFont = nullptr;
    boldFont = nullptr;
    services().normal.reset();
    services().bold.reset();
    releaseDrawingResources();
}
