#pragma once
#include <string>
#include <vector>

#include "operations/SyncPlanPreview.h"
#include "ui/BrandedDialog.h"

// "Preview Synchronize All": the plan of a Synchronize All, its summary on
// top and one row per line of the preview below, before anything is
// written. Synchronize (OK) agrees to the run; Cancel, Escape and the close
// box do not.
class SyncPreviewDialog : public BrandedDialog {
public:
    SyncPreviewDialog();
    // Modal, owned by owner. True only when Synchronize ended it.
    bool run(HWND owner, const SyncPlan& plan);

    InitialFocus OnInitDialog() override;
    CommandAnswer OnCommand(int id, int code, HWND control) override;

private:
    std::string summary_;
    std::vector<PreviewLine> lines_;
};
