#include "ui/SyncPreviewDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

#include "resources/ResourceIds.h"
#include "ui/framework/UxListView.h"
#include "ui/layout/SyncPreviewLayout.h"

namespace {

const char headerLine[] = "Nothing is written until you press Synchronize.";

const std::string& cellText(const PreviewLine& line, int column) {
    switch (column) {
    case 0: return line.action;
    case 1: return line.contact;
    case 2: return line.field;
    case 3: return line.before;
    default: return line.after;
    }
}

// The width the rows have once the vertical scroll bar is there: the
// columns are sized before the rows come, and a long plan needs the bar.
int rowWidth(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    return client.right - GetSystemMetrics(SM_CXVSCROLL);
}

// A handful of action texts recur over the rows: each is measured once.
int longestActionWidth(const UxListView& list, const std::vector<PreviewLine>& lines) {
    std::set<std::string> actions;
    int longest = 0;
    for (const PreviewLine& line : lines) {
        if (!line.action.empty() && actions.insert(line.action).second)
            longest = std::max(longest, list.textWidth(line.action.c_str()));
    }
    return longest;
}

void addColumns(UxListView& list, const std::vector<PreviewLine>& lines) {
    const auto widths = previewColumnWidths(rowWidth(list.handle()), longestActionWidth(list, lines));
    for (int column = 0; column < PreviewColumnCount; ++column)
        list.insertColumn(column, previewColumnHeading(column), widths[column]);
}

void addRows(UxListView& list, const std::vector<PreviewLine>& lines) {
    UxListBulkChange change(list, static_cast<int>(lines.size()));
    int row = 0;
    for (const PreviewLine& line : lines) {
        if (!list.insertItem(row, line.action.c_str(), -1, 0))
            continue;
        for (int column = 1; column < PreviewColumnCount; ++column)
            list.setItem(row, column, cellText(line, column).c_str(), -1, 0);
        ++row;
    }
}

}  // namespace

SyncPreviewDialog::SyncPreviewDialog() : BrandedDialog(IDD_SYNC_PREVIEW, headerLine) {}

bool SyncPreviewDialog::run(HWND owner, const SyncPlan& plan) {
    summary_ = previewSummary(plan);
    lines_ = previewLines(plan);
    const INT_PTR result = showModal(owner);
    lines_.clear();
    return result == IDOK;
}

UxDialog::InitialFocus SyncPreviewDialog::OnInitDialog() {
    SetDlgItemTextA(handle(), IDC_PREVIEW_SUMMARY, summary_.c_str());
    UxListView list;
    if (!list.attach(GetDlgItem(handle(), IDC_PREVIEW_LIST)))
        return InitialFocus::SetBySystem;
    list.setExtendedListStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    addColumns(list, lines_);
    addRows(list, lines_);
    return InitialFocus::SetBySystem;
}

UxDialog::CommandAnswer SyncPreviewDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDOK: EndDialog(handle(), IDOK); return CommandAnswer::Handled;
    // Escape and the close box come as IDCANCEL too.
    case IDCANCEL: EndDialog(handle(), IDCANCEL); return CommandAnswer::Handled;
    default: return CommandAnswer::NotHandled;
    }
}
