#include "operations/LargeChangeGuard.h"

#include <set>

#include "sync/RecordMatching.h"

namespace {

bool overMostOf(int overwritten, int records) { return records >= ManyRecords && overwritten * 2 > records; }

bool emptyAgainstMany(int empty, int other) { return empty == 0 && other >= ManyRecords; }

// The pairs both passes of the run would settle, each once.
std::set<std::pair<const ContactRecord*, const ContactRecord*>> differingPairs(ContactList* palm, ContactList* outlook,
                                                                               const AmbiguousPairs& ambiguous) {
    std::set<std::pair<const ContactRecord*, const ContactRecord*>> pairs;
    for (int32_t position = 0; position < palm->count(); ++position) {
        const ContactRecord* record = palm->at(position);
        const MatchResult match = findMatch(outlook, record);
        if (record != nullptr && match.code == MatchDiffers && !ambiguous.leavesPalmProbeAlone(*record, match))
            pairs.insert({record, match.record});
    }
    for (int32_t position = 0; position < outlook->count(); ++position) {
        const ContactRecord* record = outlook->at(position);
        const MatchResult match = findMatch(palm, record);
        if (record != nullptr && match.code == MatchDiffers && !ambiguous.leavesOutlookProbeAlone(*record, match))
            pairs.insert({match.record, record});
    }
    return pairs;
}

}  // namespace

PlannedOverwrites countPlannedOverwrites(ContactList* palm, ContactList* outlook, const AmbiguousPairs& ambiguous,
                                         SyncAction rule) {
    PlannedOverwrites planned;
    if (palm == nullptr || outlook == nullptr)
        return planned;
    planned.palmRecords = palm->count();
    planned.outlookRecords = outlook->count();
    if (rule == SyncAction::AskUser)
        return planned;
    std::set<const ContactRecord*> losers;
    for (const auto& pair : differingPairs(palm, outlook, ambiguous))
        losers.insert(rule == SyncAction::PalmOverwritesOutlook ? pair.second : pair.first);
    int& overwritten = rule == SyncAction::PalmOverwritesOutlook ? planned.outlookOverwritten : planned.palmOverwritten;
    overwritten = static_cast<int>(losers.size());
    return planned;
}

bool isLargeChange(const PlannedOverwrites& planned) {
    return overMostOf(planned.outlookOverwritten, planned.outlookRecords) ||
           overMostOf(planned.palmOverwritten, planned.palmRecords) ||
           emptyAgainstMany(planned.palmRecords, planned.outlookRecords) ||
           emptyAgainstMany(planned.outlookRecords, planned.palmRecords);
}

std::string largeChangeQuestion(const PlannedOverwrites& planned) {
    std::string text;
    if (overMostOf(planned.outlookOverwritten, planned.outlookRecords))
        text += "This synchronization would overwrite " + std::to_string(planned.outlookOverwritten) + " of the " +
                std::to_string(planned.outlookRecords) + " Outlook contacts. ";
    if (overMostOf(planned.palmOverwritten, planned.palmRecords))
        text += "This synchronization would overwrite " + std::to_string(planned.palmOverwritten) + " of the " +
                std::to_string(planned.palmRecords) + " Palm Desktop records. ";
    if (emptyAgainstMany(planned.palmRecords, planned.outlookRecords))
        text += "The Palm Desktop address book holds no records, while Outlook holds " +
                std::to_string(planned.outlookRecords) + ". ";
    if (emptyAgainstMany(planned.outlookRecords, planned.palmRecords))
        text += "Outlook holds no contacts, while the Palm Desktop address book holds " +
                std::to_string(planned.palmRecords) + ". ";
    return text + "Go on all the same?";
}
