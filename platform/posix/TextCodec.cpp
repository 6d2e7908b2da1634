#include "platform/TextCodec.h"

// Windows-1252. The five bytes the code page leaves undefined map to the C1
// control of the same number, as Windows does, so every byte round-trips.
static const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

static char16_t byteToUnit(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

static bool unitToByte(char16_t unit, char* byte) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        *byte = static_cast<char>(unit);
        return true;
    }
    for (int index = 0; index < 32; ++index) {
        if (kHighControls[index] == unit) {
            *byte = static_cast<char>(0x80 + index);
            return true;
        }
    }
    return false;
}

std::u16string ansiToUtf16(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (unsigned char byte : text)
        wide.push_back(byteToUnit(byte));
    return wide;
}

std::string utf16ToAnsi(const std::u16string& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (char16_t unit : text) {
        char byte = '?';
        unitToByte(unit, &byte);
        narrow.push_back(byte);
    }
    return narrow;
}
