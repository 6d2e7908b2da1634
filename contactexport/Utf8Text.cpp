#include "contactexport/Utf8Text.h"

#include "platform/TextCodec.h"

namespace {

void appendCodePoint(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::string utf8Of(const char* text) {
    const std::u16string wide = ansiToUtf16(text != nullptr ? text : "");
    std::string out;
    for (size_t index = 0; index < wide.size(); ++index) {
        char32_t code = wide[index];
        const bool high = code >= 0xD800 && code < 0xDC00;
        if (high && index + 1 < wide.size() && wide[index + 1] >= 0xDC00 && wide[index + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[++index] - 0xDC00);
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;  // a lone half of a pair
        }
        appendCodePoint(out, code);
    }
    return out;
}
