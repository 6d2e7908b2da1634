#include "session/CommandLine.h"

#include <cctype>

namespace {

std::string lowered(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "/rule" and "-rule" alike; "" for what is not an option.
std::string optionName(const std::string& word) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return std::string();
    return lowered(word.substr(1));
}

bool ruleOf(const std::string& word, UnattendedRequest::Rule* rule) {
    const std::string name = lowered(word);
    if (name == "palm")
        *rule = UnattendedRequest::Rule::PalmWins;
    else if (name == "outlook")
        *rule = UnattendedRequest::Rule::OutlookWins;
    else if (name == "leave")
        *rule = UnattendedRequest::Rule::Leave;
    else
        return false;
    return true;
}

CommandLineKind bad(std::string* problem, const std::string& text) {
    if (problem != nullptr)
        *problem = text;
    return CommandLineKind::Bad;
}

}  // namespace

CommandLineKind parseCommandLine(const std::vector<std::string>& arguments, UnattendedRequest* request,
                                 std::string* problem) {
    if (arguments.empty())
        return CommandLineKind::Window;
    UnattendedRequest parsed;
    if (optionName(arguments[0]) != "synchronize-all")
        return bad(problem, "unknown command \"" + arguments[0] + "\"; the one command is /synchronize-all");
    bool ruleSeen = false, userSeen = false, reportSeen = false;
    for (size_t index = 1; index < arguments.size(); ++index) {
        const std::string name = optionName(arguments[index]);
        bool* seen = name == "rule" ? &ruleSeen : name == "user" ? &userSeen : name == "report" ? &reportSeen : nullptr;
        if (seen == nullptr)
            return bad(problem, "unknown option \"" + arguments[index] + "\"");
        if (*seen)
            return bad(problem, "\"" + arguments[index] + "\" given twice");
        if (index + 1 >= arguments.size() || arguments[index + 1].empty())
            return bad(problem, "\"" + arguments[index] + "\" needs a value");
        *seen = true;
        const std::string& value = arguments[++index];
        if (name == "rule" && !ruleOf(value, &parsed.rule))
            return bad(problem, "/rule takes palm, outlook or leave, not \"" + value + "\"");
        if (name == "user")
            parsed.user = value;
        if (name == "report")
            parsed.reportPath = value;
    }
    if (request != nullptr)
        *request = parsed;
    return CommandLineKind::Unattended;
}
