#pragma once
#include "palm/PalmAddressFileBase.h"
#include "palm/PalmAddressRecord4.h"
#include "palm/PalmRecordList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The address file of Palm Desktop 4.1.2 and later (signature "PalmSG
// Database00RV", version tag 0x41420200): header blocks, custom labels,
// category table, field schema and 73-column records, read whole and written
// back whole to the same file.
//
// The file names itself inside its header. That name is only information:
// the file is always saved where it was read from, and the name written into
// it is the path it is saved to.
//
// Any failure fails the read; records read before it stay in the list, but
// the object can then not be saved.
class PalmAddressFile4 : public PalmAddressFileBase, public PalmRecordList<PalmAddressRecord4> {
public:
    static constexpr uint32_t VersionTag = 0x41420200;
    static constexpr size_t SignatureSize = 24;
    static constexpr size_t SignaturePrefixSize = 5;
    static constexpr size_t VersionBlockSize = 24;
    static constexpr size_t NameBlockSize = 11;
    static constexpr size_t LabelBlockSize = 42;
    static constexpr size_t CustomLabelCount = 9;
    static constexpr uint32_t MaxCustomLabelLength = 32;

    // Defaults; swapNames as the base takes it.
    explicit PalmAddressFile4(bool swapNames = false);
    // As above, then openAndRead(path); its result is opened().
    explicit PalmAddressFile4(const std::string& path, bool swapNames = false);
    ~PalmAddressFile4() override;

    // The name the file gave itself when last read.
    const std::string& storedName() const { return storedName_; }
    const uint8_t* versionBlock() const { return versionBlock_; }
    const uint8_t* nameBlock() const { return nameBlock_; }
    const uint8_t* labelBlock() const { return labelBlock_; }
    // Empty for an index past the ninth.
    const std::string& customLabel(size_t index) const;

protected:
    virtual void initDefaults();
    virtual void releaseRecords();
    virtual bool readSignature();
    virtual bool readVersionBlock();
    virtual bool readStoredName();
    virtual bool readCustomLabels();
    virtual bool readFieldSchema();
    virtual bool readRecords();
    virtual bool writeSignature();
    virtual bool writeVersionBlock();
    virtual bool writeStoredName(const std::string& target);
    virtual bool writeCustomLabels();
    virtual bool writeRecords();
    virtual bool writeRecord(const PalmAddressRecord4& record);

private:
    bool readSections() override;
    bool readRecord(PalmAddressRecord4& record);
    bool readColumn(PalmAddressRecord4& record, uint32_t column);
    bool writeSections(const std::string& target) override;
    bool writeColumn(const PalmAddressRecord4& record, uint32_t column);
    bool contentIsWritable() const override;
    bool recordIsWritable(const PalmAddressRecord4& record) const;
    std::string* textColumn(PalmAddressRecord4& record, uint32_t column) const;
    const std::string* textColumn(const PalmAddressRecord4& record, uint32_t column) const;
    static uint32_t* numberColumn(PalmAddressRecord4& record, uint32_t column);
    static const uint32_t* numberColumn(const PalmAddressRecord4& record, uint32_t column);

    std::string storedName_;
    uint8_t versionBlock_[VersionBlockSize] = {};
    uint8_t nameBlock_[NameBlockSize] = {};
    std::string customLabels_[CustomLabelCount];
    uint8_t labelBlock_[LabelBlockSize] = {};
};
