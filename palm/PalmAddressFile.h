#pragma once
#include "palm/BinaryFileStream.h"
#include "palm/PalmAddressFileCommon.h"
#include "palm/PalmAddressRecord.h"
#include "palm/PalmCategoryTable.h"
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
// Records live at fixed addresses from the moment they are read or added
// until clearRecords or the next read, so callers may hold on to them.
class PalmAddressFile : public BinaryFileStream, public PalmRecordList<PalmAddressRecord> {
public:
    static constexpr uint32_t VersionTag = 0x41420100;
    static constexpr uint32_t MaxStoredNameLength = 259;
    static constexpr size_t MaxCustomLabelTextLength = 511;
    static constexpr unsigned CustomLabelTextLines = 4;

    // Defaults; swapNames from the "SwapName" setting.
    PalmAddressFile();
    // As above, then openAndRead(path); its result is opened().
    explicit PalmAddressFile(const std::string& path);
    ~PalmAddressFile() override;

    // Reads the whole file. A file whose records stop early still reads, with
    // the records before the failure, but cannot be saved (readState()).
    bool openAndRead(const std::string& path);
    // The address file of a Palm Desktop user; false when the user's
    // directory cannot be found.
    bool readUserFile(uint32_t userId);
    // Rewrites the file last read successfully; false when there is none.
    bool saveToOpenedPath();
    // Rewrites an existing file from its first byte: never creates a file,
    // never shortens one. Refused (nothing written) after a read that failed
    // or lost records. True only when every byte reached the file.
    virtual bool save(const std::string& target);

    bool opened() const { return opened_; }
    bool swapNames() const { return swapNames_; }
    AddressFileReadState readState() const { return readState_; }
    // The path of the last successful read; empty when there is none.
    const std::string& openedPath() const { return openedPath_; }
    const std::string& customLabelText() const { return customLabelText_; }
    const FieldSchema& fieldSchema() const { return schema_; }
    // None until a read has reached the category section.
    const PalmCategoryTable* categoryTable() const { return categories_.get(); }


    // The name of the category with that ID, terminated; false and
    // destination untouched when there is none.
    bool categoryNameForId(int32_t id, char destination[16]) const;

protected:
    virtual bool readVersion();
    virtual bool readStoredName();
    virtual bool readCustomLabelText();
    virtual bool readCategories();
    virtual bool readFieldSchema();
    virtual bool readRecords();
    virtual bool writeCategories();
    virtual bool writeFieldSchema();
    virtual bool writeRecords();
    virtual bool writeRecord(const PalmAddressRecord& record);

private:
    bool readSections(const std::string& source);
    bool readRecord(PalmAddressRecord& record);
    bool writeSections(const std::string& target);
    // Whether every value held can be written, checked before the file is
    // touched so that a save never stops half-way for a reason known upfront.
    bool contentIsWritable() const;
    std::string* textColumn(PalmAddressRecord& record, uint32_t column) const;
    const std::string* textColumn(const PalmAddressRecord& record, uint32_t column) const;
    static uint32_t* numberColumn(PalmAddressRecord& record, uint32_t column);
    static const uint32_t* numberColumn(const PalmAddressRecord& record, uint32_t column);
    void setCategoryName(PalmAddressRecord& record) const;

    std::unique_ptr<PalmCategoryTable> categories_;
    bool swapNames_ = false;
    bool opened_ = false;
    AddressFileReadState readState_ = AddressFileReadState::NotRead;
    std::string openedPath_;
    std::string customLabelText_;
    FieldSchema schema_;
};
