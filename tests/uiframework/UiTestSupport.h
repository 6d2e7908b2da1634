#pragma once
#include <windows.h>

// Helpers for the tests that create real windows.

// Registers the common controls once (list view, status bar, tooltip).
void ensureCommonControls();

// Dispatches every message waiting for this thread.
void pumpMessages();

// Pumps until done() is true or timeoutMs passes; true when done() was met.
template <typename Condition>
bool pumpUntil(Condition done, DWORD timeoutMs = 2000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        pumpMessages();
        Sleep(5);
    }
    return true;
}

// A plain top-level window of a test class of its own, for controls to live
// in; destroyed with the object.
class TestHostWindow {
public:
    explicit TestHostWindow(int width = 640, int height = 480);
    ~TestHostWindow();
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};
