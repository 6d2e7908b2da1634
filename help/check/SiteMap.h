#pragma once
#include <string>
#include <vector>

// The contents (.hhc) and index (.hhk) files of an HTML Help project: lists
// of entries, nested by <UL>.
struct SiteMapEntry {
    std::string name;                 // the first "Name" parameter
    std::vector<std::string> locals;  // every "Local" parameter (an index entry may name several pages)
    int depth = 0;                    // 1 for the outermost list
};

std::vector<SiteMapEntry> readSiteMap(const std::string& html);
