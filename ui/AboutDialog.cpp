#include "ui/AboutDialog.h"

#include "resources/ResourceIds.h"

AboutDialog::AboutDialog() : BrandedDialog(IDD_ABOUT) {}

UxDialog::CommandAnswer AboutDialog::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(handle(), 1); return CommandAnswer::Handled;
    default: return CommandAnswer::NotHandled;
    }
}
