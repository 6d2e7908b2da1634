#include "ui/BrandedDialog.h"

#include "ui/framework/UxDrawing.h"

BrandedDialog::BrandedDialog(int templateId, const char* headerLine)
    : templateId_(templateId), banded_(headerLine != nullptr), headerLine_(headerLine != nullptr ? headerLine : "") {}

void BrandedDialog::setHeaderLine(const std::string& line) {
    banded_ = true;
    headerLine_ = line;
}

bool BrandedDialog::OnEraseBkgnd(HDC context) {
    if (!banded_)
        return UxDialog::OnEraseBkgnd(context);
    // The band is this dialog's background: the dialog manager never erases
    // it, even where the band could not be painted.
    paintDialogHeader(handle(), context, headerLine_.c_str());
    return true;
}

bool BrandedDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    drawOwnerButton(&item);
    return true;
}
