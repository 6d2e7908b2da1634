#include "ui/framework/UxChild.h"

#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxWindowBinding.h"

static const char childClassName[] = "UxChild_Class";

UxChild::~UxChild() {
    // The window may outlive its object only unbound: its messages then get
    // the default handling.
    if (handle() != nullptr) {
        UxWindowBinding::unbind(handle(), this);
    }
}

bool UxChild::create(HWND parent, const RECT* rect, DWORD style, DWORD extendedStyle) {
    if (!UxWindowBinding::declareClass(childClassName, nullptr))
        return false;
    const RECT zero = {0, 0, 0, 0};
    const RECT& area = rect != nullptr ? *rect : zero;
    HWND window = CreateWindowExA(extendedStyle, childClassName, "", style | WS_CHILD, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, parent, nullptr, uxInstance(), this);
    return window != nullptr;
}

LRESULT UxChild::OnNotify(NMHDR& header) {
    return DefWindowProcA(handle(), WM_NOTIFY, static_cast<WPARAM>(header.idFrom), reinterpret_cast<LPARAM>(&header));
}

void UxChild::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: OnDestroy(); break;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC context = BeginPaint(handle(), &paint);
        OnPaint(context);
        EndPaint(handle(), &paint);
        break;
    }
    case WM_DRAWITEM:
        if (lParam != 0)
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case WM_MOUSEMOVE: OnMouseMove(pointOf(lParam), static_cast<UINT>(wParam)); break;
    case WM_LBUTTONDOWN: OnLButtonDown(pointOf(lParam), static_cast<UINT>(wParam)); break;
    case WM_LBUTTONUP: OnLButtonUp(pointOf(lParam), static_cast<UINT>(wParam)); break;
    case WM_RBUTTONDOWN: OnRButtonDown(pointOf(lParam), static_cast<UINT>(wParam)); break;
    case WM_RBUTTONUP: OnRButtonUp(pointOf(lParam), static_cast<UINT>(wParam)); break;
    default: break;
    }
}

LRESULT UxChild::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle();
    if (message == WM_CREATE)
        return OnCreate() ? DefWindowProcA(window, message, wParam, lParam) : -1;
    if (message == WM_NOTIFY && lParam != 0)
        return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    dispatch(message, wParam, lParam);
    // Painted windows have validated their area; the rest is the default.
    if (message == WM_PAINT)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}
