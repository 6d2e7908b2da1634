#include "ui/framework/UxDrawing.h"

#include "platform/DynamicLibrary.h"
#include "ui/framework/UxHandles.h"
#include "ui/framework/UxSharedFonts.h"
#include "platform/win32/OsVersion.h"
#include "ui/geometry/ColorMath.h"

namespace {

using GradientFillFunction = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// Loaded on first use where the Windows version has it, kept until the end.
struct GradientService {
    bool probed = false;
    DynamicLibrary library;
    GradientFillFunction function = nullptr;
};

GradientService& gradientService() {
    static GradientService service;
    return service;
}

GradientFillFunction gradientFunction() {
    GradientService& service = gradientService();
    if (!service.probed) {
        service.probed = true;
        const int version = osVersionClass();
        if (version > 0 && service.library.load("msimg32.dll"))
            service.function = reinterpret_cast<GradientFillFunction>(service.library.entryPoint("GradientFill"));
    }
    return service.function;
}

TRIVERTEX vertex(LONG x, LONG y, COLORREF color) {
    TRIVERTEX point;
    point.x = x;
    point.y = y;
    point.Red = static_cast<COLOR16>(GetRValue(color) * 256);
    point.Green = static_cast<COLOR16>(GetGValue(color) * 256);
    point.Blue = static_cast<COLOR16>(GetBValue(color) * 256);
    point.Alpha = 0;
    return point;
}

struct ButtonColors {
    COLORREF border;
    COLORREF fill;
    COLORREF text;
};

ButtonColors ownerButtonColors(UINT state) {
    if (state & ODS_DISABLED)
        return {GetSysColor(COLOR_BTNSHADOW), adjustColor(GetSysColor(COLOR_BTNFACE), 15, 0),
                GetSysColor(COLOR_GRAYTEXT)};
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    if (state & ODS_SELECTED)
        return {highlight, adjustColor(highlight, 50, -50), RGB(240, 240, 240)};
    return {highlight, adjustColor(highlight, 80, -66), GetSysColor(COLOR_BTNTEXT)};
}

}  // namespace

bool gradientFill(HDC context, const RECT* rect, COLORREF from, COLORREF to, bool horizontal) {
    if (rect == nullptr || IsRectEmpty(rect))
        return false;
    if (from == to) {
        UxBrush brush(CreateSolidBrush(from));
        FillRect(context, rect, brush.get());
        return true;
    }
    GradientFillFunction function = gradientFunction();
    if (function == nullptr)
        return false;
    TRIVERTEX corners[2] = {vertex(rect->left, rect->top, from), vertex(rect->right, rect->bottom, to)};
    GRADIENT_RECT mesh = {0, 1};
    return function(context, corners, 2, &mesh, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V) != FALSE;
}

bool paintDialogHeader(HWND dialog, HDC context, const char* message) {
    if (dialog == nullptr || context == nullptr || message == nullptr || message[0] == '\0')
        return false;
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(context, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT band = client;
    band.bottom = band.top + 65;
    gradientFill(context, &band, RGB(255, 255, 255), RGB(192, 192, 255), true);

    const int oldMode = SetBkMode(context, TRANSPARENT);
    {
        UxSelection font(context, boldFont);
        SetTextColor(context, RGB(0, 0, 128));
        TextOutA(context, 25, 15, "Quillset for Outlook:", 21);
    }
    {
        UxSelection font(context, normalFont);
        SetTextColor(context, RGB(0, 0, 0));
        TextOutA(context, 40, 35, message, lstrlenA(message));
    }
    SetBkMode(context, oldMode);
    return true;
}

void drawOwnerButton(const DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_BUTTON)
        return;
    const ButtonColors colors = ownerButtonColors(item->itemState);
    HDC context = item->hDC;
    RECT area = item->rcItem;
    {
        UxPen pen(CreatePen(PS_SOLID, 1, colors.border));
        UxBrush brush(CreateSolidBrush(colors.fill));
        UxSelection penSelection(context, pen.get());
        UxSelection brushSelection(context, brush.get());
        Rectangle(context, area.left, area.top, area.right, area.bottom);
    }
    char text[32] = {};
    GetWindowTextA(item->hwndItem, text, sizeof text);
    const int oldMode = SetBkMode(context, TRANSPARENT);
    SetTextColor(context, colors.text);
    DrawTextA(context, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(context, oldMode);
    if (item->itemState & ODS_FOCUS) {
        RECT focus = area;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(context, &focus);
    }
}

void releaseDrawingResources() {
    GradientService& service = gradientService();
    service.function = nullptr;
    service.library.release();
}
