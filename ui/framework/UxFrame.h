#pragma once
#include "ui/framework/UxWindow.h"

// A top-level window of class "UxFrame_Class". Once its creation succeeds
// the window owns the object: it is deleted after the last message of its
// window has returned, never while one of its handlers is still running (a
// handler that destroys its own window finishes on a live object). A failed
// creation leaves the object with its caller.
//
// The handlers get the message's arguments decoded; after those that return
// nothing, the message gets the default handling as well.
class UxFrame : public UxWindow {
public:
    enum class CloseAnswer { Close, KeepOpen };
    enum class TimerAnswer { Answered, DefaultHandling };

    ~UxFrame() override = default;

    // True when a window exists afterwards; it is then shown and updated.
    virtual bool create(HWND parent, DWORD style, const RECT* rect, const char* title);

    // False aborts the window's creation.
    virtual bool OnCreate() { return true; }
    virtual void OnCommand(int id, int code, HWND control) {}
    // Positions in client coordinates; keys are the MK_ flags.
    virtual void OnMouseMove(POINT at, UINT keys) {}
    virtual void OnLButtonDown(POINT at, UINT keys) {}
    virtual void OnLButtonUp(POINT at, UINT keys) {}
    virtual void OnRButtonDown(POINT at, UINT keys) {}
    virtual void OnRButtonUp(POINT at, UINT keys) {}
    // Fills the client area with the button face.
    virtual void OnPaint(HDC context);
    virtual void OnSize(int width, int height) {}
    virtual void OnGetMinMaxInfo(MINMAXINFO& limits) {}
    // The hit-test code, in screen coordinates; the default one here.
    virtual LRESULT OnNcHitTest(POINT at);
    virtual TimerAnswer OnTimer(UINT_PTR id) { return TimerAnswer::DefaultHandling; }
    virtual void OnNcDestroy() {}
    virtual void OnDestroy() {}
    virtual void OnNotify(NMHDR& header) {}
    virtual void OnInitMenuPopup(HMENU menu, int index) {}
    // Close lets the default handling destroy the window.
    virtual CloseAnswer OnClose() { return CloseAnswer::Close; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void afterLastMessage() override;

private:
    // Whether the message's answer is the handler's own result.
    bool dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    bool ownedByWindow_ = false;
};
