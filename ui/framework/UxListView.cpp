#include "ui/framework/UxListView.h"

#include <commctrl.h>
#include <cstring>

namespace {

const UINT checkedImage = 2;
const UINT uncheckedImage = 1;

}  // namespace

bool UxListView::create(HWND parent, const RECT* rect, int controlId, DWORD style, DWORD extendedStyle) {
    const RECT zero = {0, 0, 0, 0};
    const RECT& area = rect != nullptr ? *rect : zero;
    HWND window = CreateWindowExA(extendedStyle, WC_LISTVIEWA, "", style | WS_CHILD | WS_VISIBLE | WS_BORDER, area.left,
                                  area.top, area.right - area.left, area.bottom - area.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    setHandle(window);
    return window != nullptr;
}

bool UxListView::attach(HWND window) {
    char className[32] = {};
    if (window == nullptr || GetClassNameA(window, className, sizeof className) == 0 ||
        std::strcmp(className, "SysListView32") != 0) {
        setHandle(nullptr);
        return false;
    }
    setHandle(window);
    return true;
}

void UxListView::setExtendedListStyle(DWORD styles) {
    if (handle() != nullptr)
        SendMessageA(handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
}

bool UxListView::insertColumn(int index, const char* text, int width) {
    if (handle() == nullptr || text == nullptr || text[0] == '\0')
        return false;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | (index > 0 ? LVCF_SUBITEM : 0);
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(text);
    column.iSubItem = index;
    if (SendMessageA(handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)) == -1)
        return false;
    ++columnCount_;
    return true;
}

bool UxListView::deleteColumn(int index) {
    if (index < 0 || index >= columnCount_ || SendMessageA(handle(), LVM_DELETECOLUMN, index, 0) == 0)
        return false;
    --columnCount_;
    return true;
}

bool UxListView::insertItem(int row, const char* text, int image, LPARAM data) {
    if (handle() == nullptr || text == nullptr || row < 0)
        return false;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0) | (data != 0 ? LVIF_PARAM : 0);
    item.iItem = row;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = data;
    return SendMessageA(handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != -1;
}

bool UxListView::setItem(int row, int subItem, const char* text, int image, LPARAM data) {
    if (row < 0 || subItem < 0)
        return false;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0) | (data != 0 ? LVIF_PARAM : 0);
    item.iItem = row;
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text != nullptr ? text : "");
    item.iImage = image;
    item.lParam = data;
    return SendMessageA(handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

int UxListView::selectedCount() const { return static_cast<int>(SendMessageA(handle(), LVM_GETSELECTEDCOUNT, 0, 0)); }

int UxListView::itemCount() const {
    return handle() != nullptr ? static_cast<int>(SendMessageA(handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

bool UxListView::isChecked(int row) const {
    const UINT state = static_cast<UINT>(SendMessageA(handle(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return (state >> 12) != uncheckedImage;
}

void UxListView::setChecked(int row, bool checked) {
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? checkedImage : uncheckedImage);
    SendMessageA(handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

LPARAM UxListView::itemData(int row) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (handle() == nullptr || SendMessageA(handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == 0)
        return 0;
    return item.lParam;
}

int UxListView::selectedRow() const {
    if (handle() == nullptr)
        return -1;
    return static_cast<int>(SendMessageA(handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void UxListView::removeAllRows() {
    if (handle() != nullptr)
        SendMessageA(handle(), LVM_DELETEALLITEMS, 0, 0);
}

bool UxListView::itemText(int row, int subItem, char* buffer, int capacity) const {
    if (buffer == nullptr || capacity <= 0 || handle() == nullptr)
        return false;
    buffer[0] = '\0';
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = capacity;
    SendMessageA(handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    buffer[capacity - 1] = '\0';
    return true;
}

int UxListView::textWidth(const char* text) const {
    if (handle() == nullptr || text == nullptr)
        return 0;
    return static_cast<int>(SendMessageA(handle(), LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
}

void UxListView::beginBulkChange(int rowCount) {
    if (handle() == nullptr)
        return;
    SendMessageA(handle(), WM_SETREDRAW, FALSE, 0);
    if (rowCount > 0)
        SendMessageA(handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(rowCount), LVSICF_NOINVALIDATEALL);
}

void UxListView::endBulkChange() {
    if (handle() == nullptr)
        return;
    SendMessageA(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}
