#include "ui/framework/UxWindow.h"

static HINSTANCE programInstance = nullptr;

HINSTANCE uxInstance() { return programInstance != nullptr ? programInstance : GetModuleHandleA(nullptr); }

void setUxInstance(HINSTANCE instance) { programInstance = instance; }

void UxWindow::moveTo(const RECT* rect, bool repaint) {
    if (rect == nullptr || handle_ == nullptr)
        return;
    MoveWindow(handle_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
               repaint ? TRUE : FALSE);
}

LRESULT UxWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(handle_, message, wParam, lParam);
}
