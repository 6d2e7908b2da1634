#pragma once
#include "ui/framework/UxWindow.h"

// A modal dialog from a dialog template. Its owner creates the object (on
// the stack, usually) and keeps it for the run; the dialog never deletes it.
// Every handler's result is the dialog procedure's answer: 0 is "not handled".
class UxDialog : public UxWindow {
public:
    ~UxDialog() override = default;

    // DialogBoxParamA of template templateId owned by parent.
    INT_PTR run(HWND parent, int templateId);

    virtual LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) { return 1; }
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnSize(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnDestroy(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam) { return 0; }
    virtual LRESULT OnCtlColorEdit(WPARAM wParam, LPARAM lParam) { return 0; }

    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};
