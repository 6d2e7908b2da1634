#include "help/check/HtmlPage.h"

#include "help/check/HtmlTokens.h"

namespace {

// Tags inside a line of text: they join words without a blank. Every other
// tag separates what stands before and after it.
bool isInline(const std::string& name) {
    static const char* const names[] = {"a",   "b",    "i", "em",    "strong", "var", "code", "span",
                                        "kbd", "samp", "q", "small", "sub",    "sup", "tt",   "u"};
    for (const char* known : names) {
        if (name == known)
            return true;
    }
    return false;
}

std::string attribute(const HtmlToken& tag, const char* name) {
    const auto found = tag.attributes.find(name);
    return found == tag.attributes.end() ? std::string() : found->second;
}

bool hasAttribute(const HtmlToken& tag, const char* name) { return tag.attributes.count(name) != 0; }

}  // namespace

HtmlPage readHtmlPage(const std::string& html) {
    HtmlPage page;
    std::string text, title, heading;
    bool inTitle = false, inHeading = false, headingDone = false;
    for (const HtmlToken& token : htmlTokens(html)) {
        if (token.kind == HtmlToken::Kind::Text) {
            if (inTitle)
                title += token.text;
            else
                text += token.text;
            if (inHeading)
                heading += token.text;
            continue;
        }
        if (token.name == "title") {
            inTitle = !token.closing;
            continue;
        }
        if (token.name == "h1" && !headingDone) {
            inHeading = !token.closing;
            headingDone = token.closing;
        }
        if (!isInline(token.name))
            text += ' ';
        if (token.closing)
            continue;
        // The help compiler knows only named anchors as places, not ids.
        if (token.name == "a" && hasAttribute(token, "name"))
            page.anchors.push_back(attribute(token, "name"));
        if (token.name == "a" && hasAttribute(token, "href"))
            page.links.push_back(decodeEntities(attribute(token, "href")));
        if (token.name == "img")
            page.images.push_back(decodeEntities(attribute(token, "src")));
        if (token.name == "link" && hasAttribute(token, "href"))
            page.styleSheets.push_back(decodeEntities(attribute(token, "href")));
    }
    page.title = collapseBlanks(decodeEntities(title));
    page.heading = collapseBlanks(decodeEntities(heading));
    page.text = collapseBlanks(decodeEntities(text));
    return page;
}

bool isExternalAddress(const std::string& address) {
    const std::string lowered = lowerCase(address);
    for (const char* scheme : {"http:", "https:", "mailto:", "ftp:"}) {
        if (lowered.compare(0, std::string(scheme).size(), scheme) == 0)
            return true;
    }
    return false;
}

void splitAddress(const std::string& address, std::string* file, std::string* fragment) {
    const size_t hash = address.find('#');
    *file = address.substr(0, hash);
    *fragment = hash == std::string::npos ? std::string() : address.substr(hash + 1);
}
