#pragma once
#include <string>

#include "ui/framework/UxDialog.h"

// The program's look for its dialogs: the header band across the top with
// one line of text, and the owner-drawn buttons. Each dialog names its own
// template.
class BrandedDialog : public UxDialog {
public:
    // Modal, owned by owner: what EndDialog gave, -1 when no dialog was made.
    INT_PTR showModal(HWND owner) { return run(owner, templateId_); }

    bool OnEraseBkgnd(HDC context) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    // Without a header line the dialog keeps its own background.
    explicit BrandedDialog(int templateId, const char* headerLine = nullptr);
    void setHeaderLine(const std::string& line);

private:
    int templateId_;
    bool banded_;
    std::string headerLine_;
};
