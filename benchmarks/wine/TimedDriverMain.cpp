// The UI driver with a clock: runs a driver script as uidriver does, and for
// each line "mark NAME" prints "mark NAME MILLISECONDS" (since the start),
// flushed at once. "wait-rows LIST N" waits until the list has N rows.
// "copy-file FROM TO" copies a file as it is now (a missing one: nothing),
// e.g. the local server's call counts at a moment of the run.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "testenv/uidriver/UiDriver.h"

namespace {

double elapsedMilliseconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool waitRows(UiDriver& driver, const UiDriver::Words& words, const LARGE_INTEGER& start, double timeout) {
    const UiDriver::Words rows = {"rows", words[1], words[2]};
    const double began = elapsedMilliseconds(start);
    while (!driver.run(rows)) {
        if (elapsedMilliseconds(start) - began > timeout)
            return false;
        Sleep(20);
    }
    return true;
}

}  // namespace

int main(int argumentCount, char** arguments) {
    if (argumentCount != 2) {
        std::fprintf(stderr, "usage: timeddriver <script>\n");
        return 2;
    }
    std::ifstream script(arguments[1]);
    if (!script) {
        std::fprintf(stderr, "timeddriver: cannot read %s\n", arguments[1]);
        return 2;
    }
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    UiDriver driver;
    std::string line;
    int lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const UiDriver::Words words = splitCommandLine(line);
        bool done = true;
        if (!words.empty() && words[0] == "mark" && words.size() == 2) {
            std::printf("mark %s %.0f\n", words[1].c_str(), elapsedMilliseconds(start));
        } else if (!words.empty() && words[0] == "copy-file" && words.size() == 3) {
            if (!CopyFileA(words[1].c_str(), words[2].c_str(), FALSE))
                std::printf("copy-file: %s could not be copied\n", words[1].c_str());
        } else if (!words.empty() && words[0] == "wait-rows" && words.size() == 3) {
            done = waitRows(driver, words, start, 600000.0);
        } else {
            done = driver.run(words);
        }
        std::fflush(stdout);
        if (!done) {
            std::printf("script %s stopped at line %d\n", arguments[1], lineNumber);
            return 1;
        }
    }
    return 0;
}
