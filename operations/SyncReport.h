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
    // The last three are what Undo Last Synchronization does.
    enum class Action {
        AddedToOutlook,
        OutlookOverwritten,
        AddedToPalm,
        PalmOverwritten,
        DeletedFromOutlook,
        OutlookRestored,
        LeftAsItIs,
        // More than one record of a side pairs with the same counterpart.
        LeftAmbiguous,
        // A differing pair a run without a window would have asked about.
        LeftUnasked,
    };
    static constexpr int actionCount = 9;

    static constexpr char fileName[] = "QuillsetSync.log";

    // Starts a section afresh.
    void begin(const char* operation, const LocalDateTime& when);
    // A section of Undo Last Synchronization, which counts what it undid.
    void beginUndo(const char* operation, const LocalDateTime& when);
    const LocalDateTime& when() const { return when_; }
    const std::string& operation() const { return operation_; }
    // "Rule: ..." for Synchronize All; the transfers have none.
    void setRule(const std::string& rule);
    // What the user answered in Choose Sync Action for a pair.
    void noteAnswer(const ContactRecord& palm, const ContactRecord& outlook, bool palmWins);
    // A record written (done) or that could not be written, and why.
    void noteWrite(const ContactRecord& record, Action action, bool done, const std::string& why = std::string());
    // A record named by its names, for Undo, which has no record at hand.
    void noteDone(const std::string& names, Action action);
    // A failure of the whole operation, such as the address file not saved,
    // or of one record.
    void noteFailure(const std::string& text);
    // A line under "Records:" that names no record.
    void noteLine(const std::string& text);

    int count(Action action) const { return counts_[static_cast<int>(action)]; }
    int failures() const { return static_cast<int>(failures_.size()); }
    // The names of the records done with that action, in order.
    std::vector<std::string> namesDone(Action action) const;
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
    struct Done {
        std::string names;
        Action action;
    };
    std::vector<Done> records_;
    std::vector<std::string> lines_;
    std::vector<std::string> failures_;
    int counts_[actionCount] = {};
    bool undoes_ = false;
};
