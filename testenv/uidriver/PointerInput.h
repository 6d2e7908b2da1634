#pragma once
#include <windows.h>

// The real pointer, moved and pressed as a hand would: the input goes
// through the system like a mouse's, to whatever window is under the
// pointer, and drives capture, cursors and tooltips as the real thing does.

// Moves the pointer to a screen point. The move is absolute input on the
// normalised 0..65535 scale; the pointer is put on the exact pixel after.
inline bool movePointerTo(POINT target) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 1 || height <= 1)
        return false;
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>((target.x * 65535LL + (width - 1) / 2) / (width - 1));
    move.mi.dy = static_cast<LONG>((target.y * 65535LL + (height - 1) / 2) / (height - 1));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &move, sizeof move) != 1)
        return false;
    POINT reached = {};
    if (GetCursorPos(&reached) && (reached.x != target.x || reached.y != target.y))
        SetCursorPos(target.x, target.y);
    return GetCursorPos(&reached) && reached.x == target.x && reached.y == target.y;
}

// Presses (down) or lets go of (up) the left button where the pointer is.
inline bool pressLeftButton(bool down) {
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return SendInput(1, &press, sizeof press) == 1;
}
