#include "ui/framework/UxToolTip.h"

#include <commctrl.h>

UxToolTip::~UxToolTip() {
    if (handle() != nullptr && IsWindow(handle()))
        DestroyWindow(handle());
}

bool UxToolTip::create(HWND owner) {
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, uxInstance(), nullptr);
    setHandle(window);
    if (window == nullptr)
        return false;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool UxToolTip::addTool(HWND owner, const char* text, const RECT* rect) {
    if (handle() == nullptr || owner == nullptr || text == nullptr)
        return false;
    TOOLINFOA tool = {};
    // The size without the reserved field of newer versions, which older
    // common controls refuse.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = 0;
    if (rect != nullptr)
        tool.rect = *rect;
    tool.hinst = uxInstance();
    tool.lpszText = const_cast<char*>(text);
    // One tool per owner: the previous text and rectangle give way.
    SendMessageA(handle(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return SendMessageA(handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) == 1;
}
