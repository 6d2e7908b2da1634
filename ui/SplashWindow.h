#pragma once
#include <windows.h>

#include "ui/framework/UxHandles.h"

// The picture shown while the first load runs. It paints itself at once,
// because no messages are processed during the load; it closes when its
// WM_CLOSE is handled, and the object goes with its window.
class SplashWindow {
public:
    // Null when the picture or the window could not be made (no splash; the
    // load runs all the same).
    static SplashWindow* show();

    HWND handle() const { return window_; }

private:
    SplashWindow() = default;
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    bool open();
    void paint(HDC context);
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    UxBitmap image_;
    UxFont font_;
    int width_ = 0;
    int height_ = 0;
};
