#include "ui/framework/UxDialog.h"

INT_PTR UxDialog::run(HWND parent, int templateId) {
    return DialogBoxParamA(uxInstance(), MAKEINTRESOURCEA(templateId), parent, &UxDialog::procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR UxDialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const CommandAnswer answer = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return answer == CommandAnswer::Handled ? TRUE : FALSE;
    }
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wParam)) ? TRUE : FALSE;
    case WM_DRAWITEM:
        if (lParam == 0)
            return FALSE;
        return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    // The brush is the answer itself, not a message result.
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<INT_PTR>(OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return FALSE;
    case WM_DESTROY: OnDestroy(); return FALSE;
    case WM_NOTIFY:
        if (lParam != 0)
            OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        return FALSE;
    default: return FALSE;
    }
}

UxDialog* UxDialog::bindAtInit(HWND window, LPARAM createParameter) {
    UxDialog* dialog = reinterpret_cast<UxDialog*>(createParameter);
    if (dialog == nullptr)
        return nullptr;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    dialog->setHandle(window);
    return dialog;
}

void UxDialog::unbind(HWND window, UxDialog* dialog) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    dialog->setHandle(nullptr);
}

INT_PTR CALLBACK UxDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        UxDialog* dialog = bindAtInit(window, lParam);
        if (dialog == nullptr)
            return FALSE;
        return dialog->OnInitDialog() == InitialFocus::SetBySystem ? TRUE : FALSE;
    }
    // Nothing before WM_INITDIALOG (WM_SETFONT) reaches a handler.
    UxDialog* dialog = reinterpret_cast<UxDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    const INT_PTR result = dialog->dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        unbind(window, dialog);
    return result;
}
