#include "help/check/HelpProject.h"

#include <sstream>

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string HelpProject::option(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() ? std::string() : found->second;
}

HelpProject readHelpProject(const std::string& text) {
    HelpProject project;
    std::istringstream lines(text);
    std::string line, section;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        if (section == "OPTIONS") {
            const size_t equals = line.find('=');
            if (equals != std::string::npos)
                project.options[trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
        } else if (section == "FILES") {
            project.files.push_back(line);
        }
    }
    return project;
}
