#include "ui/AboutDialog.h"

#include "resources/ResourceIds.h"

AboutDialog::AboutDialog() : BrandedDialog(IDD_ABOUT) {}

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
