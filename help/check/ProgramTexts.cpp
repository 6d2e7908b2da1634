#include "help/check/ProgramTexts.h"

#include <cctype>
#include <regex>
#include <sstream>

#include "help/check/HtmlTokens.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// One escape after the backslash at source[at]; at ends behind it.
char decodeEscape(const std::string& source, size_t& at) {
    ++at;
    if (at >= source.size())
        return '\\';
    const char c = source[at++];
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'r': return '\r';
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'v': return '\v';
    case 'x': {
        int value = 0;
        while (at < source.size() && hexValue(source[at]) >= 0)
            value = value * 16 + hexValue(source[at++]);
        return static_cast<char>(value);
    }
    default:
        if (c >= '0' && c <= '7') {
            int value = c - '0';
            for (int digits = 1; digits < 3 && at < source.size() && source[at] >= '0' && source[at] <= '7'; ++digits)
                value = value * 8 + (source[at++] - '0');
            return static_cast<char>(value);
        }
        return c;  // \\ \" \' \?
    }
}

class CppScanner {
public:
    explicit CppScanner(const std::string& source) : source_(source) {}

    std::vector<SourceText> literals() {
        std::vector<SourceText> found;
        bool joinable = false;  // only blanks and comments since the last literal
        while (at_ < source_.size()) {
            const char c = source_[at_];
            if (c == '\n') {
                ++line_;
                ++at_;
                lineStart_ = true;
                continue;
            }
            if (isBlank(c)) {
                ++at_;
                continue;
            }
            if (skipComment())
                continue;
            if (lineStart_ && c == '#') {
                skipIncludeLine();
                lineStart_ = false;
                continue;
            }
            lineStart_ = false;
            if (c == '\'') {
                skipCharacterLiteral();
                joinable = false;
                continue;
            }
            size_t prefix = 0;
            if (startsStringLiteral(&prefix)) {
                const int startLine = line_;
                std::string text = readStringLiteral(prefix);
                if (joinable && !found.empty()) {
                    found.back().text += text;
                } else {
                    found.push_back({text, startLine});
                }
                joinable = true;
                continue;
            }
            joinable = false;
            ++at_;
        }
        return found;
    }

private:
    bool skipComment() {
        if (source_.compare(at_, 2, "//") == 0) {
            while (at_ < source_.size() && source_[at_] != '\n')
                ++at_;
            return true;
        }
        if (source_.compare(at_, 2, "/*") == 0) {
            const size_t end = source_.find("*/", at_ + 2);
            const size_t stop = end == std::string::npos ? source_.size() : end + 2;
            for (size_t i = at_; i < stop; ++i)
                line_ += source_[i] == '\n' ? 1 : 0;
            at_ = stop;
            return true;
        }
        return false;
    }

    // "#include <x>" and "#include "x"" name files, not texts; other
    // directives (a #define of a message) are read like code.
    void skipIncludeLine() {
        size_t probe = at_ + 1;
        while (probe < source_.size() && (source_[probe] == ' ' || source_[probe] == '\t'))
            ++probe;
        if (source_.compare(probe, 7, "include") != 0) {
            ++at_;
            return;
        }
        while (at_ < source_.size() && source_[at_] != '\n')
            ++at_;
    }

    void skipCharacterLiteral() {
        ++at_;
        while (at_ < source_.size() && source_[at_] != '\'' && source_[at_] != '\n') {
            if (source_[at_] == '\\')
                ++at_;
            ++at_;
        }
        ++at_;
    }

    // A literal starts here: "..." or u8"..." (narrow); L, u and U literals
    // are read the same way. A name that merely ends in R or L is no prefix.
    bool startsStringLiteral(size_t* prefix) const {
        if (source_[at_] == '"') {
            *prefix = 0;
            return true;
        }
        // A prefix starts a literal only where no name goes on before it.
        if (at_ > 0 && (std::isalnum(static_cast<unsigned char>(source_[at_ - 1])) || source_[at_ - 1] == '_'))
            return false;
        for (const char* start : {"u8R\"", "LR\"", "uR\"", "UR\"", "R\"", "u8\"", "L\"", "u\"", "U\""}) {
            const std::string opening(start);
            if (source_.compare(at_, opening.size(), opening) == 0) {
                *prefix = opening.size() - 1;
                return true;
            }
        }
        return false;
    }

    std::string readStringLiteral(size_t prefix) {
        const bool raw = prefix > 0 && source_[at_ + prefix - 1] == 'R';
        at_ += prefix + 1;
        std::string text;
        if (raw) {
            const size_t open = source_.find('(', at_);
            const std::string closing = ")" + source_.substr(at_, open - at_) + "\"";
            const size_t end = source_.find(closing, open);
            const size_t stop = end == std::string::npos ? source_.size() : end;
            text = source_.substr(open + 1, stop - open - 1);
            for (char c : text)
                line_ += c == '\n' ? 1 : 0;
            at_ = end == std::string::npos ? source_.size() : end + closing.size();
            return text;
        }
        while (at_ < source_.size() && source_[at_] != '"' && source_[at_] != '\n') {
            if (source_[at_] == '\\')
                text += decodeEscape(source_, at_);
            else
                text += source_[at_++];
        }
        if (at_ < source_.size() && source_[at_] == '"')
            ++at_;
        return text;
    }

    const std::string& source_;
    size_t at_ = 0;
    int line_ = 1;
    bool lineStart_ = true;
};

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The conversions of printf formats: %d, %02d, %ld, %s, %u, %x ...
const std::regex& conversionPattern() {
    static const std::regex pattern("%[-+ #0]*[0-9]*(\\.[0-9]+)?(hh|h|ll|l|z)?[diouxXsc]");
    return pattern;
}

std::string regexEscaped(const std::string& text) {
    static const std::string special = "\\^$.|?*+()[]{}";
    std::string escaped;
    for (char c : text) {
        if (special.find(c) != std::string::npos)
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::vector<SourceText> stringLiterals(const std::string& cppSource) { return CppScanner(cppSource).literals(); }

bool looksLikeMessage(const std::string& text) {
    const std::string sentence = trimmed(text);
    if (sentence.empty())
        return false;
    const char last = sentence.back();
    if (last != '.' && last != '?' && last != '!')
        return false;
    if (sentence.find('\0') != std::string::npos)
        return false;  // a filter list of the Open dialog
    int words = 0, letters = 0;
    for (char c : sentence) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            ++letters;
            continue;
        }
        if (letters >= 2)
            ++words;
        letters = 0;
    }
    if (letters >= 2)
        ++words;
    return words >= 3;
}

bool containsMessage(const std::string& pageText, const std::string& message) {
    const std::string wanted = collapseBlanks(trimmed(message));
    if (wanted.empty())
        return false;
    std::string pattern, literal;
    for (size_t at = 0; at < wanted.size();) {
        if (wanted[at] != '%') {
            literal += wanted[at++];
            continue;
        }
        if (wanted.compare(at, 2, "%%") == 0) {
            literal += '%';  // one percent sign on the screen
            at += 2;
            continue;
        }
        std::smatch conversion;
        const std::string rest = wanted.substr(at);
        if (!std::regex_search(rest, conversion, conversionPattern(), std::regex_constants::match_continuous)) {
            literal += wanted[at++];
            continue;
        }
        pattern += regexEscaped(literal);
        literal.clear();
        // A number is one word in the help ("n", "12"); a text may be several.
        pattern += conversion.str().back() == 's' ? "\\S.*?" : "\\S+";
        at += conversion.length();
    }
    pattern += regexEscaped(literal);
    return std::regex_search(pageText, std::regex(pattern));
}

std::string plainResourceText(const std::string& raw) {
    std::string text;
    for (size_t at = 0; at < raw.size(); ++at) {
        if (raw[at] == '\t' || raw.compare(at, 2, "\\t") == 0)
            break;  // the accelerator key shown beside a menu item
        if (raw[at] == '&') {
            if (at + 1 < raw.size() && raw[at + 1] == '&')
                text += raw[++at];
            continue;
        }
        text += raw[at];
    }
    return collapseBlanks(text);
}

namespace {

// The first "..." of a resource line, with "" standing for one quote.
bool firstQuoted(const std::string& line, std::string* text) {
    const size_t open = line.find('"');
    if (open == std::string::npos)
        return false;
    text->clear();
    for (size_t at = open + 1; at < line.size(); ++at) {
        if (line[at] == '"') {
            if (at + 1 < line.size() && line[at + 1] == '"') {
                *text += '"';
                ++at;
                continue;
            }
            return true;
        }
        *text += line[at];
    }
    return false;
}

std::string firstWord(const std::string& line) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    return word;
}

bool isControlKeyword(const std::string& word) {
    static const char* const keywords[] = {"LTEXT",    "RTEXT",           "CTEXT",        "PUSHBUTTON", "DEFPUSHBUTTON",
                                           "GROUPBOX", "AUTORADIOBUTTON", "AUTOCHECKBOX", "CHECKBOX",   "RADIOBUTTON",
                                           "STATE3",   "AUTO3STATE",      "CONTROL"};
    for (const char* keyword : keywords) {
        if (word == keyword)
            return true;
    }
    return false;
}

}  // namespace

std::vector<ResourceText> resourceTexts(const std::string& rcSource) {
    std::vector<ResourceText> texts;
    std::istringstream lines(rcSource);
    std::string line, dialog;
    bool inStringTable = false;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string word = firstWord(line);
        std::istringstream words(line);
        std::string name, type;
        words >> name >> type;
        if (type == "DIALOG" || type == "DIALOGEX") {
            dialog = name;
            continue;
        }
        if (word == "STRINGTABLE" || (inStringTable && word == "END")) {
            inStringTable = word == "STRINGTABLE";
            continue;
        }
        std::string raw;
        if (!firstQuoted(line, &raw))
            continue;
        ResourceText text;
        text.line = number;
        text.text = plainResourceText(raw);
        if (word == "MENUITEM" || word == "POPUP") {
            text.kind = ResourceText::Kind::Menu;
        } else if (word == "CAPTION") {
            text.kind = ResourceText::Kind::DialogCaption;
            text.dialog = dialog;
        } else if (isControlKeyword(word)) {
            text.kind = ResourceText::Kind::Control;
            text.dialog = dialog;
        } else if (inStringTable && word != "END") {
            text.kind = ResourceText::Kind::String;
            text.text = collapseBlanks(raw);
        } else {
            continue;
        }
        if (!text.text.empty())
            texts.push_back(text);
    }
    return texts;
}
