#include "operations/StoreWrites.h"

#include "sync/RecordMatching.h"

namespace {

bool alreadySame(ContactList* contacts, const ContactRecord* record) {
    const MatchCode code = findMatch(contacts, record).code;
    return code == MatchSame || code == MatchNoProbe;
}

WriteOutcome outcomeOf(bool merged) { return merged ? WriteOutcome::Changed : WriteOutcome::Failed; }

}  // namespace

WriteOutcome mergeIntoOutlook(OutlookConnector& outlook, const ContactRecord* record) {
    if (alreadySame(outlook.contacts(), record))
        return WriteOutcome::Unchanged;
    return outcomeOf(outlook.mergeRecord(record));
}

WriteOutcome mergeIntoPalm(PalmContactStore& palm, const ContactRecord* record, TextCuts* cuts) {
    if (alreadySame(palm.contacts(), record))
        return WriteOutcome::Unchanged;
    return outcomeOf(palm.mergeRecord(record, cuts));
}

void WriteTally::add(WriteOutcome outcome) {
    if (outcome == WriteOutcome::Changed)
        changed = true;
    else if (outcome == WriteOutcome::Failed)
        ++failed;
}

std::string outlookWriteProblem(const OutlookConnector& outlook) {
    switch (outlook.lastWriteProblem()) {
    case OutlookConnector::WriteProblem::None: return std::string();
    case OutlookConnector::WriteProblem::ContactGone: return contactDeletedReportText;
    case OutlookConnector::WriteProblem::NotSaved: return "Outlook did not save it";
    case OutlookConnector::WriteProblem::NotReached: return "Outlook could not be reached";
    case OutlookConnector::WriteProblem::PropertiesRefused: break;
    }
    std::string names;
    for (const std::string& property : outlook.lastRefusedProperties())
        names += (names.empty() ? "" : ", ") + property;
    return "Outlook refused " + names + "; the rest was saved";
}
