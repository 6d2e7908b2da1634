#include "ui/BrandedDialog.h"

#include "ui/framework/UxDrawing.h"

BrandedDialog::BrandedDialog(int templateId, const char* headerLine)
    : templateId_(templateId), banded_(headerLine != nullptr), headerLine_(headerLine != nullptr ? headerLine : "")
{
}

void BrandedDialog::setHeaderLine(const std::string& line)
{
    banded_ = true;
    headerLine_ = line;
}

LRESULT BrandedDialog::OnEraseBkgnd(WPARAM wParam, LPARAM lParam)
{
    if (!banded_)
        return UxDialog::OnEraseBkgnd(wParam, lParam);
    paintDialogHeader(handle(), reinterpret_cast<HDC>(wParam), headerLine_.c_str());
    return 1;
}

LRESULT BrandedDialog::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    drawOwnerButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return 1;
}
