#include "palm/BinaryFileStream.h"

#include "palm/FieldTags.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint8_t LongLengthMarker = 255;

void storeLittleEndian(uint64_t value, uint8_t* bytes, unsigned size) {
    for (unsigned i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t loadLittleEndian(const uint8_t* bytes, unsigned size) {
    uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i)
        value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    return value;
}

}  // namespace

BinaryFileStream::BinaryFileStream() = default;

BinaryFileStream::~BinaryFileStream() { close(); }

bool BinaryFileStream::open(const char* path, OpenMode mode) {
    if (path == nullptr || *path == '\0')
        return false;
    close();
    if (mode < ReadExisting || mode > CreateReadWrite)
        return false;
    if (std::strlen(path) > MaxPathLength)
        return false;
    if (!prepareBuffers())
        return false;

    PlatformFile::Access access = PlatformFile::Access::ReadWrite;
    if (mode == ReadExisting)
        access = PlatformFile::Access::Read;
    if (mode == WriteExisting)
        access = PlatformFile::Access::Write;
    PlatformFile::Disposition disposition =
        mode == CreateReadWrite ? PlatformFile::Disposition::CreateAlways : PlatformFile::Disposition::OpenExisting;
    if (!file_.open(path, access, disposition))
        return false;
    mode_ = mode;
    path_ = path;
    readPastEnd_ = false;
    return true;
}

bool BinaryFileStream::prepareBuffers() {
    if (!readBuffer_)
        readBuffer_.reset(new (std::nothrow) uint8_t[BufferSize]);
    if (!writeBuffer_)
        writeBuffer_.reset(new (std::nothrow) uint8_t[BufferSize]);
    return readBuffer_ && writeBuffer_;
}

bool BinaryFileStream::openRewrite(const std::string& target) {
    if (target.empty())
        return false;
    close();
    if (target.size() > MaxPathLength || !prepareBuffers())
        return false;
    if (!rewrite_.begin(target, FileRewrite::Target::MustExist, file_))
        return false;
    mode_ = ReadWriteExisting;
    path_ = target;
    readPastEnd_ = false;
    return true;
}

bool BinaryFileStream::commitRewrite() {
    if (!rewrite_.pending())
        return false;
    bool flushed = flush();
    bool replaced = flushed ? rewrite_.commit(file_) : false;
    if (!flushed)
        rewrite_.abandon(file_);
    dropBuffers();
    filePosition_ = 0;
    writeFailed_ = false;
    return replaced;
}

bool BinaryFileStream::close() {
    if (!file_.isOpen())
        return true;
    bool flushed = flush();
    bool uncommitted = rewrite_.pending();
    if (uncommitted)
        rewrite_.abandon(file_);
    file_.close();
    dropBuffers();
    filePosition_ = 0;
    writeFailed_ = false;
    return flushed && !uncommitted;
}

bool BinaryFileStream::flush() {
    if (writeFailed_)
        return false;
    if (writeFilled_ == 0)
        return true;
    uint32_t pending = static_cast<uint32_t>(writeFilled_);
    writeFilled_ = 0;
    if (!file_.write(writeBuffer_.get(), pending)) {
        writeFailed_ = true;
        return false;
    }
    filePosition_ += pending;
    return true;
}

bool BinaryFileStream::setPath(const std::string& path) {
    if (path.size() > MaxPathLength)
        return false;
    path_ = path;
    return true;
}

uint64_t BinaryFileStream::position() const {
    if (writeFilled_ > 0)
        return filePosition_ + writeFilled_;
    return filePosition_ - (readFilled_ - readOffset_);
}

bool BinaryFileStream::setPosition(uint64_t target) {
    if (!file_.isOpen() || !flush())
        return false;
    readPastEnd_ = false;
    // A move inside the read-ahead needs no system call.
    uint64_t bufferStart = filePosition_ - readFilled_;
    if (readFilled_ > 0 && target >= bufferStart && target <= filePosition_) {
        readOffset_ = static_cast<size_t>(target - bufferStart);
        return true;
    }
    dropBuffers();
    if (!file_.setPosition(target))
        return false;
    filePosition_ = target;
    return true;
}

bool BinaryFileStream::skipBytes(uint32_t count) {
    if (!file_.isOpen())
        return false;
    return setPosition(position() + count);
}

bool BinaryFileStream::canRead() const { return file_.isOpen() && mode_ != WriteExisting && !writeFailed_; }

bool BinaryFileStream::canWrite() const { return file_.isOpen() && mode_ != ReadExisting && !writeFailed_; }

bool BinaryFileStream::switchToReading() {
    if (!canRead())
        return false;
    return flush();
}

bool BinaryFileStream::switchToWriting() {
    if (!canWrite())
        return false;
    if (readFilled_ == 0)
        return true;
    // The system's position is ahead by the unread read-ahead; writing must
    // start where the caller has read to.
    uint64_t logical = position();
    readOffset_ = readFilled_ = 0;
    if (!file_.setPosition(logical))
        return false;
    filePosition_ = logical;
    return true;
}

bool BinaryFileStream::refillReadBuffer() {
    readOffset_ = readFilled_ = 0;
    uint32_t delivered = 0;
    if (!file_.read(readBuffer_.get(), static_cast<uint32_t>(BufferSize), &delivered))
        return false;
    filePosition_ += delivered;
    readFilled_ = delivered;
    return true;
}

void BinaryFileStream::dropBuffers() {
    readOffset_ = readFilled_ = 0;
    writeFilled_ = 0;
}

bool BinaryFileStream::readInto(uint8_t* destination, uint32_t count, uint32_t& delivered) {
    delivered = 0;
    if (destination == nullptr || count == 0)
        return false;
    if (takeBuffered(destination, count)) {
        delivered = count;
        return true;
    }
    if (!switchToReading())
        return false;
    while (delivered < count) {
        size_t available = readFilled_ - readOffset_;
        if (available == 0) {
            uint32_t remaining = count - delivered;
            if (remaining >= BufferSize) {
                // Large blocks go straight to the caller.
                uint32_t got = 0;
                if (!file_.read(destination + delivered, remaining, &got))
                    return false;
                filePosition_ += got;
                delivered += got;
                if (delivered < count)
                    readPastEnd_ = true;
                return true;
            }
            if (!refillReadBuffer())
                return false;
            available = readFilled_;
            if (available == 0) {
                // End of file: a short read still succeeds, but is remembered.
                readPastEnd_ = true;
                return true;
            }
        }
        size_t take = std::min<size_t>(available, count - delivered);
        std::memcpy(destination + delivered, readBuffer_.get() + readOffset_, take);
        readOffset_ += take;
        delivered += static_cast<uint32_t>(take);
    }
    return true;
}

bool BinaryFileStream::readBytes(void* destination, uint32_t count) {
    uint32_t delivered = 0;
    return readInto(static_cast<uint8_t*>(destination), count, delivered);
}

bool BinaryFileStream::readBlock(void* destination, uint32_t* count) {
    if (count == nullptr)
        return false;
    uint32_t delivered = 0;
    bool ok = readInto(static_cast<uint8_t*>(destination), *count, delivered);
    *count = delivered;
    return ok;
}

// Integers are read over their own little-endian image, so bytes that a short
// read does not deliver keep the value's earlier bytes.
bool BinaryFileStream::readUInt8(uint8_t& value) { return readBytes(&value, 1); }

bool BinaryFileStream::readUInt16(uint16_t& value) {
    uint8_t bytes[2];
    storeLittleEndian(value, bytes, 2);
    if (!takeBuffered(bytes, 2) && !readBytes(bytes, 2))
        return false;
    value = static_cast<uint16_t>(loadLittleEndian(bytes, 2));
    return true;
}

bool BinaryFileStream::readUInt32Unbuffered(uint32_t& value) {
    uint8_t bytes[4];
    storeLittleEndian(value, bytes, 4);
    if (!readBytes(bytes, 4))
        return false;
    value = static_cast<uint32_t>(loadLittleEndian(bytes, 4));
    return true;
}

bool BinaryFileStream::readUInt64(uint64_t& value) {
    uint8_t bytes[8];
    storeLittleEndian(value, bytes, 8);
    if (!takeBuffered(bytes, 8) && !readBytes(bytes, 8))
        return false;
    value = loadLittleEndian(bytes, 8);
    return true;
}

bool BinaryFileStream::readCountedLength(uint32_t& length) {
    uint8_t shortLength = 0;
    if (!readUInt8(shortLength))
        return false;
    if (shortLength != LongLengthMarker) {
        length = shortLength;
        return true;
    }
    uint16_t longLength = 0;
    if (!readUInt16(longLength))
        return false;
    length = longLength;
    return true;
}

bool BinaryFileStream::readCountedString(char* destination, uint32_t* capacity) {
    if (destination == nullptr || capacity == nullptr || *capacity == 0)
        return false;
    destination[0] = '\0';
    uint32_t length = 0;
    if (!readCountedLength(length))
        return false;
    if (length > *capacity) {
        *capacity = length;
        return false;
    }
    if (length == 0)
        return true;
    uint32_t delivered = 0;
    if (!readInto(reinterpret_cast<uint8_t*>(destination), length, delivered))
        return false;
    // A text cut short by the end of the file ends where the file did.
    destination[delivered] = '\0';
    return true;
}

bool BinaryFileStream::readCountedString(std::string& destination) {
    destination.clear();
    uint32_t length = 0;
    if (!readCountedLength(length))
        return false;
    if (length == 0)
        return true;
    destination.resize(length);
    uint32_t delivered = 0;
    bool ok = readInto(reinterpret_cast<uint8_t*>(&destination[0]), length, delivered);
    destination.resize(delivered);
    return ok;
}

bool BinaryFileStream::writeBytesUnbuffered(const void* source, uint32_t count) {
    if (source == nullptr || count == 0)
        return false;
    if (!switchToWriting())
        return false;
    if (count > BufferSize - writeFilled_ && !flush())
        return false;
    if (count >= BufferSize) {
        if (!file_.write(source, count)) {
            writeFailed_ = true;
            return false;
        }
        filePosition_ += count;
        return true;
    }
    std::memcpy(writeBuffer_.get() + writeFilled_, source, count);
    writeFilled_ += count;
    return true;
}

bool BinaryFileStream::writeUInt8(uint8_t value) { return writeBytes(&value, 1); }

bool BinaryFileStream::writeUInt16(uint16_t value) {
    uint8_t bytes[2];
    storeLittleEndian(value, bytes, 2);
    return writeBytes(bytes, 2);
}

bool BinaryFileStream::writeUInt32(uint32_t value) {
    uint8_t bytes[4];
    storeLittleEndian(value, bytes, 4);
    return writeBytes(bytes, 4);
}

bool BinaryFileStream::writeUInt64(uint64_t value) {
    uint8_t bytes[8];
    storeLittleEndian(value, bytes, 8);
    return writeBytes(bytes, 8);
}

bool BinaryFileStream::writeCountedPrefix(size_t length) {
    if (length < LongLengthMarker)
        return writeUInt8(static_cast<uint8_t>(length));
    return writeUInt8(LongLengthMarker) && writeUInt16(static_cast<uint16_t>(length));
}

bool BinaryFileStream::writeText(const char* text, size_t length) {
    if (length > MaxCountedStringLength)
        return false;
    if (!writeCountedPrefix(length))
        return false;
    return length == 0 || writeBytes(text, static_cast<uint32_t>(length));
}

bool BinaryFileStream::writeCountedString(const char* text) {
    if (text == nullptr)
        return writeText("", 0);
    return writeText(text, std::strlen(text));
}

bool BinaryFileStream::writeCountedString(const std::string& text) { return writeText(text.data(), text.size()); }

bool BinaryFileStream::readTag(uint32_t& tag) {
    // Starts from 0 so that a tag the file no longer holds is never taken
    // for a valid one.
    tag = 0;
    return readUInt32(tag);
}

bool BinaryFileStream::readIntegerFieldUnbuffered(uint32_t& value) {
    uint32_t tag = 0;
    if (!readTag(tag) || !isIntegerTag(tag))
        return false;
    return readUInt32(value);
}

bool BinaryFileStream::readStringFieldUnbuffered(std::string& destination) {
    uint32_t tag = 0;
    if (!readTag(tag) || tag != StringTag)
        return false;
    uint32_t ignoredWord = 0;
    if (!readUInt32(ignoredWord))
        return false;
    return readCountedString(destination);
}

bool BinaryFileStream::readStringField(char* destination, uint32_t capacity) {
    if (destination == nullptr || capacity == 0)
        return false;
    destination[0] = '\0';
    std::string text;
    if (!readStringField(text))
        return false;
    size_t kept = std::min<size_t>(text.size(), capacity - 1);
    std::memcpy(destination, text.data(), kept);
    destination[kept] = '\0';
    return true;
}

bool BinaryFileStream::readBlobData(FieldBlob& blob) {
    // The buffer grows only as the file delivers bytes, so a length the file
    // cannot back never turns into one huge allocation.
    uint32_t remaining = blob.length;
    try {
        while (remaining > 0) {
            uint32_t chunk = static_cast<uint32_t>(std::min<size_t>(remaining, BufferSize));
            size_t filled = blob.data.size();
            blob.data.resize(filled + chunk);
            uint32_t delivered = 0;
            if (!readInto(blob.data.data() + filled, chunk, delivered) || delivered < chunk) {
                blob.data.clear();
                return false;
            }
            remaining -= chunk;
        }
    } catch (const std::bad_alloc&) {
        blob.data.clear();
        return false;
    }
    return true;
}

bool BinaryFileStream::readBlobField(FieldBlob& blob) {
    // The data buffer keeps its capacity: records are read into the same
    // blobs over and over.
    blob.tag = blob.present = blob.wordA = blob.wordB = blob.length = 0;
    blob.data.clear();
    if (!readUInt32(blob.tag) || !readUInt32(blob.present))
        return false;
    if (blob.present == 0)
        return true;
    if (!readUInt32(blob.wordA) || !readUInt32(blob.wordB) || !readUInt32(blob.length))
        return false;
    if (blob.length == 0)
        return true;
    return readBlobData(blob);
}

bool BinaryFileStream::readWideField(uint32_t& first, uint32_t& second) {
    uint32_t tag = 0;
    return readTag(tag) && readUInt32(first) && readUInt32(second);
}

bool BinaryFileStream::writeTagged(uint32_t tag, uint32_t value) {
    uint8_t bytes[8];
    storeLittleEndian(tag, bytes, 4);
    storeLittleEndian(value, bytes + 4, 4);
    return writeBytes(bytes, 8);
}

bool BinaryFileStream::writeIntegerField(uint32_t value) { return writeTagged(IntegerTag, value); }

bool BinaryFileStream::writeBooleanField(uint32_t value) { return writeTagged(BooleanTag, value); }

bool BinaryFileStream::writeStringField(const char* text) {
    size_t length = text == nullptr ? 0 : std::strlen(text);
    if (length > MaxCountedStringLength)
        return false;
    return writeTagged(StringTag, StringFieldWord) && writeCountedString(text);
}

bool BinaryFileStream::writeStringField(const std::string& text) {
    if (text.size() > MaxCountedStringLength)
        return false;
    return writeTagged(StringTag, StringFieldWord) && writeCountedString(text);
}

bool BinaryFileStream::writeBlobField(const FieldBlob& blob) {
    if (blob.present != 0 && blob.length != 0 && blob.data.size() < blob.length)
        return false;
    if (!writeUInt32(blob.tag) || !writeUInt32(blob.present))
        return false;
    if (blob.present == 0)
        return true;
    if (!writeUInt32(blob.wordA) || !writeUInt32(blob.wordB) || !writeUInt32(blob.length))
        return false;
    if (blob.length == 0)
        return true;
    return writeBytes(blob.data.data(), blob.length);
}

bool BinaryFileStream::writeWideField(uint32_t first, uint32_t second) {
    return writeTagged(WideTag, first) && writeUInt32(second);
}
