#pragma once
#include <string>

#include "outlook/OutlookContactChange.h"
#include "platform/PlatformFile.h"
#include "operations/UndoJournal.h"

// Writes the journal of the operation running now as it goes, so a run
// ended from outside half-way can still be taken back: the head when the
// first change is written (until then the last operation's journal stays),
// then each Outlook change straight after its write, each in one write that
// reaches the file at once, and the address file with the closing line at
// the end. A journal without that line is an interrupted run.
class UndoJournalWriter : public OutlookChangeListener {
public:
    UndoJournalWriter(std::string operation, const LocalDateTime& when);
    UndoJournalWriter(const UndoJournalWriter&) = delete;
    UndoJournalWriter& operator=(const UndoJournalWriter&) = delete;

    void changeNoted(const OutlookContactChange& change) override;
    // The address file part, when the run rewrote it, and the closing line.
    // An operation that wrote nothing leaves the last one's journal alone.
    // False when any part of this run's journal could not be written: it is
    // then removed, as it could not take the run back whole.
    bool finish(const UndoJournal& palmSide);
    // Whether this run wrote anything to the journal so far.
    bool started() const { return file_.isOpen() || failed_; }

private:
    bool append(const std::string& text);
    bool start();

    std::string operation_;
    LocalDateTime when_;
    PlatformFile file_;
    uint64_t size_ = 0;
    bool failed_ = false;
};
