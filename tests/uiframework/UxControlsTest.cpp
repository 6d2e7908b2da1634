#include "ui/framework/UxDrawing.h"
#include "ui/framework/UxGeometry.h"
#include "ui/framework/UxHandles.h"
#include "ui/framework/UxListView.h"
#include "ui/framework/UxStatusBar.h"
#include "ui/framework/UxToolTip.h"

#include "tests/uiframework/UiTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// ---- list view

namespace {

// What an owner hangs on a row: here the address of one of its values.
LPARAM dataOf(const int& value) { return reinterpret_cast<LPARAM>(&value); }

class UxListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, host_.get());
        const RECT area = {0, 0, 400, 300};
        ASSERT_TRUE(list_.create(host_.get(), &area, 1000, LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE));
        list_.setExtendedListStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    }

    std::string text(int row, int subItem) {
        char buffer[64];
        EXPECT_TRUE(list_.itemText(row, subItem, buffer, sizeof buffer));
        return buffer;
    }
    void select(int row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageA(list_.handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    bool isSelected(int row) { return SendMessageA(list_.handle(), LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0; }
    // Three rows, each inserted at the top: "C", "B", "A" from the top.
    void fillThreeRows() {
        for (int index = 0; index < 3; ++index) {
            const char name[] = {static_cast<char>('A' + index), '\0'};
            ASSERT_TRUE(list_.insertItem(0, name, -1, dataOf(rowValues_[index])));
            ASSERT_TRUE(list_.setItem(0, 1, (std::string("sub ") + name).c_str(), -1, 0));
        }
    }

    TestHostWindow host_;
    UxListView list_;
    int rowValues_[3] = {};
};

}  // namespace

TEST_F(UxListViewTest, CreatesAReportListAsAChildControl) {
    HWND window = list_.handle();
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ("SysListView32", className);
    EXPECT_EQ(1000, GetDlgCtrlID(window));
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL),
              style & (WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_TYPEMASK | LVS_SINGLESEL));
    EXPECT_NE(0, GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const DWORD extended = static_cast<DWORD>(SendMessageA(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              extended & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
}

TEST_F(UxListViewTest, AttachTakesOnlyListViews) {
    HWND label = CreateWindowExA(0, "STATIC", "label", WS_CHILD, 0, 0, 10, 10, host_.get(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, label);
    UxListView adopted;
    EXPECT_FALSE(adopted.attach(label));
    EXPECT_EQ(nullptr, adopted.handle());
    EXPECT_FALSE(adopted.attach(nullptr));

    ASSERT_TRUE(adopted.attach(list_.handle()));
    EXPECT_EQ(list_.handle(), adopted.handle());
    // A later failed attach leaves the wrapper without a window.
    EXPECT_FALSE(adopted.attach(label));
    EXPECT_EQ(nullptr, adopted.handle());
}

TEST_F(UxListViewTest, ColumnsAreCountedAsTheyComeAndGo) {
    EXPECT_FALSE(list_.insertColumn(0, "", 100));
    EXPECT_FALSE(list_.insertColumn(0, nullptr, 100));
    EXPECT_EQ(0, list_.columnCount());

    ASSERT_TRUE(list_.insertColumn(0, "First Name", 128));
    ASSERT_TRUE(list_.insertColumn(1, "Last Name", 96));
    ASSERT_TRUE(list_.insertColumn(2, "E-Mail", 64));
    EXPECT_EQ(3, list_.columnCount());

    char header[32] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.pszText = header;
    column.cchTextMax = sizeof header;
    ASSERT_TRUE(SendMessageA(list_.handle(), LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ("E-Mail", header);
    EXPECT_EQ(64, column.cx);
    EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(2, column.iSubItem);

    EXPECT_FALSE(list_.deleteColumn(3));
    EXPECT_FALSE(list_.deleteColumn(-1));
    EXPECT_EQ(3, list_.columnCount());
    while (list_.columnCount() > 0)
        ASSERT_TRUE(list_.deleteColumn(0));
    HWND headerControl = reinterpret_cast<HWND>(SendMessageA(list_.handle(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(0, SendMessageA(headerControl, HDM_GETITEMCOUNT, 0, 0));
    EXPECT_FALSE(list_.deleteColumn(0));
}

TEST_F(UxListViewTest, RowsKeepTextsRecordsAndCheckBoxes) {
    ASSERT_TRUE(list_.insertColumn(0, "Name", 100));
    ASSERT_TRUE(list_.insertColumn(1, "Other", 100));
    EXPECT_FALSE(list_.insertItem(0, nullptr, -1, dataOf(rowValues_[0])));
    EXPECT_FALSE(list_.insertItem(-1, "x", -1, dataOf(rowValues_[0])));
    EXPECT_FALSE(list_.setItem(-1, 0, "x", -1, 0));
    EXPECT_FALSE(list_.setItem(0, -1, "x", -1, 0));
    EXPECT_EQ(0, list_.itemCount());

    fillThreeRows();
    ASSERT_EQ(3, list_.itemCount());
    EXPECT_EQ("C", text(0, 0));
    EXPECT_EQ("sub C", text(0, 1));
    EXPECT_EQ("A", text(2, 0));
    EXPECT_EQ(dataOf(rowValues_[2]), list_.itemData(0));
    EXPECT_EQ(dataOf(rowValues_[0]), list_.itemData(2));
    EXPECT_EQ(0, list_.itemData(3));

    // A missing text clears the cell; the item data stays.
    ASSERT_TRUE(list_.setItem(1, 1, nullptr, -1, 0));
    EXPECT_EQ("", text(1, 1));
    EXPECT_EQ(dataOf(rowValues_[1]), list_.itemData(1));

    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(list_.isChecked(row)) << row;
    list_.setChecked(1, true);
    EXPECT_FALSE(list_.isChecked(0));
    EXPECT_TRUE(list_.isChecked(1));
    EXPECT_FALSE(list_.isChecked(2));
    list_.setChecked(1, false);
    EXPECT_FALSE(list_.isChecked(1));

    list_.removeAllRows();
    EXPECT_EQ(0, list_.itemCount());
}

TEST_F(UxListViewTest, SelectionIsApartFromTheCheckBoxes) {
    ASSERT_TRUE(list_.insertColumn(0, "Name", 100));
    ASSERT_TRUE(list_.insertColumn(1, "Other", 100));
    fillThreeRows();
    EXPECT_EQ(-1, list_.selectedRow());
    EXPECT_EQ(0, list_.selectedCount());

    select(2);
    EXPECT_EQ(2, list_.selectedRow());
    EXPECT_EQ(1, list_.selectedCount());
    list_.setChecked(2, true);
    EXPECT_TRUE(isSelected(2));
    list_.setChecked(2, false);
    EXPECT_TRUE(isSelected(2));
    EXPECT_EQ(2, list_.selectedRow());

    list_.removeAllRows();
    EXPECT_EQ(-1, list_.selectedRow());
}

TEST(UxListView, WithoutAWindowNothingSucceeds) {
    UxListView list;
    int rowValue = 0;
    EXPECT_FALSE(list.insertColumn(0, "Name", 100));
    EXPECT_FALSE(list.deleteColumn(0));
    EXPECT_FALSE(list.insertItem(0, "x", -1, dataOf(rowValue)));
    EXPECT_EQ(0, list.itemCount());
    EXPECT_EQ(-1, list.selectedRow());
    EXPECT_EQ(0, list.itemData(0));
}

// ---- status bar and tooltip

TEST(UxStatusBar, PartsTextsAndRectangles) {
    TestHostWindow host(600, 400);
    UxStatusBar status;
    ASSERT_TRUE(status.create(host.get(), 1000, 0));
    char className[32] = {};
    GetClassNameA(status.handle(), className, sizeof className);
    EXPECT_STREQ("msctls_statusbar32", className);
    EXPECT_EQ(1000, GetDlgCtrlID(status.handle()));
    EXPECT_NE(0, GetWindowLongA(status.handle(), GWL_STYLE) & SBARS_SIZEGRIP);

    const int edges[] = {150, -1};
    EXPECT_FALSE(status.setParts(0, edges));
    EXPECT_FALSE(status.setParts(2, nullptr));
    ASSERT_TRUE(status.setParts(2, edges));
    EXPECT_EQ(2, SendMessageA(status.handle(), SB_GETPARTS, 0, 0));

    ASSERT_TRUE(status.setText(1, "Palm Desktop Contacts Record Count:1"));
    EXPECT_FALSE(status.setText(0, nullptr));
    char text[64] = {};
    SendMessageA(status.handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Palm Desktop Contacts Record Count:1", text);

    RECT part = {};
    ASSERT_TRUE(status.getPartRect(0, &part));
    EXPECT_GT(part.bottom, part.top);
    EXPECT_LE(part.right, 150);
    EXPECT_GE(part.right, 140);
    EXPECT_FALSE(status.getPartRect(0, nullptr));
    EXPECT_FALSE(status.getPartRect(5, &part));

    UxStatusBar unbound;
    EXPECT_FALSE(unbound.setParts(2, edges));
    EXPECT_FALSE(unbound.setText(0, "x"));
    EXPECT_FALSE(unbound.getPartRect(0, &part));
}

TEST(UxToolTip, TopmostToolOverItsOwner) {
    TestHostWindow host;
    UxToolTip tip;
    const RECT area = {240, 8, 272, 40};
    EXPECT_FALSE(tip.addTool(host.get(), "Synchronize All", &area));
    ASSERT_TRUE(tip.create(host.get()));
    EXPECT_NE(0, GetWindowLongA(tip.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(tip.addTool(host.get(), "Synchronize All", &area));
    // Tool 0 again replaces it rather than adding a second.
    EXPECT_TRUE(tip.addTool(host.get(), "Palm Desktop overwrites Outlook", &area));
    EXPECT_EQ(1, SendMessageA(tip.handle(), TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_FALSE(tip.addTool(host.get(), nullptr, &area));
}

// ---- geometry and drawing

TEST(UxGeometry, CentresOnTheDesktopOrAWindow) {
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const int x = desktop.left + (desktop.right - desktop.left - 800) / 2;
    const int y = desktop.top + (desktop.bottom - desktop.top - 600) / 2;
    const RECT centred = centerRect(nullptr, 800, 600);
    EXPECT_EQ(x < 0 ? 0 : x, centred.left);
    EXPECT_EQ(y < 0 ? 0 : y, centred.top);
    EXPECT_EQ(centred.left + 800, centred.right);
    EXPECT_EQ(centred.top + 600, centred.bottom);
    // What is not a window counts as the desktop.
    const RECT again = centerRect(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)), 800, 600);
    EXPECT_TRUE(EqualRect(&centred, &again));

    TestHostWindow host(400, 300);
    RECT hostRect = {};
    GetWindowRect(host.get(), &hostRect);
    const RECT onHost = centerRect(host.get(), 200, 100);
    EXPECT_EQ(hostRect.left + (hostRect.right - hostRect.left - 200) / 2, onHost.left);
    EXPECT_EQ(hostRect.top + (hostRect.bottom - hostRect.top - 100) / 2, onHost.top);

    TestHostWindow moved(50, 50);
    centerWindow(moved.get(), host.get(), 200, 100);
    RECT placed = {};
    GetWindowRect(moved.get(), &placed);
    EXPECT_TRUE(EqualRect(&onHost, &placed));
}

TEST(UxGeometry, ImageSize) {
    UxBitmap bitmap(CreateBitmap(13, 7, 1, 1, nullptr));
    int width = -1, height = -1;
    ASSERT_TRUE(imageSize(bitmap.get(), &width, &height));
    EXPECT_EQ(13, width);
    EXPECT_EQ(7, height);
    EXPECT_FALSE(imageSize(nullptr, &width, &height));
    EXPECT_EQ(0, width);
    EXPECT_EQ(0, height);
}

namespace {

// A 24-bit off-screen surface to draw on and read back.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        context_.reset(CreateCompatibleDC(nullptr));
        previous_ = SelectObject(context_.get(), bitmap_.get());
        RECT all = {0, 0, width, height};
        FillRect(context_.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~Canvas() { SelectObject(context_.get(), previous_); }
    HDC get() const { return context_.get(); }
    COLORREF at(int x, int y) const { return GetPixel(context_.get(), x, y); }

private:
    UxBitmap bitmap_;
    UxMemoryDc context_;
    HGDIOBJ previous_ = nullptr;
};

bool closeTo(COLORREF expected, COLORREF actual, int tolerance) {
    return std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance &&
           std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance &&
           std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance;
}

}  // namespace

TEST(UxDrawing, GradientFill) {
    Canvas canvas(100, 20);
    const RECT empty = {10, 10, 10, 20};
    EXPECT_FALSE(gradientFill(canvas.get(), &empty, RGB(255, 0, 0), RGB(0, 0, 255), true));
    EXPECT_FALSE(gradientFill(canvas.get(), nullptr, RGB(255, 0, 0), RGB(0, 0, 255), true));
    EXPECT_EQ(RGB(0, 0, 0), canvas.at(10, 10));

    const RECT band = {0, 0, 50, 20};
    ASSERT_TRUE(gradientFill(canvas.get(), &band, RGB(10, 200, 30), RGB(10, 200, 30), true));
    EXPECT_EQ(RGB(10, 200, 30), canvas.at(0, 0));
    EXPECT_EQ(RGB(10, 200, 30), canvas.at(49, 19));
    EXPECT_EQ(RGB(0, 0, 0), canvas.at(50, 0));

    // Where the system has the gradient service, the ends take the two colours.
    const RECT header = {0, 0, 100, 20};
    if (!gradientFill(canvas.get(), &header, RGB(255, 255, 255), RGB(192, 192, 255), true))
        GTEST_SKIP() << "no gradient service on this system";
    EXPECT_TRUE(closeTo(RGB(255, 255, 255), canvas.at(0, 10), 4));
    EXPECT_TRUE(closeTo(RGB(192, 192, 255), canvas.at(99, 10), 4));
    EXPECT_NE(canvas.at(0, 10), canvas.at(99, 10));
    EXPECT_EQ(canvas.at(50, 0), canvas.at(50, 19));  // horizontal: columns are uniform
}

TEST(UxDrawing, DialogHeaderNeedsAWindowAContextAndAMessage) {
    TestHostWindow host;
    Canvas canvas(200, 100);
    EXPECT_FALSE(paintDialogHeader(nullptr, canvas.get(), "message"));
    EXPECT_FALSE(paintDialogHeader(host.get(), nullptr, "message"));
    EXPECT_FALSE(paintDialogHeader(host.get(), canvas.get(), ""));
    EXPECT_FALSE(paintDialogHeader(host.get(), canvas.get(), nullptr));
    EXPECT_EQ(RGB(0, 0, 0), canvas.at(5, 90));
    ASSERT_TRUE(paintDialogHeader(host.get(), canvas.get(), "message"));
    // Below the band the client area is button face.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.at(5, 90));
}
