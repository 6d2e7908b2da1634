// The program's entry: start-up, the main window, the message loop and the
// release of everything in order.
#include <windows.h>

#include "resources/ResourceIds.h"
#include "ui/Application.h"
#include "ui/MainFrame.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxWindow.h"

namespace {

const int initializeFailed = -1;
const int mainWindowFailed = -2;

int runMessageLoop(HACCEL accelerators)
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The accelerators come first, so F1 and F5 work wherever the focus is.
        if (mainWindowHandle != nullptr && TranslateAcceleratorA(mainWindowHandle, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    setUxInstance(instance);
    // A table from the resources lives as long as the program.
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!initialize()) {
        shutdown();
        return initializeFailed;
    }
    mainFrame = new MainFrame;
    const RECT area = centerRect(nullptr, 800, 600);
    if (!mainFrame->Create(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, &area, " Quillset for Outlook")) {
        // A window that was never made does not own its object.
        delete mainFrame;
        mainFrame = nullptr;
        shutdown();
        return mainWindowFailed;
    }
    const int exitCode = runMessageLoop(accelerators);
    shutdown();
    return exitCode;
}
