#pragma once
#include <windows.h>

class UxWindow;

// The one way a window finds its object: the creation parameter puts it in
// the window's user data at WM_NCCREATE, every later message reads it back,
// and WM_NCDESTROY takes it out again.
class UxWindowBinding {
public:
    // Null while the window is not bound.
    static UxWindow* find(HWND window);
    static void unbind(HWND window, UxWindow* object);
    // Registers the class with the framework's window procedure, once per
    // process, only when it does not exist yet.
    static bool declareClass(const char* className, HBRUSH background);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void bindAtCreate(HWND window, LPARAM createParameter);
};
