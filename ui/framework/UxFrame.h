#pragma once
#include "ui/framework/UxWindow.h"

// A top-level window of class "UxFrame_Class". Once its creation succeeds
// the window owns the object: it is deleted after the last message of its
// window has returned, never while one of its handlers is still running (a
// handler that destroys its own window finishes on a live object). A failed
// creation leaves the object with its caller.
class UxFrame : public UxWindow {
public:
    ~UxFrame() override = default;

    // True when a window exists afterwards; it is then shown and updated.
    virtual bool create(HWND parent, DWORD style, const RECT* rect, const char* title);

    virtual LRESULT OnCreate(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnRButtonDown(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam) { return 0; }
    // Fills the client area with the button face.
    virtual LRESULT OnPaint(HDC context);
    virtual LRESULT OnSize(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) { return 0; }
    // Answered directly.
    virtual LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    // 0 is answered directly; anything else gets the default handling.
    virtual LRESULT OnTimer(WPARAM wParam, LPARAM lParam) { return 1; }
    virtual LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnDestroy(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam) { return 0; }
    // 0 keeps the window open.
    virtual LRESULT OnClose(WPARAM wParam, LPARAM lParam) { return 1; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void afterLastMessage() override;

private:
    // Whether the message's answer is the handler's own result.
    bool dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    bool ownedByWindow_ = false;
};
