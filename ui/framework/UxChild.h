#pragma once
#include "ui/framework/UxWindow.h"

// A child window of class "UxChild_Class" that paints everything itself.
// Its owner creates and deletes the object; the window never deletes it.
//
// The handlers get the message's arguments decoded; after those that return
// nothing, the message gets the default handling as well.
class UxChild : public UxWindow {
public:
    ~UxChild() override;

    // True when a window exists afterwards.
    virtual bool create(HWND parent, const RECT* rect, DWORD style, DWORD extendedStyle);

    // False aborts the window's creation.
    virtual bool OnCreate() { return true; }
    // Positions in client coordinates; keys are the MK_ flags.
    virtual void OnMouseMove(POINT at, UINT keys) {}
    virtual void OnLButtonDown(POINT at, UINT keys) {}
    virtual void OnLButtonUp(POINT at, UINT keys) {}
    virtual void OnRButtonDown(POINT at, UINT keys) {}
    virtual void OnRButtonUp(POINT at, UINT keys) {}
    virtual void OnPaint(HDC context) {}
    virtual void OnDrawItem(const DRAWITEMSTRUCT& item) {}
    virtual void OnSize(int width, int height) {}
    virtual void OnDestroy() {}
    virtual void OnCommand(int id, int code, HWND control) {}
    // The answer goes back to the control directly; the default one here.
    virtual LRESULT OnNotify(NMHDR& header);
    // The scroll bar's request (SB_ code), the thumb position and the bar
    // control (null for the window's own bars).
    virtual void OnHScroll(int request, int position, HWND bar) {}
    virtual void OnVScroll(int request, int position, HWND bar) {}

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};
