// uidriver script.txt: runs a scenario of driver commands, one per line, and
// stops at the first that fails (exit code 1). "uidriver --help" lists the
// commands; README.md beside this file describes them.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "testenv/uidriver/UiDriver.h"

int main(int argumentCount, char** arguments) {
    if (argumentCount == 2 && (std::strcmp(arguments[1], "--help") == 0 || std::strcmp(arguments[1], "-h") == 0)) {
        std::printf("usage: uidriver <scenario file>\n"
                    "One command a line; blank lines and lines starting with # are skipped.\n");
        UiDriver::printVerbs();
        return 0;
    }
    if (argumentCount != 2) {
        std::fprintf(stderr, "usage: uidriver <scenario file> (uidriver --help lists the commands)\n");
        return 2;
    }
    std::ifstream script(arguments[1]);
    if (!script) {
        std::fprintf(stderr, "uidriver: cannot read %s\n", arguments[1]);
        return 2;
    }
    UiDriver driver;
    std::string line;
    int lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!driver.run(splitCommandLine(line))) {
            std::printf("scenario %s stopped at line %d\n", arguments[1], lineNumber);
            return 1;
        }
    }
    std::printf("scenario %s passed\n", arguments[1]);
    return 0;
}
