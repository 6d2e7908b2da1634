#include "palm/BinaryFileStream.h"
#include "palm/FieldTags.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class BinaryFileStreamTest : public ::testing::Test {
protected:
    // Writes bytes to a fresh file and opens it in the given mode.
    void openWith(const PalmBytes& bytes, BinaryFileStream::OpenMode mode = BinaryFileStream::ReadWriteExisting) {
        ASSERT_TRUE(stream.close());
        ASSERT_TRUE(bytes.writeTo(path));
        ASSERT_TRUE(stream.open(path, mode));
    }
    // Closes the stream and gives what landed in the file.
    std::vector<uint8_t> closeAndRead() {
        EXPECT_TRUE(stream.close());
        return readWholeFile(path);
    }

    TempFolder folder;
    std::string path = folder.file("address.dat");
    BinaryFileStream stream;
};

std::vector<uint8_t> patternBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return bytes;
}

// --- opening and closing ---------------------------------------------------

TEST_F(BinaryFileStreamTest, MissingOrEmptyPathFailsAndKeepsTheOpenFile) {
    openWith(PalmBytes().u32(0x11223344).u32(0x55667788));
    uint32_t value = 0;
    ASSERT_TRUE(stream.readUInt32(value));

    EXPECT_FALSE(stream.open(nullptr, BinaryFileStream::ReadExisting));
    EXPECT_FALSE(stream.open("", BinaryFileStream::ReadExisting));
    EXPECT_TRUE(stream.isOpen());
    EXPECT_EQ(path, stream.path());
    ASSERT_TRUE(stream.readUInt32(value));
    EXPECT_EQ(0x55667788u, value);
}

TEST_F(BinaryFileStreamTest, FailedOpenLeavesTheStreamClosed) {
    openWith(PalmBytes().u32(1));
    EXPECT_FALSE(stream.open(folder.file("missing.dat"), BinaryFileStream::ReadWriteExisting));
    EXPECT_FALSE(stream.isOpen());
    EXPECT_FALSE(fileExists(folder.file("missing.dat")));
    EXPECT_EQ(path, stream.path()) << "the path changes only on success";

    ASSERT_TRUE(stream.open(path, BinaryFileStream::ReadExisting));
    EXPECT_FALSE(stream.open(path, static_cast<BinaryFileStream::OpenMode>(4)));
    EXPECT_FALSE(stream.isOpen());
    EXPECT_FALSE(stream.open(path, static_cast<BinaryFileStream::OpenMode>(-1)));
}

TEST_F(BinaryFileStreamTest, PathsLongerThan255CharactersAreRefused) {
    size_t folderLength = folder.path().size();
    ASSERT_LT(folderLength, 200u);
    std::string fitting = folder.path() + std::string(255 - folderLength, 'a');
    std::string tooLong = folder.path() + std::string(256 - folderLength, 'b');
    ASSERT_TRUE(writeWholeFile(fitting, std::string("x")));
    ASSERT_TRUE(writeWholeFile(tooLong, std::string("x")));

    EXPECT_TRUE(stream.open(fitting, BinaryFileStream::ReadExisting));
    EXPECT_EQ(fitting, stream.path());
    EXPECT_FALSE(stream.open(tooLong, BinaryFileStream::ReadExisting));
    EXPECT_FALSE(stream.isOpen());

    EXPECT_FALSE(stream.setPath(tooLong));
    EXPECT_EQ(fitting, stream.path());
    EXPECT_TRUE(stream.setPath("C:\\elsewhere\\address.dat"));
    EXPECT_EQ("C:\\elsewhere\\address.dat", stream.path());
}

TEST_F(BinaryFileStreamTest, FilesAreHeldExclusively) {
    openWith(PalmBytes().u32(1));
    BinaryFileStream second;
    for (int mode = BinaryFileStream::ReadExisting; mode <= BinaryFileStream::CreateReadWrite; ++mode) {
        EXPECT_FALSE(second.open(path, static_cast<BinaryFileStream::OpenMode>(mode))) << "mode " << mode;
    }
    // The same stream cannot open it twice either: the new open first lets go
    // of the file, so here it succeeds.
    EXPECT_TRUE(stream.open(path, BinaryFileStream::ReadExisting));
    EXPECT_FALSE(second.open(path, BinaryFileStream::ReadExisting));

    EXPECT_TRUE(stream.close());
    EXPECT_TRUE(second.open(path, BinaryFileStream::ReadExisting));
    EXPECT_TRUE(second.close());
    EXPECT_EQ(std::vector<uint8_t>({1, 0, 0, 0}), readWholeFile(path)) << "a refused create must not empty the file";
}

TEST_F(BinaryFileStreamTest, CreateReadWriteStartsAnEmptyFile) {
    ASSERT_TRUE(writeWholeFile(path, std::string("old content")));
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    uint8_t byte = 0x5A;
    EXPECT_TRUE(stream.readBytes(&byte, 1)) << "reading an empty file is a short read, not a failure";
    EXPECT_EQ(0x5A, byte);
    EXPECT_TRUE(stream.writeUInt16(0xBEEF));
    EXPECT_EQ(std::vector<uint8_t>({0xEF, 0xBE}), closeAndRead());

    EXPECT_TRUE(stream.open(folder.file("new.dat"), BinaryFileStream::CreateReadWrite));
    EXPECT_TRUE(stream.close());
    EXPECT_TRUE(fileExists(folder.file("new.dat")));
}

TEST_F(BinaryFileStreamTest, CloseIsHarmlessWithoutAFile) {
    EXPECT_TRUE(stream.close());
    EXPECT_TRUE(stream.flush());
    uint32_t value = 0;
    EXPECT_FALSE(stream.readUInt32(value));
    EXPECT_FALSE(stream.writeUInt32(1));
    EXPECT_FALSE(stream.skipBytes(1));
}

TEST_F(BinaryFileStreamTest, AccessFollowsTheOpenMode) {
    openWith(PalmBytes().u32(7), BinaryFileStream::ReadExisting);
    EXPECT_FALSE(stream.writeUInt32(9)) << "a write to a read-only file must not be buffered as if it succeeded";
    EXPECT_TRUE(stream.close());
    EXPECT_EQ(std::vector<uint8_t>({7, 0, 0, 0}), readWholeFile(path));

    ASSERT_TRUE(stream.open(path, BinaryFileStream::WriteExisting));
    uint32_t value = 0;
    EXPECT_FALSE(stream.readUInt32(value));
    EXPECT_TRUE(stream.writeUInt8(8));
    EXPECT_EQ(std::vector<uint8_t>({8, 0, 0, 0}), closeAndRead()) << "WriteExisting keeps the rest of the file";
}

// --- reading ---------------------------------------------------------------

TEST_F(BinaryFileStreamTest, IntegersAreLittleEndianAndUnaligned) {
    openWith(PalmBytes().u8(0x01).u16(0x0302).u32(0x07060504).u64(0x0F0E0D0C0B0A0908ull));
    uint8_t a = 0;
    uint16_t b = 0;
    uint32_t c = 0;
    uint64_t d = 0;
    ASSERT_TRUE(stream.readUInt8(a) && stream.readUInt16(b) && stream.readUInt32(c) && stream.readUInt64(d));
    EXPECT_EQ(0x01, a);
    EXPECT_EQ(0x0302, b);
    EXPECT_EQ(0x07060504u, c);
    EXPECT_EQ(0x0F0E0D0C0B0A0908ull, d);
    EXPECT_EQ(15u, stream.position());
}

TEST_F(BinaryFileStreamTest, ShortReadsAtTheEndSucceedAndKeepUndeliveredBytes) {
    openWith(PalmBytes().u8(1).u8(2).u8(3));
    uint8_t buffer[8];
    std::memset(buffer, 0xAA, sizeof buffer);
    uint32_t count = sizeof buffer;
    ASSERT_TRUE(stream.readBlock(buffer, &count));
    EXPECT_EQ(3u, count);
    EXPECT_EQ(std::vector<uint8_t>({1, 2, 3, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}), std::vector<uint8_t>(buffer, buffer + 8));

    count = 4;
    EXPECT_TRUE(stream.readBlock(buffer, &count));
    EXPECT_EQ(0u, count);
    EXPECT_TRUE(stream.readBytes(buffer, 4));
    EXPECT_EQ(1, buffer[0]);

    EXPECT_FALSE(stream.readBytes(nullptr, 4));
    EXPECT_FALSE(stream.readBytes(buffer, 0));
    EXPECT_FALSE(stream.readBlock(buffer, nullptr));
}

TEST_F(BinaryFileStreamTest, ShortIntegerReadKeepsTheValuesHighBytes) {
    openWith(PalmBytes().u16(0x2211));
    uint32_t value = 0xAABBCCDD;
    ASSERT_TRUE(stream.readUInt32(value));
    EXPECT_EQ(0xAABB2211u, value);
}

TEST_F(BinaryFileStreamTest, ShortReadsAcrossTheBufferBoundary) {
    // A file slightly larger than the read-ahead, read in pieces that straddle
    // the boundary, then a large block straight through.
    std::vector<uint8_t> content = patternBytes(BinaryFileStream::BufferSize + 1000);
    openWith(PalmBytes().raw(content), BinaryFileStream::ReadExisting);
    std::vector<uint8_t> head(BinaryFileStream::BufferSize - 3);
    ASSERT_TRUE(stream.readBytes(head.data(), static_cast<uint32_t>(head.size())));
    uint64_t straddling = 0;
    ASSERT_TRUE(stream.readUInt64(straddling));
    uint64_t expected = 0;
    for (int i = 7; i >= 0; --i)
        expected = (expected << 8) | content[head.size() + i];
    EXPECT_EQ(expected, straddling);

    std::vector<uint8_t> rest(2000, 0xEE);
    uint32_t count = static_cast<uint32_t>(rest.size());
    ASSERT_TRUE(stream.readBlock(rest.data(), &count));
    EXPECT_EQ(content.size() - head.size() - 8, count);
    EXPECT_TRUE(std::equal(rest.begin(), rest.begin() + count, content.begin() + head.size() + 8));
    EXPECT_EQ(0xEE, rest[count]);

    ASSERT_TRUE(stream.setPosition(0));
    std::vector<uint8_t> whole(content.size() + 10);
    count = static_cast<uint32_t>(whole.size());
    ASSERT_TRUE(stream.readBlock(whole.data(), &count));
    EXPECT_EQ(content.size(), count);
    EXPECT_TRUE(std::equal(content.begin(), content.end(), whole.begin()));
}

TEST_F(BinaryFileStreamTest, PositionSkipAndSeek) {
    openWith(PalmBytes().raw(patternBytes(300)));
    uint8_t byte = 0;
    ASSERT_TRUE(stream.readUInt8(byte));
    ASSERT_TRUE(stream.skipBytes(99));
    EXPECT_EQ(100u, stream.position());
    ASSERT_TRUE(stream.readUInt8(byte));
    EXPECT_EQ(patternBytes(300)[100], byte);
    ASSERT_TRUE(stream.setPosition(10));
    ASSERT_TRUE(stream.readUInt8(byte));
    EXPECT_EQ(patternBytes(300)[10], byte);

    // Skipping past the end is allowed; reads there deliver nothing.
    ASSERT_TRUE(stream.skipBytes(1000));
    uint32_t count = 4;
    uint8_t buffer[4] = {9, 9, 9, 9};
    EXPECT_TRUE(stream.readBlock(buffer, &count));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(9, buffer[0]);
}

// --- counted strings -------------------------------------------------------

TEST_F(BinaryFileStreamTest, CountedStringFormsByLength) {
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    EXPECT_TRUE(stream.writeCountedString(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(stream.writeCountedString(""));
    EXPECT_TRUE(stream.writeCountedString(std::string()));
    EXPECT_TRUE(stream.writeCountedString(std::string(254, 'a')));
    EXPECT_TRUE(stream.writeCountedString(std::string(255, 'b')));
    EXPECT_TRUE(stream.writeCountedString(std::string(65535, 'c')));
    std::vector<uint8_t> bytes = closeAndRead();

    PalmBytes expected;
    expected.u8(0).u8(0).u8(0);
    expected.u8(254).raw(std::string(254, 'a'));
    expected.u8(255).u8(255).u8(0).raw(std::string(255, 'b'));
    expected.u8(255).u16(65535).raw(std::string(65535, 'c'));
    EXPECT_EQ(expected.bytes(), bytes);
    EXPECT_EQ(3u + 255u + 258u + 65538u, bytes.size());
}

TEST_F(BinaryFileStreamTest, TextsTooLongForTheLengthAreRefusedWhole) {
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    ASSERT_TRUE(stream.writeUInt8(0x11));
    std::string tooLong(65536, 'x');
    EXPECT_FALSE(stream.writeCountedString(tooLong));
    EXPECT_FALSE(stream.writeCountedString(tooLong.c_str()));
    EXPECT_FALSE(stream.writeStringField(tooLong));
    EXPECT_FALSE(stream.writeStringField(tooLong.c_str()));
    EXPECT_EQ(1u, stream.position());
    ASSERT_TRUE(stream.writeUInt8(0x22)) << "a refused text does not spoil the stream";
    EXPECT_EQ(std::vector<uint8_t>({0x11, 0x22}), closeAndRead());
}

TEST_F(BinaryFileStreamTest, CountedStringsReadBackInBothPrefixForms) {
    openWith(PalmBytes()
                 .countedString("")
                 .countedString("Hello")
                 .longCountedString("short text, long prefix")
                 .countedString(std::string(300, 'z'))
                 .countedString(std::string("a\0b", 3)));
    char text[301];
    uint32_t capacity = 300;
    ASSERT_TRUE(stream.readCountedString(text, &capacity));
    EXPECT_STREQ("", text);
    EXPECT_EQ(1u, stream.position());
    ASSERT_TRUE(stream.readCountedString(text, &capacity));
    EXPECT_STREQ("Hello", text);
    ASSERT_TRUE(stream.readCountedString(text, &capacity));
    EXPECT_STREQ("short text, long prefix", text);
    ASSERT_TRUE(stream.readCountedString(text, &capacity));
    EXPECT_EQ(std::string(300, 'z'), text);
    std::string whole;
    ASSERT_TRUE(stream.readCountedString(whole));
    EXPECT_EQ(std::string("a\0b", 3), whole) << "embedded NUL bytes are kept";
}

TEST_F(BinaryFileStreamTest, CountedStringLongerThanCapacityFailsBehindThePrefix) {
    openWith(PalmBytes().countedString(std::string(40, 'q')).countedString(std::string(300, 'r')));
    char text[33];
    std::memset(text, 'X', sizeof text);
    uint32_t capacity = 32;
    EXPECT_FALSE(stream.readCountedString(text, &capacity));
    EXPECT_EQ(40u, capacity);
    EXPECT_STREQ("", text);
    EXPECT_EQ(1u, stream.position());

    ASSERT_TRUE(stream.skipBytes(40));
    capacity = 32;
    EXPECT_FALSE(stream.readCountedString(text, &capacity));
    EXPECT_EQ(300u, capacity);
    EXPECT_EQ(44u, stream.position()) << "long form: the prefix is three bytes";
}

TEST_F(BinaryFileStreamTest, CountedStringArgumentsAreChecked) {
    openWith(PalmBytes().countedString("abc"));
    char text[8];
    uint32_t capacity = 0;
    EXPECT_FALSE(stream.readCountedString(nullptr, &capacity));
    EXPECT_FALSE(stream.readCountedString(text, nullptr));
    EXPECT_FALSE(stream.readCountedString(text, &capacity));
    EXPECT_EQ(0u, stream.position()) << "refused arguments read nothing";
}

TEST_F(BinaryFileStreamTest, CountedStringCutByTheEndOfFileEndsThere) {
    openWith(PalmBytes().countedStringClaiming(10, "abcd"));
    char text[11];
    std::memset(text, 'X', sizeof text);
    uint32_t capacity = 10;
    ASSERT_TRUE(stream.readCountedString(text, &capacity));
    EXPECT_STREQ("abcd", text);

    ASSERT_TRUE(stream.setPosition(0));
    std::string whole = "old";
    ASSERT_TRUE(stream.readCountedString(whole));
    EXPECT_EQ("abcd", whole);
}

// --- tagged field values ---------------------------------------------------

TEST_F(BinaryFileStreamTest, IntegerFieldsAcceptIntegerDateAndBooleanTags) {
    openWith(PalmBytes()
                 .integerField(11)
                 .dateField(33)
                 .booleanField(1)
                 .integerField(55, StringTag)
                 .integerField(99, WideTag));
    uint32_t value = 0;
    ASSERT_TRUE(stream.readIntegerField(value));
    EXPECT_EQ(11u, value);
    ASSERT_TRUE(stream.readIntegerField(value));
    EXPECT_EQ(33u, value);
    ASSERT_TRUE(stream.readIntegerField(value));
    EXPECT_EQ(1u, value);
    EXPECT_FALSE(stream.readIntegerField(value));
    EXPECT_EQ(1u, value);
    ASSERT_TRUE(stream.setPosition(32));
    EXPECT_FALSE(stream.readIntegerField(value));
    EXPECT_FALSE(stream.readIntegerField(value)) << "nothing left: the missing tag is not an integer tag";
}

TEST_F(BinaryFileStreamTest, StringFieldsAreReadWhole) {
    std::string longText(3000, 'n');
    openWith(PalmBytes()
                 .stringField("Smith", 0xDEADBEEF)
                 .stringField(longText)
                 .stringField(std::string("x\0y", 3))
                 .integerField(5));
    std::string text;
    ASSERT_TRUE(stream.readStringField(text));
    EXPECT_EQ("Smith", text) << "the word after the tag is ignored";
    ASSERT_TRUE(stream.readStringField(text));
    EXPECT_EQ(longText, text);
    ASSERT_TRUE(stream.readStringField(text));
    EXPECT_EQ(std::string("x\0y", 3), text);
    EXPECT_FALSE(stream.readStringField(text)) << "tag 1 is not a string";
}

TEST_F(BinaryFileStreamTest, StringFieldIntoAFixedBufferIsCutButConsumedWhole) {
    openWith(PalmBytes().stringField("ABCDEFGHIJ").stringField("ok").stringField("x"));
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_TRUE(stream.readStringField(buffer, 5));
    EXPECT_STREQ("ABCD", buffer);
    EXPECT_EQ('#', buffer[5]) << "nothing is written past the capacity";

    ASSERT_TRUE(stream.readStringField(buffer, 8));
    EXPECT_STREQ("ok", buffer);
    EXPECT_FALSE(stream.readStringField(buffer, 0));
    EXPECT_FALSE(stream.readStringField(nullptr, 8));
    ASSERT_TRUE(stream.readStringField(buffer, 1));
    EXPECT_STREQ("", buffer);
}

TEST_F(BinaryFileStreamTest, BlobFieldsInTheirThreeShapes) {
    std::vector<uint8_t> data = patternBytes(70000);
    PalmBytes bytes;
    bytes.absentBlobField(64).u32(0xFFFFFFFF).u32(1);
    bytes.u32(65).u32(1).u32(7).u32(8).u32(0);
    bytes.blobField(67, 0x01020304, 0x05060708, data);
    openWith(bytes);

    FieldBlob blob;
    blob.data = {1, 2, 3};
    ASSERT_TRUE(stream.readBlobField(blob));
    EXPECT_EQ(64u, blob.tag);
    EXPECT_EQ(0u, blob.present);
    EXPECT_TRUE(blob.data.empty());
    EXPECT_EQ(8u, stream.position()) << "an absent blob is its tag and present word only";
    ASSERT_TRUE(stream.skipBytes(8));

    ASSERT_TRUE(stream.readBlobField(blob));
    EXPECT_EQ(65u, blob.tag);
    EXPECT_EQ(7u, blob.wordA);
    EXPECT_EQ(8u, blob.wordB);
    EXPECT_EQ(0u, blob.length);
    EXPECT_EQ(36u, stream.position()) << "present with length 0 is twenty bytes";

    ASSERT_TRUE(stream.readBlobField(blob));
    EXPECT_EQ(67u, blob.tag);
    EXPECT_EQ(0x01020304u, blob.wordA);
    EXPECT_EQ(data.size(), blob.length);
    EXPECT_EQ(data, blob.data);
    EXPECT_EQ(bytes.size(), stream.position());
}

TEST_F(BinaryFileStreamTest, BlobLengthBeyondTheFileFailsWithoutAllocatingIt) {
    openWith(PalmBytes().blobFieldClaiming(66, 0xFFFFFFF0, patternBytes(100)));
    FieldBlob blob;
    EXPECT_FALSE(stream.readBlobField(blob));
    EXPECT_TRUE(blob.data.empty());
    EXPECT_LT(blob.data.capacity(), 1u << 20);

    openWith(PalmBytes().blobFieldClaiming(66, 101, patternBytes(100)));
    EXPECT_FALSE(stream.readBlobField(blob)) << "one byte short is still short";
    openWith(PalmBytes().blobFieldClaiming(66, 100, patternBytes(100)));
    EXPECT_TRUE(stream.readBlobField(blob));
}

TEST_F(BinaryFileStreamTest, WideFieldsTakeAnyTagAndWriteTag68) {
    openWith(PalmBytes().wideField(0x11111111, 0x22222222, 1).wideField(3, 4));
    uint32_t first = 0;
    uint32_t second = 0;
    ASSERT_TRUE(stream.readWideField(first, second));
    EXPECT_EQ(0x11111111u, first);
    EXPECT_EQ(0x22222222u, second);
    ASSERT_TRUE(stream.readWideField(first, second));
    EXPECT_EQ(3u, first);
    EXPECT_EQ(4u, second);
    ASSERT_TRUE(stream.setPosition(0));
    ASSERT_TRUE(stream.writeWideField(0x11111111, 0x22222222));
    std::vector<uint8_t> bytes = closeAndRead();
    EXPECT_EQ(PalmBytes().wideField(0x11111111, 0x22222222).wideField(3, 4).bytes(), bytes);
}

TEST_F(BinaryFileStreamTest, FieldWritersProduceTheFileEncoding) {
    FieldBlob absent;
    absent.tag = 64;
    absent.wordA = 99;  // not written: the blob ends at present
    FieldBlob empty;
    empty.tag = 65;
    empty.present = 1;
    empty.wordA = 2;
    empty.wordB = 3;
    FieldBlob full;
    full.tag = 66;
    full.present = 5;
    ASSERT_TRUE(full.setData(reinterpret_cast<const uint8_t*>("data"), 4));

    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    EXPECT_TRUE(stream.writeIntegerField(0x01020304));
    EXPECT_TRUE(stream.writeBooleanField(1));
    EXPECT_TRUE(stream.writeStringField("Jones"));
    EXPECT_TRUE(stream.writeStringField(static_cast<const char*>(nullptr)));
    EXPECT_TRUE(stream.writeStringField(std::string("p\0q", 3)));
    EXPECT_TRUE(stream.writeBlobField(absent));
    EXPECT_TRUE(stream.writeBlobField(empty));
    EXPECT_TRUE(stream.writeBlobField(full));
    std::vector<uint8_t> bytes = closeAndRead();

    PalmBytes expected;
    expected.integerField(0x01020304).booleanField(1).stringField("Jones").stringField("");
    expected.stringField(std::string("p\0q", 3));
    expected.absentBlobField(64);
    expected.u32(65).u32(1).u32(2).u32(3).u32(0);
    expected.u32(66).u32(5).u32(0).u32(0).u32(4).raw(std::string("data"));
    EXPECT_EQ(expected.bytes(), bytes);
    EXPECT_EQ(absent.encodedSize() + empty.encodedSize() + full.encodedSize(), 8u + 20u + 24u);
}

TEST_F(BinaryFileStreamTest, BlobClaimingMoreDataThanItHoldsIsNotWritten) {
    FieldBlob broken;
    broken.tag = 64;
    broken.present = 1;
    broken.length = 10;
    broken.data = {1, 2, 3};
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    EXPECT_FALSE(stream.writeBlobField(broken));
    broken.data.clear();
    EXPECT_FALSE(stream.writeBlobField(broken));
    EXPECT_EQ(0u, stream.position());
}

TEST(FieldBlobTest, CopiesOwnTheirData) {
    FieldBlob original;
    original.tag = 64;
    original.present = 1;
    const uint8_t bytes[] = {1, 2, 3};
    ASSERT_TRUE(original.setData(bytes, 3));
    FieldBlob copy = original;
    EXPECT_EQ(original, copy);
    copy.data[0] = 9;
    EXPECT_EQ(1, original.data[0]);
    EXPECT_NE(original, copy);
    copy.clear();
    EXPECT_EQ(FieldBlob(), copy);
    EXPECT_EQ(3u, original.length);
}

// --- buffered writing and mixed access --------------------------------------

TEST_F(BinaryFileStreamTest, BufferedWritesLandByteExact) {
    // Many small values and two large blocks, well past the buffer size.
    std::vector<uint8_t> big = patternBytes(BinaryFileStream::BufferSize + 123);
    PalmBytes expected;
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    for (uint32_t i = 0; i < 20000; ++i) {
        ASSERT_TRUE(stream.writeUInt32(i * 2654435761u));
        ASSERT_TRUE(stream.writeUInt8(static_cast<uint8_t>(i)));
        expected.u32(i * 2654435761u).u8(static_cast<uint8_t>(i));
        if (i == 5000 || i == 15000) {
            ASSERT_TRUE(stream.writeBytes(big.data(), static_cast<uint32_t>(big.size())));
            expected.raw(big);
        }
    }
    EXPECT_EQ(expected.size(), stream.position());
    EXPECT_EQ(expected.bytes(), closeAndRead());
}

TEST_F(BinaryFileStreamTest, FlushMakesBufferedBytesVisible) {
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    ASSERT_TRUE(stream.writeUInt32(0x64636261));
    ASSERT_TRUE(stream.flush());
#ifndef _WIN32
    // Elsewhere the held file is advisory-locked only, so it can be looked at.
    EXPECT_EQ(std::vector<uint8_t>({'a', 'b', 'c', 'd'}), readWholeFile(path));
#endif
    EXPECT_FALSE(stream.writeBytes(nullptr, 4));
    uint8_t byte = 0;
    EXPECT_FALSE(stream.writeBytes(&byte, 0));
}

TEST_F(BinaryFileStreamTest, WritingAfterReadingLandsAtTheReadPosition) {
    std::vector<uint8_t> content = patternBytes(1000);
    openWith(PalmBytes().raw(content));
    uint32_t value = 0;
    ASSERT_TRUE(stream.readUInt32(value));
    ASSERT_TRUE(stream.writeUInt32(0xA1A2A3A4));
    EXPECT_EQ(8u, stream.position());
    uint8_t next = 0;
    ASSERT_TRUE(stream.readUInt8(next)) << "reading after writing flushes first";
    EXPECT_EQ(content[8], next);
    ASSERT_TRUE(stream.writeUInt8(0xB1));

    std::vector<uint8_t> expected = content;
    expected[4] = 0xA4;
    expected[5] = 0xA3;
    expected[6] = 0xA2;
    expected[7] = 0xA1;
    expected[9] = 0xB1;
    EXPECT_EQ(expected, closeAndRead()) << "ReadWriteExisting never shortens the file";
}

TEST_F(BinaryFileStreamTest, RewritingFromTheStartKeepsTheTail) {
    openWith(PalmBytes().raw(patternBytes(100)));
    uint8_t buffer[50];
    ASSERT_TRUE(stream.readBytes(buffer, 50));
    ASSERT_TRUE(stream.setPosition(0));
    ASSERT_TRUE(stream.writeCountedString("new"));
    std::vector<uint8_t> expected = patternBytes(100);
    const uint8_t head[] = {3, 'n', 'e', 'w'};
    std::copy(head, head + 4, expected.begin());
    EXPECT_EQ(expected, closeAndRead());
}

TEST_F(BinaryFileStreamTest, RecordLikeSequenceRoundTrips) {
    ASSERT_TRUE(stream.open(path, BinaryFileStream::CreateReadWrite));
    FieldBlob blob;
    blob.tag = 65;
    blob.present = 1;
    blob.wordB = 42;
    const uint8_t data[] = {0, 1, 2, 0, 255};
    ASSERT_TRUE(blob.setData(data, sizeof data));
    for (uint32_t record = 0; record < 3000; ++record) {
        ASSERT_TRUE(stream.writeIntegerField(record));
        ASSERT_TRUE(stream.writeStringField("Name " + std::to_string(record)));
        ASSERT_TRUE(stream.writeBlobField(blob));
        ASSERT_TRUE(stream.writeBooleanField(record & 1));
        ASSERT_TRUE(stream.writeWideField(record, ~record));
    }
    ASSERT_TRUE(stream.setPosition(0));
    for (uint32_t record = 0; record < 3000; ++record) {
        uint32_t number = 0;
        uint32_t flag = 9;
        uint32_t first = 0;
        uint32_t second = 0;
        std::string name;
        FieldBlob readBack;
        ASSERT_TRUE(stream.readIntegerField(number) && stream.readStringField(name) && stream.readBlobField(readBack) &&
                    stream.readIntegerField(flag) && stream.readWideField(first, second))
            << "record " << record;
        ASSERT_EQ(record, number);
        ASSERT_EQ("Name " + std::to_string(record), name);
        ASSERT_EQ(blob, readBack);
        ASSERT_EQ(record & 1, flag);
        ASSERT_EQ(~record, second);
    }
    uint32_t beyond = 0;
    EXPECT_FALSE(stream.readIntegerField(beyond));
}

#ifndef _WIN32
TEST(BinaryFileStreamFailureTest, BytesThatNeverReachTheFileAreNotASuccessfulSave) {
    // The full device accepts the open and refuses every write.
    BinaryFileStream stream;
    if (!stream.open("/dev/full", BinaryFileStream::WriteExisting))
        GTEST_SKIP() << "no /dev/full";
    EXPECT_TRUE(stream.writeUInt32(1)) << "buffered";
    EXPECT_FALSE(stream.flush());
    EXPECT_FALSE(stream.writeUInt32(2)) << "after a failed flush nothing may look written";
    EXPECT_FALSE(stream.close());
    EXPECT_TRUE(stream.close()) << "nothing open any more";

    ASSERT_TRUE(stream.open("/dev/full", BinaryFileStream::WriteExisting));
    EXPECT_TRUE(stream.writeCountedString("pending"));
    EXPECT_FALSE(stream.close());

    ASSERT_TRUE(stream.open("/dev/full", BinaryFileStream::WriteExisting));
    std::vector<uint8_t> big(BinaryFileStream::BufferSize * 2, 1);
    EXPECT_FALSE(stream.writeBytes(big.data(), static_cast<uint32_t>(big.size())))
        << "large writes go straight through";
    EXPECT_FALSE(stream.close());
}
#endif

}  // namespace
