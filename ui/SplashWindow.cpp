#include "ui/SplashWindow.h"

#include "resources/ResourceIds.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxWindowBinding.h"

static const char splashClassName[] = "QSInitClass";

SplashWindow* SplashWindow::show() {
    SplashWindow* splash = new SplashWindow;
    if (!splash->open()) {
        delete splash;
        return nullptr;
    }
    return splash;
}

bool SplashWindow::open() {
    image_.reset(static_cast<HBITMAP>(LoadImageA(uxInstance(), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
    if (!image_ || !imageSize(image_.get(), &width_, &height_))
        return false;
    font_.reset(uxCreateFont("Verdana", -12, FW_BOLD));

    if (!UxWindowBinding::declareClass(splashClassName, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))))
        return false;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, splashClassName, "", WS_POPUP, 0, 0, width_, height_, nullptr,
                                  nullptr, uxInstance(), this);
    if (window == nullptr)
        return false;
    ownedByWindow_ = true;
    centerWindow(window, nullptr, width_, height_);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void SplashWindow::paint(HDC context) {
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

LRESULT SplashWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(handle(), message, wParam, lParam);
    PAINTSTRUCT paintInfo;
    HDC context = BeginPaint(handle(), &paintInfo);
    paint(context);
    EndPaint(handle(), &paintInfo);
    return 0;
}

void SplashWindow::afterLastMessage() {
    if (ownedByWindow_)
        delete this;
}
