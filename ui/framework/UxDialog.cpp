#include "ui/framework/UxDialog.h"

INT_PTR UxDialog::run(HWND parent, int templateId)
{
    return DialogBoxParamA(uxInstance(), MAKEINTRESOURCEA(templateId), parent, &UxDialog::procedure,
                           reinterpret_cast<LPARAM>(this));
}

LRESULT UxDialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_ERASEBKGND: return OnEraseBkgnd(wParam, lParam);
    case WM_DESTROY: return OnDestroy(wParam, lParam);
    case WM_NOTIFY: return OnNotify(wParam, lParam);
    case WM_DRAWITEM: return OnDrawItem(wParam, lParam);
    case WM_CTLCOLOREDIT: return OnCtlColorEdit(wParam, lParam);
    default: return 0;
    }
}

INT_PTR CALLBACK UxDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        UxDialog* dialog = reinterpret_cast<UxDialog*>(lParam);
        if (dialog == nullptr)
            return 0;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
        dialog->setHandle(window);
        return dialog->OnInitDialog(wParam, lParam);
    }
    UxDialog* dialog = reinterpret_cast<UxDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr)
        return 0;
    const LRESULT result = dialog->dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->setHandle(nullptr);
    }
    return result;
}
