#pragma once
#include <map>
#include <string>
#include <vector>

#include "help/check/HelpProject.h"
#include "help/check/HtmlPage.h"
#include "help/check/ProgramTexts.h"
#include "help/check/SiteMap.h"

// A help project as it is compiled: the project file, its contents and
// index, and every page below its folder.
struct HelpFolder {
    std::string root;
    HelpProject project;
    std::vector<SiteMapEntry> contents;
    std::vector<SiteMapEntry> index;
    std::map<std::string, HtmlPage> pages;  // by path below root, '/' separated

    // False (with the reason) when the project, contents or index file
    // cannot be read.
    bool load(const std::string& folder, const std::string& projectFile, std::string* problem);

    // The page a contents entry, link or image names, seen from the page
    // `from` (a path below root; empty for the project folder).
    std::string resolve(const std::string& from, const std::string& address) const;
};

// Each check returns one line per fault it finds; none means it passed.

// Contents and index entries without a page, or naming a missing page.
std::vector<std::string> missingEntryPages(const HelpFolder& help);
// Links, images and style sheets that name no file of the help, and
// "#part" fragments that name no place of their page.
std::vector<std::string> brokenReferences(const HelpFolder& help);
// Pages that the contents do not name, and the default topic when it is
// no page of the contents.
std::vector<std::string> pagesOutsideContents(const HelpFolder& help);
// [FILES] entries that are missing, and pages missing from [FILES].
std::vector<std::string> projectFileFaults(const HelpFolder& help);

struct ProgramText {
    std::string text;
    std::string where;  // "ui/MainFrame.cpp:27"
};

// The messages in the C++ sources below each folder (recursively).
std::vector<ProgramText> programMessages(const std::string& sourceRoot, const std::vector<std::string>& folders);
// The menu items, dialog captions and control texts, and string-table
// entries that read as messages, of a resource script.
std::vector<ProgramText> resourceScriptTexts(const std::string& rcPath, ResourceText::Kind kind);

// Texts that no page of the help holds.
std::vector<std::string> textsWithoutHelp(const HelpFolder& help, const std::vector<ProgramText>& texts);
// Dialog captions that are not the title or first heading of a page the
// contents name.
std::vector<std::string> dialogsWithoutPage(const HelpFolder& help, const std::vector<ProgramText>& captions);
