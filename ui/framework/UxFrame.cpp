#include "ui/framework/UxFrame.h"

#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxWindowBinding.h"

static const char frameClassName[] = "UxFrame_Class";

bool UxFrame::create(HWND parent, DWORD style, const RECT* rect, const char* title) {
    if (!UxWindowBinding::declareClass(frameClassName, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))))
        return false;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (rect != nullptr) {
        x = rect->left;
        y = rect->top;
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
    }
    HWND window =
        CreateWindowExA(0, frameClassName, title, style, x, y, width, height, parent, nullptr, uxInstance(), this);
    if (window == nullptr)
        return false;
    ownedByWindow_ = true;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void UxFrame::OnPaint(HDC context) {
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(context, &client, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT UxFrame::OnNcHitTest(POINT at) {
    // The message carries nothing in its wParam.
    return DefWindowProcA(handle(), WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
}

bool UxFrame::dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_DESTROY: OnDestroy(); return false;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return false;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC context = BeginPaint(handle(), &paint);
        OnPaint(context);
        EndPaint(handle(), &paint);
        *result = 0;
        return true;
    }
    case WM_CLOSE: *result = 0; return OnClose() == CloseAnswer::KeepOpen;
    case WM_GETMINMAXINFO:
        if (lParam != 0)
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return false;
    case WM_NOTIFY:
        if (lParam != 0)
            OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        return false;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam)); return false;
    case WM_NCHITTEST: *result = OnNcHitTest(pointOf(lParam)); return true;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return false;
    case WM_TIMER: *result = 0; return OnTimer(wParam) == TimerAnswer::Answered;
    case WM_MOUSEMOVE: OnMouseMove(pointOf(lParam), static_cast<UINT>(wParam)); return false;
    case WM_LBUTTONDOWN: OnLButtonDown(pointOf(lParam), static_cast<UINT>(wParam)); return false;
    case WM_LBUTTONUP: OnLButtonUp(pointOf(lParam), static_cast<UINT>(wParam)); return false;
    case WM_RBUTTONDOWN: OnRButtonDown(pointOf(lParam), static_cast<UINT>(wParam)); return false;
    case WM_RBUTTONUP: OnRButtonUp(pointOf(lParam), static_cast<UINT>(wParam)); return false;
    case WM_NCDESTROY: OnNcDestroy(); return false;
    default: return false;
    }
}

LRESULT UxFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle();
    if (message == WM_CREATE)
        return OnCreate() ? DefWindowProcA(window, message, wParam, lParam) : -1;
    LRESULT result = 0;
    // The default handling counts too: closing runs the destruction inside it.
    if (!dispatch(message, wParam, lParam, &result))
        result = DefWindowProcA(window, message, wParam, lParam);
    return result;
}

void UxFrame::afterLastMessage() {
    if (ownedByWindow_)
        delete this;
}
