#include "ui/framework/UxWindowBinding.h"

#include "ui/framework/UxWindow.h"

void UxWindowBinding::bindAtCreate(HWND window, LPARAM createParameter) {
    const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(createParameter);
    if (creation == nullptr || creation->lpCreateParams == nullptr)
        return;
    UxWindow* object = static_cast<UxWindow*>(creation->lpCreateParams);
    object->setHandle(window);
    object->windowGone_ = false;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

UxWindow* UxWindowBinding::find(HWND window) {
    return reinterpret_cast<UxWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void UxWindowBinding::unbind(HWND window, UxWindow* object) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (object != nullptr)
        object->setHandle(nullptr);
}

bool UxWindowBinding::declareClass(const char* className, HBRUSH background) {
    WNDCLASSA existing;
    if (GetClassInfoA(uxInstance(), className, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &UxWindowBinding::procedure;
    windowClass.cbWndExtra = 4;
    windowClass.hInstance = uxInstance();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

LRESULT CALLBACK UxWindowBinding::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        bindAtCreate(window, lParam);
    UxWindow* object = find(window);
    if (object == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    ++object->runningHandlers_;
    const LRESULT result = object->handleMessage(message, wParam, lParam);
    --object->runningHandlers_;
    if (message == WM_NCDESTROY) {
        unbind(window, object);
        object->windowGone_ = true;
    }
    // A handler that destroys its own window finishes on a live object: only
    // the outermost one lets the object go.
    if (object->windowGone_ && object->runningHandlers_ == 0)
        object->afterLastMessage();
    return result;
}
