#pragma once
#include <set>
#include <string>
#include <vector>

#include <unordered_set>

#include "outlook/OutlookConnector.h"
#include "sync/AmbiguousPairs.h"
#include "palmstore/PalmContactStore.h"
#include "sync/RecordMatching.h"
#include "operations/SyncReport.h"
#include "operations/SyncView.h"

// The window and the two stores one operation works on, with the steps the
// operations share.
struct SyncSides {
    SyncView& view;
    PalmContactStore& palm;
    OutlookConnector& outlook;
    // The account of the operation running now.
    SyncReport report{};
    // What it did to Outlook, while the connector records it.
    std::vector<OutlookContactChange> outlookChanges{};
    // Sentences the closing summary ends with: what the user must know
    // beyond the counts (no Undo journal, no report, texts cut).
    std::string closingNotes{};
    // Records the report already named as not given in full by Outlook.
    std::set<const ContactRecord*> namedAsPartlyRead{};
    // The pairs that are not written this run, found before its first write.
    AmbiguousPairs ambiguous{};
    std::unordered_set<const ContactRecord*> leftAmbiguous{};
    // Texts written shorter than they are, by the side that took them.
    int valuesCutForOutlook = 0;
    int valuesCutForPalm = 0;

    // Finds the ambiguous pairs of both sides as they are now.
    void findAmbiguousPairs();
    // True when the probe and the counterpart the search found are to be
    // left alone; each probe left alone is named in the report once.
    bool leaveAloneIfAmbiguous(const ContactRecord& probe, bool probeIsPalm, const MatchResult& match);
    // The record is left alone as ambiguous: named in the report and counted
    // once, however often it is met.
    void noteLeftAmbiguous(const ContactRecord& record);
    // The Palm record just written to Outlook reached it with only the
    // beginning of the texts its unified record could not hold; each is named.
    void noteCutsForOutlook(const ContactRecord& palmRecord);
    // What a write of the Outlook record to Palm Desktop starts from: the
    // texts Outlook holds longer than the record does.
    TextCuts cutsOnTheWayToPalm(const ContactRecord& outlookRecord) const;
    // The record just written to Palm Desktop lost the ends of these texts.
    void noteCutsForPalm(const ContactRecord& record, const TextCuts& cuts);
    // A new operation starts counting from nothing.
    void forgetNotes();
    // The sentences the summary ends with: the records left alone, the
    // texts cut, then the closing notes.
    std::string summaryEnd() const;

    // Both lists shown again from their stores, the Palm list first.
    void refillBothLists();
    // After a save that failed: the Palm store takes what the file really
    // holds, and both sides are compared again so the lists show it right.
    void reloadPalmSide();
    // The run no longer uses the caller's custom-field mapping.
    void detachMappingBlock();
    void tell(const char* text, const char* caption, SyncMessageKind kind);

    // Whether an Outlook record may be copied to or written over the Palm
    // side. One Outlook did not give in full (its guard refused a property,
    // the item failed) may not: its empty fields are no values, and would
    // wipe the Palm ones. The report names it.
    bool outlookRecordUsable(const ContactRecord& record);
    // At the start of an operation's report: how many items of the Outlook
    // folder were left out as no contacts (distribution lists), when there
    // were any; no record named as not given in full yet.
    void beginOutlookAccount();
};

// The connector notes the Outlook changes of one operation, from empty,
// until the operation ends however it ends.
class OutlookChangeRecording {
public:
    OutlookChangeRecording(SyncSides& sides, OutlookChangeListener* listener) : sides_(sides) {
        sides_.outlookChanges.clear();
        sides_.outlook.recordChangesInto(&sides_.outlookChanges, listener);
    }
    ~OutlookChangeRecording() { sides_.outlook.recordChangesInto(nullptr); }
    OutlookChangeRecording(const OutlookChangeRecording&) = delete;
    OutlookChangeRecording& operator=(const OutlookChangeRecording&) = delete;

private:
    SyncSides& sides_;
};

// Detaches the mapping block however the operation ends, so a run started
// from the menu after this one uses no custom-field mapping.
class MappingBlockRelease {
public:
    explicit MappingBlockRelease(SyncSides& sides) : sides_(sides) {}
    ~MappingBlockRelease() { sides_.detachMappingBlock(); }
    MappingBlockRelease(const MappingBlockRelease&) = delete;
    MappingBlockRelease& operator=(const MappingBlockRelease&) = delete;

private:
    SyncSides& sides_;
};
