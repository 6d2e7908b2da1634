#include "ui/ButtonBar.h"

#include "resources/ResourceIds.h"
#include "ui/framework/UxGeometry.h"

namespace {

const char* const captions[ButtonBarButtonCount] = {"Refresh", "Option", "Help", "Exit"};
const int commands[ButtonBarButtonCount] = {ID_FILE_REFRESH, ID_TOOLS_OPTIONS, ID_HELP_CONTENT, ID_FILE_EXIT};

HBITMAP loadBitmap(int id) {
    return static_cast<HBITMAP>(LoadImageA(uxInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

int buttonAt(const RECT* buttons, POINT at) {
    for (int index = 0; index < ButtonBarButtonCount; ++index) {
        if (PtInRect(&buttons[index], at))
            return index;
    }
    return -1;
}

}  // namespace

bool ButtonBar::OnCreate() {
    background_.reset(CreateSolidBrush(RGB(51, 153, 204)));
    logo_.reset(loadBitmap(IDB_LOGO));
    face_.reset(loadBitmap(IDB_BUTTON_FACE));
    captionFont_.reset(uxCreateFont("Verdana", -12, FW_BOLD));
    handCursor_.reset(static_cast<HCURSOR>(
        LoadImageA(uxInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
    arrowCursor_ = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    return true;
}

void ButtonBar::OnSize(int width, int height) {
    for (int index = 0; index < ButtonBarButtonCount; ++index) {
        const UxRect rect = buttonBarButtonRect(index, width, height);
        SetRect(&buttons_[index], rect.left, rect.top, rect.right, rect.bottom);
    }
    InvalidateRect(handle(), nullptr, TRUE);
    UpdateWindow(handle());
}

void ButtonBar::drawButton(HDC context, int index) {
    RECT& area = buttons_[index];
    if (face_) {
        UxMemoryDc source(CreateCompatibleDC(context));
        UxSelection picture(source.get(), face_.get());
        BitBlt(context, area.left, area.top, ButtonBarButtonWidth, ButtonBarButtonHeight, source.get(), 0, 0, SRCCOPY);
    } else {
        FillRect(context, &area, background_.get());
    }
    UxSelection font(context, captionFont_.get());
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, index == hoveredButton_ ? RGB(255, 255, 0) : RGB(255, 255, 255));
    DrawTextA(context, captions[index], -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void ButtonBar::drawButtons(HDC context) {
    for (int index = 0; index < ButtonBarButtonCount; ++index)
        drawButton(context, index);
}

void ButtonBar::OnPaint(HDC context) {
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(context, &client, background_.get());
    int logoWidth = 0, logoHeight = 0;
    if (logo_ && imageSize(logo_.get(), &logoWidth, &logoHeight)) {
        UxMemoryDc source(CreateCompatibleDC(context));
        UxSelection picture(source.get(), logo_.get());
        // Up to 140 x 60 from the logo's corner, never past the picture.
        BitBlt(context, 10, 0, logoWidth < 140 ? logoWidth : 140, logoHeight < 60 ? logoHeight : 60, source.get(), 0, 0,
               SRCCOPY);
    }
    drawButtons(context);
}

void ButtonBar::OnMouseMove(POINT at, UINT keys) {
    const int hovered = buttonAt(buttons_, at);
    if (hovered != hoveredButton_) {
        hoveredButton_ = hovered;
        UxWindowDc context(handle());
        drawButtons(context.get());
    }
    SetCursor(hoveredButton_ >= 0 && handCursor_ ? handCursor_.get() : arrowCursor_);
}

void ButtonBar::OnLButtonUp(POINT at, UINT keys) {
    const int index = buttonAt(buttons_, at);
    // The parent runs it as it runs the menu's.
    if (index >= 0)
        SendMessageA(GetParent(handle()), WM_COMMAND, MAKEWPARAM(commands[index], 0), 0);
}
