#include "ui/framework/UxFrame.h"

#include "ui/framework/UxWindowBinding.h"

static const char frameClassName[] = "UxFrame_Class";

bool UxFrame::create(HWND parent, DWORD style, const RECT* rect, const char* title)
{
    if (!UxWindowBinding::declareClass(frameClassName, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))))
        return false;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (rect != nullptr) {
        x = rect->left;
        y = rect->top;
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
    }
    HWND window = CreateWindowExA(0, frameClassName, title, style, x, y, width, height, parent, nullptr, uxInstance(), this);
    if (window == nullptr)
        return false;
    ownedByWindow_ = true;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

LRESULT UxFrame::OnPaint(HDC context)
{
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(context, &client, GetSysColorBrush(COLOR_BTNFACE));
    return 0;
}

LRESULT UxFrame::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(handle(), WM_NCHITTEST, wParam, lParam);
}

bool UxFrame::dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_DESTROY: OnDestroy(wParam, lParam); return false;
    case WM_SIZE: OnSize(wParam, lParam); return false;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC context = BeginPaint(handle(), &paint);
        OnPaint(context);
        EndPaint(handle(), &paint);
        *result = 0;
        return true;
    }
    case WM_CLOSE:
        *result = 0;
        return OnClose(wParam, lParam) == 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(wParam, lParam); return false;
    case WM_NOTIFY: OnNotify(wParam, lParam); return false;
    case WM_INITMENUPOPUP: OnInitMenuPopup(wParam, lParam); return false;
    case WM_NCHITTEST: *result = OnNcHitTest(wParam, lParam); return true;
    case WM_COMMAND: OnCommand(wParam, lParam); return false;
    case WM_TIMER:
        *result = 0;
        return OnTimer(wParam, lParam) == 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return false;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return false;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return false;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return false;
    case WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return false;
    case WM_NCDESTROY: OnNcDestroy(wParam, lParam); return false;
    default: return false;
    }
}

LRESULT UxFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = handle();
    if (message == WM_CREATE)
        return OnCreate(wParam, lParam) == -1 ? -1 : DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    // The default handling counts too: closing runs the destruction inside it.
    if (!dispatch(message, wParam, lParam, &result))
        result = DefWindowProcA(window, message, wParam, lParam);
    return result;
}

void UxFrame::afterLastMessage()
{
    if (ownedByWindow_)
        delete this;
}
