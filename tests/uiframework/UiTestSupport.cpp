#include "tests/uiframework/UiTestSupport.h"

#include <commctrl.h>

void ensureCommonControls() {
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    done = true;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {

const char hostClassName[] = "QuillsetTestHost";

const char* hostClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = hostClassName;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return hostClassName;
}

}  // namespace

TestHostWindow::TestHostWindow(int width, int height) {
    ensureCommonControls();
    window_ = CreateWindowExA(0, hostClass(), "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestHostWindow::~TestHostWindow() {
    if (window_ != nullptr && IsWindow(window_))
        DestroyWindow(window_);
    pumpMessages();
}
