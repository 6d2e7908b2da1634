#pragma once
#include "ui/framework/UxWindow.h"

// A child window of class "UxChild_Class" that paints everything itself.
// Its owner creates and deletes the object; the window never deletes it.
class UxChild : public UxWindow {
public:
    ~UxChild() override;

    // True when a window exists afterwards.
    virtual bool create(HWND parent, const RECT* rect, DWORD style, DWORD extendedStyle);

    // -1 aborts the window's creation.
    virtual LRESULT OnCreate(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnRButtonDown(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnPaint(HDC context) { return 0; }
    virtual LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnSize(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnDestroy(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam) { return 0; }
    // The answer goes back to the control directly.
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnHScroll(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnVScroll(WPARAM wParam, LPARAM lParam) { return 0; }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};
