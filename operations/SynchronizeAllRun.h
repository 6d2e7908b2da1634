#pragma once
#include <cstdint>
#include <set>
#include <utility>

#include "sync/ContactRecord.h"
#include "operations/SyncDecision.h"
#include "operations/SyncProgress.h"
#include "operations/SyncSides.h"

// One Synchronize All after the user confirmed it: the Palm pass, the
// Outlook pass over the rows shown when the run began, then the one save,
// the refill and the summary.
class SynchronizeAllRun {
public:
    // Shows the wait cursor; totalRows is what the progress runs to.
    SynchronizeAllRun(SyncSides& sides, SyncAction syncAction, int totalRows);

    // Every Palm row: a record Outlook lacks is added there, a differing pair
    // is settled.
    void palmPass(int rows);
    // Every Outlook row: a record Palm Desktop lacks is added there, a
    // differing pair is settled.
    void outlookPass(int rows);
    // Saves when anything changed and refills.
    void saveAndRefill();
    // Tells and recounts.
    void finish();
    // Whether the address file was rewritten at the end.
    bool fileRewritten() const { return fileRewritten_; }

private:
    void addToOutlook(const ContactRecord& palm);
    void addToPalm(const ContactRecord& outlook);
    // The decided winner overwrites the loser, in its store first and then
    // in the list, so a write the store refused leaves the list as it was.
    void settlePair(ContactRecord& palm, int32_t palmPosition, ContactRecord& outlook, int32_t outlookPosition);
    void overwriteOutlook(const ContactRecord& palm, ContactRecord& outlook, int32_t outlookPosition);
    void overwritePalm(ContactRecord& palm, int32_t palmPosition, const ContactRecord& outlook);
    // A pair is the Palm record and the Outlook record; an add has only its
    // source. Both passes may try the same pair, which still counts once.
    using Write = std::pair<const ContactRecord*, const ContactRecord*>;
    void count(const Write& write, bool written, bool& changedSide);
    // Saves the Palm Desktop file; false only when it held changes of this
    // run that did not reach it.
    bool savePalmSide();
    void tellResult(bool palmSaved);
    // Once a call found Outlook closed or crashed, the passes stop: the
    // report says so once, and the summary gives way to the stop message.
    bool stopsForOutlookGone();

    SyncSides& sides_;
    SyncDecision decision_;
    SyncProgress progress_;
    bool palmChanged_ = false;
    bool outlookChanged_ = false;
    bool fileRewritten_ = false;
    bool palmSaved_ = true;
    // Another program rewrote the address file during the run: not saved.
    bool changedElsewhere_ = false;
    bool outlookGone_ = false;
    // The writes that failed and were not made good later in the run.
    std::set<Write> unwritten_;
    // The differing pairs left as they are because nobody could be asked.
    std::set<Write> leftUnasked_;
};
