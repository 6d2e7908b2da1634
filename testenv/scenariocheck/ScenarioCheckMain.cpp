// quillset_check: what a user's files hold after a scenario, read with the
// program's own readers (see CheckCommand.h).
#include "testenv/scenariocheck/CheckCommand.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CheckRun run = runCheckCommand(arguments);
    std::fwrite(run.out.data(), 1, run.out.size(), stdout);
    std::fflush(stdout);
    std::fwrite(run.err.data(), 1, run.err.size(), stderr);
    return run.exitCode;
}
