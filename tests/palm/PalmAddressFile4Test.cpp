#include "palm/PalmAddressFile4.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<uint8_t> kSignaturePrefix = {0xBE, 0xBA, 0xFE, 0xCA, 0x0F};

std::vector<uint16_t> defaultTypes() {
    std::vector<uint16_t> types(73, 5);
    for (int column : {0, 1, 2, 3, 4, 5, 17, 26, 27, 28, 29, 30, 31, 32, 42, 48, 54, 62, 63, 67, 68}) {
        types[column] = 1;
    }
    types[6] = 6;
    types[66] = 6;
    for (int column = 7; column <= 10; ++column)
        types[column] = static_cast<uint16_t>(57 + column);
    types[65] = 68;
    return types;
}

std::vector<uint8_t> pattern(size_t count, uint8_t seed) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 13);
    return bytes;
}

// The header of a Palm Desktop 4 file, as the test wants it in the bytes.
struct Header {
    std::vector<uint8_t> signaturePrefix = kSignaturePrefix;
    uint32_t versionTag = 0x41420200;
    std::vector<uint8_t> versionBlock = std::vector<uint8_t>(24, 0);
    std::string storedName = "C:\\Palm\\Alice\\address\\address.dat";
    std::vector<uint8_t> nameBlock = std::vector<uint8_t>(11, 0);
    std::vector<std::string> labels = std::vector<std::string>(9);
    uint32_t labelWord = 0;
    std::vector<uint8_t> labelBlock = std::vector<uint8_t>(42, 0);
    uint32_t categoryHeader = 128;
    std::vector<PalmBytes::CategoryEntry> categories;
    uint32_t fieldsPerRecord = 73;
    std::vector<uint16_t> fieldTypes = defaultTypes();
    uint32_t entryCount = 0;
};

PalmBytes& appendHeader(PalmBytes& bytes, const Header& header) {
    bytes.raw(header.signaturePrefix).raw("PalmSG Database00RV").u32(header.versionTag).raw(header.versionBlock);
    bytes.countedString(header.storedName).raw(header.nameBlock);
    for (const std::string& label : header.labels)
        bytes.countedString(label).u32(header.labelWord);
    bytes.raw(header.labelBlock).categorySection(header.categoryHeader, header.categories);
    bytes.u32(74).u32(header.fieldsPerRecord).u32(0).u32(2).u32(4);
    bytes.u16(static_cast<uint16_t>(header.fieldTypes.size()));
    for (uint16_t type : header.fieldTypes)
        bytes.u16(type);
    return bytes.u32(header.entryCount);
}

// One column as it stands in a file.
struct Cell {
    enum Kind { Number, Text, Blob, Wide } kind = Number;
    uint32_t tag = 1;
    uint32_t value = 0;   // a number, or the first word of a wide value
    uint32_t second = 0;  // the second word of a wide value
    std::string text;
    uint32_t word = 1;
    bool present = false;  // blobs
    uint32_t wordA = 0;
    uint32_t wordB = 0;
    std::vector<uint8_t> data;
};

Cell number(uint32_t value, uint32_t tag = 1) {
    Cell cell;
    cell.tag = tag;
    cell.value = value;
    return cell;
}

Cell text(const std::string& value, uint32_t word = 1) {
    Cell cell;
    cell.kind = Cell::Text;
    cell.text = value;
    cell.word = word;
    return cell;
}

Cell absentBlob(uint32_t tag) {
    Cell cell;
    cell.kind = Cell::Blob;
    cell.tag = tag;
    return cell;
}

Cell blob(uint32_t tag, uint32_t wordA, uint32_t wordB, const std::vector<uint8_t>& data) {
    Cell cell = absentBlob(tag);
    cell.present = true;
    cell.wordA = wordA;
    cell.wordB = wordB;
    cell.data = data;
    return cell;
}

Cell wide(uint32_t first, uint32_t second, uint32_t tag = 68) {
    Cell cell;
    cell.kind = Cell::Wide;
    cell.tag = tag;
    cell.value = first;
    cell.second = second;
    return cell;
}

void appendBlob(PalmBytes& bytes, const Cell& cell) {
    if (cell.present) {
        bytes.blobField(cell.tag, cell.wordA, cell.wordB, cell.data);
    } else {
        bytes.absentBlobField(cell.tag);
    }
}

void appendCells(PalmBytes& bytes, const std::vector<Cell>& cells) {
    for (const Cell& cell : cells) {
        switch (cell.kind) {
        case Cell::Number: bytes.integerField(cell.value, cell.tag); break;
        case Cell::Text: bytes.stringField(cell.text, cell.word); break;
        case Cell::Blob: appendBlob(bytes, cell); break;
        case Cell::Wide: bytes.wideField(cell.value, cell.second, cell.tag); break;
        }
    }
}

// As this format writes them: numbers with tag 1 but column 66 with tag 6,
// strings with word 1, blobs as read, the birthday with tag 68.
void appendCellsAsWritten(PalmBytes& bytes, const std::vector<Cell>& cells) {
    for (size_t column = 0; column < cells.size(); ++column) {
        const Cell& cell = cells[column];
        switch (cell.kind) {
        case Cell::Number: bytes.integerField(cell.value, column == 66 ? 6 : 1); break;
        case Cell::Text: bytes.stringField(cell.text); break;
        case Cell::Blob: appendBlob(bytes, cell); break;
        case Cell::Wide: bytes.wideField(cell.value, cell.second); break;
        }
    }
}

// 73 columns in the writer's own encoding, most of them empty.
std::vector<Cell> plainRecord(uint32_t recordId, const std::string& lastName, uint32_t categoryId = 0) {
    std::vector<Cell> cells;
    for (int column = 0; column < 73; ++column) {
        if (column == 0) {
            cells.push_back(number(recordId));
        } else if (column == 5) {
            cells.push_back(number(categoryId));
        } else if (column == 14) {
            cells.push_back(text(lastName));
        } else if (column >= 7 && column <= 10) {
            cells.push_back(absentBlob(static_cast<uint32_t>(57 + column)));
        } else if (column == 65) {
            cells.push_back(wide(0, 0));
        } else if (column == 66) {
            cells.push_back(number(0, 6));
        } else if (defaultTypes()[static_cast<size_t>(column)] == 5) {
            cells.push_back(text(""));
        } else {
            cells.push_back(number(0));
        }
    }
    return cells;
}

std::vector<Cell> fullRecord(uint32_t recordId, uint32_t firstLabel, uint32_t categoryId) {
    std::vector<Cell> cells = {
        number(recordId),
        number(0x1000 + recordId),
        number(0x40, 3),
        number(73 * recordId),
        number(recordId * 7),
        number(categoryId),
        number(1, 6),
        absentBlob(64),
        blob(65, 0xA, 0xB, {}),
        blob(66, 1, 2, pattern(5, 1)),
        blob(67, 3, 4, pattern(300, 9)),
        text("text11", 4),
        text("text12"),
        text("Column13"),
        text("Column14"),
        text("Title"),
        text(std::string(300, 'C')),
        number(17),
        text("Note\r\nwith two lines"),
    };
    for (uint32_t slot = 0; slot < 7; ++slot)
        cells.push_back(text("555-01" + std::to_string(10 + slot)));
    for (uint32_t slot = 0; slot < 7; ++slot)
        cells.push_back(number((firstLabel + slot) % 8));
    for (uint32_t field = 0; field < 9; ++field)
        cells.push_back(text("Custom " + std::to_string(field + 1)));
    cells[35] = text(std::string(200, 'u'));
    const char* blocks[] = {"Work", "Home", "Other"};
    for (uint32_t block = 0; block < 3; ++block) {
        cells.push_back(number(block));
        for (const char* part : {"Address", "City", "State", "Zip", "Country"}) {
            cells.push_back(text(std::string(part) + "(" + blocks[block] + ")"));
        }
    }
    cells.push_back(text("chat one"));
    cells.push_back(text("chat two"));
    cells.push_back(number(62));
    cells.push_back(number(63, 3));
    cells.push_back(text("http://example.com/"));
    cells.push_back(wide(0x11223344, 0x40E5F000, 3));
    cells.push_back(number(1, 1));
    cells.push_back(number(67));
    cells.push_back(number(68));
    for (int column = 69; column <= 72; ++column)
        cells.push_back(text("text" + std::to_string(column)));
    return cells;
}

std::vector<uint8_t> slice(const std::vector<uint8_t>& bytes, size_t from, size_t to) {
    return std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

class PalmAddressFile4Test : public ::testing::Test {
protected:
    PalmAddressFile4Test() : scopedProgramFolder(programFolderOfTest.path()) {}

    void writeSettings(const std::string& text) {
        ASSERT_TRUE(writeWholeFile(programFolderOfTest.file("tolvane.ini"), text));
    }
    std::string writeFile(const PalmBytes& bytes, const std::string& name = "address.dat") {
        std::string path = data.file(name);
        EXPECT_TRUE(bytes.writeTo(path));
        return path;
    }
    PalmBytes fileWith(const std::vector<std::vector<Cell>>& records, Header header = Header()) {
        header.entryCount = static_cast<uint32_t>(records.size() * header.fieldsPerRecord);
        PalmBytes bytes;
        appendHeader(bytes, header);
        for (const auto& record : records)
            appendCells(bytes, record);
        return bytes;
    }

    TempFolder programFolderOfTest;
    ScopedProgramFolder scopedProgramFolder;
    TempFolder data;
};

// ---- a file with every column, read and saved

TEST_F(PalmAddressFile4Test, EveryColumnIsReadAndSavedInTheFormatsOwnEncoding) {
    const bool swapNames = true;
    Header header;
    header.signaturePrefix = {1, 2, 3, 4, 5};
    header.versionBlock = pattern(24, 0x30);
    header.storedName = "D:\\" + std::string(150, 'o') + "\\address.dat";
    header.nameBlock = pattern(11, 0x50);
    header.labels = {"Birthday", "", "Spouse", std::string(32, 'L'), "", "", "", "", "Nine"};
    header.labelWord = 0x99;
    header.labelBlock = pattern(42, 0x70);
    header.categoryHeader = 0x1234;
    header.categories = {{1, 5, "Business", "Bus", 1}, {4, 9, "Friends/Family", "x", 0}};
    const std::vector<Cell> first = fullRecord(1, 0, 5);
    const std::vector<Cell> second = fullRecord(2, 7, 77);
    PalmBytes original = fileWith({first, second}, header);
    std::string path = writeFile(original);

    PalmAddressFile4 file(path, swapNames);
    ASSERT_TRUE(file.opened());
    EXPECT_EQ(header.storedName, file.storedName());
    EXPECT_EQ(std::string(32, 'L'), file.customLabel(3));
    EXPECT_EQ("Nine", file.customLabel(8));
    ASSERT_EQ(2u, file.recordCount());

    const PalmAddressRecord4& record = *file.recordAt(0);
    EXPECT_EQ(0x1001u, record.value1);
    EXPECT_EQ(0x40u, record.status);
    EXPECT_EQ(1u, record.isPrivate);
    EXPECT_EQ("Column13", record.lastName) << "swapped: column 13 is the last name";
    EXPECT_EQ("Column14", record.firstName);
    EXPECT_EQ(300u, record.company.size()) << "a text longer than its capacity is kept whole";
    EXPECT_EQ(0u, record.blob[0].present);
    EXPECT_EQ(65u, record.blob[1].tag);
    EXPECT_EQ(0u, record.blob[1].length);
    EXPECT_EQ(pattern(300, 9), record.blob[3].data);
    EXPECT_EQ("555-0116", record.phone[6]);
    EXPECT_EQ(6u, record.phoneLabel[6]);
    EXPECT_EQ(std::string(200, 'u'), record.custom[2]);
    EXPECT_EQ("Zip(Home)", record.homeAddress.zip);
    EXPECT_EQ("Country(Other)", record.otherAddress.country);
    EXPECT_EQ(2u, record.value54);
    EXPECT_EQ("chat two", record.chat[1]);
    EXPECT_EQ(0x11223344u, record.birthday[0]);
    EXPECT_EQ(0x40E5F000u, record.birthday[1]);
    EXPECT_EQ("text72", record.text72);
    EXPECT_EQ("Business", record.categoryName);
    EXPECT_EQ("", file.recordAt(1)->categoryName) << "category 77 is not in the table";
    EXPECT_EQ(7u, file.recordAt(1)->phoneLabel[0]);

    ASSERT_TRUE(file.saveToOpenedPath());

    Header written = header;
    written.signaturePrefix = kSignaturePrefix;
    written.versionBlock[12] = 2;
    written.versionBlock[13] = 16;
    written.storedName = path;
    written.labelWord = 0;
    written.categories = {{1, 5, "Business", "Business", 0}, {4, 9, "Friends/Family", "Friends_Family", 0}};
    written.entryCount = 146;
    PalmBytes expected;
    appendHeader(expected, written);
    appendCellsAsWritten(expected, first);
    appendCellsAsWritten(expected, second);

    std::vector<uint8_t> saved = readWholeFile(path);
    ASSERT_LT(expected.size(), original.size());
    EXPECT_EQ(expected.bytes(), saved) << "the file holds exactly the bytes written, no old ones behind";

    PalmAddressFile4 reread(path, swapNames);
    ASSERT_TRUE(reread.opened());
    EXPECT_EQ(path, reread.storedName());
    ASSERT_EQ(2u, reread.recordCount());
    EXPECT_EQ(*file.recordAt(0), *reread.recordAt(0));
    EXPECT_EQ(*file.recordAt(1), *reread.recordAt(1));
}

TEST_F(PalmAddressFile4Test, NamesFollowTheColumnsWithoutTheSwapSetting) {
    std::vector<Cell> cells = plainRecord(1, "Smith");
    cells[13] = text("John");
    PalmAddressFile4 file(writeFile(fileWith({cells})));
    ASSERT_TRUE(file.opened());
    EXPECT_FALSE(file.swapNames());
    EXPECT_EQ("John", file.recordAt(0)->firstName);
    EXPECT_EQ("Smith", file.recordAt(0)->lastName);
}

// ---- the stored name is information, never a save target

TEST_F(PalmAddressFile4Test, SavingWritesWhereTheFileWasReadFrom) {
    std::string elsewhere = writeFile(PalmBytes().fill(0xEE, 16), "elsewhere.dat");
    Header header;
    header.storedName = elsewhere;
    std::string path = writeFile(fileWith({plainRecord(1, "One")}, header), "copy.dat");

    PalmAddressFile4 file(path);
    ASSERT_TRUE(file.opened());
    EXPECT_EQ(elsewhere, file.storedName());
    EXPECT_EQ(path, file.openedPath());
    ASSERT_TRUE(file.saveToOpenedPath());

    EXPECT_EQ(PalmBytes().fill(0xEE, 16).bytes(), readWholeFile(elsewhere));
    header.storedName = path;
    header.versionBlock[12] = 1;
    header.versionBlock[13] = 16;
    PalmBytes expected = fileWith({plainRecord(1, "One")}, header);
    EXPECT_EQ(expected.bytes(), slice(readWholeFile(path), 0, expected.size()));
}

TEST_F(PalmAddressFile4Test, VersionBlockCountsTheRecordsSaved) {
    std::vector<std::vector<Cell>> records;
    for (uint32_t id = 1; id <= 300; ++id)
        records.push_back(plainRecord(id, "Name " + std::to_string(id)));
    Header header;
    header.versionBlock = pattern(24, 7);
    std::string path = writeFile(fileWith(records, header));
    PalmAddressFile4 file(path);
    ASSERT_TRUE(file.opened());
    ASSERT_EQ(300u, file.recordCount());
    EXPECT_EQ("Name 300", file.recordAt(299)->lastName);
    ASSERT_TRUE(file.saveToOpenedPath());
    std::vector<uint8_t> saved = readWholeFile(path);
    const size_t versionBlockStart = 24 + 4;
    EXPECT_EQ(44, saved[versionBlockStart + 12]);
    EXPECT_EQ(17, saved[versionBlockStart + 13]);
    EXPECT_EQ(pattern(24, 7)[11], saved[versionBlockStart + 11]) << "the other bytes stay";
    EXPECT_EQ(pattern(24, 7)[14], saved[versionBlockStart + 14]);

    file.clearRecords();
    ASSERT_TRUE(file.saveToOpenedPath());
    saved = readWholeFile(path);
    EXPECT_EQ(0, saved[versionBlockStart + 12]);
    EXPECT_EQ(16, saved[versionBlockStart + 13]);
    PalmAddressFile4 emptied(path);
    ASSERT_TRUE(emptied.opened());
    EXPECT_EQ(0u, emptied.recordCount());
}

TEST_F(PalmAddressFile4Test, SaveNeitherCreatesFilesNorReportsUnwrittenBytes) {
    PalmAddressFile4 file(writeFile(fileWith({plainRecord(1, "One")})));
    ASSERT_TRUE(file.opened());
    EXPECT_FALSE(file.save(data.file("new.dat")));
    EXPECT_FALSE(fileExists(data.file("new.dat")));
#ifndef _WIN32
    if (!fileExists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(file.save("/dev/full")) << "the bytes never reached the device";
#endif
}

// ---- files that are not this format, or not whole

TEST_F(PalmAddressFile4Test, OnlyTheSignatureAndVersionOfThisFormatRead) {
    PalmBytes older;
    older.u32(0x41420100).countedString("C:\\a.dat").countedString("");
    Header olderTag;
    olderTag.versionTag = 0x41420100;
    PalmBytes misspelt = fileWith({});
    std::vector<uint8_t> bytes = misspelt.bytes();
    bytes[23] = 'W';

    PalmAddressFile4 file;
    EXPECT_FALSE(file.openAndRead(writeFile(older, "older.dat")));
    EXPECT_FALSE(file.openAndRead(writeFile(fileWith({}, olderTag), "tag.dat")));
    EXPECT_FALSE(file.openAndRead(writeFile(PalmBytes().raw(bytes), "misspelt.dat")));
    EXPECT_FALSE(file.openAndRead(data.file("missing.dat")));
    EXPECT_EQ(AddressFileReadState::Failed, file.readState());

    // Every file cut short fails, and none of them can be saved over.
    PalmBytes whole = fileWith({fullRecord(1, 0, 0), plainRecord(2, "B")});
    for (size_t length = 0; length < whole.size(); ++length) {
        std::string path = writeFile(PalmBytes().raw(whole.bytes().data(), length), "cut.dat");
        PalmAddressFile4 cut;
        EXPECT_FALSE(cut.openAndRead(path)) << length;
        EXPECT_FALSE(cut.saveToOpenedPath()) << length;
        EXPECT_FALSE(cut.save(path)) << length;
    }
}

TEST_F(PalmAddressFile4Test, AFileWhoseRecordsFailIsNeverSaved) {
    std::vector<Cell> broken = plainRecord(3, "Three");
    broken[40] = number(0);
    PalmBytes bytes = fileWith({plainRecord(1, "One"), plainRecord(2, "Two"), broken, plainRecord(4, "Four")});
    std::string path = writeFile(bytes);

    PalmAddressFile4 file;
    EXPECT_FALSE(file.openAndRead(path));
    ASSERT_EQ(2u, file.recordCount()) << "the records before the failure stay";
    EXPECT_EQ("Two", file.recordAt(1)->lastName);
    EXPECT_EQ("", file.openedPath());
    EXPECT_FALSE(file.saveToOpenedPath());
    EXPECT_FALSE(file.save(path));
    EXPECT_EQ(bytes.bytes(), readWholeFile(path));
}

TEST_F(PalmAddressFile4Test, HeadersThisLayoutCannotHoldAreRefused) {
    auto withHeader = [&](void (*change)(Header&)) {
        Header header;
        change(header);
        std::vector<Cell> cells = plainRecord(1, "A");
        cells.resize(std::min<size_t>(cells.size(), header.fieldTypes.size()));
        PalmBytes bytes;
        if (header.entryCount == 0)
            header.entryCount = header.fieldsPerRecord;
        appendHeader(bytes, header);
        appendCells(bytes, cells);
        return bytes;
    };
    const std::vector<PalmBytes> refused = {
        withHeader([](Header& h) { h.fieldTypes.pop_back(); }),
        // Records of no columns would be counted off without reading a byte.
        withHeader([](Header& h) {
            h.fieldTypes.clear();
            h.entryCount = 0xFFFFFFFF;
        }),
        withHeader([](Header& h) { h.fieldsPerRecord = 72; }),
        withHeader([](Header& h) { h.fieldsPerRecord = 0; }),
        withHeader([](Header& h) {
            h.fieldsPerRecord = 74;
            h.fieldTypes.push_back(5);
        }),
        withHeader([](Header& h) { h.storedName.assign(256, 's'); }),
        withHeader([](Header& h) { h.labels[4].assign(33, 'x'); }),
        withHeader([](Header& h) {
            h.categories = {{1, 0xFFFFFFFF, "None", "None"}};
        }),
        withHeader([](Header& h) {
            for (uint32_t id = 1; id <= 16; ++id)
                h.categories.push_back({id, id, "C", "C"});
        }),
    };
    for (size_t index = 0; index < refused.size(); ++index) {
        PalmAddressFile4 file;
        EXPECT_FALSE(file.openAndRead(writeFile(refused[index]))) << index;
    }

    PalmAddressFile4 fewer;
    EXPECT_TRUE(fewer.openAndRead(writeFile(withHeader([](Header& h) {
        h.fieldsPerRecord = 12;
        h.fieldTypes.resize(12);
    }))));
    EXPECT_EQ("", fewer.recordAt(0)->lastName) << "column 14 is beyond the record";
    PalmAddressFile4 longestName;
    EXPECT_TRUE(longestName.openAndRead(writeFile(withHeader([](Header& h) { h.storedName.assign(255, 's'); }))));
}

TEST_F(PalmAddressFile4Test, HostileLengthsAndCountsFailCleanly) {
    Header header;
    header.fieldsPerRecord = 8;
    header.fieldTypes.resize(8);
    header.entryCount = 0xFFFFFFF8;
    PalmBytes bytes;
    appendHeader(bytes, header);
    std::vector<Cell> cells = plainRecord(1, "A");
    cells.resize(7);
    appendCells(bytes, cells);
    bytes.blobFieldClaiming(64, 0xFFFFFFF0, pattern(10, 0));
    PalmAddressFile4 file;
    EXPECT_FALSE(file.openAndRead(writeFile(bytes)));
    EXPECT_EQ(0u, file.recordCount());
}

// ---- the record list

TEST_F(PalmAddressFile4Test, AddedRecordsKeepTheirBlobsAndAreWrittenLast) {
    std::string path = writeFile(fileWith({plainRecord(1, "One")}));
    PalmAddressFile4 file(path);
    ASSERT_TRUE(file.opened());
    PalmAddressRecord4* first = file.recordAt(0);

    PalmAddressRecord4 added;
    added.lastName = "Added";
    added.blob[2].tag = 66;
    added.blob[2].present = 1;
    added.blob[2].wordA = 5;
    ASSERT_TRUE(added.blob[2].setData(pattern(7, 3).data(), 7));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(file.addRecord(added));
    added.blob[2].data[0] = 0xFF;
    EXPECT_EQ(first, file.recordAt(0)) << "records do not move when the list grows";
    EXPECT_EQ(pattern(7, 3), file.recordAt(50)->blob[2].data) << "the copy owns its blob data";
    EXPECT_EQ(nullptr, file.recordAt(51));

    size_t visited = 0;
    for (PalmAddressRecord4* record = file.firstRecord(); record; record = file.nextRecord())
        ++visited;
    EXPECT_EQ(51u, visited);

    while (file.recordCount() > 0)
        file.clearRecords();
    added.blob[2].data[0] = pattern(7, 3)[0];
    ASSERT_TRUE(file.addRecord(added));
    ASSERT_TRUE(file.saveToOpenedPath());
    std::vector<Cell> cells = plainRecord(0, "Added");
    cells[9] = blob(66, 5, 0, pattern(7, 3));
    Header header;
    header.storedName = path;
    header.versionBlock[12] = 1;
    header.versionBlock[13] = 16;
    PalmBytes expected;
    header.entryCount = 73;
    appendHeader(expected, header);
    appendCellsAsWritten(expected, cells);
    EXPECT_EQ(expected.bytes(), slice(readWholeFile(path), 0, expected.size()));

    PalmAddressRecord4 inconsistent;
    inconsistent.blob[0].present = 1;
    inconsistent.blob[0].length = 4;  // no data to back it
    ASSERT_TRUE(file.addRecord(inconsistent));
    std::vector<uint8_t> before = readWholeFile(path);
    EXPECT_FALSE(file.saveToOpenedPath());
    EXPECT_EQ(before, readWholeFile(path)) << "refused before the file is touched";
}

// ---- seeds for the fuzz target

// Small valid files: each reads and survives a save unchanged. With
// QS_FUZZ_CORPUS_DIR set they are also written there as the fuzz seeds.
TEST_F(PalmAddressFile4Test, SeedFilesReadAndSurviveASave) {
    Header labelled;
    labelled.labels = {"Spouse", "Children", "", "", "", "", "", "", "Nine"};
    labelled.categories = {{1, 1, "Business", "Business"}, {2, 2, "Personal", "Personal"}};
    Header shortRecords;
    shortRecords.fieldsPerRecord = 11;
    shortRecords.fieldTypes.resize(11);
    std::vector<Cell> eleven = fullRecord(3, 0, 1);
    eleven.resize(11);
    std::vector<Cell> small = fullRecord(2, 3, 2);
    small[10] = blob(67, 3, 4, pattern(8, 9));
    small[16] = text("Company");
    const std::vector<std::pair<std::string, PalmBytes>> seeds = {
        {"empty.dat", fileWith({})},
        {"one.dat", fileWith({plainRecord(1, "Smith", 1)}, labelled)},
        {"full.dat", fileWith({small}, labelled)},
        {"short-records.dat", fileWith({eleven, eleven}, shortRecords)},
    };
    const char* corpus = std::getenv("QS_FUZZ_CORPUS_DIR");
    for (const auto& seed : seeds) {
        std::string path = writeFile(seed.second, seed.first);
        PalmAddressFile4 file(path);
        ASSERT_TRUE(file.opened()) << seed.first;
        ASSERT_TRUE(file.saveToOpenedPath()) << seed.first;
        PalmAddressFile4 reread(path);
        ASSERT_TRUE(reread.opened()) << seed.first;
        ASSERT_EQ(file.recordCount(), reread.recordCount()) << seed.first;
        for (size_t index = 0; index < file.recordCount(); ++index) {
            EXPECT_EQ(*file.recordAt(index), *reread.recordAt(index)) << seed.first << " " << index;
        }
        if (corpus) {
            EXPECT_TRUE(seed.second.writeTo(std::string(corpus) + "/address_file4/" + seed.first));
        }
    }
}

}  // namespace
