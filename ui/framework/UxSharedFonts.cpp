#include "ui/framework/UxSharedFonts.h"

HFONT normalFont = nullptr;
HFONT boldFont = nullptr;
