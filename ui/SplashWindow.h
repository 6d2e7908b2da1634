#pragma once
#include <windows.h>

#include "ui/framework/UxHandles.h"
#include "ui/framework/UxWindow.h"

// The picture shown while the first load runs. It paints itself at once,
// because no messages are processed during the load; it closes when its
// WM_CLOSE is handled, and the object goes with its window.
class SplashWindow : public UxWindow {
public:
    // Null when the picture or the window could not be made (no splash; the
    // load runs all the same).
    static SplashWindow* show();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void afterLastMessage() override;

private:
    SplashWindow() = default;

    bool open();
    void paint(HDC context);

    // Set once the window exists: from then on the window owns the object,
    // and a failed creation leaves it to show().
    bool ownedByWindow_ = false;
    UxBitmap image_;
    UxFont font_;
    int width_ = 0;
    int height_ = 0;
};
