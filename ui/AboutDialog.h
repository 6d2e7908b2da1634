#pragma once
#include "ui/BrandedDialog.h"

// Help > About: the product's name and version. Every way out ends it with 1.
class AboutDialog : public BrandedDialog {
public:
    AboutDialog();
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
};
