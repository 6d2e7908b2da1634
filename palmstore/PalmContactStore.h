#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "palm/PalmAddressFile.h"
#include "platform/FileFingerprint.h"
#include "palm/PalmAddressFile4.h"
#include "sync/ContactList.h"
#include "sync/ContactRecord.h"
#include "palmstore/PalmRecordCopy.h"

// The Palm Desktop side as a store of unified records. It owns a file object
// of each format, keeps a working copy of every loaded Palm record (parallel
// to `contacts`, position for position) and brings unified records back into
// the file object that was loaded.
class PalmContactStore {
public:
    // saveFormat4 from the installed Palm Desktop's version; names as the
    // file's columns hold them.
    PalmContactStore();
    // saveFormat4 from the version given, in the form getPalmDesktopVersion
    // answers (40102 for 4.1.2). swapNames is the user's "SwapName" choice,
    // taken once for the life of the store.
    explicit PalmContactStore(int palmDesktopVersion, bool swapNames = false);
    ~PalmContactStore();
    PalmContactStore(const PalmContactStore&) = delete;
    PalmContactStore& operator=(const PalmContactStore&) = delete;

    // PalmFormat::Older when the older format reads the file, else
    // PalmFormat::Format4 when the Palm Desktop 4 format reads it, else
    // PalmFormat::Unreadable.
    static PalmFormat detectFormat(const std::string& path);

    // Replace everything with the contacts of the user's address file or of
    // the file at path. False, with nothing loaded, when neither format reads it.
    bool loadUser(uint32_t userId);
    bool loadFile(const std::string& path);

    // The file save() rewrites; empty when nothing is loaded.
    std::string filePath() const;
    // Rewrites the loaded file with the writer of the format it was read in.
    // False when nothing is loaded or the file could not be written.
    bool save();
    // Whether another program rewrote or removed the file since this store
    // last read or saved it. A file that cannot be read now (held by Palm
    // Desktop) counts as unchanged: the backup or the save then fails and
    // says so.
    bool fileChangedSinceRead() const;
    // The same from the file's time alone, cheap enough to ask before every
    // write of a run; the save still compares the bytes.
    bool fileTouchedSinceRead() const;

    // Adds the record, or overwrites its differing counterpart. False when
    // the counterpart is the same, or nothing could be changed. The texts
    // the Palm fields were too short for are named in cuts, when given,
    // only for a record written.
    bool mergeRecord(const ContactRecord* record, TextCuts* cuts = nullptr);
    // A new Palm record from the record, at the end of the file's records;
    // `contacts` takes a copy of the record as it is. False, with nothing
    // changed, when nothing is loaded.
    bool addRecord(const ContactRecord* record, TextCuts* cuts = nullptr);
    // Writes the record into the Palm record at position and merges it into
    // the unified record there.
    bool updateRecord(const ContactRecord* record, int32_t position, TextCuts* cuts = nullptr);
    // The texts of the Palm record behind one of `contacts` that the
    // unified record holds only the beginning of; none for another record.
    TextCuts textsCutFrom(const ContactRecord* record);

    // Which writer the installed Palm Desktop would use. Only informative:
    // a file is always saved in the format it was read in.
    bool saveFormat4() const { return saveFormat4_; }
    // None before the first load, else what the last load found.
    PalmFormat loadedFormat() const { return loadedFormat_; }
    PalmAddressFile& file1() { return file1_; }
    PalmAddressFile4& file2() { return file2_; }
    size_t recordCount() const { return records_.size(); }
    // Null past the end.
    PalmRecordCopy* recordAt(size_t position);
    ContactList* contacts() { return &contacts_; }

private:
    template <typename Read1, typename Read4>
    bool load(Read1 read1, Read4 read4);
    void clear();
    template <typename File>
    void takeRecords(File& file);
    template <typename Record>
    bool takeRecord(Record& record, size_t fileIndex);
    template <typename File, typename Record>
    bool appendToFile(File& file, PalmRecordCopy& copy, Record& record);

    // The file as the last load or save left it.
    void rememberFile();

    bool saveFormat4_ = false;
    bool fileKnown_ = false;
    FileFingerprint fileAsRead_;
    PalmFormat loadedFormat_ = PalmFormat::None;
    PalmAddressFile file1_;
    PalmAddressFile4 file2_;
    std::vector<std::unique_ptr<PalmRecordCopy>> records_;
    ContactList contacts_;
};
