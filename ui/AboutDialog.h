#pragma once
#include "ui/framework/UxDialog.h"

// Help > About: the product's name and version. Every way out ends it with 1.
class AboutDialog : public UxDialog {
public:
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam) override;
};
