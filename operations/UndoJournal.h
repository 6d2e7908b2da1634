#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "outlook/OutlookContactChange.h"
#include "platform/LocalClock.h"

// What the last operation changed, kept in "QuillsetUndo.dat" beside the
// program so that Undo Last Synchronization can take it back, after a
// restart too: the address file it rewrote with the backup made before and
// the file's size and digest afterwards (any other content means Palm
// Desktop rewrote it since), and every Outlook contact it added or
// overwrote.
struct UndoJournal {
    static constexpr char fileName[] = "QuillsetUndo.dat";

    std::string operation;
    LocalDateTime when;

    std::string addressFile;
    std::string backupFile;
    uint64_t fileSize = 0;
    uint64_t fileDigest = 0;
    // The Palm Desktop records the operation added or overwrote.
    std::vector<std::string> palmNames;

    std::vector<OutlookContactChange> outlook;
    // The run was ended before its closing line: it holds what was written
    // until then.
    bool interrupted = false;

    bool hasPalmSide() const { return !addressFile.empty(); }
    // The address file, its backup, fingerprint and records, as other has them.
    void keepPalmSideOf(const UndoJournal& other);
    bool empty() const { return !hasPalmSide() && outlook.empty(); }

    // The journal as its file holds it, and back. Parsing fails on anything
    // malformed, a value that does not fit or a line cut short; without its
    // closing line it is an interrupted run. Later changes of one contact are
    // folded into its first.
    std::string text() const;
    bool parse(const std::string& text);
    // The parts of text(), for a journal written as the run goes.
    std::string headText() const;
    std::string palmText() const;
    static std::string changeText(const OutlookContactChange& change);
    static std::string endText();

    // The journal file, rewritten safely; load is false when there is none
    // or it cannot be used (then the journal is empty).
    bool save() const;
    bool load();
    static bool remove();
    // Whether a journal can be written beside the program at all.
    static bool canBeWritten();
    // A journal that loads and holds something.
    static bool available();

private:
    bool parseLines(const std::string& text);
};

// Size and digest of a file's bytes; false when it cannot be read.
bool fileFingerprint(const std::string& path, uint64_t* size, uint64_t* digest);
