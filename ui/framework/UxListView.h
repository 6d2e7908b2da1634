#pragma once
#include "ui/framework/UxWindow.h"

// A report-style list view ("SysListView32"), created or adopted. A row may
// carry a value of its owner's as item data; the list never owns what it names.
class UxListView : public UxWindow {
public:
    bool create(HWND parent, const RECT* rect, int controlId, DWORD style, DWORD extendedStyle);
    // Adopts an existing control, only one of class "SysListView32".
    bool attach(HWND window);
    void setExtendedListStyle(DWORD styles);

    int columnCount() const { return columnCount_; }
    bool insertColumn(int index, const char* text, int width);
    bool deleteColumn(int index);

    // Negative image: no image; data 0: no item data.
    bool insertItem(int row, const char* text, int image, LPARAM data);
    bool setItem(int row, int subItem, const char* text, int image, LPARAM data);
    int selectedCount() const;

    int itemCount() const;
    // Any state image but the empty box (1) counts as ticked.
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    // The row's item data; 0 without a row or data.
    LPARAM itemData(int row) const;
    // The lowest selected row, -1 for none.
    int selectedRow() const;
    void removeAllRows();
    // Reads a cell back, at most capacity - 1 characters.
    bool itemText(int row, int subItem, char* buffer, int capacity) const;
    // The text's width in pixels in the list's font, without the cell's margins.
    int textWidth(const char* text) const;

    // Many rows are about to change: the list stops drawing until
    // endBulkChange and makes room for rowCount rows at once.
    void beginBulkChange(int rowCount);
    // Drawing on again, and the whole list drawn anew.
    void endBulkChange();

private:
    int columnCount_ = 0;
};

// Holds a list's drawing back for as long as it lives.
class UxListBulkChange {
public:
    UxListBulkChange(UxListView& list, int rowCount) : list_(list) { list_.beginBulkChange(rowCount); }
    ~UxListBulkChange() { list_.endBulkChange(); }
    UxListBulkChange(const UxListBulkChange&) = delete;
    UxListBulkChange& operator=(const UxListBulkChange&) = delete;

private:
    UxListView& list_;
};
