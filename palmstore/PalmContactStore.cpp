#include "palmstore/PalmContactStore.h"

#include <new>
#include <utility>

#include "palm/PalmDesktopInstallation.h"
#include "platform/FileSystem.h"
#include "sync/RecordMatching.h"
#include "sync/SourceType.h"

// Palm Desktop 4.1.2, the first to write the Palm Desktop 4 format.
static constexpr int kFirstFormat4Version = 40102;

PalmContactStore::PalmContactStore() : PalmContactStore(getPalmDesktopVersion()) {}

PalmContactStore::PalmContactStore(int palmDesktopVersion, bool swapNames)
    : saveFormat4_(palmDesktopVersion >= kFirstFormat4Version), file1_(swapNames), file2_(swapNames) {}

PalmContactStore::~PalmContactStore() = default;

PalmFormat PalmContactStore::detectFormat(const std::string& path) {
    {
        PalmAddressFile file(path);
        if (file.opened())
            return PalmFormat::Older;
    }
    PalmAddressFile4 file(path);
    return file.opened() ? PalmFormat::Format4 : PalmFormat::Unreadable;
}

bool PalmContactStore::loadUser(uint32_t userId) {
    return load([userId](PalmAddressFile& file) { return file.readUserFile(userId); },
                [userId](PalmAddressFile4& file) { return file.readUserFile(userId); });
}

bool PalmContactStore::loadFile(const std::string& path) {
    return load([&path](PalmAddressFile& file) { return file.openAndRead(path); },
                [&path](PalmAddressFile4& file) { return file.openAndRead(path); });
}

void PalmContactStore::clear() {
    loadedFormat_ = PalmFormat::None;
    fileKnown_ = false;
    file1_.clearRecords();
    file2_.clearRecords();
    records_.clear();
    contacts_.clear();
}

template <typename Read1, typename Read4>
bool PalmContactStore::load(Read1 read1, Read4 read4) {
    clear();
    if (read1(file1_)) {
        loadedFormat_ = PalmFormat::Older;
        rememberFile();
        takeRecords(file1_);
        return true;
    }
    // A failed read may leave records behind; none of them may be taken for the file's.
    file1_.clearRecords();
    if (read4(file2_)) {
        loadedFormat_ = PalmFormat::Format4;
        rememberFile();
        takeRecords(file2_);
        return true;
    }
    file2_.clearRecords();
    loadedFormat_ = PalmFormat::Unreadable;
    return false;
}

template <typename File>
void PalmContactStore::takeRecords(File& file) {
    try {
        records_.reserve(file.recordCount());
    } catch (const std::bad_alloc&) {
        // The list then grows record by record, as far as memory allows.
    }
    for (size_t index = 0; index < file.recordCount(); ++index) {
        auto* record = file.recordAt(index);
        if ((record->status & PalmStatusNotLoaded) != 0)
            continue;
        // A record that does not fit in memory is left out; the rest still load.
        takeRecord(*record, index);
    }
}

template <typename Record>
bool PalmContactStore::takeRecord(Record& record, size_t fileIndex) {
    try {
        std::unique_ptr<PalmRecordCopy> copy(new PalmRecordCopy(&record));
        std::unique_ptr<ContactRecord> contact(new ContactRecord);
        palmToRecord(*copy, *contact);
        contact->sourceType = loadedFormat_ == PalmFormat::Older ? SourceTypePalm : SourceTypePalm4;
        contact->nativeId = static_cast<int32_t>(record.recordId);
        PalmNativeKey key;
        key.format = loadedFormat_;
        key.recordId = record.recordId;
        key.fileIndex = static_cast<uint32_t>(fileIndex);
        contact->nativeData = encodePalmNativeKey(key);
        records_.push_back(std::move(copy));
        if (!contacts_.append(std::move(contact))) {
            records_.pop_back();
            return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::string PalmContactStore::filePath() const {
    switch (loadedFormat_) {
    case PalmFormat::Older: return file1_.openedPath();
    case PalmFormat::Format4: return file2_.openedPath();
    default: return std::string();
    }
}

bool PalmContactStore::save() {
    bool saved = false;
    switch (loadedFormat_) {
    case PalmFormat::Older: saved = file1_.saveToOpenedPath(); break;
    case PalmFormat::Format4: saved = file2_.saveToOpenedPath(); break;
    default: return false;
    }
    if (saved)
        rememberFile();
    return saved;
}

void PalmContactStore::rememberFile() { fileKnown_ = takeFingerprint(filePath(), &fileAsRead_); }

bool PalmContactStore::fileChangedSinceRead() const {
    const std::string path = filePath();
    if (path.empty())
        return false;
    if (!isPlainFile(path))
        return true;
    FileFingerprint now;
    if (!takeFingerprint(path, &now))
        return false;
    // Read while held, the file could not be known then; now it can.
    return !fileKnown_ || now != fileAsRead_;
}

bool PalmContactStore::fileTouchedSinceRead() const {
    const std::string path = filePath();
    if (path.empty() || !fileKnown_)
        return false;
    if (!isPlainFile(path))
        return true;
    int64_t modified = 0;
    return fileModificationTime(path, &modified) && modified != fileAsRead_.modified;
}

PalmRecordCopy* PalmContactStore::recordAt(size_t position) {
    return position < records_.size() ? records_[position].get() : nullptr;
}

bool PalmContactStore::mergeRecord(const ContactRecord* record, TextCuts* cuts) {
    if (record == nullptr)
        return false;
    MatchResult match = findMatch(&contacts_, record);
    switch (match.code) {
    case MatchNone: return addRecord(record, cuts);
    case MatchDiffers: return updateRecord(record, match.position, cuts);
    default: return false;
    }
}

template <typename File, typename Record>
bool PalmContactStore::appendToFile(File& file, PalmRecordCopy& copy, Record& record) {
    if (!file.addRecord(record) || file.recordCount() == 0)
        return false;
    copy.setSource(file.recordAt(file.recordCount() - 1));
    return true;
}

TextCuts PalmContactStore::textsCutFrom(const ContactRecord* record) {
    const int32_t position = record != nullptr ? contacts_.positionOf(record) : -1;
    const PalmRecordCopy* copy = position >= 0 ? recordAt(static_cast<size_t>(position)) : nullptr;
    return copy != nullptr ? textsCutFromPalm(*copy) : TextCuts();
}

bool PalmContactStore::addRecord(const ContactRecord* record, TextCuts* cuts) {
    // Nothing is made unless a file is loaded, so `records` and `contacts`
    // stay parallel and no entry waits for a file it can never reach.
    if (record == nullptr || (loadedFormat_ != PalmFormat::Older && loadedFormat_ != PalmFormat::Format4))
        return false;
    try {
        std::unique_ptr<PalmRecordCopy> copy(new PalmRecordCopy(loadedFormat_));
        TextCuts cutHere;
        if (cuts != nullptr)
            cutHere.cutOnRead = cuts->cutOnRead;
        recordToPalm(*record, *copy, &cutHere);
        copy->setPosition(PalmPositionLast);
        copy->addStatus(PalmStatusAdded);
        // Everything that needs memory is in hand before the file is touched:
        // a file record that no contact shows would still be saved.
        std::unique_ptr<ContactRecord> contact(new ContactRecord(*record));
        // Room doubles, so adding many records stays linear.
        if (records_.size() == records_.capacity())
            records_.reserve(records_.empty() ? 16 : records_.size() * 2);
        if (!contacts_.reserveNext())
            return false;
        bool added;
        if (PalmAddressRecord* palm = copy->editRecord1()) {
            added = appendToFile(file1_, *copy, *palm);
        } else {
            PalmAddressRecord4& palm4 = *copy->editRecord4();
            const uint32_t existing = static_cast<uint32_t>(file2_.recordCount());
            palm4.value1 = existing + 0x1000;
            palm4.value3 = 73 * existing;
            added = appendToFile(file2_, *copy, palm4);
        }
        if (!added || !contacts_.append(std::move(contact)))
            return false;
        records_.push_back(std::move(copy));
        if (cuts != nullptr)
            cuts->names.insert(cuts->names.end(), cutHere.names.begin(), cutHere.names.end());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

namespace {

uint32_t privateFlagOf(const PalmRecordCopy& copy) {
    if (const PalmAddressRecord* palm = copy.record1())
        return palm->isPrivate;
    if (const PalmAddressRecord4* palm4 = copy.record4())
        return palm4->isPrivate;
    return 0;
}

void setPrivateFlag(PalmRecordCopy& copy, uint32_t isPrivate) {
    if (copy.record1() != nullptr) {
        if (PalmAddressRecord* palm = copy.editRecord1())
            palm->isPrivate = isPrivate;
    } else if (copy.record4() != nullptr) {
        if (PalmAddressRecord4* palm4 = copy.editRecord4())
            palm4->isPrivate = isPrivate;
    }
}

}  // namespace

bool PalmContactStore::updateRecord(const ContactRecord* record, int32_t position, TextCuts* cuts) {
    if (record == nullptr || position < 0 ||
        (loadedFormat_ != PalmFormat::Older && loadedFormat_ != PalmFormat::Format4))
        return false;
    PalmRecordCopy* copy = recordAt(static_cast<size_t>(position));
    if (copy == nullptr)
        return false;
    try {
        // Changes are made on the side, so running out of memory half-way leaves both records as they were.
        PalmRecordCopy updated(*copy);
        // The unified record carries no private flag: a record marked private
        // in Palm Desktop stays private whatever overwrites it.
        const uint32_t wasPrivate = privateFlagOf(updated);
        TextCuts cutHere;
        if (cuts != nullptr)
            cutHere.cutOnRead = cuts->cutOnRead;
        recordToPalm(*record, updated, &cutHere);
        setPrivateFlag(updated, wasPrivate);
        updated.addStatus(PalmStatusUpdated);
        if (!updated.replaceSource())
            return false;
        *copy = std::move(updated);
        if (cuts != nullptr)
            cuts->names.insert(cuts->names.end(), cutHere.names.begin(), cutHere.names.end());
    } catch (const std::bad_alloc&) {
        return false;
    }
    contacts_.mergeAt(position, record);
    return true;
}
