#include "operations/SyncPlanPreview.h"

#include <algorithm>

#include "operations/SyncReport.h"
#include "sync/ContactRecord.h"
#include "sync/FieldDifferences.h"

namespace {

using Kind = SyncStep::Kind;

const char* actionText(Kind kind) {
    switch (kind) {
    case Kind::AddToOutlook: return "Added to Outlook";
    case Kind::AddToPalm: return "Added to Palm Desktop";
    case Kind::OverwriteOutlook: return "Outlook contact overwritten";
    case Kind::OverwritePalm: return "Palm Desktop record overwritten";
    case Kind::AskUser: return "You choose which one wins";
    case Kind::LeftAmbiguous:
    case Kind::LeftPartlyRead: return "Left alone";
    }
    return "";
}

const ContactRecord* namedRecord(const SyncStep& step) {
    switch (step.kind) {
    case Kind::AddToOutlook:
    case Kind::OverwriteOutlook:
    case Kind::AskUser: return step.palm;
    case Kind::AddToPalm:
    case Kind::OverwritePalm:
    case Kind::LeftPartlyRead: return step.outlook;
    case Kind::LeftAmbiguous: return step.palm != nullptr ? step.palm : step.outlook;
    }
    return nullptr;
}

// An empty field of the winning record never erases the loser's value.
std::vector<FieldDifference> overwritten(std::vector<FieldDifference> fields) {
    fields.erase(
        std::remove_if(fields.begin(), fields.end(), [](const FieldDifference& field) { return field.after.empty(); }),
        fields.end());
    return fields;
}

// The fields a pair's step changes: from the loser's values to the winner's;
// for a pair the user settles, from Palm Desktop's to Outlook's.
std::vector<FieldDifference> changedFields(const SyncStep& step) {
    if (step.palm == nullptr || step.outlook == nullptr)
        return {};
    if (step.kind == Kind::OverwriteOutlook)
        return overwritten(differingFields(*step.outlook, *step.palm));
    if (step.kind == Kind::OverwritePalm)
        return overwritten(differingFields(*step.palm, *step.outlook));
    std::vector<FieldDifference> fields = differingFields(*step.palm, *step.outlook);
    for (FieldDifference& field : fields) {
        field.before = "Palm Desktop: " + field.before;
        field.after = "Outlook: " + field.after;
    }
    return fields;
}

bool overwrites(Kind kind) { return kind == Kind::OverwriteOutlook || kind == Kind::OverwritePalm; }

const char* whyLeftAlone(Kind kind) {
    return kind == Kind::LeftAmbiguous ? "more than one record could be its counterpart"
                                       : "Outlook did not give all of its values";
}

std::string countOf(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::vector<PreviewLine> previewLines(const SyncPlan& plan) {
    std::vector<PreviewLine> lines;
    for (const SyncStep& step : plan.steps) {
        const ContactRecord* record = namedRecord(step);
        PreviewLine first{actionText(step.kind), record != nullptr ? SyncReport::namesOf(*record) : std::string(),
                          std::string(), std::string(), std::string()};
        if (step.kind == Kind::LeftAmbiguous || step.kind == Kind::LeftPartlyRead)
            first.before = whyLeftAlone(step.kind);
        const std::vector<FieldDifference> fields = changedFields(step);
        if (fields.empty()) {
            // The fields that differ are empty on the winning side.
            if (overwrites(step.kind)) {
                first.field = "none";
                first.before = "empty fields erase nothing";
            }
            lines.push_back(first);
            continue;
        }
        for (size_t at = 0; at < fields.size(); ++at) {
            PreviewLine line = at == 0 ? first : PreviewLine{};
            line.field = fields[at].name;
            line.before = fields[at].before;
            line.after = fields[at].after;
            lines.push_back(line);
        }
    }
    return lines;
}

std::string previewSummary(const SyncPlan& plan) {
    if (plan.steps.empty())
        return "Both sides already hold the same records: Synchronize All has nothing to write.";
    const int left = plan.count(Kind::LeftAmbiguous) + plan.count(Kind::LeftPartlyRead);
    std::string text = "Outlook gets " + countOf(plan.count(Kind::AddToOutlook), "new contact", "new contacts") +
                       " and " + std::to_string(plan.count(Kind::OverwriteOutlook)) +
                       " overwritten; Palm Desktop gets " +
                       countOf(plan.count(Kind::AddToPalm), "new record", "new records") + " and " +
                       std::to_string(plan.count(Kind::OverwritePalm)) + " overwritten.";
    const int asked = plan.count(Kind::AskUser);
    if (asked > 0)
        text += " You will be asked which record wins for " + countOf(asked, "differing pair.", "differing pairs.");
    if (left > 0)
        text += " " + countOf(left, "record is", "records are") + " left alone.";
    return text;
}
