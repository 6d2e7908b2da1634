#pragma once
#include <map>
#include <string>
#include <vector>

// A forgiving reader of the HTML the help is written in: text runs and tags
// with their attributes. Comments, <script> and <style> content are dropped.
struct HtmlToken {
    enum class Kind { Text, Tag };
    Kind kind = Kind::Text;
    std::string text;                               // Text: as written, entities not yet decoded
    std::string name;                               // Tag: lower case, without '/'
    bool closing = false;                           // Tag: </name>
    std::map<std::string, std::string> attributes;  // Tag: lower-case names, values as written
};

std::vector<HtmlToken> htmlTokens(const std::string& html);

// "&amp;" -> "&", "&#65;" -> "A", "&nbsp;" -> " "; unknown entities stay.
std::string decodeEntities(const std::string& text);

// Runs of blanks, tabs and line breaks become one blank; none at the ends.
std::string collapseBlanks(const std::string& text);

std::string lowerCase(std::string text);
