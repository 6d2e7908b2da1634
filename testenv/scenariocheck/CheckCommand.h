#pragma once
#include <string>
#include <vector>

// quillset_check's commands, apart from the process so tests can run them.
//
//   palm FILE                      print every record of an address file
//   outlook FILE                   print every contact of a contact file
//   compare-palm BEFORE AFTER      print what changed; 0 when nothing did
//   compare-outlook BEFORE AFTER
//     --expect-added N --expect-changed N --expect-removed N
//                                  0 when exactly these counts changed (a
//                                  count not given is expected to be 0)
//     --ignore NAME                leave out a field (NAME* a prefix); repeatable

// The exit codes.
constexpr int CheckPassed = 0;
constexpr int CheckFailed = 1;
constexpr int CheckNotRun = 2;

struct CheckRun {
    int exitCode = CheckNotRun;
    std::string out;
    std::string err;
};

// arguments without the program name.
CheckRun runCheckCommand(const std::vector<std::string>& arguments);

std::string checkUsage();
