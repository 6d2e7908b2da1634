#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "palm/PalmAddressRecord.h"
#include "palm/PalmAddressRecord4.h"
#include "sync/ContactRecord.h"

// The two address file formats, as the contact store and its records name
// them. A record's native key carries the number.
enum class PalmFormat : int32_t {
    None = 0,
    Older = 1,    // PalmAddressFile, records PalmAddressRecord
    Format4 = 2,  // PalmAddressFile4, records PalmAddressRecord4
    Unreadable = 3,
};

// Bits of a Palm record's status word that the contact store tests and sets.
constexpr uint32_t PalmStatusAdded = 0x01;
constexpr uint32_t PalmStatusUpdated = 0x02;
constexpr uint32_t PalmStatusNotLoaded = 0x04 | 0x80;

// Position given to a record the store adds: after every other record.
constexpr uint32_t PalmPositionLast = 0x7FFFFFFF;

// The contact store's working copy of one Palm record, of either format, and
// the record inside its file object that the copy stands for.
//
// A copy made from its source shares the source's values until it is first
// changed: loading a large file then costs no second set of texts, and since
// only the store changes file records, and always by writing a copy over its
// source, the shared values are exactly what an eager copy would hold.
class PalmRecordCopy {
public:
    // An empty record of its own, of the format (PalmFormat::Older, else
    // PalmFormat::Format4), without a source.
    explicit PalmRecordCopy(PalmFormat format);
    // Stands for source, sharing its values. The source must not be null.
    explicit PalmRecordCopy(PalmAddressRecord* source);
    explicit PalmRecordCopy(PalmAddressRecord4* source);
    // A record of its own, standing for source (which may be null).
    PalmRecordCopy(const PalmAddressRecord& record, PalmAddressRecord* source);
    PalmRecordCopy(const PalmAddressRecord4& record, PalmAddressRecord4* source);
    // A copy of a copy has records of its own when the original has.
    PalmRecordCopy(const PalmRecordCopy& other);
    PalmRecordCopy& operator=(const PalmRecordCopy& other);
    PalmRecordCopy(PalmRecordCopy&& other) noexcept = default;
    PalmRecordCopy& operator=(PalmRecordCopy&& other) noexcept = default;
    ~PalmRecordCopy();

    // PalmFormat::Older or PalmFormat::Format4.
    PalmFormat format() const { return format_; }

    // The record's values when the copy is of that format, else null.
    const PalmAddressRecord* record1() const { return own1_ ? own1_.get() : source1_; }
    const PalmAddressRecord4* record4() const { return own4_ ? own4_.get() : source4_; }
    // The record, to be changed: from here on the copy has values of its
    // own. Null when the copy is of the other format.
    PalmAddressRecord* editRecord1();
    PalmAddressRecord4* editRecord4();

    // The file record, when it is of the copy's format.
    PalmAddressRecord* source1() const { return source1_; }
    PalmAddressRecord4* source4() const { return source4_; }
    // Ignored for a record of the other format.
    void setSource(PalmAddressRecord* source);
    void setSource(PalmAddressRecord4* source);

    uint32_t recordId() const;
    uint32_t status() const;
    void addStatus(uint32_t bits);
    void setPosition(uint32_t position);

    // Replaces the source's whole record (blobs included) by the copy's.
    // False without a source or when memory runs out; the source is then
    // unchanged.
    bool replaceSource() const;

private:
    PalmFormat format_;
    std::unique_ptr<PalmAddressRecord> own1_;
    std::unique_ptr<PalmAddressRecord4> own4_;
    PalmAddressRecord* source1_ = nullptr;
    PalmAddressRecord4* source4_ = nullptr;
};

// What a Palm-sourced ContactRecord carries as its native block: which file
// record it came from. Kept small and self-describing rather than a copy of
// the whole record, since the Palm record itself stays with the store and its
// texts are of any length: "QSPR", then the format, the record id and the
// index in the file's record list, each 32-bit little-endian.
struct PalmNativeKey {
    PalmFormat format = PalmFormat::None;
    uint32_t recordId = 0;
    uint32_t fileIndex = 0;
};

constexpr size_t PalmNativeKeySize = 16;

std::vector<uint8_t> encodePalmNativeKey(const PalmNativeKey& key);
// False when the block is not one that encodePalmNativeKey made.
bool decodePalmNativeKey(const std::vector<uint8_t>& block, PalmNativeKey& key);

// Texts cut to fit on their way from one side to the other.
struct TextCuts {
    // The fields whose texts a conversion cut, in order ("company", "home
    // phone", ...), each once.
    std::vector<const char*> names;
    // Given to recordToPalm: the record's text fields (by address) that had
    // already lost their tail when the record was read from its own side;
    // each one the Palm record takes is named as cut too.
    std::vector<const char*> cutOnRead;
};

// The Palm record into the unified record: every value of record is replaced,
// texts cut to their fields, each cut named in cuts when given. sourceType,
// nativeId and nativeData stay 0/empty.
void palmToRecord(const PalmRecordCopy& copy, ContactRecord& record, TextCuts* cuts = nullptr);
// The Palm texts that palmToRecord cuts: what the other side receives of
// them is shorter.
TextCuts textsCutFromPalm(const PalmRecordCopy& copy);

// The unified record into the Palm record: telephones by label, then the
// named fields. A text field is written only when the unified field is not
// empty, cut to the Palm field's capacity - 1; private flag (and for the
// Palm Desktop 4 format the birthday and the address labels) always. Each
// text that was cut is named in cuts when given.
void recordToPalm(const ContactValues& record, PalmRecordCopy& copy, TextCuts* cuts = nullptr);
