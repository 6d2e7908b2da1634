#pragma once
#include "ui/framework/UxChild.h"
#include "ui/framework/UxHandles.h"
#include "ui/layout/ButtonBarLayout.h"

// The band across the top of the main window: the logo and the Refresh,
// Option, Help and Exit buttons, which run the menu's commands. The caption
// under the pointer turns yellow; leaving the bar is not watched, so the
// last one stays yellow until the pointer comes back.
class ButtonBar : public UxChild {
public:
    bool OnCreate() override;
    void OnMouseMove(POINT at, UINT keys) override;
    void OnLButtonUp(POINT at, UINT keys) override;
    void OnPaint(HDC context) override;
    void OnSize(int width, int height) override;

    int hoveredButton() const { return hoveredButton_; }

private:
    void drawButton(HDC context, int index);
    void drawButtons(HDC context);

    UxBrush background_;
    UxBitmap logo_;
    UxBitmap face_;
    UxFont captionFont_;
    UxCursor handCursor_;
    HCURSOR arrowCursor_ = nullptr;
    RECT buttons_[ButtonBarButtonCount] = {};
    int hoveredButton_ = -1;
};
