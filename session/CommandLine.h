#pragma once
#include <string>
#include <vector>

// quillset.exe /synchronize-all [/rule palm|outlook|leave] [/user NAME]
//              [/report PATH]
// A Synchronize All without a window, for the Task Scheduler.
struct UnattendedRequest {
    // FromOptions: the rule of Tools > Options; "Determined by user" there,
    // like /rule leave, leaves every differing pair as it is.
    enum class Rule { FromOptions, PalmWins, OutlookWins, Leave };
    Rule rule = Rule::FromOptions;
    // Empty: the user shown last ("LastUser").
    std::string user;
    // Empty: the run's report goes only into "QuillsetSync.log".
    std::string reportPath;
};

enum class CommandLineKind { Window, Unattended, Bad };

// Options are case-blind and may start with / or -. problem: what is wrong
// with a Bad command line, for the console.
CommandLineKind parseCommandLine(const std::vector<std::string>& arguments, UnattendedRequest* request,
                                 std::string* problem);

// The exit codes of an unattended run.
enum class UnattendedExit : int {
    Done = 0,            // nothing to do, or everything done
    PairsLeftAlone = 1,  // done, but differing pairs were left as they are
    BadArguments = 2,
    StartRefused = 3,        // Palm Desktop missing, too old, or without users
    SideNotRead = 4,         // a side not readable, or Outlook read only in part
    OutlookBusyOrGone = 5,   // Outlook missing, busy, closed or crashed
    AddressFileChanged = 6,  // the address file rewritten, or a contact edited in Outlook, meanwhile
    GuardStopped = 7,        // the run would overwrite most of a side
    RecordsNotWritten = 8,   // some records could not be written
    NoUndo = 9,              // the Undo journal could not be written: nothing done
};
