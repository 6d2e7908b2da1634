#pragma once
#include "palm/FieldBlob.h"
#include "palm/FieldTags.h"
#include "platform/FileRewrite.h"
#include "platform/PlatformFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

// Little-endian reader and writer over one exclusively opened file, with the
// counted strings and tagged field values of the Palm Desktop address files.
//
// Reads and writes go through internal buffers; every result is nevertheless
// what unbuffered calls would give: a short read at the end of the file still
// succeeds and leaves the undelivered destination bytes alone, and a write
// reports success only once its bytes are in the file or in the buffer. Bytes
// that later fail to reach the file make flush() and close() return false.
class BinaryFileStream {
public:
    enum OpenMode : int {
        ReadExisting = 0,
        WriteExisting = 1,
        ReadWriteExisting = 2,
        CreateReadWrite = 3,
    };

    static constexpr size_t MaxPathLength = 255;
    // The 16-bit length of a counted string cannot express more.
    static constexpr size_t MaxCountedStringLength = 65535;
    static constexpr size_t BufferSize = 64 * 1024;

    BinaryFileStream();
    // Closes an open file; only close() tells whether pending bytes arrived.
    virtual ~BinaryFileStream();
    BinaryFileStream(const BinaryFileStream&) = delete;
    BinaryFileStream& operator=(const BinaryFileStream&) = delete;

    bool open(const char* path, OpenMode mode);
    bool open(const std::string& path, OpenMode mode) { return open(path.c_str(), mode); }
    // Writes a new file beside target (which must exist) that takes target's
    // place only at commitRewrite(); until then target is held exclusively
    // and stays as it was. path() becomes target.
    bool openRewrite(const std::string& target);
    // Everything written reaches the disk and replaces the target; on failure
    // the target is unchanged and the new file is gone. The stream is closed.
    bool commitRewrite();
    // False when buffered bytes could not be written, or for a rewrite not
    // committed (which is dropped); true when nothing was open.
    bool close();
    // Writes any buffered bytes; true when there were none.
    bool flush();
    bool isOpen() const { return file_.isOpen(); }
    // True once a read since the last open or setPosition delivered fewer
    // bytes than asked: values read at the end of a file cut short are not to
    // be trusted.
    bool readPastEnd() const { return readPastEnd_; }

    // The path of the last successful open (at most MaxPathLength characters).
    const std::string& path() const { return path_; }
    // Refuses a path longer than MaxPathLength and keeps the old one.
    bool setPath(const std::string& path);

    // The logical position: where the next read or write takes place.
    uint64_t position() const;
    bool setPosition(uint64_t position);
    bool skipBytes(uint32_t count);

    bool readBytes(void* destination, uint32_t count);
    // As readBytes; *count becomes the number of bytes delivered.
    bool readBlock(void* destination, uint32_t* count);
    bool readUInt8(uint8_t& value);
    bool readUInt16(uint16_t& value);
    bool readUInt32(uint32_t& value) {
        if (buffered() < 4)
            return readUInt32Unbuffered(value);
        value = loadUInt32(readCursor());
        readOffset_ += 4;
        return true;
    }
    bool readUInt64(uint64_t& value);
    // destination holds *capacity + 1 bytes. A text longer than *capacity
    // fails with its length in *capacity and its bytes left unread.
    bool readCountedString(char* destination, uint32_t* capacity);
    // The whole text, embedded NUL bytes included.
    bool readCountedString(std::string& destination);

    bool writeBytes(const void* source, uint32_t count) {
        return appendBuffered(source, count) || writeBytesUnbuffered(source, count);
    }
    bool writeUInt8(uint8_t value);
    bool writeUInt16(uint16_t value);
    bool writeUInt32(uint32_t value);
    bool writeUInt64(uint64_t value);
    // Null or empty writes the single byte 0.
    bool writeCountedString(const char* text);
    // Written byte for byte; a text of more than MaxCountedStringLength
    // characters is refused and nothing of it is written.
    bool writeCountedString(const std::string& text);

    // Tag 1, 3 or 6, then the value.
    bool readIntegerField(uint32_t& value) {
        if (buffered() < 8)
            return readIntegerFieldUnbuffered(value);
        uint32_t tag = loadUInt32(readCursor());
        readOffset_ += 4;
        if (!isIntegerTag(tag))
            return false;
        value = loadUInt32(readCursor());
        readOffset_ += 4;
        return true;
    }
    // Tag 5, a word, then a counted string, read whole.
    bool readStringField(std::string& destination) {
        // Tag 5, the word and a one-byte length, the whole text in the read-ahead.
        size_t available = buffered();
        if (available >= 9) {
            const uint8_t* cursor = readCursor();
            uint32_t length = cursor[8];
            if (loadUInt32(cursor) == StringTag && length < 255 && available >= 9 + length) {
                destination.assign(reinterpret_cast<const char*>(cursor + 9), length);
                readOffset_ += 9 + length;
                return true;
            }
        }
        return readStringFieldUnbuffered(destination);
    }
    // Keeps the first capacity - 1 characters, terminated, and still consumes
    // the whole value; fails for a null destination or a capacity of 0.
    bool readStringField(char* destination, uint32_t capacity);
    // Fails cleanly when the declared data length is more than the file holds.
    bool readBlobField(FieldBlob& blob);
    // Any tag, then two 32-bit words.
    bool readWideField(uint32_t& first, uint32_t& second);

    bool writeIntegerField(uint32_t value);
    bool writeBooleanField(uint32_t value);
    bool writeStringField(const char* text);
    bool writeStringField(const std::string& text);
    bool writeBlobField(const FieldBlob& blob);
    bool writeWideField(uint32_t first, uint32_t second);

private:
    // Most reads and writes are served by the buffers alone; these stay inline
    // so that loading a large file costs little more than reading its bytes.
    // A non-empty read-ahead or write buffer implies an open file in a mode
    // that allows the operation, with no failure pending.
    size_t buffered() const { return readFilled_ - readOffset_; }
    const uint8_t* readCursor() const { return readBuffer_.get() + readOffset_; }
    bool takeBuffered(uint8_t* destination, uint32_t count) {
        if (buffered() < count)
            return false;
        std::memcpy(destination, readCursor(), count);
        readOffset_ += count;
        return true;
    }
    bool appendBuffered(const void* source, uint32_t count) {
        if (writeFilled_ == 0 || source == nullptr || count == 0 || count > BufferSize - writeFilled_)
            return false;
        std::memcpy(writeBuffer_.get() + writeFilled_, source, count);
        writeFilled_ += count;
        return true;
    }
    static uint32_t loadUInt32(const uint8_t* bytes) {
        return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
               static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    }
    bool readUInt32Unbuffered(uint32_t& value);
    bool readIntegerFieldUnbuffered(uint32_t& value);
    bool readStringFieldUnbuffered(std::string& destination);
    bool writeBytesUnbuffered(const void* source, uint32_t count);
    bool readInto(uint8_t* destination, uint32_t count, uint32_t& delivered);
    bool writeText(const char* text, size_t length);
    bool canRead() const;
    bool canWrite() const;
    bool switchToReading();
    bool switchToWriting();
    bool refillReadBuffer();
    void dropBuffers();
    bool readTag(uint32_t& tag);
    bool readCountedLength(uint32_t& length);
    bool writeCountedPrefix(size_t length);
    bool writeTagged(uint32_t tag, uint32_t value);
    bool readBlobData(FieldBlob& blob);
    bool prepareBuffers();

    PlatformFile file_;
    FileRewrite rewrite_;
    std::string path_;
    OpenMode mode_ = ReadExisting;
    // Where the operating system's file position stands.
    uint64_t filePosition_ = 0;
    std::unique_ptr<uint8_t[]> readBuffer_;
    size_t readOffset_ = 0;
    size_t readFilled_ = 0;
    std::unique_ptr<uint8_t[]> writeBuffer_;
    size_t writeFilled_ = 0;
    // Set when buffered bytes failed to reach the file: nothing later may
    // look like success until the file is closed.
    bool writeFailed_ = false;
    bool readPastEnd_ = false;
};
