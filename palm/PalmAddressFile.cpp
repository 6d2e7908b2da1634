#include "palm/PalmAddressFile.h"

#include <new>

namespace {

constexpr uint32_t CategoryIdColumn = 24;
constexpr uint32_t PrivateColumn = 23;
constexpr char LineFeed = '\n';

FieldSchema defaultSchema() {
    FieldSchema schema;
    schema.tableId = 74;
    schema.fieldsPerRecord = PalmAddressRecord::kColumnCount;
    schema.recordIdColumn = 0;
    schema.statusColumn = 1;
    schema.positionColumn = 2;
    schema.fieldTypes = {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1};
    return schema;
}

// The label text keeps its first four lines; a text that reaches the limit
// before its fourth line feed keeps the characters up to the limit.
size_t keptLabelTextLength(const std::string& text) {
    size_t kept = text.size();
    unsigned lineFeeds = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == LineFeed && ++lineFeeds == PalmAddressFile::CustomLabelTextLines) {
            kept = i + 1;
            break;
        }
    }
    return kept < PalmAddressFile::MaxCustomLabelTextLength ? kept : PalmAddressFile::MaxCustomLabelTextLength;
}

}  // namespace

PalmAddressFile::PalmAddressFile(bool swapNames) : PalmAddressFileBase(swapNames) { schema_ = defaultSchema(); }

PalmAddressFile::PalmAddressFile(const std::string& path, bool swapNames) : PalmAddressFile(swapNames) {
    opened_ = openAndRead(path);
}

PalmAddressFile::~PalmAddressFile() = default;

// ---- reading

bool PalmAddressFile::readSections() {
    return readVersion() && readStoredName() && readCustomLabelText() && readCategories() && readFieldSchema() &&
           readRecords();
}

bool PalmAddressFile::readVersion() {
    uint32_t tag = 0;
    return readExactUInt32(*this, tag) && tag == VersionTag;
}

bool PalmAddressFile::readStoredName() {
    // The writer's own path at the time; the file is saved where it was read.
    std::string storedName;
    return readBoundedText(*this, storedName, MaxStoredNameLength);
}

bool PalmAddressFile::readCustomLabelText() {
    customLabelText_.clear();
    labelText_.clear();
    std::string text;
    if (!readBoundedText(*this, text, MaxCountedStringLength))
        return false;
    customLabelText_ = text.substr(0, keptLabelTextLength(text));
    labelText_ = std::move(text);
    return true;
}

bool PalmAddressFile::readFieldSchema() {
    return ::readFieldSchema(*this, schema_, static_cast<uint32_t>(PalmAddressRecord::kColumnCount));
}

bool PalmAddressFile::readRecords() {
    clearRecords();
    uint32_t announced = 0;
    uint32_t reservable = 0;
    if (!readRecordCount(announced, reservable))
        return false;
    records_.reserve(reservable);

    for (uint32_t index = 0; index < announced; ++index) {
        std::unique_ptr<PalmAddressRecord> record(new PalmAddressRecord());
        // A value cut off by the end of the file reads as success; the
        // record it belongs to is not whole.
        if (!readRecord(*record) || readPastEnd()) {
            // The records before the failure stay; the file opens, but a save
            // would lose the records after it, so saving is refused.
            readState_ = AddressFileReadState::RecordsMissing;
            return true;
        }
        records_.push_back(std::move(record));
    }
    return true;
}

bool PalmAddressFile::readRecord(PalmAddressRecord& record) {
    uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    for (uint32_t column = 0; column < fieldsPerRecord; ++column) {
        if (std::string* text = textColumn(record, column)) {
            if (!readStringField(*text))
                return false;
        } else if (uint32_t* number = numberColumn(record, column)) {
            if (!readIntegerField(*number))
                return false;
        }
        if (column == CategoryIdColumn)
            record.categoryName = categoryNameOf(record.categoryId);
    }
    return true;
}

// ---- columns

std::string* PalmAddressFile::textColumn(PalmAddressRecord& record, uint32_t column) const {
    return const_cast<std::string*>(textColumn(static_cast<const PalmAddressRecord&>(record), column));
}

const std::string* PalmAddressFile::textColumn(const PalmAddressRecord& record, uint32_t column) const {
    switch (column) {
    case 3: return swapNames_ ? &record.firstName : &record.lastName;
    case 4: return swapNames_ ? &record.lastName : &record.firstName;
    case 5: return &record.title;
    case 6: return &record.company;
    case 8:
    case 10:
    case 12:
    case 14:
    case 16: return &record.phone[(column - 8) / 2];
    case 17: return &record.address;
    case 18: return &record.city;
    case 19: return &record.state;
    case 20: return &record.zip;
    case 21: return &record.country;
    case 22: return &record.note;
    case 25:
    case 26:
    case 27:
    case 28: return &record.custom[column - 25];
    default: return nullptr;
    }
}

uint32_t* PalmAddressFile::numberColumn(PalmAddressRecord& record, uint32_t column) {
    return const_cast<uint32_t*>(numberColumn(static_cast<const PalmAddressRecord&>(record), column));
}

const uint32_t* PalmAddressFile::numberColumn(const PalmAddressRecord& record, uint32_t column) {
    switch (column) {
    case 0: return &record.recordId;
    case 1: return &record.status;
    case 2: return &record.position;
    case 7:
    case 9:
    case 11:
    case 13:
    case 15: return &record.phoneLabel[(column - 7) / 2];
    case PrivateColumn: return &record.isPrivate;
    case CategoryIdColumn: return &record.categoryId;
    case 29: return &record.displayPhone;
    default: return nullptr;
    }
}

// ---- saving

bool PalmAddressFile::writeSections(const std::string& target) {
    return writeUInt32(VersionTag) && writeCountedString(target) && writeCountedString(labelText_) &&
           writeCategories() && writeFieldSchema() && writeRecords();
}

bool PalmAddressFile::contentIsWritable() const {
    uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    if (fieldsPerRecord == 0 || fieldsPerRecord > PalmAddressRecord::kColumnCount)
        return false;
    if (records_.size() > UINT32_MAX / fieldsPerRecord)
        return false;
    if (!fitsCountedString(labelText_))
        return false;
    for (const auto& record : records_) {
        for (uint32_t column = 0; column < fieldsPerRecord; ++column) {
            const std::string* text = textColumn(*record, column);
            if (text && !fitsCountedString(*text))
                return false;
        }
    }
    return true;
}

bool PalmAddressFile::writeRecords() {
    uint32_t entryCount = static_cast<uint32_t>(records_.size()) * schema_.fieldsPerRecord;
    if (!writeUInt32(entryCount))
        return false;
    for (const auto& record : records_) {
        if (!writeRecord(*record))
            return false;
    }
    return true;
}

bool PalmAddressFile::writeRecord(const PalmAddressRecord& record) {
    uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    for (uint32_t column = 0; column < fieldsPerRecord; ++column) {
        bool written = true;
        if (const std::string* text = textColumn(record, column)) {
            written = writeStringField(*text);
        } else if (column == PrivateColumn) {
            written = writeBooleanField(record.isPrivate);
        } else if (const uint32_t* number = numberColumn(record, column)) {
            written = writeIntegerField(*number);
        }
        if (!written)
            return false;
    }
    return true;
}
