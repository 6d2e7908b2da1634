#pragma once
#include <string>
#include <vector>

#include "session/CommandLine.h"
#include "session/ContactSession.h"

// What an unattended Synchronize All came to.
struct UnattendedOutcome {
    UnattendedExit exit = UnattendedExit::Done;
    // One line for the console that started the run.
    std::string summary;
    // What the window would have shown, in order.
    std::vector<std::string> messages;
};

// One Synchronize All that nobody watches, over the session's user (the one
// named, else the one shown last): both sides read, the run as the request
// says, nothing asked. The confirmation counts as Yes; a pair the rule leaves
// to the user is left as it is and named in the report; where the window
// would ask whether to go on (without Undo, or before a large change) the run
// stops. The backup and the Undo journal are made as the window's run makes
// them. The settings are not saved.
UnattendedOutcome runUnattended(ContactSession& session, const UnattendedRequest& request);

// A start-up that ended before any run: the outcome that says so.
UnattendedOutcome refusedStart(const std::string& message);

// The report file of /report: the summary line, the messages, and the
// section the run added to "QuillsetSync.log" (what the log held beyond
// logSizeBefore bytes). False when it could not be written.
bool writeUnattendedReport(const std::string& path, const UnattendedOutcome& outcome, size_t logSizeBefore);

// The size of "QuillsetSync.log" now, 0 when there is none.
size_t synchronizationLogSize();
