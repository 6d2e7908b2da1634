// uidriver script.txt: runs a scenario of driver commands, one per line,
// and stops at the first that fails (exit code 1).
#include <cstdio>
#include <fstream>
#include <string>

#include "testenv/uidriver/UiDriver.h"

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 2) {
        std::fprintf(stderr, "usage: uidriver <scenario file>\n");
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
