#pragma once
#include <windows.h>

// The drawing that gives the program its look.

// A two-colour gradient over rect (left to right when horizontal, else top
// to bottom). Equal colours fill solid. False for an empty rectangle, or
// when the system's gradient service is not available (nothing is drawn).
bool gradientFill(HDC context, const RECT* rect, COLORREF from, COLORREF to, bool horizontal);

// The dialogs' header band: a white to light-blue band 65 pixels high with
// the product's name and the message line, over a button-face client area.
bool paintDialogHeader(HWND dialog, HDC context, const char* message);

// An owner-drawn push button, coloured from the system highlight colour.
void drawOwnerButton(const DRAWITEMSTRUCT* item);

// Frees what the drawing loaded (the gradient library); at program end.
void releaseDrawingResources();
