#include "palm/PalmAddressFileBase.h"

#include "palm/PalmCategorySection.h"
#include "palm/PalmDesktopInstallation.h"

#include <new>

PalmAddressFileBase::PalmAddressFileBase(bool swapNames) : swapNames_(swapNames) {}

PalmAddressFileBase::~PalmAddressFileBase() = default;

bool PalmAddressFileBase::openAndRead(const std::string& source) {
    readState_ = AddressFileReadState::Failed;
    openedPath_.clear();
    bool read = false;
    try {
        read = open(source, ReadWriteExisting) && readSections();
    } catch (const std::bad_alloc&) {
        read = false;
    }
    close();
    if (!read)
        return false;
    openedPath_ = source;
    if (readState_ != AddressFileReadState::RecordsMissing)
        readState_ = AddressFileReadState::Complete;
    return true;
}

bool PalmAddressFileBase::readUserFile(uint32_t userId) {
    char path[MaxPathLength + 1] = {};
    if (!palmAddressFilePath(userId, path, sizeof path))
        return false;
    return openAndRead(path);
}

bool PalmAddressFileBase::saveToOpenedPath() {
    if (openedPath_.empty())
        return false;
    return save(openedPath_);
}

bool PalmAddressFileBase::save(const std::string& target) {
    if (readState_ == AddressFileReadState::Failed || readState_ == AddressFileReadState::RecordsMissing) {
        return false;
    }
    if (!contentIsWritable())
        return false;
    // The new content replaces the file only once all of it is on the disk;
    // a failure anywhere leaves the file as it was.
    if (!openRewrite(target))
        return false;
    if (!writeSections(target)) {
        close();
        return false;
    }
    return commitRewrite();
}

bool PalmAddressFileBase::readRecordCount(uint32_t& announced, uint32_t& reservable) {
    uint32_t entryCount = 0;
    if (!readExactUInt32(*this, entryCount))
        return false;
    const uint32_t fieldsPerRecord = schema_.fieldsPerRecord;
    if (fieldsPerRecord == 0)
        return false;
    announced = entryCount / fieldsPerRecord;
    return reservableRecordCount(*this, announced, fieldsPerRecord, reservable);
}

bool PalmAddressFileBase::readCategories() { return ::readCategories(*this, categories_); }

bool PalmAddressFileBase::writeCategories() { return ::writeCategories(*this, categories_.get()); }

bool PalmAddressFileBase::writeFieldSchema() { return ::writeFieldSchema(*this, schema_); }

bool PalmAddressFileBase::categoryNameForId(int32_t id, char destination[16]) const {
    return ::categoryNameForId(categories_.get(), id, destination);
}

std::string PalmAddressFileBase::categoryNameOf(uint32_t categoryId) const {
    char name[PalmCategory::MaxNameLength + 1] = {};
    if (!categoryNameForId(static_cast<int32_t>(categoryId), name))
        return std::string();
    return name;
}
