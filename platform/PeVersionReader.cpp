#include "platform/PeVersionReader.h"

#include <algorithm>

// Positions are kept in 64 bits so that the sum of two 32-bit values taken
// from the file can never wrap before it is compared with the real size.

struct ByteView {
    const uint8_t* bytes = nullptr;
    uint64_t size = 0;
};

static bool fits(const ByteView& view, uint64_t offset, uint64_t length) {
    return offset <= view.size && length <= view.size - offset;
}

static bool readU16(const ByteView& view, uint64_t offset, uint16_t* value) {
    if (!fits(view, offset, 2))
        return false;
    const uint8_t* p = view.bytes + offset;
    *value = static_cast<uint16_t>(p[0] | (p[1] << 8));
    return true;
}

static bool readU32(const ByteView& view, uint64_t offset, uint32_t* value) {
    if (!fits(view, offset, 4))
        return false;
    const uint8_t* p = view.bytes + offset;
    *value = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
             (static_cast<uint32_t>(p[3]) << 24);
    return true;
}

static ByteView subView(const ByteView& view, uint64_t offset, uint64_t length) {
    ByteView part;
    if (offset > view.size)
        return part;
    part.bytes = view.bytes + offset;
    part.size = std::min(length, view.size - offset);
    return part;
}

// ---- headers and sections

struct PeImage {
    ByteView file;
    uint64_t sectionTable = 0;
    uint16_t sectionCount = 0;
    uint32_t resourceRva = 0;
};

static const uint16_t kDosSignature = 0x5A4D;     // "MZ"
static const uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
static const uint16_t kPe32Magic = 0x10B;
static const uint16_t kPe32PlusMagic = 0x20B;
static const uint32_t kResourceDirectoryIndex = 2;
static const uint64_t kSectionHeaderSize = 40;

static bool readPeHeaders(const ByteView& file, PeImage* image) {
    uint16_t dosSignature = 0;
    uint32_t peOffset = 0;
    uint32_t peSignature = 0;
    if (!readU16(file, 0, &dosSignature) || dosSignature != kDosSignature)
        return false;
    if (!readU32(file, 0x3C, &peOffset))
        return false;
    if (!readU32(file, peOffset, &peSignature) || peSignature != kPeSignature)
        return false;

    const uint64_t coffHeader = uint64_t(peOffset) + 4;
    uint16_t optionalHeaderSize = 0;
    if (!readU16(file, coffHeader + 2, &image->sectionCount))
        return false;
    if (!readU16(file, coffHeader + 16, &optionalHeaderSize))
        return false;

    const uint64_t optionalHeader = coffHeader + 20;
    uint16_t magic = 0;
    if (!readU16(file, optionalHeader, &magic))
        return false;
    uint64_t directoryCountOffset = 0;
    if (magic == kPe32Magic) {
        directoryCountOffset = 92;
    } else if (magic == kPe32PlusMagic) {
        directoryCountOffset = 108;
    } else {
        return false;
    }
    uint32_t directoryCount = 0;
    if (!readU32(file, optionalHeader + directoryCountOffset, &directoryCount))
        return false;
    if (directoryCount <= kResourceDirectoryIndex)
        return false;
    // The resource directory entry must lie inside the optional header the
    // file declares, not merely inside the file.
    const uint64_t resourceEntry = directoryCountOffset + 4 + kResourceDirectoryIndex * 8;
    if (resourceEntry + 8 > optionalHeaderSize)
        return false;
    if (!readU32(file, optionalHeader + resourceEntry, &image->resourceRva))
        return false;
    if (image->resourceRva == 0)
        return false;

    image->file = file;
    image->sectionTable = optionalHeader + optionalHeaderSize;
    return fits(file, image->sectionTable, kSectionHeaderSize * image->sectionCount);
}

// The file bytes behind a relative virtual address, up to the end of the
// raw data of the section holding it.
static bool mapRva(const PeImage& image, uint32_t rva, ByteView* view) {
    for (uint16_t index = 0; index < image.sectionCount; ++index) {
        const uint64_t header = image.sectionTable + kSectionHeaderSize * index;
        uint32_t virtualAddress = 0, rawSize = 0, rawOffset = 0;
        if (!readU32(image.file, header + 12, &virtualAddress) || !readU32(image.file, header + 16, &rawSize) ||
            !readU32(image.file, header + 20, &rawOffset)) {
            return false;
        }
        if (rva < virtualAddress || uint64_t(rva) - virtualAddress >= rawSize)
            continue;
        const uint64_t delta = uint64_t(rva) - virtualAddress;
        const uint64_t offset = uint64_t(rawOffset) + delta;
        if (offset >= image.file.size)
            return false;
        *view = subView(image.file, offset, rawSize - delta);
        return true;
    }
    return false;
}

// ---- resource tree

static const uint32_t kVersionResourceType = 16;
static const uint32_t kVersionResourceName = 1;
static const uint32_t kSubdirectoryFlag = 0x80000000u;
static const uint64_t kDirectoryHeaderSize = 16;
static const uint64_t kDirectoryEntrySize = 8;

// The target of the entry with the given numeric id, or of the first entry
// when anyEntry is set. A subdirectory target has kSubdirectoryFlag set.
static bool findResourceEntry(const ByteView& resources, uint32_t directory, uint32_t id, bool anyEntry,
                              uint32_t* target) {
    uint16_t namedCount = 0, idCount = 0;
    if (!readU16(resources, uint64_t(directory) + 12, &namedCount))
        return false;
    if (!readU16(resources, uint64_t(directory) + 14, &idCount))
        return false;
    const uint64_t entries = uint64_t(directory) + kDirectoryHeaderSize;
    const uint32_t total = uint32_t(namedCount) + idCount;
    if (!fits(resources, entries, kDirectoryEntrySize * total))
        return false;
    for (uint32_t index = 0; index < total; ++index) {
        uint32_t name = 0;
        readU32(resources, entries + kDirectoryEntrySize * index, &name);
        if (anyEntry || name == id) {
            return readU32(resources, entries + kDirectoryEntrySize * index + 4, target);
        }
    }
    return false;
}

static bool findSubdirectory(const ByteView& resources, uint32_t directory, uint32_t id, uint32_t* subdirectory) {
    uint32_t target = 0;
    if (!findResourceEntry(resources, directory, id, false, &target))
        return false;
    if ((target & kSubdirectoryFlag) == 0)
        return false;
    *subdirectory = target & ~kSubdirectoryFlag;
    return true;
}

static bool findVersionData(const PeImage& image, ByteView* data) {
    ByteView resources;
    if (!mapRva(image, image.resourceRva, &resources))
        return false;

    uint32_t names = 0, languages = 0, dataEntry = 0;
    if (!findSubdirectory(resources, 0, kVersionResourceType, &names))
        return false;
    if (!findSubdirectory(resources, names, kVersionResourceName, &languages))
        return false;
    if (!findResourceEntry(resources, languages, 0, true, &dataEntry))
        return false;
    if ((dataEntry & kSubdirectoryFlag) != 0)
        return false;

    uint32_t dataRva = 0, dataSize = 0;
    if (!readU32(resources, dataEntry, &dataRva) || !readU32(resources, uint64_t(dataEntry) + 4, &dataSize)) {
        return false;
    }
    ByteView mapped;
    if (!mapRva(image, dataRva, &mapped))
        return false;
    *data = subView(mapped, 0, dataSize);
    return true;
}

// ---- the version block

static const uint32_t kFixedInfoSignature = 0xFEEF04BDu;
static const uint16_t kFixedInfoSize = 52;
static const char kVersionKey[] = "VS_VERSION_INFO";

// VS_VERSIONINFO: length, value length, type, the UTF-16 key and its
// terminator, padding to 32 bits, then the fixed information.
static bool readVersionBlock(const ByteView& data, FileVersion* version) {
    uint16_t blockLength = 0, valueLength = 0;
    if (!readU16(data, 0, &blockLength) || !readU16(data, 2, &valueLength))
        return false;
    const ByteView block = subView(data, 0, blockLength);

    uint64_t offset = 6;
    for (size_t index = 0; index < sizeof kVersionKey; ++index, offset += 2) {
        uint16_t unit = 0;
        if (!readU16(block, offset, &unit) || unit != static_cast<uint8_t>(kVersionKey[index]))
            return false;
    }
    offset = (offset + 3) & ~uint64_t(3);

    if (valueLength < kFixedInfoSize || !fits(block, offset, kFixedInfoSize))
        return false;
    uint32_t signature = 0;
    readU32(block, offset, &signature);
    if (signature != kFixedInfoSignature)
        return false;
    readU32(block, offset + 8, &version->mostSignificant);
    readU32(block, offset + 12, &version->leastSignificant);
    return true;
}

bool readPeFileVersion(const uint8_t* bytes, size_t size, FileVersion* version) {
    if (bytes == nullptr || version == nullptr)
        return false;
    ByteView file;
    file.bytes = bytes;
    file.size = size;
    PeImage image;
    ByteView data;
    FileVersion found;
    if (!readPeHeaders(file, &image) || !findVersionData(image, &data) || !readVersionBlock(data, &found)) {
        return false;
    }
    *version = found;
    return true;
}
