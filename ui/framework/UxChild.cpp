#include "ui/framework/UxChild.h"

#include "ui/framework/UxWindowBinding.h"

static const char childClassName[] = "UxChild_Class";

UxChild::~UxChild()
{
    // The window may outlive its object only unbound: its messages then get
    // the default handling.
    if (handle() != nullptr) {
        UxWindowBinding::unbind(handle(), this);
    }
}

bool UxChild::create(HWND parent, const RECT* rect, DWORD style, DWORD extendedStyle)
{
    if (!UxWindowBinding::declareClass(childClassName, nullptr))
        return false;
    const RECT zero = {0, 0, 0, 0};
    const RECT& area = rect != nullptr ? *rect : zero;
    HWND window = CreateWindowExA(extendedStyle, childClassName, "", style | WS_CHILD, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, parent, nullptr, uxInstance(), this);
    return window != nullptr;
}

LRESULT UxChild::OnNotify(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(handle(), WM_NOTIFY, wParam, lParam);
}

LRESULT UxChild::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: return OnDestroy(wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC context = BeginPaint(handle(), &paint);
        OnPaint(context);
        EndPaint(handle(), &paint);
        return 0;
    }
    case WM_DRAWITEM: return OnDrawItem(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_HSCROLL: return OnHScroll(wParam, lParam);
    case WM_VSCROLL: return OnVScroll(wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(wParam, lParam);
    case WM_RBUTTONDOWN: return OnRButtonDown(wParam, lParam);
    case WM_RBUTTONUP: return OnRButtonUp(wParam, lParam);
    default: return 0;
    }
}

LRESULT UxChild::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = handle();
    if (message == WM_CREATE)
        return OnCreate(wParam, lParam) == -1 ? -1 : DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam);
    dispatch(message, wParam, lParam);
    // Painted windows have validated their area; the rest is the default.
    if (message == WM_PAINT)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
