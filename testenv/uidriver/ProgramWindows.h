#pragma once
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

// Finding the driven program's windows from outside: its top-level windows
// by class and title, and the children of one of its windows by class, id
// or caption.

// A window's text as the window itself gives it: GetWindowText reads only
// the caption kept by the system, not what a control of another process
// holds, so the control is asked (the system copies the text across).
inline std::string windowText(HWND window) {
    char text[1024] = {};
    if (window == nullptr)
        return text;
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                             &copied))
        GetWindowTextA(window, text, sizeof text);
    text[sizeof text - 1] = '\0';
    return text;
}

inline std::string windowClass(HWND window) {
    char name[128] = {};
    if (window != nullptr)
        GetClassNameA(window, name, sizeof name);
    return name;
}

inline bool hasClass(HWND window, const char* className) {
    return lstrcmpiA(windowClass(window).c_str(), className) == 0;
}

inline std::string withoutAccelerators(const std::string& text) {
    std::string plain;
    for (char c : text) {
        if (c != '&')
            plain += c;
    }
    return plain;
}

namespace programwindows_detail {

struct TopLevelSearch {
    DWORD processId;
    const char* className;
    const char* title;
    bool hiddenToo;
    std::vector<HWND>* found;
};

// Enumeration callbacks are stdcall on 32-bit Windows, which lambdas are not.
inline BOOL CALLBACK collectTopLevel(HWND window, LPARAM parameter) {
    TopLevelSearch* search = reinterpret_cast<TopLevelSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || (!search->hiddenToo && !IsWindowVisible(window)))
        return TRUE;
    if (search->className != nullptr && !hasClass(window, search->className))
        return TRUE;
    if (search->title != nullptr && windowText(window) != search->title)
        return TRUE;
    search->found->push_back(window);
    return TRUE;
}

inline BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

}  // namespace programwindows_detail

// The visible (or all) top-level windows of a process, with the class and
// title when given (null for any), in the system's z-order, topmost first.
inline std::vector<HWND> programWindows(DWORD processId, const char* className, const char* title,
                                        bool hiddenToo = false) {
    std::vector<HWND> found;
    programwindows_detail::TopLevelSearch search = {processId, className, title, hiddenToo, &found};
    EnumWindows(&programwindows_detail::collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return found;
}

inline HWND firstProgramWindow(DWORD processId, const char* className, const char* title) {
    const std::vector<HWND> found = programWindows(processId, className, title);
    return found.empty() ? nullptr : found.front();
}

// Every descendant of a window, in the system's order.
inline std::vector<HWND> descendantWindows(HWND parent) {
    std::vector<HWND> found;
    if (parent != nullptr)
        EnumChildWindows(parent, &programwindows_detail::collectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The descendants with this control id, of the class when one is given.
inline std::vector<HWND> controlsWithId(HWND parent, int controlId, const char* className) {
    std::vector<HWND> found;
    for (HWND window : descendantWindows(parent)) {
        if (GetDlgCtrlID(window) == controlId && (className == nullptr || hasClass(window, className)))
            found.push_back(window);
    }
    return found;
}

inline HWND firstControlWithId(HWND parent, int controlId, const char* className) {
    const std::vector<HWND> found = controlsWithId(parent, controlId, className);
    return found.empty() ? nullptr : found.front();
}

inline HWND firstControlOfClass(HWND parent, const char* className) {
    for (HWND window : descendantWindows(parent)) {
        if (hasClass(window, className))
            return window;
    }
    return nullptr;
}

// The visible buttons whose caption, without '&' marks, is the text; from
// left to right, then top to bottom, so "the second Select All" is the one
// further right whatever order the windows were made in.
inline std::vector<HWND> buttonsWithCaption(HWND parent, const std::string& caption, std::string* allCaptions) {
    struct Placed {
        HWND window;
        RECT rect;
    };
    std::vector<Placed> found;
    for (HWND window : descendantWindows(parent)) {
        if (!hasClass(window, "Button") || !IsWindowVisible(window))
            continue;
        const std::string text = withoutAccelerators(windowText(window));
        if (allCaptions != nullptr)
            *allCaptions += (allCaptions->empty() ? "" : ", ") + text;
        if (text != caption)
            continue;
        Placed placed = {window, {}};
        GetWindowRect(window, &placed.rect);
        found.push_back(placed);
    }
    for (size_t sorted = 1; sorted < found.size(); ++sorted) {
        for (size_t index = sorted; index > 0; --index) {
            const RECT& before = found[index - 1].rect;
            const RECT& after = found[index].rect;
            if (before.left < after.left || (before.left == after.left && before.top <= after.top))
                break;
            std::swap(found[index - 1], found[index]);
        }
    }
    std::vector<HWND> windows;
    for (const Placed& placed : found)
        windows.push_back(placed.window);
    return windows;
}

// A window's rectangle in the client coordinates of another (its parent,
// say), as MoveWindow placed it.
inline RECT rectInClientOf(HWND window, HWND reference) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The keyboard focus of a thread of another process, or null.
inline HWND focusOfThread(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info))
        return nullptr;
    return info.hwndFocus;
}
