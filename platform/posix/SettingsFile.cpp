#include "platform/SettingsFile.h"
#include "platform/IniDocument.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

bool loadDocument(const char* iniPath, IniDocument* document) {
    if (iniPath == nullptr)
        return false;
    std::ifstream in(iniPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    document->parse(content.str());
    return true;
}

bool lookUp(const char* section, const char* key, const char* iniPath, std::string* value) {
    IniDocument document;
    if (section == nullptr || key == nullptr || !loadDocument(iniPath, &document))
        return false;
    return document.find(section, key, value);
}

// The integer at the start of text: blanks, a sign, an optional 0x / 0o / 0b
// base prefix, then digits; arithmetic wraps as in 32 bits.
int leadingInteger(const std::string& text) {
    size_t index = 0;
    while (index < text.size() && static_cast<unsigned char>(text[index]) <= ' ')
        ++index;
    bool negative = false;
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
        negative = text[index] == '-';
        ++index;
    }
    unsigned base = 10;
    if (index + 1 < text.size() && text[index] == '0') {
        char prefix = text[index + 1];
        if (prefix == 'x' || prefix == 'X')
            base = 16;
        if (prefix == 'o' || prefix == 'O')
            base = 8;
        if (prefix == 'b' || prefix == 'B')
            base = 2;
        if (base != 10)
            index += 2;
    }
    uint32_t value = 0;
    for (; index < text.size(); ++index) {
        char c = text[index];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return static_cast<int>(negative ? 0u - value : value);
}

}  // namespace

int settingsGetInt(const char* section, const char* key, int defaultValue, const char* iniPath) {
    std::string value;
    if (!lookUp(section, key, iniPath, &value) || value.empty())
        return defaultValue;
    // Windows reads the value through a 30-character buffer.
    return leadingInteger(value.substr(0, 29));
}

uint32_t settingsGetString(const char* section, const char* key, const char* defaultValue, char* buffer, uint32_t size,
                           const char* iniPath) {
    if (buffer == nullptr || size == 0)
        return 0;
    std::string value;
    if (!lookUp(section, key, iniPath, &value))
        value = defaultValue ? defaultValue : "";
    // The text ends at a NUL, as a C string does; the count matches the buffer.
    value = value.substr(0, value.find('\0'));
    size_t length = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return static_cast<uint32_t>(length);
}

bool settingsWriteString(const char* section, const char* key, const char* value, const char* iniPath) {
    if (section == nullptr || key == nullptr || value == nullptr || iniPath == nullptr)
        return false;
    IniDocument document;
    loadDocument(iniPath, &document);
    document.set(section, key, value);
    std::ofstream out(iniPath, std::ios::binary | std::ios::trunc);
    out << document.text();
    out.flush();
    return static_cast<bool>(out);
}
