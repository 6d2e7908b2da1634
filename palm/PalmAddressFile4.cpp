#include "palm/PalmAddressFile4.h"

#include <cstring>
#include <new>

namespace {

const uint8_t SignaturePrefix[PalmAddressFile4::SignaturePrefixSize] = {0xBE, 0xBA, 0xFE, 0xCA, 0x0F};
const char SignatureText[] = "PalmSG Database00RV";
static_assert(sizeof SignatureText - 1 + PalmAddressFile4::SignaturePrefixSize == PalmAddressFile4::SignatureSize,
              "the signature fills its 24 bytes");

// Bytes 12 and 13 of the version block read as 4096 + the number of records.
constexpr size_t RecordCountLowByte = 12;
constexpr size_t RecordCountHighByte = 13;
constexpr unsigned RecordCountBase = 16;

constexpr uint32_t CategoryIdColumn = 5;
constexpr uint32_t FirstBlobColumn = 7;
constexpr uint32_t BirthdayColumn = 65;
// Declared as a boolean by the field types and written as one.
constexpr uint32_t BooleanColumn = 66;

const uint16_t DefaultFieldTypes[PalmAddressRecord4::kColumnCount] = {
    1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 67, 5, 5, 5, 5, 5, 5, 1, 5, 5, 5, 5, 5, 5, 5, 5, 1, 1, 1,  1, 1, 1, 1, 5, 5, 5, 5,
    5, 5, 5, 5, 5, 1, 5, 5,  5,  5,  5,  1, 5, 5, 5, 5, 5, 1, 5, 5, 5, 5, 5, 5, 5, 1, 1, 5, 68, 6, 1, 1, 5, 5, 5, 5};

const std::string* blockText(const PalmAddressBlock& block, uint32_t offset) {
    switch (offset) {
    case 0: return &block.address;
    case 1: return &block.city;
    case 2: return &block.state;
    case 3: return &block.zip;
    case 4: return &block.country;
    default: return nullptr;
    }
}

bool isBlobColumn(uint32_t column) {
    return column >= FirstBlobColumn && column < FirstBlobColumn + PalmAddressRecord4::kBlobCount;
}

}  // namespace

PalmAddressFile4::PalmAddressFile4(bool swapNames) : PalmAddressFileBase(swapNames) {
    PalmAddressFile4::initDefaults();
}

PalmAddressFile4::PalmAddressFile4(const std::string& path, bool swapNames) : PalmAddressFile4(swapNames) {
    opened_ = openAndRead(path);
}

PalmAddressFile4::~PalmAddressFile4() = default;

void PalmAddressFile4::initDefaults() {
    std::memset(versionBlock_, 0, sizeof versionBlock_);
    versionBlock_[RecordCountLowByte] = 1;
    versionBlock_[RecordCountHighByte] = RecordCountBase;
    std::memset(nameBlock_, 0, sizeof nameBlock_);
    std::memset(labelBlock_, 0, sizeof labelBlock_);
    for (std::string& label : customLabels_)
        label.clear();
    storedName_.clear();
    schema_.tableId = 74;
    schema_.fieldsPerRecord = PalmAddressRecord4::kColumnCount;
    schema_.recordIdColumn = 0;
    schema_.statusColumn = 2;
    schema_.positionColumn = 4;
    schema_.fieldTypes.assign(DefaultFieldTypes, DefaultFieldTypes + PalmAddressRecord4::kColumnCount);
    releaseRecords();
}

void PalmAddressFile4::releaseRecords() { clearRecords(); }

const std::string& PalmAddressFile4::customLabel(size_t index) const {
    static const std::string none;
    return index < CustomLabelCount ? customLabels_[index] : none;
}

// ---- reading

bool PalmAddressFile4::readSections() {
    return readSignature() && readVersionBlock() && readStoredName() && readCustomLabels() && readCategories() &&
           readFieldSchema() && readRecords();
}

bool PalmAddressFile4::readSignature() {
    // The first five bytes are not examined; the writer puts its own there.
    uint8_t signature[SignatureSize];
    if (!readExactly(*this, signature, sizeof signature))
        return false;
    return std::memcmp(signature + SignaturePrefixSize, SignatureText, SignatureSize - SignaturePrefixSize) == 0;
}

bool PalmAddressFile4::readVersionBlock() {
    uint32_t tag = 0;
    if (!readExactUInt32(*this, tag) || tag != VersionTag)
        return false;
    return readExactly(*this, versionBlock_, sizeof versionBlock_);
}

bool PalmAddressFile4::readStoredName() {
    // The format allows 259 characters, but a longer name than a path this
    // program can open is no name of a file it could have written.
    std::string name;
    if (!readBoundedText(*this, name, static_cast<uint32_t>(MaxPathLength)))
        return false;
    storedName_ = std::move(name);
    return readExactly(*this, nameBlock_, sizeof nameBlock_);
}

bool PalmAddressFile4::readCustomLabels() {
    for (std::string& label : customLabels_)
        label.clear();
    for (std::string& label : customLabels_) {
        uint32_t dropped = 0;
        if (!readBoundedText(*this, label, MaxCustomLabelLength) || !readExactUInt32(*this, dropped))
            return false;
    }
    return readExactly(*this, labelBlock_, sizeof labelBlock_);
}

bool PalmAddressFile4::readFieldSchema() {
    FieldSchema read = schema_;
    if (!::readFieldSchema(*this, read, static_cast<uint32_t>(PalmAddressRecord4::kColumnCount)))
        return false;
    // Records are read by field count and written by fields per record; a
    // file where they differ could not be written back as it was read.
    if (read.fieldCount() != read.fieldsPerRecord)
        return false;
    schema_ = std::move(read);
    return true;
}

bool PalmAddressFile4::readRecords() {
    releaseRecords();
    uint32_t announced = 0;
    uint32_t reservable = 0;
    if (!readRecordCount(announced, reservable))
        return false;
    records_.reserve(reservable);

    for (uint32_t index = 0; index < announced; ++index) {
        std::unique_ptr<PalmAddressRecord4> record(new PalmAddressRecord4());
        // A value cut off by the end of the file reads as success; the
        // record it belongs to is not whole.
        if (!readRecord(*record) || readPastEnd())
            return false;
        records_.push_back(std::move(record));
    }
    return true;
}

bool PalmAddressFile4::readRecord(PalmAddressRecord4& record) {
    uint32_t fieldCount = schema_.fieldCount();
    for (uint32_t column = 0; column < fieldCount; ++column) {
        if (!readColumn(record, column))
            return false;
        if (column == CategoryIdColumn)
            record.categoryName = categoryNameOf(record.categoryId);
    }
    return true;
}

bool PalmAddressFile4::readColumn(PalmAddressRecord4& record, uint32_t column) {
    if (std::string* text = textColumn(record, column))
        return readStringField(*text);
    if (uint32_t* number = numberColumn(record, column))
        return readIntegerField(*number);
    if (isBlobColumn(column))
        return readBlobField(record.blob[column - FirstBlobColumn]);
    if (column == BirthdayColumn)
        return readWideField(record.birthday[0], record.birthday[1]);
    return true;
}

// ---- columns

std::string* PalmAddressFile4::textColumn(PalmAddressRecord4& record, uint32_t column) const {
    return const_cast<std::string*>(textColumn(static_cast<const PalmAddressRecord4&>(record), column));
}

const std::string* PalmAddressFile4::textColumn(const PalmAddressRecord4& record, uint32_t column) const {
    if (column >= 19 && column <= 25)
        return &record.phone[column - 19];
    if (column >= 33 && column <= 41)
        return &record.custom[column - 33];
    if (column >= 43 && column <= 47)
        return blockText(record.workAddress, column - 43);
    if (column >= 49 && column <= 53)
        return blockText(record.homeAddress, column - 49);
    if (column >= 55 && column <= 59)
        return blockText(record.otherAddress, column - 55);
    switch (column) {
    case 11: return &record.text11;
    case 12: return &record.text12;
    case 13: return swapNames_ ? &record.lastName : &record.firstName;
    case 14: return swapNames_ ? &record.firstName : &record.lastName;
    case 15: return &record.title;
    case 16: return &record.company;
    case 18: return &record.note;
    case 60:
    case 61: return &record.chat[column - 60];
    case 64: return &record.webPage;
    case 69: return &record.text69;
    case 70: return &record.text70;
    case 71: return &record.text71;
    case 72: return &record.text72;
    default: return nullptr;
    }
}

uint32_t* PalmAddressFile4::numberColumn(PalmAddressRecord4& record, uint32_t column) {
    return const_cast<uint32_t*>(numberColumn(static_cast<const PalmAddressRecord4&>(record), column));
}

const uint32_t* PalmAddressFile4::numberColumn(const PalmAddressRecord4& record, uint32_t column) {
    if (column >= 26 && column <= 32)
        return &record.phoneLabel[column - 26];
    switch (column) {
    case 0: return &record.recordId;
    case 1: return &record.value1;
    case 2: return &record.status;
    case 3: return &record.value3;
    case 4: return &record.position;
    case CategoryIdColumn: return &record.categoryId;
    case 6: return &record.isPrivate;
    case 17: return &record.value17;
    case 42: return &record.value42;
    case 48: return &record.value48;
    case 54: return &record.value54;
    case 62: return &record.value62;
    case 63: return &record.value63;
    case BooleanColumn: return &record.value66;
    case 67: return &record.value67;
    case 68: return &record.value68;
    default: return nullptr;
    }
}

// ---- saving

bool PalmAddressFile4::writeSections(const std::string& target) {
    return writeSignature() && writeVersionBlock() && writeStoredName(target) && writeCustomLabels() &&
           writeCategories() && writeFieldSchema() && writeRecords();
}

bool PalmAddressFile4::contentIsWritable() const {
    uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    if (fieldsPerRecord == 0 || fieldsPerRecord > PalmAddressRecord4::kColumnCount)
        return false;
    if (records_.size() > UINT32_MAX / fieldsPerRecord)
        return false;
    for (const std::string& label : customLabels_) {
        if (!fitsCountedString(label))
            return false;
    }
    for (const auto& record : records_) {
        if (!recordIsWritable(*record))
            return false;
    }
    return true;
}

bool PalmAddressFile4::recordIsWritable(const PalmAddressRecord4& record) const {
    uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    for (uint32_t column = 0; column < fieldsPerRecord; ++column) {
        if (const std::string* text = textColumn(record, column)) {
            if (!fitsCountedString(*text))
                return false;
        } else if (isBlobColumn(column)) {
            const FieldBlob& blob = record.blob[column - FirstBlobColumn];
            if (blob.hasData() && blob.data.size() < blob.length)
                return false;
        }
    }
    return true;
}

bool PalmAddressFile4::writeSignature() {
    return writeBytes(SignaturePrefix, sizeof SignaturePrefix) &&
           writeBytes(SignatureText, static_cast<uint32_t>(SignatureSize - SignaturePrefixSize));
}

bool PalmAddressFile4::writeVersionBlock() {
    size_t count = records_.size();
    versionBlock_[RecordCountLowByte] = static_cast<uint8_t>(count % 256);
    versionBlock_[RecordCountHighByte] = static_cast<uint8_t>((count / 256 + RecordCountBase) % 256);
    return writeUInt32(VersionTag) && writeBytes(versionBlock_, sizeof versionBlock_);
}

bool PalmAddressFile4::writeStoredName(const std::string& target) {
    return writeCountedString(target) && writeBytes(nameBlock_, sizeof nameBlock_);
}

bool PalmAddressFile4::writeCustomLabels() {
    for (const std::string& label : customLabels_) {
        if (!writeCountedString(label) || !writeUInt32(0))
            return false;
    }
    return writeBytes(labelBlock_, sizeof labelBlock_);
}

bool PalmAddressFile4::writeRecords() {
    uint32_t entryCount = static_cast<uint32_t>(records_.size()) * schema_.fieldsPerRecord;
    if (!writeUInt32(entryCount))
        return false;
    for (const auto& record : records_) {
        if (!writeRecord(*record))
            return false;
    }
    return true;
}

bool PalmAddressFile4::writeRecord(const PalmAddressRecord4& record) {
    uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    for (uint32_t column = 0; column < fieldsPerRecord; ++column) {
        if (!writeColumn(record, column))
            return false;
    }
    return true;
}

bool PalmAddressFile4::writeColumn(const PalmAddressRecord4& record, uint32_t column) {
    if (const std::string* text = textColumn(record, column))
        return writeStringField(*text);
    // Column 6 is declared a boolean but written as an integer; 66 as a boolean.
    if (column == BooleanColumn)
        return writeBooleanField(record.value66);
    if (const uint32_t* number = numberColumn(record, column))
        return writeIntegerField(*number);
    if (isBlobColumn(column))
        return writeBlobField(record.blob[column - FirstBlobColumn]);
    if (column == BirthdayColumn)
        return writeWideField(record.birthday[0], record.birthday[1]);
    return true;
}
