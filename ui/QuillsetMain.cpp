// The program's entry: start-up, the main window, the message loop and the
// release of everything in order.
#include <windows.h>

#include <utility>

#include "resources/ResourceIds.h"
#include "ui/Application.h"
#include "ui/MainFrame.h"
#include "ui/UnattendedMain.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxWindow.h"

namespace {

const int initializeFailed = -1;
const int mainWindowFailed = -2;

int runMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The accelerators come first, so F1 and F5 work wherever the focus is.
        if (IsWindow(mainWindow) && TranslateAcceleratorA(mainWindow, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    setUxInstance(instance);
    int unattendedExit = 0;
    if (runFromCommandLine(&unattendedExit))
        return unattendedExit;
    // A table from the resources lives as long as the program.
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!initialize()) {
        shutdown();
        return initializeFailed;
    }
    PalmUserList users;
    loadPalmUsers(users);
    MainFrame* frame = new MainFrame(std::move(users));
    const RECT area = centerRect(nullptr, 800, 600);
    if (!frame->create(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, &area, " Quillset for Outlook")) {
        // A window that was never made does not own its object.
        delete frame;
        shutdown();
        return mainWindowFailed;
    }
    // From here the window owns the frame; its handle outlives it only as a
    // value that IsWindow answers for.
    const int exitCode = runMessageLoop(frame->handle(), accelerators);
    shutdown();
    return exitCode;
}
