#include "operations/LargeChangeGuard.h"

namespace {

bool overMostOf(int overwritten, int records) { return records >= ManyRecords && overwritten * 2 > records; }

bool emptyAgainstMany(int empty, int other) { return empty == 0 && other >= ManyRecords; }

}  // namespace

PlannedOverwrites plannedOverwrites(const SyncPlan& plan) {
    PlannedOverwrites planned;
    planned.palmRecords = plan.palmRecords;
    planned.outlookRecords = plan.outlookRecords;
    planned.palmOverwritten = plan.count(SyncStep::Kind::OverwritePalm);
    planned.outlookOverwritten = plan.count(SyncStep::Kind::OverwriteOutlook);
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
