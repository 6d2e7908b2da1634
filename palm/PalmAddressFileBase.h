#pragma once
#include "palm/BinaryFileStream.h"
#include "palm/PalmAddressFileCommon.h"
#include "palm/PalmCategoryTable.h"

#include <cstdint>
#include <memory>
#include <string>

// What both address file formats hold and do alike: the category table, the
// name-swap setting, the field schema, and the rules for when a file may be
// saved and where to.
class PalmAddressFileBase : public BinaryFileStream {
public:
    ~PalmAddressFileBase() override;

    // Reads the whole file. Only a successful read sets the path a later
    // saveToOpenedPath writes to.
    bool openAndRead(const std::string& path);
    // The address file of a Palm Desktop user; false when the user's
    // directory cannot be found.
    bool readUserFile(uint32_t userId);
    // Rewrites the file last read successfully; false when there is none.
    bool saveToOpenedPath();
    // Rewrites an existing file safely: never creates one, and the file holds
    // exactly the bytes written, or stays as it was when any step fails.
    // Refused (nothing written) after a read that failed or lost records.
    virtual bool save(const std::string& target);

    bool opened() const { return opened_; }
    bool swapNames() const { return swapNames_; }
    AddressFileReadState readState() const { return readState_; }
    // The path of the last successful read; empty when there is none.
    const std::string& openedPath() const { return openedPath_; }
    const FieldSchema& fieldSchema() const { return schema_; }
    // None until a read has reached the category section.
    const PalmCategoryTable* categoryTable() const { return categories_.get(); }

    // The name of the category with that ID, terminated; false and
    // destination untouched when there is none.
    bool categoryNameForId(int32_t id, char destination[16]) const;

protected:
    // swapNames: the first and last name columns read and written the other
    // way round, as the user chose for this run.
    explicit PalmAddressFileBase(bool swapNames);

    // Everything after the open, in file order.
    virtual bool readSections() = 0;
    virtual bool writeSections(const std::string& target) = 0;
    // Whether every value held can be written, checked before the file is
    // touched so that a save never stops half-way for a reason known upfront.
    virtual bool contentIsWritable() const = 0;

    virtual bool readCategories();
    virtual bool writeCategories();
    virtual bool writeFieldSchema();
    // Reads the entry count: announced is the number of records it names,
    // reservable how many of them the file is large enough to hold.
    bool readRecordCount(uint32_t& announced, uint32_t& reservable);
    // The category name a record with that ID shows; empty when none has it.
    std::string categoryNameOf(uint32_t categoryId) const;

    std::unique_ptr<PalmCategoryTable> categories_;
    bool swapNames_ = false;
    bool opened_ = false;
    AddressFileReadState readState_ = AddressFileReadState::NotRead;
    std::string openedPath_;
    FieldSchema schema_;
};
