#include "help/check/HelpChecks.h"

#include <algorithm>
#include <set>

#include "help/check/TextFiles.h"

namespace {

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

// Pages are named below the help's root, as the help compiler stores them.
std::string belowRoot(const std::string& root, const std::string& path) {
    return path.compare(0, root.size() + 1, root + "/") == 0 ? path.substr(root.size() + 1) : path;
}

bool readSiteMapFile(const std::string& path, std::vector<SiteMapEntry>* entries) {
    std::string text;
    if (!readTextFile(path, &text))
        return false;
    *entries = readSiteMap(text);
    return true;
}

std::set<std::string> contentsPages(const HelpFolder& help) {
    std::set<std::string> named;
    for (const SiteMapEntry& entry : help.contents) {
        for (const std::string& local : entry.locals) {
            std::string file, fragment;
            splitAddress(local, &file, &fragment);
            named.insert(help.resolve("", file));
        }
    }
    return named;
}

}  // namespace

bool HelpFolder::load(const std::string& folder, const std::string& projectFile, std::string* problem) {
    root = folder;
    std::string text;
    if (!readTextFile(joined(root, projectFile), &text)) {
        *problem = "no project file " + joined(root, projectFile);
        return false;
    }
    project = readHelpProject(text);
    const std::string contentsFile = project.option("Contents file");
    const std::string indexFile = project.option("Index file");
    if (contentsFile.empty() || !readSiteMapFile(joined(root, contentsFile), &contents)) {
        *problem = "no contents file \"" + contentsFile + "\"";
        return false;
    }
    if (indexFile.empty() || !readSiteMapFile(joined(root, indexFile), &index)) {
        *problem = "no index file \"" + indexFile + "\"";
        return false;
    }
    pages.clear();
    for (const std::string& path : filesEndingIn(root, {".htm", ".html"}, true)) {
        if (readTextFile(path, &text))
            pages[belowRoot(root, path)] = readHtmlPage(text);
    }
    return true;
}

std::string HelpFolder::resolve(const std::string& from, const std::string& address) const {
    return normalPath(joined(folderOf(from), address));
}

std::vector<std::string> missingEntryPages(const HelpFolder& help) {
    std::vector<std::string> faults;
    auto checkList = [&](const std::vector<SiteMapEntry>& entries, const char* list) {
        for (const SiteMapEntry& entry : entries) {
            // A book of the contents may have no page of its own.
            if (entry.locals.empty() && std::string(list) == "index")
                faults.push_back(std::string(list) + " entry \"" + entry.name + "\" names no page");
            for (const std::string& local : entry.locals) {
                std::string file, fragment;
                splitAddress(local, &file, &fragment);
                const std::string page = help.resolve("", file);
                const auto found = help.pages.find(page);
                if (found == help.pages.end()) {
                    faults.push_back(std::string(list) + " entry \"" + entry.name + "\" names the missing page " +
                                     local);
                    continue;
                }
                const std::vector<std::string>& anchors = found->second.anchors;
                if (!fragment.empty() && std::find(anchors.begin(), anchors.end(), fragment) == anchors.end())
                    faults.push_back(std::string(list) + " entry \"" + entry.name + "\" names the missing place " +
                                     local);
            }
        }
    };
    checkList(help.contents, "contents");
    checkList(help.index, "index");
    return faults;
}

std::vector<std::string> brokenReferences(const HelpFolder& help) {
    std::vector<std::string> faults;
    const std::set<std::string> files = [&]() {
        std::set<std::string> all;
        for (const std::string& path : filesEndingIn(help.root, {""}, true))
            all.insert(belowRoot(help.root, path));
        return all;
    }();
    for (const auto& [path, page] : help.pages) {
        auto checkFile = [&](const std::string& address, const char* what) {
            if (address.empty()) {
                faults.push_back(path + ": an empty " + std::string(what));
                return;
            }
            if (isExternalAddress(address))
                return;
            std::string file, fragment;
            splitAddress(address, &file, &fragment);
            const std::string target = file.empty() ? path : help.resolve(path, file);
            if (target.empty() || files.count(target) == 0) {
                faults.push_back(path + ": " + what + " " + address + " names no file of the help");
                return;
            }
            if (fragment.empty())
                return;
            const auto found = help.pages.find(target);
            const bool placeFound = found != help.pages.end() &&
                                    std::find(found->second.anchors.begin(), found->second.anchors.end(), fragment) !=
                                        found->second.anchors.end();
            if (!placeFound)
                faults.push_back(path + ": " + what + " " + address + " names no place of its page");
        };
        for (const std::string& link : page.links)
            checkFile(link, "link");
        for (const std::string& image : page.images)
            checkFile(image, "image");
        for (const std::string& sheet : page.styleSheets)
            checkFile(sheet, "style sheet");
    }
    return faults;
}

std::vector<std::string> pagesOutsideContents(const HelpFolder& help) {
    std::vector<std::string> faults;
    const std::set<std::string> named = contentsPages(help);
    for (const auto& [path, page] : help.pages) {
        if (named.count(path) == 0)
            faults.push_back(path + " is not in the contents");
    }
    const std::string topic = help.resolve("", help.project.option("Default topic"));
    if (topic.empty() || named.count(topic) == 0)
        faults.push_back("the default topic \"" + help.project.option("Default topic") +
                         "\" is no page of the contents");
    return faults;
}

std::vector<std::string> projectFileFaults(const HelpFolder& help) {
    std::vector<std::string> faults;
    std::set<std::string> listed;
    for (const std::string& file : help.project.files) {
        const std::string path = help.resolve("", file);
        listed.insert(path);
        std::string ignored;
        if (!readTextFile(joined(help.root, path), &ignored))
            faults.push_back("[FILES] names the missing file " + file);
    }
    for (const auto& [path, page] : help.pages) {
        if (listed.count(path) == 0)
            faults.push_back(path + " is missing from [FILES]");
    }
    return faults;
}

std::vector<ProgramText> programMessages(const std::string& sourceRoot, const std::vector<std::string>& folders) {
    std::vector<ProgramText> messages;
    for (const std::string& folder : folders) {
        for (const std::string& path : filesEndingIn(joined(sourceRoot, folder), {".cpp", ".h"}, true)) {
            std::string source;
            if (!readTextFile(path, &source))
                continue;
            for (const SourceText& literal : stringLiterals(source)) {
                if (looksLikeMessage(literal.text))
                    messages.push_back(
                        {literal.text, belowRoot(sourceRoot, path) + ":" + std::to_string(literal.line)});
            }
        }
    }
    return messages;
}

std::vector<ProgramText> resourceScriptTexts(const std::string& rcPath, ResourceText::Kind kind) {
    std::vector<ProgramText> texts;
    std::string source;
    if (!readTextFile(rcPath, &source))
        return texts;
    for (const ResourceText& text : resourceTexts(source)) {
        if (text.kind != kind)
            continue;
        if (kind == ResourceText::Kind::String && !looksLikeMessage(text.text))
            continue;
        texts.push_back({text.text, rcPath + ":" + std::to_string(text.line)});
    }
    return texts;
}

std::vector<std::string> textsWithoutHelp(const HelpFolder& help, const std::vector<ProgramText>& texts) {
    std::vector<std::string> faults;
    for (const ProgramText& text : texts) {
        bool found = false;
        for (const auto& [path, page] : help.pages) {
            if (containsMessage(page.text, text.text)) {
                found = true;
                break;
            }
        }
        if (!found)
            faults.push_back("\"" + text.text + "\" (" + text.where + ") is on no page of the help");
    }
    return faults;
}

std::vector<std::string> dialogsWithoutPage(const HelpFolder& help, const std::vector<ProgramText>& captions) {
    std::vector<std::string> faults;
    const std::set<std::string> named = contentsPages(help);
    for (const ProgramText& caption : captions) {
        bool found = false;
        for (const std::string& path : named) {
            const auto page = help.pages.find(path);
            if (page != help.pages.end() && (containsMessage(page->second.title, caption.text) ||
                                             containsMessage(page->second.heading, caption.text)))
                found = true;
        }
        if (!found)
            faults.push_back("the dialog \"" + caption.text + "\" (" + caption.where +
                             ") has no page of its own in the contents");
    }
    return faults;
}
