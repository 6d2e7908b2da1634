#include "operations/UndoJournalWriter.h"

#include <utility>

#include "platform/FileRewrite.h"
#include "platform/ProgramFolder.h"

namespace {

std::string journalPath() { return programFilePath(UndoJournal::fileName); }

}  // namespace

UndoJournalWriter::UndoJournalWriter(std::string operation, const LocalDateTime& when)
    : operation_(std::move(operation)), when_(when) {}

bool UndoJournalWriter::start() {
    if (file_.isOpen())
        return true;
    if (failed_)
        return false;
    // The head replaces the last journal in one step, so the file is never
    // empty or half the last one's.
    UndoJournal head;
    head.operation = operation_;
    head.when = when_;
    const std::string text = head.headText();
    failed_ =
        !rewriteWholeFile(journalPath(), FileRewrite::Target::MayBeNew, text.data(),
                          static_cast<uint32_t>(text.size())) ||
        !file_.open(journalPath().c_str(), PlatformFile::Access::Write, PlatformFile::Disposition::OpenExisting) ||
        !file_.setPosition(text.size());
    size_ = text.size();
    return !failed_;
}

bool UndoJournalWriter::append(const std::string& text) {
    if (!start())
        return false;
    // One write each: what is in the file is whole entries, but for the one
    // being written when the run was ended.
    if (!file_.write(text.data(), static_cast<uint32_t>(text.size()))) {
        failed_ = true;
        return false;
    }
    size_ += text.size();
    return true;
}

void UndoJournalWriter::changeNoted(const OutlookContactChange& change) { append(UndoJournal::changeText(change)); }

bool UndoJournalWriter::finish(const UndoJournal& palmSide) {
    if (!started() && !palmSide.hasPalmSide())
        return true;
    const bool written = append(palmSide.palmText() + UndoJournal::endText()) && file_.flushToDisk();
    file_.close();
    if (!written)
        UndoJournal::remove();
    return written;
}
