#pragma once
#include <string>
#include <vector>

// An initialisation file held as its lines, so that a change touches one line
// and leaves comments, order and everything else as they stood.
class IniDocument {
public:
    void parse(const std::string& content);
    std::string text() const;

    // The trimmed value of key in section (case-insensitive), quotes around
    // the whole value removed. False when the section, the key or its '='
    // is missing.
    bool find(const std::string& section, const std::string& key, std::string* value) const;

    // Replaces the key's line, or adds the key at the end of its section, or
    // the section at the end of the document.
    void set(const std::string& section, const std::string& key, const std::string& value);

private:
    struct Line {
        std::string raw;
        std::string section;  // the section the line belongs to (header lines: their own)
        bool isHeader = false;
    };
    int findKeyLine(const std::string& section, const std::string& key) const;
    int lastLineOfSection(const std::string& section) const;

    std::vector<Line> lines_;
};
