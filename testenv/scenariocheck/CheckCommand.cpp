#include "testenv/scenariocheck/CheckCommand.h"

#include "testenv/scenariocheck/CheckComparison.h"
#include "testenv/scenariocheck/OutlookCheckFile.h"
#include "testenv/scenariocheck/PalmCheckFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

using FileReader = bool (*)(const std::string& path, CheckFile* file, std::string* problem);

struct Expectation {
    bool given = false;
    int added = 0;
    int changed = 0;
    int removed = 0;
};

struct CompareOptions {
    std::vector<std::string> paths;
    Expectation expected;
    std::vector<std::string> ignored;
};

CheckRun notRun(const std::string& message) {
    CheckRun run;
    run.err = "quillset_check: " + message + "\n";
    return run;
}

CheckRun usageError(const std::string& message) {
    CheckRun run = notRun(message);
    run.err += checkUsage();
    return run;
}

bool readFile(FileReader reader, const std::string& path, CheckFile* file, CheckRun* failure) {
    std::string problem;
    if (reader(path, file, &problem))
        return true;
    *failure = notRun(path + ": " + problem);
    return false;
}

bool parseCount(const std::string& text, int* count) {
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value > INT_MAX)
        return false;
    *count = static_cast<int>(value);
    return true;
}

// False with the message in problem.
bool parseCompareOptions(const std::vector<std::string>& arguments, CompareOptions* options, std::string* problem) {
    for (size_t index = 1; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument.compare(0, 2, "--") != 0) {
            options->paths.push_back(argument);
            continue;
        }
        if (index + 1 >= arguments.size()) {
            *problem = argument + " needs a value";
            return false;
        }
        const std::string& value = arguments[++index];
        int* count = argument == "--expect-added"     ? &options->expected.added
                     : argument == "--expect-changed" ? &options->expected.changed
                     : argument == "--expect-removed" ? &options->expected.removed
                                                      : nullptr;
        if (count != nullptr) {
            if (!parseCount(value, count)) {
                *problem = argument + " needs a count, not \"" + value + "\"";
                return false;
            }
            options->expected.given = true;
        } else if (argument == "--ignore") {
            options->ignored.push_back(value);
        } else {
            *problem = "unknown option " + argument;
            return false;
        }
    }
    if (options->paths.size() != 2) {
        *problem = arguments[0] + " takes two files, BEFORE and AFTER";
        return false;
    }
    return true;
}

CheckRun print(FileReader reader, const std::vector<std::string>& arguments) {
    if (arguments.size() != 2)
        return usageError(arguments[0] + " takes one file");
    CheckFile file;
    CheckRun run;
    if (!readFile(reader, arguments[1], &file, &run))
        return run;
    run.exitCode = CheckPassed;
    run.out = formatCheckFile(file, arguments[1]);
    return run;
}

bool meets(const CheckComparison& comparison, const Expectation& expected) {
    return comparison.fileValues.empty() && comparison.added == expected.added &&
           comparison.changed == expected.changed && comparison.removed == expected.removed;
}

CheckRun compare(FileReader reader, const std::vector<std::string>& arguments) {
    CompareOptions options;
    std::string problem;
    if (!parseCompareOptions(arguments, &options, &problem))
        return usageError(problem);
    CheckFile before, after;
    CheckRun run;
    if (!readFile(reader, options.paths[0], &before, &run) || !readFile(reader, options.paths[1], &after, &run))
        return run;
    const CheckComparison comparison = compareCheckFiles(before, after, options.ignored);
    run.out = formatComparison(comparison, before, after);
    const bool passed = meets(comparison, options.expected);
    run.exitCode = passed ? CheckPassed : CheckFailed;
    if (!passed && options.expected.given) {
        run.err = "quillset_check: expected " + std::to_string(options.expected.added) + " added, " +
                  std::to_string(options.expected.changed) + " changed, " + std::to_string(options.expected.removed) +
                  " removed" + (comparison.fileValues.empty() ? "" : " and no file value changed") + "\n";
    }
    return run;
}

}  // namespace

std::string checkUsage() {
    return "usage: quillset_check palm FILE\n"
           "       quillset_check outlook FILE\n"
           "       quillset_check compare-palm BEFORE AFTER [OPTIONS]\n"
           "       quillset_check compare-outlook BEFORE AFTER [OPTIONS]\n"
           "palm and outlook print every record of a Palm Desktop address file (either format)\n"
           "or of a stand-in Outlook contact file, one block per record, texts as UTF-8.\n"
           "compare-* print what changed from BEFORE to AFTER and exit 0 when nothing did.\n"
           "  --expect-added N --expect-changed N --expect-removed N\n"
           "      exit 0 when exactly these records changed (a count not given is 0)\n"
           "  --ignore NAME   leave the field out (NAME* for every name starting so); repeatable\n"
           "Exit: 0 passed, 1 differences, 2 a file could not be read or the arguments are wrong.\n";
}

CheckRun runCheckCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return usageError("no command");
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h") {
        CheckRun run;
        run.exitCode = CheckPassed;
        run.out = checkUsage();
        return run;
    }
    if (command == "palm")
        return print(readPalmCheckFile, arguments);
    if (command == "outlook")
        return print(readOutlookCheckFile, arguments);
    if (command == "compare-palm")
        return compare(readPalmCheckFile, arguments);
    if (command == "compare-outlook")
        return compare(readOutlookCheckFile, arguments);
    return usageError("unknown command " + command);
}
