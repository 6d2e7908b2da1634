#pragma once
#include <map>
#include <string>
#include <vector>

// An HTML Help project file (.hhp): its [OPTIONS] and its [FILES].
struct HelpProject {
    std::map<std::string, std::string> options;  // "Compiled file" -> "qsohelp.chm", ...
    std::vector<std::string> files;

    std::string option(const std::string& name) const;
};

HelpProject readHelpProject(const std::string& text);
