#pragma once
#include <windows.h>

// The two fonts every window of the program shares (Verdana, 11-pixel
// characters, normal and bold). Borrowed handles: start-up owns them.
extern HFONT normalFont;
extern HFONT boldFont;
