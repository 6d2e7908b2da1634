#include "ui/framework/UxHandles.h"

#include <cstring>

HFONT uxCreateFont(const char* face, int height, int weight) {
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = weight;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}
