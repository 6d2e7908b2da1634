#include "help/check/HtmlTokens.h"

#include <cctype>
#include <cstdlib>

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool isNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' || c == '.';
}

void skipBlanks(const std::string& html, size_t& at) {
    while (at < html.size() && isBlank(html[at]))
        ++at;
}

std::string readName(const std::string& html, size_t& at) {
    const size_t start = at;
    while (at < html.size() && isNameCharacter(html[at]))
        ++at;
    return lowerCase(html.substr(start, at - start));
}

std::string readAttributeValue(const std::string& html, size_t& at) {
    if (at < html.size() && (html[at] == '"' || html[at] == '\'')) {
        const char quote = html[at++];
        const size_t end = html.find(quote, at);
        const size_t stop = end == std::string::npos ? html.size() : end;
        std::string value = html.substr(at, stop - at);
        at = end == std::string::npos ? html.size() : end + 1;
        return value;
    }
    const size_t start = at;
    while (at < html.size() && !isBlank(html[at]) && html[at] != '>')
        ++at;
    return html.substr(start, at - start);
}

// Reads the tag that starts at html[at] == '<'; at ends behind its '>'.
HtmlToken readTag(const std::string& html, size_t& at) {
    HtmlToken tag;
    tag.kind = HtmlToken::Kind::Tag;
    ++at;
    if (at < html.size() && html[at] == '/') {
        tag.closing = true;
        ++at;
    }
    tag.name = readName(html, at);
    while (at < html.size() && html[at] != '>') {
        skipBlanks(html, at);
        if (at < html.size() && html[at] == '/') {
            ++at;
            continue;
        }
        const std::string name = readName(html, at);
        if (name.empty()) {
            if (at < html.size() && html[at] != '>')
                ++at;  // a stray character
            continue;
        }
        skipBlanks(html, at);
        std::string value;
        if (at < html.size() && html[at] == '=') {
            ++at;
            skipBlanks(html, at);
            value = readAttributeValue(html, at);
        }
        tag.attributes[name] = value;
    }
    if (at < html.size())
        ++at;
    return tag;
}

// Content of <script> and <style> is no text of the page.
void skipRawContent(const std::string& html, size_t& at, const std::string& name) {
    const std::string lowered = lowerCase(html);
    const size_t end = lowered.find("</" + name, at);
    at = end == std::string::npos ? html.size() : end;
}

}  // namespace

std::vector<HtmlToken> htmlTokens(const std::string& html) {
    std::vector<HtmlToken> tokens;
    size_t at = 0;
    while (at < html.size()) {
        if (html.compare(at, 4, "<!--") == 0) {
            const size_t end = html.find("-->", at + 4);
            at = end == std::string::npos ? html.size() : end + 3;
            continue;
        }
        if (html[at] == '<' && at + 1 < html.size() && html[at + 1] == '!') {
            const size_t end = html.find('>', at);  // <!DOCTYPE ...>
            at = end == std::string::npos ? html.size() : end + 1;
            continue;
        }
        if (html[at] == '<' && at + 1 < html.size() &&
            (std::isalpha(static_cast<unsigned char>(html[at + 1])) || html[at + 1] == '/')) {
            tokens.push_back(readTag(html, at));
            const HtmlToken& tag = tokens.back();
            if (!tag.closing && (tag.name == "script" || tag.name == "style"))
                skipRawContent(html, at, tag.name);
            continue;
        }
        const size_t next = html.find('<', at + 1);
        const size_t stop = next == std::string::npos ? html.size() : next;
        HtmlToken text;
        text.text = html.substr(at, stop - at);
        tokens.push_back(text);
        at = stop;
    }
    return tokens;
}

namespace {

bool namedEntity(const std::string& name, std::string* replacement) {
    static const struct {
        const char* name;
        const char* text;
    } entities[] = {{"amp", "&"},      {"lt", "<"},        {"gt", ">"},    {"quot", "\""},  {"apos", "'"},
                    {"nbsp", " "},     {"ndash", "-"},     {"mdash", "-"}, {"rarr", "->"},  {"larr", "<-"},
                    {"hellip", "..."}, {"middot", "\xB7"}, {"times", "x"}, {"copy", "(C)"}, {"reg", "(R)"}};
    for (const auto& entity : entities) {
        if (name == entity.name) {
            *replacement = entity.text;
            return true;
        }
    }
    return false;
}

bool numericEntity(const std::string& name, std::string* replacement) {
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hexadecimal = name[1] == 'x' || name[1] == 'X';
    const std::string digits = name.substr(hexadecimal ? 2 : 1);
    if (digits.empty())
        return false;
    char* end = nullptr;
    const long code = std::strtol(digits.c_str(), &end, hexadecimal ? 16 : 10);
    if (end == nullptr || *end != '\0' || code <= 0 || code > 255)
        return false;  // the help is single-byte text
    *replacement = std::string(1, static_cast<char>(code == 160 ? ' ' : code));
    return true;
}

}  // namespace

std::string decodeEntities(const std::string& text) {
    std::string decoded;
    size_t at = 0;
    while (at < text.size()) {
        const size_t semicolon = text[at] == '&' ? text.find(';', at) : std::string::npos;
        if (semicolon != std::string::npos && semicolon - at <= 10) {
            const std::string name = text.substr(at + 1, semicolon - at - 1);
            std::string replacement;
            if (namedEntity(name, &replacement) || numericEntity(name, &replacement)) {
                decoded += replacement;
                at = semicolon + 1;
                continue;
            }
        }
        decoded += text[at++];
    }
    return decoded;
}

std::string collapseBlanks(const std::string& text) {
    std::string collapsed;
    bool blank = false;
    for (char c : text) {
        if (isBlank(c)) {
            blank = !collapsed.empty();
            continue;
        }
        if (blank)
            collapsed += ' ';
        blank = false;
        collapsed += c;
    }
    return collapsed;
}
