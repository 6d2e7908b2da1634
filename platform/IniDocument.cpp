#include "platform/IniDocument.h"

#include <cctype>

namespace {

std::string trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

bool equalNoCase(const std::string& left, const std::string& right) {
    if (left.size() != right.size())
        return false;
    for (size_t index = 0; index < left.size(); ++index) {
        if (std::tolower(static_cast<unsigned char>(left[index])) !=
            std::tolower(static_cast<unsigned char>(right[index])))
            return false;
    }
    return true;
}

// "[name]" gives name; false for any other line.
bool headerName(const std::string& raw, std::string* name) {
    std::string line = trim(raw);
    if (line.empty() || line[0] != '[')
        return false;
    size_t close = line.find(']');
    *name = trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// "key = value" gives both, trimmed; false for comments and lines without '='.
bool keyAndValue(const std::string& raw, std::string* key, std::string* value) {
    std::string line = trim(raw);
    if (line.empty() || line[0] == ';')
        return false;
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    *key = trim(line.substr(0, equals));
    *value = trim(line.substr(equals + 1));
    return true;
}

std::string withoutQuotes(const std::string& value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

void IniDocument::parse(const std::string& content) {
    lines_.clear();
    std::string current;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string raw = content.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        Line line;
        line.raw = raw;
        std::string name;
        if (headerName(raw, &name)) {
            current = name;
            line.isHeader = true;
        }
        line.section = current;
        lines_.push_back(line);
        start = end + 1;
    }
}

std::string IniDocument::text() const {
    std::string content;
    for (const Line& line : lines_)
        content += line.raw + "\r\n";
    return content;
}

int IniDocument::findKeyLine(const std::string& section, const std::string& key) const {
    bool sectionSeen = false;
    for (size_t index = 0; index < lines_.size(); ++index) {
        const Line& line = lines_[index];
        if (line.isHeader) {
            // Only the first section of a name counts, as with Windows.
            if (sectionSeen)
                return -1;
            sectionSeen = equalNoCase(line.section, section);
            continue;
        }
        std::string lineKey, value;
        if (sectionSeen && keyAndValue(line.raw, &lineKey, &value) && equalNoCase(lineKey, key))
            return static_cast<int>(index);
    }
    return -1;
}

int IniDocument::lastLineOfSection(const std::string& section) const {
    int last = -1;
    bool inSection = false;
    for (size_t index = 0; index < lines_.size(); ++index) {
        const Line& line = lines_[index];
        if (line.isHeader) {
            if (inSection)
                break;
            inSection = equalNoCase(line.section, section);
        }
        if (inSection && !trim(line.raw).empty())
            last = static_cast<int>(index);
    }
    return last;
}

bool IniDocument::find(const std::string& section, const std::string& key, std::string* value) const {
    int index = findKeyLine(section, key);
    if (index < 0)
        return false;
    std::string lineKey, lineValue;
    keyAndValue(lines_[static_cast<size_t>(index)].raw, &lineKey, &lineValue);
    if (value)
        *value = withoutQuotes(lineValue);
    return true;
}

void IniDocument::set(const std::string& section, const std::string& key, const std::string& value) {
    Line entry;
    entry.raw = key + "=" + value;
    entry.section = section;
    int index = findKeyLine(section, key);
    if (index >= 0) {
        lines_[static_cast<size_t>(index)].raw = entry.raw;
        return;
    }
    int last = lastLineOfSection(section);
    if (last >= 0) {
        lines_.insert(lines_.begin() + last + 1, entry);
        return;
    }
    Line header;
    header.raw = "[" + section + "]";
    header.section = section;
    header.isHeader = true;
    lines_.push_back(header);
    lines_.push_back(entry);
}
