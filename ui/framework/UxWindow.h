#pragma once
#include <windows.h>

// The base of every window object but the dialogs: the handle of the window
// it is bound to (null until then). The framework's one window procedure
// binds the object named in the creation data at WM_NCCREATE, hands it every
// message up to and including WM_NCDESTROY, and unbinds it there.
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
    // One message of a window of the framework's classes; the answer goes
    // back to the sender. Controls and dialogs have procedures of their own.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone and the last of its messages has returned:
    // an object the window owns deletes itself here.
    virtual void afterLastMessage() {}

private:
    HWND handle_ = nullptr;
    int runningHandlers_ = 0;
    bool windowGone_ = false;

    friend class UxWindowBinding;
};

// The program instance every window and resource comes from.
HINSTANCE uxInstance();
void setUxInstance(HINSTANCE instance);
