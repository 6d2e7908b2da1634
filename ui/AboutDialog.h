#pragma once
#include "ui/BrandedDialog.h"

// Help > About: the product's name and version. Every way out ends it with 1.
class AboutDialog : public BrandedDialog {
public:
    AboutDialog();
    CommandAnswer OnCommand(int id, int code, HWND control) override;
};
