#pragma once
#include <windows.h>

class UxWindow;

// Finds the object of a child or frame window: the creation parameter puts
// it in the window's user data at WM_CREATE, and every later message reads
// it back from there.
class UxWindowBinding {
public:
    // At WM_CREATE: binds the object named in the creation data.
    static UxWindow* bindAtCreate(HWND window, LPARAM createParameter);
    // Null while the window is not bound.
    static UxWindow* find(HWND window);
    static void unbind(HWND window, UxWindow* object);
    // Registers the class once per process, only when it does not exist yet.
    static bool declareClass(const char* className, WNDPROC procedure, HBRUSH background);
};
