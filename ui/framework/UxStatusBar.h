#pragma once
#include "ui/framework/UxWindow.h"

// The status bar ("msctls_statusbar32") at the foot of a frame.
class UxStatusBar : public UxWindow {
public:
    bool create(HWND parent, int controlId, DWORD style);
    bool setParts(int count, const int* rightEdges);
    bool getPartRect(int part, RECT* rect) const;
    bool setText(int part, const char* text);
    // Everything painted again from the bar's own texts.
    void redraw();
};
