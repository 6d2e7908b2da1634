#include "ui/AboutDialog.h"

#include "ui/framework/UxDrawing.h"

LRESULT AboutDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
        EndDialog(handle(), 1);
        return 1;
    default: return 0;
    }
}

LRESULT AboutDialog::OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    drawOwnerButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return 1;
}
