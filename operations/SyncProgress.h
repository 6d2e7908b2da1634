#pragma once
#include "operations/SyncView.h"

// The percentage shown after the k-th of n rows: the integer part of
// k x (100.0 / n), so three rows show 33, 66 and 100. 0 for no rows.
int progressPercent(int processedRows, int totalRows);

// Counts the rows an operation has processed and shows the percentage
// before each row's work.
class SyncProgress {
public:
    SyncProgress(SyncView& view, int totalRows);

    // One more row: k + 1, and its percentage shown.
    void advance();
    // Clears the progress display.
    void clear();

private:
    SyncView& view_;
    double step_;
    int processed_ = 0;
};
