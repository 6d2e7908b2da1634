#pragma once
#include "palm/PalmAddressFileBase.h"
#include "palm/PalmAddressRecord.h"
#include "palm/PalmRecordList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The older Palm Desktop address file (version tag 0x41420100): its header,
// category table, field schema and records, read whole into memory and
// written back whole to the same file.
//
// A file whose records stop early still reads, with the records before the
// failure, but cannot be saved (readState()).
class PalmAddressFile : public PalmAddressFileBase, public PalmRecordList<PalmAddressRecord> {
public:
    static constexpr uint32_t VersionTag = 0x41420100;
    static constexpr uint32_t MaxStoredNameLength = 259;
    static constexpr size_t MaxCustomLabelTextLength = 511;
    static constexpr unsigned CustomLabelTextLines = 4;

    // Defaults; swapNames as the base takes it.
    explicit PalmAddressFile(bool swapNames = false);
    // As above, then openAndRead(path); its result is opened().
    explicit PalmAddressFile(const std::string& path, bool swapNames = false);
    ~PalmAddressFile() override;

    // The program's custom labels: the first four lines of the label text.
    const std::string& customLabelText() const { return customLabelText_; }
    // The label text as read, whole; a save writes it back unchanged.
    const std::string& labelText() const { return labelText_; }

protected:
    virtual bool readVersion();
    virtual bool readStoredName();
    virtual bool readCustomLabelText();
    virtual bool readFieldSchema();
    virtual bool readRecords();
    virtual bool writeRecords();
    virtual bool writeRecord(const PalmAddressRecord& record);

private:
    bool readSections() override;
    bool readRecord(PalmAddressRecord& record);
    bool writeSections(const std::string& target) override;
    bool contentIsWritable() const override;
    std::string* textColumn(PalmAddressRecord& record, uint32_t column) const;
    const std::string* textColumn(const PalmAddressRecord& record, uint32_t column) const;
    static uint32_t* numberColumn(PalmAddressRecord& record, uint32_t column);
    static const uint32_t* numberColumn(const PalmAddressRecord& record, uint32_t column);

    std::string customLabelText_;
    std::string labelText_;
};
