#include "ui/framework/UxStatusBar.h"

#include <commctrl.h>

bool UxStatusBar::create(HWND parent, int controlId, DWORD style) {
    HWND window = CreateWindowExA(0, STATUSCLASSNAMEA, "", style | WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    setHandle(window);
    return window != nullptr;
}

bool UxStatusBar::setParts(int count, const int* rightEdges) {
    if (count <= 0 || rightEdges == nullptr || handle() == nullptr)
        return false;
    return SendMessageA(handle(), SB_SETPARTS, count, reinterpret_cast<LPARAM>(rightEdges)) != 0;
}

bool UxStatusBar::getPartRect(int part, RECT* rect) const {
    if (rect == nullptr || handle() == nullptr)
        return false;
    return SendMessageA(handle(), SB_GETRECT, part, reinterpret_cast<LPARAM>(rect)) != 0;
}

bool UxStatusBar::setText(int part, const char* text) {
    if (text == nullptr || handle() == nullptr)
        return false;
    return SendMessageA(handle(), SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text)) != 0;
}

void UxStatusBar::redraw() {
    if (handle() != nullptr)
        RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
