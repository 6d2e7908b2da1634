#include "sync/operations/SyncReport.h"

#include <cstdio>

#include "platform/FileRewrite.h"
#include "platform/FileSystem.h"
#include "platform/PlatformFile.h"
#include "platform/ProgramFolder.h"

namespace {

constexpr char lineEnd[] = "\r\n";

void appendText(std::string& names, const char* text)
{
    if (text == nullptr || *text == '\0')
        return;
    if (!names.empty())
        names += ' ';
    names += text;
}

// False for a log that exists but cannot be read: it must not be replaced
// by the new section alone.
bool readLog(const std::string& path, std::string& content)
{
    content.clear();
    if (!isPlainFile(path))
        return true;
    PlatformFile file;
    if (!file.open(path.c_str(), PlatformFile::Access::Read, PlatformFile::Disposition::OpenExisting))
        return false;
    char buffer[4096];
    uint32_t delivered = 0;
    while (true) {
        if (!file.read(buffer, sizeof(buffer), &delivered))
            return false;
        if (delivered == 0)
            return true;
        content.append(buffer, delivered);
    }
}

}

void SyncReport::begin(const char* operation, const LocalDateTime& when)
{
    *this = SyncReport();
    operation_ = operation != nullptr ? operation : "";
    when_ = when;
}

void SyncReport::setRule(const std::string& rule) { rule_ = rule; }

void SyncReport::noteAnswer(const ContactRecord& palm, const ContactRecord& outlook, bool palmWins)
{
    answers_.push_back("Answer: " + std::string(palmWins ? "Palm Desktop overwrites Outlook" : "Outlook overwrites Palm Desktop") +
                       " for " + namesOf(palmWins ? palm : outlook));
}

void SyncReport::noteWrite(const ContactRecord& record, Action action, bool done)
{
    if (done) {
        ++counts_[static_cast<int>(action)];
        records_.push_back("  " + namesOf(record) + ": " + actionText(action));
    } else {
        failures_.push_back("  " + namesOf(record) + ": could not be " + (action == Action::AddedToOutlook ||
                                                                              action == Action::AddedToPalm
                                                                          ? "added"
                                                                          : "overwritten") +
                            " (" + actionText(action) + ")");
    }
}

void SyncReport::noteFailure(const std::string& text) { failures_.push_back("  " + text); }

std::string SyncReport::namesOf(const ContactRecord& record)
{
    std::string names;
    appendText(names, record.firstName);
    appendText(names, record.lastName);
    if (record.company[0] != '\0') {
        if (names.empty())
            names = record.company;
        else
            names += std::string(" (") + record.company + ")";
    }
    if (names.empty())
        names = record.email1[0] != '\0' ? record.email1 : "(no name)";
    return names;
}

const char* SyncReport::actionText(Action action)
{
    switch (action) {
    case Action::AddedToOutlook: return "added to Outlook";
    case Action::OutlookOverwritten: return "Outlook overwritten";
    case Action::AddedToPalm: return "added to Palm Desktop";
    case Action::PalmOverwritten: return "Palm Desktop overwritten";
    }
    return "";
}

std::string SyncReport::text() const
{
    char stamp[64];
    std::snprintf(stamp, sizeof(stamp), "%04d-%02d-%02d %02d:%02d:%02d", when_.year, when_.month, when_.day,
                  when_.hour, when_.minute, when_.second);
    std::string out = std::string("==== ") + stamp + "  " + operation_ + lineEnd;
    if (!rule_.empty())
        out += "Rule: " + rule_ + lineEnd;
    for (const std::string& answer : answers_)
        out += answer + lineEnd;
    out += "Records:" + std::string(lineEnd);
    if (records_.empty())
        out += "  (none changed)" + std::string(lineEnd);
    for (const std::string& line : records_)
        out += line + lineEnd;
    out += "Failures:" + std::string(lineEnd);
    if (failures_.empty())
        out += "  (none)" + std::string(lineEnd);
    for (const std::string& line : failures_)
        out += line + lineEnd;
    char counts[200];
    std::snprintf(counts, sizeof(counts),
                  "Counts: %d added to Outlook, %d Outlook overwritten, %d added to Palm Desktop, %d Palm Desktop "
                  "overwritten, %d failed",
                  count(Action::AddedToOutlook), count(Action::OutlookOverwritten), count(Action::AddedToPalm),
                  count(Action::PalmOverwritten), failures());
    out += counts + std::string(lineEnd) + lineEnd;
    return out;
}

bool SyncReport::appendToLog() const
{
    if (!started())
        return false;
    const std::string path = programFilePath(fileName);
    // The log is small; rewriting it whole keeps an earlier section from
    // being torn by a failed append.
    std::string content;
    if (!readLog(path, content))
        return false;
    content += text();
    return rewriteWholeFile(path, FileRewrite::Target::MayBeNew, content.data(), static_cast<uint32_t>(content.size()));
}
