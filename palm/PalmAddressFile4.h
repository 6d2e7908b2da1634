#pragma once
#include "palm/BinaryFileStream.h"
#include "palm/PalmAddressFileCommon.h"
#include "palm/PalmAddressRecord4.h"
#include "palm/PalmCategoryTable.h"
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
// Records live at fixed addresses from the moment they are read or added
// until clearRecords or the next read, so callers may hold on to them.
class PalmAddressFile4 : public BinaryFileStream, public PalmRecordList<PalmAddressRecord4> {
public:
    static constexpr uint32_t VersionTag = 0x41420200;
    static constexpr size_t SignatureSize = 24;
    static constexpr size_t SignaturePrefixSize = 5;
    static constexpr size_t VersionBlockSize = 24;
    static constexpr size_t NameBlockSize = 11;
    static constexpr size_t LabelBlockSize = 42;
    static constexpr size_t CustomLabelCount = 9;
    static constexpr uint32_t MaxCustomLabelLength = 32;

    // Defaults; swapNames from the "SwapName" setting.
    PalmAddressFile4();
    // As above, then openAndRead(path); its result is opened().
    explicit PalmAddressFile4(const std::string& path);
    ~PalmAddressFile4() override;

    // Reads the whole file; any failure fails the read, and records read
    // before it stay in the list, but the object can then not be saved.
    bool openAndRead(const std::string& path);
    // The address file of a Palm Desktop user; false when the user's
    // directory cannot be found.
    bool readUserFile(uint32_t userId);
    // Rewrites the file last read successfully; false when there is none.
    bool saveToOpenedPath();
    // Rewrites an existing file from its first byte: never creates a file,
    // never shortens one. Refused (nothing written) after a failed read.
    // True only when every byte reached the file.
    virtual bool save(const std::string& target);

    bool opened() const { return opened_; }
    bool swapNames() const { return swapNames_; }
    AddressFileReadState readState() const { return readState_; }
    // The path of the last successful read; empty when there is none.
    const std::string& openedPath() const { return openedPath_; }
    // The name the file gave itself when last read.
    const std::string& storedName() const { return storedName_; }
    const uint8_t* versionBlock() const { return versionBlock_; }
    const uint8_t* nameBlock() const { return nameBlock_; }
    const uint8_t* labelBlock() const { return labelBlock_; }
    // Empty for an index past the ninth.
    const std::string& customLabel(size_t index) const;
    const FieldSchema& fieldSchema() const { return schema_; }
    // None until a read has reached the category section.
    const PalmCategoryTable* categoryTable() const { return categories_.get(); }


    // The name of the category with that ID, terminated; false and
    // destination untouched when there is none.
    bool categoryNameForId(int32_t id, char destination[16]) const;

protected:
    virtual void initDefaults();
    virtual void releaseRecords();
    virtual bool readSignature();
    virtual bool readVersionBlock();
    virtual bool readStoredName();
    virtual bool readCustomLabels();
    virtual bool readCategories();
    virtual bool readFieldSchema();
    virtual bool readRecords();
    virtual bool writeSignature();
    virtual bool writeVersionBlock();
    virtual bool writeStoredName(const std::string& target);
    virtual bool writeCustomLabels();
    virtual bool writeCategories();
    virtual bool writeFieldSchema();
    virtual bool writeRecords();
    virtual bool writeRecord(const PalmAddressRecord4& record);

private:
    bool readSections(const std::string& source);
    bool readRecord(PalmAddressRecord4& record);
    bool readColumn(PalmAddressRecord4& record, uint32_t column);
    bool writeSections(const std::string& target);
    bool writeColumn(const PalmAddressRecord4& record, uint32_t column);
    // Whether every value held can be written, checked before the file is
    // touched so that a save never stops half-way for a reason known upfront.
    bool contentIsWritable() const;
    bool recordIsWritable(const PalmAddressRecord4& record) const;
    std::string* textColumn(PalmAddressRecord4& record, uint32_t column) const;
    const std::string* textColumn(const PalmAddressRecord4& record, uint32_t column) const;
    static uint32_t* numberColumn(PalmAddressRecord4& record, uint32_t column);
    static const uint32_t* numberColumn(const PalmAddressRecord4& record, uint32_t column);
    void setCategoryName(PalmAddressRecord4& record) const;

    std::unique_ptr<PalmCategoryTable> categories_;
    bool swapNames_ = false;
    bool opened_ = false;
    AddressFileReadState readState_ = AddressFileReadState::NotRead;
    std::string openedPath_;
    std::string storedName_;
    uint8_t versionBlock_[VersionBlockSize] = {};
    uint8_t nameBlock_[NameBlockSize] = {};
    std::string customLabels_[CustomLabelCount];
    uint8_t labelBlock_[LabelBlockSize] = {};
    FieldSchema schema_;
};
