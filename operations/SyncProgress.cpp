#include "operations/SyncProgress.h"

namespace {

double stepFor(int totalRows) { return totalRows > 0 ? 100.0 / totalRows : 0.0; }

int percentAt(int processedRows, double step) { return static_cast<int>(processedRows * step); }

}  // namespace

int progressPercent(int processedRows, int totalRows) { return percentAt(processedRows, stepFor(totalRows)); }

SyncProgress::SyncProgress(SyncView& view, int totalRows) : view_(view), step_(stepFor(totalRows)) {}

void SyncProgress::advance() {
    ++processed_;
    view_.showProgress(percentAt(processed_, step_));
}

void SyncProgress::clear() { view_.showProgress(0); }
