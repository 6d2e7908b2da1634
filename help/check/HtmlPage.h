#pragma once
#include <string>
#include <vector>

// What the help checks need of one page: its title and first heading, the
// text a reader sees, and every place it points to.
struct HtmlPage {
    std::string title;                     // <title>, decoded and collapsed
    std::string heading;                   // the first <h1>
    std::string text;                      // the visible text, decoded and collapsed
    std::vector<std::string> links;        // href of every <a>
    std::vector<std::string> images;       // src of every <img>
    std::vector<std::string> styleSheets;  // href of every <link>
    std::vector<std::string> anchors;      // every <a name>: the places a link may name
};

HtmlPage readHtmlPage(const std::string& html);

// Whether an address leaves the help file (a web page, mail).
bool isExternalAddress(const std::string& address);

// "page.htm#part" -> "page.htm" and "part".
void splitAddress(const std::string& address, std::string* file, std::string* fragment);
