#pragma once
#include <string>
#include <vector>

#include "platform/LocalClock.h"

// The texts Undo Last Synchronization shows.

constexpr char undoCaption[] = "Undo Last Synchronization";
constexpr char nothingToUndoText[] = "There is no synchronization to undo.";
constexpr char undoBackupFailedText[] = "Quillset could not make a backup copy of the Palm Desktop address file, so "
                                        "nothing was undone. Close Palm Desktop, make room on the disk and try again.";
constexpr char palmNotRestoredReportText[] = "The Palm Desktop address file could not be put back from its backup.";
constexpr char journalNotWrittenReportText[] =
    "The Undo journal could not be written; this operation cannot be undone.";

constexpr char unreachableReportText[] = "could not be reached; kept for a later Undo";
constexpr char notFoundAgainReportText[] =
    "its Outlook entry could not be read after the write, so Undo cannot find it; left as it is";

constexpr char restoredShortReportText[] =
    "some earlier values were given back only as the list showed them, possibly shortened.";

// What Undo is about to do, for the confirmation.
struct UndoPlan {
    std::string operation;
    LocalDateTime when;
    int outlookDeletes = 0;
    int outlookRestores = 0;
    // Contacts Outlook does not give now; they stay for a later Undo.
    int outlookUnreachable = 0;
    bool palmFile = false;
    // The run was ended before it finished.
    bool interrupted = false;
    // Records that changed since the operation and are left alone.
    std::vector<std::string> leftAlone;
};

// What Undo did, for the closing message.
struct UndoOutcome {
    int outlookDeleted = 0;
    int outlookRestored = 0;
    // Of those restored, the ones with a text given back only as the list
    // showed it.
    int outlookRestoredShort = 0;
    bool palmRestored = false;
    bool palmFailed = false;
    int failed = 0;
    // Not reached (Outlook busy or gone): kept for a later Undo.
    int unreachable = 0;
    std::vector<std::string> leftAlone;
};

std::string undoQuestion(const UndoPlan& plan);
// "2026-12-07 18:15", how the messages name an operation's time.
std::string undoStamp(const LocalDateTime& when);
std::string undoSummary(const UndoOutcome& outcome);
// "Ann Lee, Bob Ray and 3 more" for the first names of a long list.
std::string listOfNames(const std::vector<std::string>& names);
