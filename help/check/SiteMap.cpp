#include "help/check/SiteMap.h"

#include "help/check/HtmlTokens.h"

namespace {

std::string attribute(const HtmlToken& tag, const char* name) {
    const auto found = tag.attributes.find(name);
    return found == tag.attributes.end() ? std::string() : found->second;
}

}  // namespace

std::vector<SiteMapEntry> readSiteMap(const std::string& html) {
    std::vector<SiteMapEntry> entries;
    int depth = 0;
    bool inEntry = false;
    SiteMapEntry entry;
    for (const HtmlToken& token : htmlTokens(html)) {
        if (token.kind != HtmlToken::Kind::Tag)
            continue;
        if (token.name == "ul") {
            depth += token.closing ? -1 : 1;
            continue;
        }
        if (token.name == "object") {
            if (!token.closing && lowerCase(attribute(token, "type")) == "text/sitemap") {
                inEntry = true;
                entry = SiteMapEntry();
                entry.depth = depth;
            } else if (token.closing && inEntry) {
                entries.push_back(entry);
                inEntry = false;
            }
            continue;
        }
        if (token.name == "param" && inEntry) {
            const std::string name = lowerCase(attribute(token, "name"));
            const std::string value = decodeEntities(attribute(token, "value"));
            if (name == "name" && entry.name.empty())
                entry.name = value;
            else if (name == "local")
                entry.locals.push_back(value);
        }
    }
    return entries;
}
