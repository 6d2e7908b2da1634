#pragma once
#include <windows.h>

// The base of every window object: the handle of the window it is bound to
// (null until then).
class UxWindow {
public:
    UxWindow() = default;
    virtual ~UxWindow() = default;
    UxWindow(const UxWindow&) = delete;
    UxWindow& operator=(const UxWindow&) = delete;

    HWND handle() const { return handle_; }
    // MoveWindow to the rectangle; nothing without one.
    void moveTo(const RECT* rect, bool repaint);

protected:
    void setHandle(HWND window) { handle_ = window; }

private:
    HWND handle_ = nullptr;

    friend class UxWindowBinding;
};

// The program instance every window and resource comes from.
HINSTANCE uxInstance();
void setUxInstance(HINSTANCE instance);
