#pragma once
#include <cstdint>
#include <string>

#include "sync/ContactRecord.h"
#include "operations/SyncDecision.h"
#include "operations/SyncPlan.h"
#include "operations/SyncProgress.h"
#include "operations/SyncSides.h"

// How a Synchronize All ended, for whoever sums it up beyond the window.
enum class SyncRunEnd {
    NotRun,                // refused, declined or cancelled before any write
    Done,                  // every step carried out
    SomeNotWritten,        // a store refused some records
    OutlookGone,           // Outlook closed or crashed during the run
    AddressFileChanged,    // another program rewrote the address file
    OutlookContactChanged  // a contact was edited in Outlook after it was read
};

// One Synchronize All after the user confirmed it: the plan's steps in
// order, then the one save, the refill and the summary.
class SynchronizeAllRun {
public:
    // Shows the wait cursor; the progress runs over the plan's steps.
    SynchronizeAllRun(SyncSides& sides, const SyncPlan& plan);

    // Every step, each only while its records are still as planned: the
    // first that is not stops the run there.
    void runSteps();
    // Saves when anything changed and refills.
    void saveAndRefill();
    // Tells and recounts.
    void finish();
    // Whether the address file was rewritten at the end.
    bool fileRewritten() const { return fileRewritten_; }
    SyncRunEnd end() const;

private:
    void carryOut(const SyncStep& step);
    // Go: the step's records stand where the plan found them, the address
    // file is as read, the Outlook contact as it was read. Skip: the contact
    // was deleted in Outlook since; the write is noted as not made. Stop:
    // anything else changed; the run ends there.
    enum class Check { Go, Skip, Stop };
    Check checkAsPlanned(const SyncStep& step, bool palmWins);
    void noteDeleted(const SyncStep& step, bool palmWins);
    void addToOutlook(const ContactRecord& palm);
    void addToPalm(const ContactRecord& outlook);
    void leaveAlone(const SyncStep& step);
    // The decided winner overwrites the loser, in its store first and then
    // in the list, so a write the store refused leaves the list as it was.
    void settlePair(const SyncStep& step);
    void overwriteOutlook(const ContactRecord& palm, ContactRecord& outlook, int32_t outlookPosition);
    void overwritePalm(ContactRecord& palm, int32_t palmPosition, const ContactRecord& outlook);
    // Each step writes once at most: a write that failed is counted.
    void count(bool written, bool& changedSide);
    // Saves the Palm Desktop file; false only when it held changes of this
    // run that did not reach it.
    bool savePalmSide();
    void tellResult(bool palmSaved);
    // Once a call found Outlook closed or crashed, the steps stop: the
    // report says so once, and the summary gives way to the stop message.
    bool stopsForOutlookGone();

    SyncSides& sides_;
    const SyncPlan& plan_;
    SyncDecision decision_;
    SyncProgress progress_;
    bool palmChanged_ = false;
    bool outlookChanged_ = false;
    bool fileRewritten_ = false;
    bool palmSaved_ = true;
    // Another program rewrote the address file during the run: not saved.
    bool changedElsewhere_ = false;
    bool outlookGone_ = false;
    // The names of the Outlook contact edited since it was read, where the
    // run stopped; empty when it did not.
    std::string changedContact_;
    // A step's record no longer stood where the plan found it.
    bool listsChanged_ = false;
    // The writes that failed.
    int unwritten_ = 0;
};
