#include "operations/SyncReport.h"

#include <cstdio>

#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "platform/ProgramFolder.h"
#include "sync/ContactNames.h"

namespace {

constexpr char lineEnd[] = "\r\n";

// A log that exists but cannot be read must not be replaced by the new
// section alone; past this size it is not read at all.
constexpr uint64_t largestLog = 256u * 1024u * 1024u;

}  // namespace

void SyncReport::begin(const char* operation, const LocalDateTime& when) {
    *this = SyncReport();
    operation_ = operation != nullptr ? operation : "";
    when_ = when;
}

void SyncReport::beginUndo(const char* operation, const LocalDateTime& when) {
    begin(operation, when);
    undoes_ = true;
}

void SyncReport::setRule(const std::string& rule) { rule_ = rule; }

void SyncReport::noteAnswer(const ContactRecord& palm, const ContactRecord& outlook, bool palmWins) {
    answers_.push_back(
        "Answer: " + std::string(palmWins ? "Palm Desktop overwrites Outlook" : "Outlook overwrites Palm Desktop") +
        " for " + namesOf(palmWins ? palm : outlook));
}

void SyncReport::noteWrite(const ContactRecord& record, Action action, bool done, const std::string& why) {
    if (done) {
        noteDone(namesOf(record), action);
    } else {
        failures_.push_back(
            "  " + namesOf(record) + ": could not be " +
            (action == Action::AddedToOutlook || action == Action::AddedToPalm ? "added" : "overwritten") + " (" +
            actionText(action) + ")" + (why.empty() ? "" : ": " + why));
    }
}

void SyncReport::noteDone(const std::string& names, Action action) {
    ++counts_[static_cast<int>(action)];
    records_.push_back(Done{names, action});
}

void SyncReport::noteFailure(const std::string& text) { failures_.push_back("  " + text); }

void SyncReport::noteLine(const std::string& text) { lines_.push_back("  " + text); }

std::vector<std::string> SyncReport::namesDone(Action action) const {
    std::vector<std::string> names;
    for (const Done& done : records_) {
        if (done.action == action)
            names.push_back(done.names);
    }
    return names;
}

std::string SyncReport::namesOf(const ContactRecord& record) {
    return contactNames(record.firstName, record.lastName, record.company, record.email1);
}

const char* SyncReport::actionText(Action action) {
    switch (action) {
    case Action::AddedToOutlook: return "added to Outlook";
    case Action::OutlookOverwritten: return "Outlook overwritten";
    case Action::AddedToPalm: return "added to Palm Desktop";
    case Action::PalmOverwritten: return "Palm Desktop overwritten";
    case Action::DeletedFromOutlook: return "deleted from Outlook";
    case Action::OutlookRestored: return "Outlook given back its earlier values";
    case Action::LeftAsItIs: return "changed since, left as it is";
    case Action::LeftAmbiguous: return "left alone, more than one record pairs with the same counterpart";
    case Action::LeftUnasked: return "left alone, differs from its counterpart and nobody was asked";
    }
    return "";
}

std::string SyncReport::text() const {
    char stamp[64];
    std::snprintf(stamp, sizeof(stamp), "%04d-%02d-%02d %02d:%02d:%02d", when_.year, when_.month, when_.day, when_.hour,
                  when_.minute, when_.second);
    std::string out = std::string("==== ") + stamp + "  " + operation_ + lineEnd;
    if (!rule_.empty())
        out += "Rule: " + rule_ + lineEnd;
    for (const std::string& answer : answers_)
        out += answer + lineEnd;
    out += "Records:" + std::string(lineEnd);
    if (records_.empty() && lines_.empty())
        out += "  (none changed)" + std::string(lineEnd);
    for (const std::string& line : lines_)
        out += line + lineEnd;
    for (const Done& done : records_)
        out += "  " + done.names + ": " + actionText(done.action) + lineEnd;
    out += "Failures:" + std::string(lineEnd);
    if (failures_.empty())
        out += "  (none)" + std::string(lineEnd);
    for (const std::string& line : failures_)
        out += line + lineEnd;
    char counts[200];
    if (undoes_)
        std::snprintf(counts, sizeof(counts),
                      "Counts: %d deleted from Outlook, %d Outlook restored, %d left as they are, "
                      "%d failed",
                      count(Action::DeletedFromOutlook), count(Action::OutlookRestored), count(Action::LeftAsItIs),
                      failures());
    else
        std::snprintf(counts, sizeof(counts),
                      "Counts: %d added to Outlook, %d Outlook overwritten, %d added to Palm Desktop, %d Palm Desktop "
                      "overwritten, %d failed",
                      count(Action::AddedToOutlook), count(Action::OutlookOverwritten), count(Action::AddedToPalm),
                      count(Action::PalmOverwritten), failures());
    out += counts + std::string(lineEnd) + lineEnd;
    return out;
}

bool SyncReport::appendToLog() const {
    if (!started())
        return false;
    const std::string path = programFilePath(fileName);
    // The log is small; rewriting it whole keeps an earlier section from
    // being torn by a failed append.
    std::string content;
    if (isPlainFile(path) && !readWholeFileInto(path, content, largestLog))
        return false;
    content += text();
    return rewriteWholeFile(path, FileRewrite::Target::MayBeNew, content.data(), static_cast<uint32_t>(content.size()));
}
