#include "testenv/fakeoutlook/ContactFile.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "outlook/OutlookDate.h"
#include "testenv/fakeoutlook/FakeContact.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "testenv/fakeoutlook/MemberName.h"

static const char ContactHeader[] = "[contact]";
static const char FileComment[] =
    "# Quillset stand-in Outlook contacts: \"[contact]\" starts each one, then Name=value lines.\n";

std::string ContactFileError::describe() const {
    if (line == 0)
        return message;
    return "line " + std::to_string(line) + ": " + message;
}

// --- values -----------------------------------------------------------------

static void appendUtf8(std::string* out, uint32_t code) {
    if (code < 0x80) {
        out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (code >> 6)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (code >> 12)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (code >> 18)));
        out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

static void appendUnitEscape(std::string* out, char16_t unit) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
    out->append(escape);
}

static bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
static bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::string encodeContactFileValue(const std::u16string& value) {
    std::string out;
    out.reserve(value.size());
    for (size_t index = 0; index < value.size(); ++index) {
        char16_t unit = value[index];
        switch (unit) {
        case u'\\': out.append("\\\\"); continue;
        case u'\n': out.append("\\n"); continue;
        case u'\r': out.append("\\r"); continue;
        case u'\t': out.append("\\t"); continue;
        default: break;
        }
        if (unit < 0x20 || unit == 0x7F) {
            appendUnitEscape(&out, unit);
        } else if (isHighSurrogate(unit) && index + 1 < value.size() && isLowSurrogate(value[index + 1])) {
            uint32_t code = 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) +
                            (static_cast<uint32_t>(value[index + 1]) - 0xDC00);
            appendUtf8(&out, code);
            ++index;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            // A lone surrogate has no UTF-8 form.
            appendUnitEscape(&out, unit);
        } else {
            appendUtf8(&out, unit);
        }
    }
    return out;
}

static int hexDigit(char digit) {
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

static void appendUtf16(std::u16string* out, uint32_t code) {
    if (code < 0x10000) {
        out->push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

// One UTF-8 sequence starting at `index`; strict (no overlong forms, no
// encoded surrogates, nothing past U+10FFFF).
static bool decodeUtf8(const std::string& text, size_t* index, uint32_t* code) {
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    unsigned char lead = byte(*index);
    size_t length = 0;
    uint32_t value = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        *code = lead;
        ++*index;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (text.size() - *index < length)
        return false;
    for (size_t offset = 1; offset < length; ++offset) {
        unsigned char next = byte(*index + offset);
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    *code = value;
    *index += length;
    return true;
}

bool decodeContactFileValue(const std::string& encoded, std::u16string* value, std::string* problem) {
    std::u16string out;
    size_t index = 0;
    while (index < encoded.size()) {
        char current = encoded[index];
        if (current != '\\') {
            uint32_t code = 0;
            if (!decodeUtf8(encoded, &index, &code)) {
                *problem = "the text is not UTF-8";
                return false;
            }
            appendUtf16(&out, code);
            continue;
        }
        if (index + 1 >= encoded.size()) {
            *problem = "the value ends in a lone backslash";
            return false;
        }
        char escape = encoded[index + 1];
        index += 2;
        switch (escape) {
        case '\\': out.push_back(u'\\'); break;
        case 'n': out.push_back(u'\n'); break;
        case 'r': out.push_back(u'\r'); break;
        case 't': out.push_back(u'\t'); break;
        case 'u': {
            if (encoded.size() - index < 4) {
                *problem = "\\u needs four hexadecimal digits";
                return false;
            }
            uint32_t unit = 0;
            for (size_t digit = 0; digit < 4; ++digit) {
                int nibble = hexDigit(encoded[index + digit]);
                if (nibble < 0) {
                    *problem = "\\u needs four hexadecimal digits";
                    return false;
                }
                unit = (unit << 4) | static_cast<uint32_t>(nibble);
            }
            out.push_back(static_cast<char16_t>(unit));
            index += 4;
            break;
        }
        default: *problem = std::string("unknown escape \\") + escape; return false;
        }
    }
    *value = std::move(out);
    return true;
}

// --- lines ------------------------------------------------------------------

static bool isNameCharacter(char character) {
    return (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z') ||
           (character >= '0' && character <= '9') || character == '_';
}

static bool fail(ContactFileError* error, size_t line, std::string message) {
    if (error) {
        error->line = line;
        error->message = std::move(message);
    }
    return false;
}

// The place a header names: 0 for "[contact]", N for "[contact N]"; false
// for any other header.
static bool headerPlace(const std::string& line, size_t* place) {
    if (line == ContactHeader) {
        *place = 0;
        return true;
    }
    static const char prefix[] = "[contact ";
    const size_t prefixLength = sizeof prefix - 1;
    if (line.size() < prefixLength + 2 || line.compare(0, prefixLength, prefix) != 0 || line.back() != ']') {
        return false;
    }
    const std::string digits = line.substr(prefixLength, line.size() - prefixLength - 1);
    // No leading zero, and at most MaximumContactPlace.
    if (digits[0] == '0' || digits.size() > 9)
        return false;
    size_t value = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9')
            return false;
        value = value * 10 + static_cast<size_t>(digit - '0');
    }
    *place = value;
    return true;
}

bool parseContactFile(const std::string& text, std::vector<ContactFileEntry>* contacts, ContactFileError* error) {
    if (text.size() > MaximumContactFileSize)
        return fail(error, 0, "the file is larger than 64 MiB");
    std::map<size_t, ContactFileEntry> byPlace;
    ContactFileEntry* current = nullptr;
    // Names seen in the current block, compared as the item compares them.
    std::vector<std::string> seen;
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    size_t lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            size_t place = 0;
            if (!headerPlace(line, &place)) {
                return fail(error, lineNumber, "\"" + line + "\" is not \"[contact]\" or \"[contact N]\"");
            }
            if (place == 0)
                place = byPlace.empty() ? 1 : byPlace.rbegin()->first + 1;
            if (place > MaximumContactPlace)
                return fail(error, lineNumber, "too many contacts");
            // A later block of a place replaces the whole contact.
            current = &byPlace[place];
            *current = ContactFileEntry();
            current->place = place;
            seen.clear();
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            return fail(error, lineNumber, "a property line needs Name=value");
        std::string name = line.substr(0, equals);
        if (name.empty())
            return fail(error, lineNumber, "the property has no name");
        for (char character : name) {
            if (!isNameCharacter(character)) {
                return fail(error, lineNumber, "\"" + name + "\" is not a property name");
            }
        }
        if (!current)
            return fail(error, lineNumber, "property before the first \"[contact]\"");
        for (const std::string& earlier : seen) {
            if (sameMemberName(earlier.c_str(), name.c_str())) {
                return fail(error, lineNumber, name + " is given twice in one contact");
            }
        }
        ContactFileLine property;
        std::string problem;
        if (!decodeContactFileValue(line.substr(equals + 1), &property.value, &problem)) {
            return fail(error, lineNumber, name + ": " + problem);
        }
        seen.push_back(name);
        property.name = std::move(name);
        current->lines.push_back(std::move(property));
    }
    std::vector<ContactFileEntry> parsed;
    parsed.reserve(byPlace.size());
    for (auto& placed : byPlace)
        parsed.push_back(std::move(placed.second));
    *contacts = std::move(parsed);
    return true;
}

static void appendBlock(std::string* out, const std::string& header, const ContactFileEntry& contact) {
    out->append("\n").append(header).append("\n");
    for (const ContactFileLine& line : contact.lines) {
        out->append(line.name).append("=").append(encodeContactFileValue(line.value)).append("\n");
    }
}

std::string formatContactFile(const std::vector<ContactFileEntry>& contacts) {
    std::string out = FileComment;
    for (const ContactFileEntry& contact : contacts)
        appendBlock(&out, ContactHeader, contact);
    return out;
}

std::string formatContactBlock(const ContactFileEntry& contact, size_t place) {
    std::string out;
    appendBlock(&out, "[contact " + std::to_string(place) + "]", contact);
    return out;
}

// --- typed values -----------------------------------------------------------

static std::string asciiOf(const std::u16string& text) {
    std::string out;
    for (char16_t unit : text)
        out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    return out;
}

static std::u16string fromAscii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

static bool parseDate(const std::u16string& text, double* date) {
    std::string number = asciiOf(text);
    if (number.empty() || number[0] == ' ')
        return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(number.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value))
        return false;
    *date = value;
    return true;
}

static bool parseInteger(const std::u16string& text, int32_t* integer) {
    std::string number = asciiOf(text);
    if (number.empty() || number[0] == ' ')
        return false;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(number.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX)
        return false;
    *integer = static_cast<int32_t>(value);
    return true;
}

// The shortest decimal that reads back as the same double.
static std::string formatDate(double date) {
    char number[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(number, sizeof number, "%.*g", precision, date);
        if (std::strtod(number, nullptr) == date)
            break;
    }
    return number;
}

bool seedFakeContact(const ContactFileEntry& entry, FakeContact* contact, std::vector<ContactFileLine>* unknown,
                     std::string* problem) {
    unknown->clear();
    for (const ContactFileLine& line : entry.lines) {
        int index = findFakeContactProperty(line.name.c_str());
        if (index < 0) {
            unknown->push_back(line);
            continue;
        }
        const FakeContactProperty& property = fakeContactProperties()[index];
        bool stored = false;
        switch (property.type) {
        case AutomationValueType::Text: stored = contact->setText(property.name, line.value); break;
        case AutomationValueType::Date: {
            double date = 0.0;
            stored = parseDate(line.value, &date) && contact->setDate(property.name, date);
            if (!stored)
                *problem = line.name + " needs an automation date (a decimal number)";
            break;
        }
        case AutomationValueType::Int32: {
            int32_t integer = 0;
            stored = parseInteger(line.value, &integer) && contact->setInteger(property.name, integer);
            if (!stored)
                *problem = line.name + " needs a 32-bit integer";
            break;
        }
        default: *problem = line.name + " has no type the file can hold"; break;
        }
        if (!stored) {
            if (problem->empty())
                *problem = line.name + " could not be stored";
            return false;
        }
    }
    return true;
}

ContactFileEntry contactFileEntry(const FakeContact& contact, const std::vector<ContactFileLine>& unknown) {
    ContactFileEntry entry;
    for (const FakeContactProperty& property : fakeContactProperties()) {
        const AutomationValue* value = contact.value(property.name);
        if (!value)
            continue;
        ContactFileLine line;
        line.name = property.name;
        switch (value->type()) {
        case AutomationValueType::Text:
            if (value->text().empty())
                continue;
            line.value = value->text();
            break;
        case AutomationValueType::Date:
            // A stamp left out would read back as the time of loading.
            if ((value->date() == 0.0 || value->date() == OutlookNoDate) && !property.readOnly)
                continue;
            line.value = fromAscii(formatDate(value->date()));
            break;
        case AutomationValueType::Int32:
            if (value->integer() == 0)
                continue;
            line.value = fromAscii(std::to_string(value->integer()));
            break;
        default: continue;
        }
        entry.lines.push_back(std::move(line));
    }
    entry.lines.insert(entry.lines.end(), unknown.begin(), unknown.end());
    return entry;
}

// --- files ------------------------------------------------------------------

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool readContactFile(const std::string& path, std::vector<ContactFileEntry>* contacts, bool* existed,
                     ContactFileError* error) {
    *existed = false;
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        if (errno == ENOENT) {
            contacts->clear();
            return true;
        }
        return fail(error, 0, std::string("cannot open it: ") + std::strerror(errno));
    }
    *existed = true;
    std::string text;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (text.size() + got > MaximumContactFileSize)
            return fail(error, 0, "the file is larger than 64 MiB");
        text.append(buffer, got);
    }
    if (std::ferror(file.get()))
        return fail(error, 0, "cannot read it");
    return parseContactFile(text, contacts, error);
}

// Writes text and closes the file; every failure on the way counts.
static bool writeAndClose(FileHandle file, const std::string& text, std::string* problem) {
    bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    written = std::fflush(file.get()) == 0 && written;
    std::FILE* raw = file.release();
    written = std::fclose(raw) == 0 && written;
    if (!written)
        *problem = "cannot write it";
    return written;
}

static bool writeNewFile(const std::string& path, const std::string& text, std::string* problem) {
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        *problem = std::string("cannot write it: ") + std::strerror(errno);
        return false;
    }
    return writeAndClose(std::move(file), text, problem);
}

bool writeContactFile(const std::string& path, const std::vector<ContactFileEntry>& contacts, std::string* problem) {
    return writeNewFile(path, formatContactFile(contacts), problem);
}

bool writeContactFileInPlaces(const std::string& path, const std::vector<ContactFileEntry>& contacts,
                              std::string* problem) {
    std::string text = FileComment;
    for (const ContactFileEntry& contact : contacts)
        text += formatContactBlock(contact, contact.place);
    return writeNewFile(path, text, problem);
}

bool appendContactBlock(const std::string& path, const ContactFileEntry& contact, size_t place, std::string* problem) {
    FileHandle file(std::fopen(path.c_str(), "ab"));
    if (!file) {
        *problem = std::string("cannot write it: ") + std::strerror(errno);
        return false;
    }
    // Where an append stream starts before its first write differs between
    // C libraries; the end is asked for.
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        *problem = "cannot find its end";
        return false;
    }
    const long size = std::ftell(file.get());
    if (size < 0) {
        *problem = "cannot find its end";
        return false;
    }
    std::string text = size == 0 ? FileComment : "";
    text += formatContactBlock(contact, place);
    return writeAndClose(std::move(file), text, problem);
}
