#include "ui/SplashWindow.h"

#include "resources/ResourceIds.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxWindow.h"

static const char splashClassName[] = "QSInitClass";

SplashWindow* SplashWindow::show()
{
    SplashWindow* splash = new SplashWindow;
    if (!splash->open()) {
        delete splash;
        return nullptr;
    }
    return splash;
}

bool SplashWindow::open()
{
    image_.reset(static_cast<HBITMAP>(LoadImageA(uxInstance(), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
    if (!image_ || !imageSize(image_.get(), &width_, &height_))
        return false;
    font_.reset(uxCreateFont("Verdana", -12, FW_BOLD));

    WNDCLASSA existing;
    if (!GetClassInfoA(uxInstance(), splashClassName, &existing)) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &SplashWindow::procedure;
        windowClass.cbWndExtra = 4;
        windowClass.hInstance = uxInstance();
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        windowClass.lpszClassName = splashClassName;
        if (RegisterClassA(&windowClass) == 0)
            return false;
    }
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, splashClassName, "", WS_POPUP, 0, 0, width_, height_, nullptr, nullptr,
                              uxInstance(), nullptr);
    if (window_ == nullptr)
        return false;
    // Bound only once the window exists, so from here on the window owns
    // the object and a failed creation leaves it to show().
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    centerWindow(window_, nullptr, width_, height_);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    return true;
}

void SplashWindow::paint(HDC context)
{
    UxMemoryDc source(CreateCompatibleDC(context));
    {
        UxSelection picture(source.get(), image_.get());
        BitBlt(context, 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
    }
    UxSelection font(context, font_.get());
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, RGB(255, 255, 255));
    static const char text[] = "Starting Application ...";
    TextOutA(context, 30, 200, text, sizeof text - 1);
}

LRESULT CALLBACK SplashWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SplashWindow* splash = reinterpret_cast<SplashWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (splash == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paintInfo;
        HDC context = BeginPaint(window, &paintInfo);
        splash->paint(context);
        EndPaint(window, &paintInfo);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        splash->window_ = nullptr;
        delete splash;
        return DefWindowProcA(window, message, wParam, lParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
