#pragma once
#include <string>
#include <vector>

#include "platform/LocalClock.h"
#include "sync/ContactRecord.h"

// The plain-text account of one operation that goes into "QuillsetSync.log"
// beside the program: when, which operation, the rule or the answers given,
// every record touched and what was done to it, the failures, the counts.
class SyncReport {
public:
    enum class Action { AddedToOutlook, OutlookOverwritten, AddedToPalm, PalmOverwritten };
    static constexpr int actionCount = 4;

    static constexpr char fileName[] = "QuillsetSync.log";

    // Starts a section afresh.
    void begin(const char* operation, const LocalDateTime& when);
    // "Rule: ..." for Synchronize All; the transfers have none.
    void setRule(const std::string& rule);
    // What the user answered in Choose Sync Action for a pair.
    void noteAnswer(const ContactRecord& palm, const ContactRecord& outlook, bool palmWins);
    // A record written (done) or that could not be written.
    void noteWrite(const ContactRecord& record, Action action, bool done);
    // A failure of the whole operation, such as the address file not saved.
    void noteFailure(const std::string& text);

    int count(Action action) const { return counts_[static_cast<int>(action)]; }
    int failures() const { return static_cast<int>(failures_.size()); }
    bool started() const { return !operation_.empty(); }

    // The section as it is appended, lines ending in CR LF.
    std::string text() const;
    // Appends the section to the log in the program's folder; false when it
    // could not be written (the operation itself is not affected).
    bool appendToLog() const;

    // "First Last (Company)", or what the record has of them.
    static std::string namesOf(const ContactRecord& record);
    static const char* actionText(Action action);

private:
    std::string operation_;
    LocalDateTime when_;
    std::string rule_;
    std::vector<std::string> answers_;
    std::vector<std::string> records_;
    std::vector<std::string> failures_;
    int counts_[actionCount] = {};
};
