#pragma once
#include "ui/framework/UxWindow.h"

// A modal dialog from a dialog template. Its owner creates the object (on
// the stack, usually) and keeps it for the run; the dialog never deletes it.
//
// The handlers get the message's arguments decoded. Whether the dialog
// procedure answers a message as handled is decided in dispatch alone: from
// a handler's named result, and never for the messages a handler is only told of (size, destruction,
// notifications), which the dialog manager then handles as well.
class UxDialog : public UxWindow {
public:
    // LeftAlone: the system does not put the focus on the first control.
    enum class InitialFocus { SetBySystem, LeftAlone };
    // NotHandled leaves the command to the dialog manager.
    enum class CommandAnswer { Handled, NotHandled };

    ~UxDialog() override = default;

    // DialogBoxParamA of template templateId owned by parent.
    INT_PTR run(HWND parent, int templateId);

    // The dialog is bound before this runs: handle() is its window.
    virtual InitialFocus OnInitDialog() { return InitialFocus::SetBySystem; }
    virtual CommandAnswer OnCommand(int id, int code, HWND control) { return CommandAnswer::NotHandled; }
    virtual void OnSize(int width, int height) {}
    // True when the background is painted; false leaves it to the dialog manager.
    virtual bool OnEraseBkgnd(HDC context) { return false; }
    virtual void OnDestroy() {}
    virtual void OnNotify(NMHDR& header) {}
    // True when the owner-drawn control is drawn; false leaves it to the default.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) { return false; }
    // The brush for the edit's background; null leaves it to the dialog manager.
    virtual HBRUSH OnCtlColorEdit(HDC context, HWND edit) { return nullptr; }

    // The dialog procedure of every UxDialog; the creation parameter names
    // the object.
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The one place a dialog is bound to its object, at WM_INITDIALOG before
    // any handler runs; null without an object.
    static UxDialog* bindAtInit(HWND window, LPARAM createParameter);
    static void unbind(HWND window, UxDialog* dialog);
    // The dialog procedure's answer for one message after WM_INITDIALOG.
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};
