// The contact lists' fill on real list views: the rows, their order, texts,
// records, check boxes and colours as a row-by-row fill at the top makes
// them; and, run by hand, the time of filling both lists with many rows.
#include "ui/ContactLists.cpp"  // the program's own fill; it is no library

#include "sync/ContactList.h"
#include "sync/FieldTable.h"
#include "sync/TextField.h"
#include "tests/uiframework/UiTestSupport.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/ContactListModel.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void inventContact(ContactRecord& record, int number) {
    char text[64];
    std::snprintf(text, sizeof text, "Given%05d", number);
    copyText(record.firstName, text);
    std::snprintf(text, sizeof text, "Family%05d", number % 97);
    copyText(record.lastName, text);
    std::snprintf(text, sizeof text, "p%05d@example.com", number);
    copyText(record.email1, number % 3 != 0 ? text : "");
    copyText(record.company, number % 4 == 0 ? "" : "Northwind Trading Company");
    copyText(record.jobTitle, "Purchasing Manager");
    std::snprintf(text, sizeof text, "+1 555 %07d", number);
    copyText(record.workPhone, text);
    copyText(record.mobilePhone, number % 5 == 0 ? text : "");
    copyText(record.homePhone, number % 2 == 0 ? text : "");
    record.compareStatus = number % 3;
}

void makeRecords(ContactList& list, int count, int offset) {
    for (int number = 0; number < count; ++number) {
        ContactRecord record;
        inventContact(record, number + offset);
        list.addCopy(&record);
    }
}

// Every record inserted at the top, one insertion and seven updates each:
// the fill as it reads, to hold the faster one against.
void fillRowByRowAtTheTop(UxListView& list, ContactList& records, int showDiff) {
    list.removeAllRows();
    for (const ContactRecord* record = records.first(); record != nullptr; record = records.next()) {
        if (!recordShownInList(record->compareStatus, showDiff))
            continue;
        char text[1025];
        for (int column = 0; column < ContactColumnCount; ++column) {
            FieldSlot slot;
            text[0] = '\0';
            if (findField(contactColumnField(column), &slot))
                getFieldText(record, &slot, text, sizeof text);
            if (column == 0)
                list.insertItem(0, text, -1, reinterpret_cast<LPARAM>(record));
            else
                list.setItem(0, column, text, -1, 0);
        }
    }
}

std::string cell(const UxListView& list, int row, int column) {
    char buffer[1025];
    list.itemText(row, column, buffer, sizeof buffer);
    return buffer;
}

class ContactListFillTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureCommonControls();
        ASSERT_NE(nullptr, host_.get());
        ShowWindow(host_.get(), SW_SHOWNOACTIVATE);
        makeList(filled_, 1000, 0);
        makeList(expected_, 1001, 420);
        // The reference fill draws every row as it comes when shown.
        ShowWindow(expected_.handle(), SW_HIDE);
    }

    void makeList(UxListView& list, int id, int left) {
        const RECT area = {left, 0, left + 400, 400};
        ASSERT_TRUE(list.create(host_.get(), &area, id, LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE));
        list.setExtendedListStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        addContactColumns(list);
        ASSERT_EQ(ContactColumnCount, list.columnCount());
    }

    // "ShowDiff" as the fills are given it.
    int showDiff = 0;

    // Row for row, cell for cell, record for record, every box empty.
    void expectSameRows() {
        ASSERT_EQ(expected_.itemCount(), filled_.itemCount());
        for (int row = 0; row < expected_.itemCount(); ++row) {
            ASSERT_EQ(contactAt(expected_, row), contactAt(filled_, row)) << "row " << row;
            EXPECT_FALSE(filled_.isChecked(row)) << "row " << row;
            for (int column = 0; column < ContactColumnCount; ++column)
                ASSERT_EQ(cell(expected_, row, column), cell(filled_, row, column)) << row << ", " << column;
        }
    }

    TestHostWindow host_{900, 500};
    UxListView filled_;
    UxListView expected_;
};

}  // namespace

TEST_F(ContactListFillTest, RowsAsTheFillAtTheTopMakesThemWithAndWithoutShowDiff) {
    ContactList records;
    makeRecords(records, 250, 0);
    for (int diff : {0, 1}) {
        SCOPED_TRACE(diff != 0 ? "ShowDiff on" : "ShowDiff off");
        showDiff = diff;
        fillContactList(filled_, &records, showDiff);
        fillRowByRowAtTheTop(expected_, records, showDiff);
        EXPECT_EQ(diff != 0 ? 166 : 250, filled_.itemCount());
        expectSameRows();
    }
    // The last record is on top, the first at the bottom.
    showDiff = 0;
    fillContactList(filled_, &records, showDiff);
    EXPECT_EQ(records.peek(249), contactAt(filled_, 0));
    EXPECT_EQ(records.peek(0), contactAt(filled_, 249));
    EXPECT_EQ("Given00249", cell(filled_, 0, 0));
}

TEST_F(ContactListFillTest, ARefillEmptiesTheBoxesAndDrawsTheListAgain) {
    ContactList records;
    makeRecords(records, 30, 7);
    fillContactList(filled_, &records, showDiff);
    setAllChecked(filled_, true);
    ASSERT_TRUE(filled_.isChecked(29));
    pumpMessages();

    fillContactList(filled_, &records, showDiff);
    ASSERT_EQ(30, filled_.itemCount());
    for (int row = 0; row < 30; ++row)
        EXPECT_FALSE(filled_.isChecked(row)) << row;
    EXPECT_TRUE(IsWindowVisible(filled_.handle())) << "drawing is on again after the fill";
    pumpMessages();
    InvalidateRect(filled_.handle(), nullptr, FALSE);
    EXPECT_TRUE(pumpUntil([this] { return !GetUpdateRect(filled_.handle(), nullptr, FALSE); })) << "the list paints";
    fillContactList(filled_, &records, showDiff);
    RECT update = {};
    EXPECT_TRUE(GetUpdateRect(filled_.handle(), &update, FALSE)) << "the list is drawn anew";

    fillContactList(filled_, nullptr, showDiff);
    EXPECT_EQ(0, filled_.itemCount());
    EXPECT_TRUE(IsWindowVisible(filled_.handle()));
}

TEST_F(ContactListFillTest, RowColoursFollowTheRecordsStatus) {
    ContactRecord records[3];
    const COLORREF expected[3] = {RGB(0, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};
    for (int status = 0; status < 3; ++status) {
        records[status].compareStatus = status;
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.lItemlParam = reinterpret_cast<LPARAM>(&records[status]);
        EXPECT_EQ(CDRF_DODEFAULT, drawContactRow(&draw));
        EXPECT_EQ(expected[status], draw.clrText) << "status " << status;
    }
    NMLVCUSTOMDRAW start = {};
    start.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW, drawContactRow(&start));
}

// Run by hand (the scale benchmark does): QS_FILL_ROWS rows in each list.
TEST_F(ContactListFillTest, DISABLED_TimeOfFillingBothLists) {
    const char* asked = std::getenv("QS_FILL_ROWS");
    const int rows = asked != nullptr ? std::atoi(asked) : 20000;
    ASSERT_GT(rows, 0);
    ContactList palm;
    ContactList outlook;
    makeRecords(palm, rows, 0);
    makeRecords(outlook, rows, rows);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    auto timed = [&frequency](auto fill) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        fill();
        pumpMessages();
        QueryPerformanceCounter(&end);
        return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    // QS_FILL_ROW_BY_ROW=1 times the fill at the top as well, for comparison,
    // on hidden lists (as at the program's start; shown, every row is drawn).
    const char* rowByRow = std::getenv("QS_FILL_ROW_BY_ROW");
    if (rowByRow != nullptr && std::atoi(rowByRow) != 0) {
        ShowWindow(filled_.handle(), SW_HIDE);
        const double before = timed([&] {
            fillRowByRowAtTheTop(filled_, palm, showDiff);
            fillRowByRowAtTheTop(expected_, outlook, showDiff);
        });
        std::printf("row-by-row fill at the top of both (hidden) lists, %d rows each: %.0f ms\n", rows, before);
        ShowWindow(filled_.handle(), SW_SHOWNOACTIVATE);
        ShowWindow(expected_.handle(), SW_SHOWNOACTIVATE);
    }
    const double milliseconds = timed([&] {
        fillContactList(filled_, &palm, showDiff);
        fillContactList(expected_, &outlook, showDiff);
    });
    std::printf("fill of both lists, %d rows each: %.0f ms\n", rows, milliseconds);
    ASSERT_EQ(rows, filled_.itemCount());
    ASSERT_EQ(rows, expected_.itemCount());
    EXPECT_EQ(palm.peek(rows - 1), contactAt(filled_, 0));
    EXPECT_EQ(outlook.peek(0), contactAt(expected_, rows - 1));
}
