#pragma once
#include <string>

#include "outlook/OutlookConnector.h"
#include "sync/ContactRecord.h"
#include "palmstore/PalmContactStore.h"

// What one record's write did. The stores' merges answer false both for a
// record that was already the same and for one they could not write; the
// operations count the second kind.
enum class WriteOutcome { Unchanged, Changed, Failed };

// The merges of the two stores, told apart: a record whose counterpart is
// the same is left alone; a merge that then changes nothing has failed.
WriteOutcome mergeIntoOutlook(OutlookConnector& outlook, const ContactRecord* record);
// The texts the Palm fields were too short for go into cuts, when given.
WriteOutcome mergeIntoPalm(PalmContactStore& palm, const ContactRecord* record, TextCuts* cuts = nullptr);

constexpr char contactDeletedReportText[] = "the contact was deleted in Outlook since Quillset read it";
constexpr char contactChangedReportText[] = "the contact was changed in Outlook since Quillset read it";

// Why the connector's last write did not reach Outlook whole, as the report
// says it; empty when it did.
std::string outlookWriteProblem(const OutlookConnector& outlook);

// What the writes of one run came to.
struct WriteTally {
    bool changed = false;
    int failed = 0;
    // The run stopped because Outlook was closed or crashed.
    bool outlookGone = false;

    void add(WriteOutcome outcome);
};
