#pragma once
#include <windows.h>

// Owners of the handles the windows create. None can be copied; each can be
// moved and releases what it holds when it goes. Borrowed handles (stock
// objects, system cursors, handles a window owns) stay plain handles.

template <typename Handle, typename Traits>
class UxOwnedHandle {
public:
    UxOwnedHandle() = default;
    explicit UxOwnedHandle(Handle handle) : handle_(handle) {}
    ~UxOwnedHandle() { reset(); }
    UxOwnedHandle(const UxOwnedHandle&) = delete;
    UxOwnedHandle& operator=(const UxOwnedHandle&) = delete;
    UxOwnedHandle(UxOwnedHandle&& other) noexcept : handle_(other.release()) {}
    UxOwnedHandle& operator=(UxOwnedHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr && handle_ != handle)
            Traits::free(handle_);
        handle_ = handle;
    }
    // Hands the handle to a new owner (a window that destroys it itself).
    Handle release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_ = nullptr;
};

struct UxGdiObjectTraits {
    static void free(HGDIOBJ object) { DeleteObject(object); }
};
struct UxIconTraits {
    static void free(HICON icon) { DestroyIcon(icon); }
};
struct UxCursorTraits {
    static void free(HCURSOR cursor) { DestroyCursor(cursor); }
};
struct UxMenuTraits {
    static void free(HMENU menu) { DestroyMenu(menu); }
};
struct UxDcTraits {
    static void free(HDC context) { DeleteDC(context); }
};

using UxFont = UxOwnedHandle<HFONT, UxGdiObjectTraits>;
using UxBrush = UxOwnedHandle<HBRUSH, UxGdiObjectTraits>;
using UxPen = UxOwnedHandle<HPEN, UxGdiObjectTraits>;
using UxBitmap = UxOwnedHandle<HBITMAP, UxGdiObjectTraits>;
using UxIcon = UxOwnedHandle<HICON, UxIconTraits>;
using UxCursor = UxOwnedHandle<HCURSOR, UxCursorTraits>;
using UxMenu = UxOwnedHandle<HMENU, UxMenuTraits>;
using UxMemoryDc = UxOwnedHandle<HDC, UxDcTraits>;

// A window's drawing context, outside a paint message.
class UxWindowDc {
public:
    explicit UxWindowDc(HWND window) : window_(window), context_(GetDC(window)) {}
    ~UxWindowDc() {
        if (context_ != nullptr)
            ReleaseDC(window_, context_);
    }
    UxWindowDc(const UxWindowDc&) = delete;
    UxWindowDc& operator=(const UxWindowDc&) = delete;
    HDC get() const { return context_; }

private:
    HWND window_;
    HDC context_;
};

// Selects an object into a context and puts the previous one back at the end
// of the scope, so nothing owned is ever deleted while selected.
class UxSelection {
public:
    UxSelection(HDC context, HGDIOBJ object)
        : context_(context), previous_(object != nullptr ? SelectObject(context, object) : nullptr) {}
    ~UxSelection() {
        if (previous_ != nullptr)
            SelectObject(context_, previous_);
    }
    UxSelection(const UxSelection&) = delete;
    UxSelection& operator=(const UxSelection&) = delete;

private:
    HDC context_;
    HGDIOBJ previous_;
};

// A font of the given face, pixel height (negative: character height) and
// weight, every other attribute zero.
HFONT uxCreateFont(const char* face, int height, int weight);
