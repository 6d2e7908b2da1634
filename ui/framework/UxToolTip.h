#pragma once
#include "ui/framework/UxWindow.h"

// A tooltip ("tooltips_class32") that shows a text over a rectangle of its
// owner window.
class UxToolTip : public UxWindow {
public:
    ~UxToolTip() override;
    bool create(HWND owner);
    // Tool 0 of owner: replaces what it showed before.
    bool addTool(HWND owner, const char* text, const RECT* rect);
};
