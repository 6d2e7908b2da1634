#include "ui/framework/UxWindowBinding.h"

#include "ui/framework/UxWindow.h"

UxWindow* UxWindowBinding::bindAtCreate(HWND window, LPARAM createParameter)
{
    const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(createParameter);
    if (creation == nullptr || creation->lpCreateParams == nullptr)
        return nullptr;
    UxWindow* object = static_cast<UxWindow*>(creation->lpCreateParams);
    object->setHandle(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
}

UxWindow* UxWindowBinding::find(HWND window)
{
    return reinterpret_cast<UxWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void UxWindowBinding::unbind(HWND window, UxWindow* object)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (object != nullptr)
        object->setHandle(nullptr);
}

bool UxWindowBinding::declareClass(const char* className, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSA existing;
    if (GetClassInfoA(uxInstance(), className, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = uxInstance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}
