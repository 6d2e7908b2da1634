#include "palm/PalmAddressFile.h"
#include "palm/PalmAddressFile4.h"
#include "palm/PalmDesktopInstallation.h"
#include "tests/support/PalmBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<uint16_t> kDefaultTypes = {1, 1, 1, 5, 5, 5, 5, 1, 5, 1, 5, 1, 5, 1, 5,
                                             1, 5, 5, 5, 5, 5, 5, 5, 6, 1, 5, 5, 5, 5, 1};

// The header of an older-format file, as the test wants it in the bytes.
struct Header {
    std::string storedName = "C:\\Palm\\Alice\\address\\address.dat";
    std::string labelText;
    uint32_t categoryHeader = 128;
    std::vector<PalmBytes::CategoryEntry> categories;
    uint32_t tableId = 74;
    uint32_t fieldsPerRecord = 30;
    std::vector<uint16_t> fieldTypes = kDefaultTypes;
    uint32_t entryCount = 0;
};

PalmBytes& appendHeader(PalmBytes& bytes, const Header& header) {
    bytes.u32(0x41420100).countedString(header.storedName).countedString(header.labelText);
    bytes.categorySection(header.categoryHeader, header.categories);
    bytes.u32(header.tableId).u32(header.fieldsPerRecord).u32(0).u32(1).u32(2);
    bytes.u16(static_cast<uint16_t>(header.fieldTypes.size()));
    for (uint16_t type : header.fieldTypes)
        bytes.u16(type);
    return bytes.u32(header.entryCount);
}

// One column as it stands in a file: a tagged number, or a string with its
// word and the form of its length prefix.
struct Cell {
    bool isText = false;
    uint32_t tag = 1;
    uint32_t value = 0;
    std::string text;
    uint32_t word = 1;
    bool longPrefix = false;
};

Cell number(uint32_t value, uint32_t tag = 1) {
    Cell cell;
    cell.tag = tag;
    cell.value = value;
    return cell;
}

Cell text(const std::string& value, uint32_t word = 1, bool longPrefix = false) {
    Cell cell;
    cell.isText = true;
    cell.tag = 5;
    cell.text = value;
    cell.word = word;
    cell.longPrefix = longPrefix;
    return cell;
}

void appendCells(PalmBytes& bytes, const std::vector<Cell>& cells) {
    for (const Cell& cell : cells) {
        if (!cell.isText) {
            bytes.integerField(cell.value, cell.tag);
        } else if (cell.longPrefix) {
            bytes.u32(5).u32(cell.word).longCountedString(cell.text);
        } else {
            bytes.u32(5).u32(cell.word).countedString(cell.text);
        }
    }
}

// The same columns as this format writes them: numbers with tag 1, the
// private flag (column 23) with tag 6, strings with word 1 and the shortest
// prefix.
void appendCellsAsWritten(PalmBytes& bytes, const std::vector<Cell>& cells) {
    for (size_t column = 0; column < cells.size(); ++column) {
        const Cell& cell = cells[column];
        if (cell.isText) {
            bytes.stringField(cell.text);
        } else {
            bytes.integerField(cell.value, column == 23 ? 6 : 1);
        }
    }
}

// A record of 30 columns in the writer's own encoding.
std::vector<Cell> plainRecord(uint32_t recordId, const std::string& lastName, uint32_t categoryId = 0) {
    std::vector<Cell> cells = {number(recordId), number(0), number(recordId * 10), text(lastName), text("First"),
                               text(""),         text("")};
    for (int slot = 0; slot < 5; ++slot) {
        cells.push_back(number(static_cast<uint32_t>(slot)));
        cells.push_back(text(""));
    }
    for (int column = 17; column <= 22; ++column)
        cells.push_back(text(""));
    cells.push_back(number(0, 6));
    cells.push_back(number(categoryId));
    for (int column = 25; column <= 28; ++column)
        cells.push_back(text(""));
    cells.push_back(number(0));
    return cells;
}

class PalmAddressFileTest : public ::testing::Test {
protected:
    PalmAddressFileTest() : scopedProgramFolder(programFolderOfTest.path()) {}

    void writeSettings(const std::string& text) {
        ASSERT_TRUE(writeWholeFile(programFolderOfTest.file("tolvane.ini"), text));
    }
    std::string writeFile(const PalmBytes& bytes, const std::string& name = "address.dat") {
        std::string path = data.file(name);
        EXPECT_TRUE(bytes.writeTo(path));
        return path;
    }
    // A valid file with the given plain records.
    PalmBytes plainFile(const std::vector<std::vector<Cell>>& records, Header header = Header()) {
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

std::vector<Cell> firstFullRecord() {
    return {
        number(0x01020304),
        number(0x40, 3),
        number(17),
        text("Column3"),
        text("Column4"),
        text("Director", 9),
        text(std::string(150, 'C') + std::string(150, 'c')),
        number(0),
        text("555-0100"),
        number(1),
        text("555-0101"),
        number(2),
        text("555-0102"),
        number(3),
        text("555-0103"),
        number(4),
        text("alice@example.com"),
        text("1 Long Road\nFlat 2", 1, true),
        text("Springfield"),
        text("ST"),
        text("12345"),
        text("Utopia"),
        text("A note\nwith lines"),
        number(1, 1),
        number(5),
        text("Custom one", 1, true),
        text("Custom two"),
        text("Custom three"),
        text("Custom four"),
        number(2),
    };
}

std::vector<Cell> secondFullRecord() {
    return {
        number(2),
        number(0),
        number(18),
        text("Second3"),
        text("Second4"),
        text(""),
        text("Company"),
        number(5),
        text("555-0200"),
        number(6),
        text("555-0201"),
        number(7),
        text("555-0202"),
        number(0),
        text(""),
        number(1),
        text(""),
        text("Street"),
        text("City"),
        text("State"),
        text("Zip"),
        text("Country"),
        text(std::string(3000, 'n')),
        number(0, 3),
        number(77),
        text(""),
        text(""),
        text(""),
        text(std::string(64, 'x')),
        number(4, 6),
    };
}

TEST_F(PalmAddressFileTest, EveryColumnIsReadAndSavedInTheFormatsOwnEncoding) {
    const bool swapNames = true;
    Header header;
    // Longer than the path it is saved to: the saved file must come out shorter.
    header.storedName = "D:\\" + std::string(150, 'o') + "\\address.dat";
    header.labelText = "Label one\nLabel two\nLabel three\nLabel four\nLabel five\n";
    header.categoryHeader = 0x1234;
    header.categories = {{1, 5, "Business", "Bus", 1}, {3, 9, "Friends/Family", "x", 0}};
    header.entryCount = 60;
    PalmBytes original;
    appendHeader(original, header);
    appendCells(original, firstFullRecord());
    appendCells(original, secondFullRecord());
    std::string path = writeFile(original);

    PalmAddressFile file(path, swapNames);
    ASSERT_TRUE(file.opened());
    EXPECT_TRUE(file.swapNames());
    EXPECT_EQ(AddressFileReadState::Complete, file.readState());
    EXPECT_EQ("Label one\nLabel two\nLabel three\nLabel four\n", file.customLabelText());
    ASSERT_EQ(2u, file.recordCount());

    const PalmAddressRecord& first = *file.recordAt(0);
    EXPECT_EQ(0x01020304u, first.recordId);
    EXPECT_EQ(0x40u, first.status) << "a date tag is read like an integer";
    EXPECT_EQ("Column3", first.firstName) << "swapped: column 3 is the first name";
    EXPECT_EQ("Column4", first.lastName);
    EXPECT_EQ("Director", first.title);
    EXPECT_EQ(300u, first.company.size()) << "a text longer than its capacity is kept whole";
    EXPECT_EQ(std::string(150, 'C') + std::string(150, 'c'), first.company);
    for (uint32_t slot = 0; slot < 5; ++slot)
        EXPECT_EQ(slot, first.phoneLabel[slot]);
    EXPECT_EQ("alice@example.com", first.phone[4]);
    EXPECT_EQ("1 Long Road\nFlat 2", first.address);
    EXPECT_EQ("Utopia", first.country);
    EXPECT_EQ(1u, first.isPrivate);
    EXPECT_EQ(5u, first.categoryId);
    EXPECT_EQ("Business", first.categoryName);
    EXPECT_EQ("Custom one", first.custom[0]);
    EXPECT_EQ("Custom four", first.custom[3]);
    EXPECT_EQ(2u, first.displayPhone);

    const PalmAddressRecord& second = *file.recordAt(1);
    EXPECT_EQ((std::vector<uint32_t>{5, 6, 7, 0, 1}), std::vector<uint32_t>(second.phoneLabel, second.phoneLabel + 5));
    EXPECT_EQ(3000u, second.note.size());
    EXPECT_EQ(77u, second.categoryId);
    EXPECT_EQ("", second.categoryName) << "category 77 is not in the table";
    EXPECT_EQ(4u, second.displayPhone);

    ASSERT_TRUE(file.saveToOpenedPath());

    Header written = header;
    written.storedName = path;
    // The label text goes back whole; only the custom labels are four lines.
    written.labelText = header.labelText;
    written.categories = {{1, 5, "Business", "Business", 0}, {3, 9, "Friends/Family", "Friends_Family", 0}};
    PalmBytes expected;
    appendHeader(expected, written);
    appendCellsAsWritten(expected, firstFullRecord());
    appendCellsAsWritten(expected, secondFullRecord());

    std::vector<uint8_t> saved = readWholeFile(path);
    ASSERT_LT(expected.size(), original.size());
    EXPECT_EQ(expected.bytes(), saved) << "the file holds exactly the bytes written, no old ones behind";

    PalmAddressFile reread(path, swapNames);
    ASSERT_TRUE(reread.opened());
    ASSERT_EQ(2u, reread.recordCount());
    EXPECT_EQ(*file.recordAt(0), *reread.recordAt(0));
    EXPECT_EQ(*file.recordAt(1), *reread.recordAt(1));
}

TEST_F(PalmAddressFileTest, SwappedNamesAreReadFromAndSavedToTheOtherColumns) {
    std::string path = writeFile(plainFile({plainRecord(1, "Smith")}));
    {
        PalmAddressFile file(path);
        ASSERT_TRUE(file.opened());
        EXPECT_FALSE(file.swapNames()) << "not asked for";
        EXPECT_EQ("Smith", file.recordAt(0)->lastName);
        EXPECT_EQ("First", file.recordAt(0)->firstName);
    }
    EXPECT_TRUE(PalmAddressFile(true).swapNames());
    PalmAddressFile swapped(path, true);
    EXPECT_EQ("Smith", swapped.recordAt(0)->firstName);
    ASSERT_TRUE(swapped.saveToOpenedPath());
    Header header;
    header.storedName = path;
    EXPECT_EQ(plainFile({plainRecord(1, "Smith")}, header).bytes(), readWholeFile(path))
        << "the first name goes back into column 3";
}

// ---- header pieces

TEST_F(PalmAddressFileTest, LabelTextKeepsFourLinesAndAtMost511Characters) {
    struct Case {
        std::string stored;
        std::string kept;
    };
    const std::string longLine(600, 'L');
    const std::vector<Case> cases = {
        {"one\ntwo\n", "one\ntwo\n"},
        {"a\nb\nc\nd\n", "a\nb\nc\nd\n"},
        {"a\nb\nc\nd\ne", "a\nb\nc\nd\n"},
        {longLine + "\nb\nc\nd\n", longLine.substr(0, 511)},
        {"a\nb\n" + longLine, "a\nb\n" + longLine.substr(0, 507)},
        {std::string(510, 'x') + "\n\n\n\n", std::string(510, 'x') + "\n"},
    };
    for (const Case& test : cases) {
        Header header;
        header.labelText = test.stored;
        header.categories = {{2, 4, "After", "After"}};
        std::string path = writeFile(plainFile({plainRecord(1, "Smith", 4)}, header));
        PalmAddressFile file(path);
        ASSERT_TRUE(file.opened()) << test.stored.size();
        EXPECT_EQ(test.kept, file.customLabelText());
        EXPECT_EQ("After", file.recordAt(0)->categoryName) << "the rest of the text was skipped";
    }
}

TEST_F(PalmAddressFileTest, EntryCountGivesWholeRecordsOnly) {
    Header header;
    header.entryCount = 61;
    PalmBytes bytes;
    appendHeader(bytes, header);
    appendCells(bytes, plainRecord(1, "One"));
    appendCells(bytes, plainRecord(2, "Two"));
    appendCells(bytes, plainRecord(3, "Ignored"));
    PalmAddressFile file(writeFile(bytes));
    ASSERT_TRUE(file.opened());
    EXPECT_EQ(2u, file.recordCount());
    EXPECT_EQ(AddressFileReadState::Complete, file.readState());

    header.entryCount = 0;
    PalmBytes empty;
    appendHeader(empty, header);
    std::string path = writeFile(empty, "empty.dat");
    PalmAddressFile none(path);
    ASSERT_TRUE(none.opened());
    EXPECT_EQ(0u, none.recordCount());
    ASSERT_TRUE(none.saveToOpenedPath());
    header.storedName = path;
    PalmBytes expected;
    appendHeader(expected, header);
    EXPECT_EQ(expected.bytes(), readWholeFile(path));
}

TEST_F(PalmAddressFileTest, FewerFieldsPerRecordAreReadAndWrittenAsFew) {
    Header header;
    header.fieldsPerRecord = 10;
    header.fieldTypes.resize(12);
    std::vector<Cell> cells = plainRecord(7, "Short");
    cells.resize(10);
    header.entryCount = 20;
    PalmBytes bytes;
    appendHeader(bytes, header);
    appendCells(bytes, cells);
    appendCells(bytes, cells);
    std::string path = writeFile(bytes);

    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    ASSERT_EQ(2u, file.recordCount());
    EXPECT_EQ("Short", file.recordAt(1)->lastName);
    EXPECT_EQ("", file.recordAt(1)->categoryName) << "column 24 was never read";
    ASSERT_TRUE(file.saveToOpenedPath());
    header.storedName = path;
    PalmBytes expected;
    appendHeader(expected, header);
    appendCells(expected, cells);
    appendCells(expected, cells);
    EXPECT_EQ(expected.bytes(), readWholeFile(path));
}

TEST_F(PalmAddressFileTest, FilesOfAnotherFormatOrCutShortDoNotRead) {
    PalmBytes format4;
    format4.format4Signature().u32(0x41420200);
    PalmBytes wrongTag = plainFile({plainRecord(1, "A")});
    std::vector<uint8_t> tagged = wrongTag.bytes();
    tagged[3] = 0x42;

    PalmAddressFile file;
    EXPECT_FALSE(file.openAndRead(writeFile(format4, "four.dat")));
    EXPECT_FALSE(file.openAndRead(writeFile(PalmBytes().raw(tagged), "tag.dat")));
    EXPECT_FALSE(file.openAndRead(writeFile(PalmBytes(), "empty.dat")));
    EXPECT_FALSE(file.openAndRead(data.file("missing.dat")));
    EXPECT_EQ(AddressFileReadState::Failed, file.readState());
    EXPECT_EQ("", file.openedPath());

    // Every cut inside the header fails; every cut inside the records opens
    // with the whole records before it and refuses to save.
    PalmBytes whole = plainFile({plainRecord(1, "A"), plainRecord(2, "B")});
    Header header;
    PalmBytes headerOnly;
    appendHeader(headerOnly, header);
    size_t recordSize = (whole.size() - headerOnly.size()) / 2;
    for (size_t length = 0; length < whole.size(); ++length) {
        std::string path = writeFile(PalmBytes().raw(whole.bytes().data(), length), "cut.dat");
        PalmAddressFile cut;
        bool read = cut.openAndRead(path);
        if (length < headerOnly.size()) {
            EXPECT_FALSE(read) << length;
            continue;
        }
        ASSERT_TRUE(read) << length;
        EXPECT_EQ((length - headerOnly.size()) / recordSize, cut.recordCount()) << length;
        EXPECT_EQ(AddressFileReadState::RecordsMissing, cut.readState()) << length;
        EXPECT_FALSE(cut.saveToOpenedPath()) << length;
    }
}

// ---- saving only what can be saved whole

TEST_F(PalmAddressFileTest, AFileWithUnreadableRecordsIsNeverSaved) {
    std::vector<Cell> broken = plainRecord(3, "Three");
    broken[5] = number(0);  // an integer where a string belongs
    PalmBytes bytes = plainFile({plainRecord(1, "One"), plainRecord(2, "Two"), broken, plainRecord(4, "Four")});
    std::string path = writeFile(bytes);
    std::string other = writeFile(plainFile({}), "other.dat");
    std::vector<uint8_t> otherBefore = readWholeFile(other);

    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened()) << "the records before the failure are shown";
    ASSERT_EQ(2u, file.recordCount());
    EXPECT_EQ("Two", file.recordAt(1)->lastName);
    EXPECT_EQ(AddressFileReadState::RecordsMissing, file.readState());

    EXPECT_FALSE(file.saveToOpenedPath());
    EXPECT_FALSE(file.save(other));
    EXPECT_EQ(bytes.bytes(), readWholeFile(path));
    EXPECT_EQ(otherBefore, readWholeFile(other));
}

TEST_F(PalmAddressFileTest, AFailedReadLeavesNothingToSaveOver) {
    std::string good = writeFile(plainFile({plainRecord(1, "One")}), "good.dat");
    PalmBytes format4;
    format4.format4Signature().u32(0x41420200).fill(0, 64);
    std::string bad = writeFile(format4, "bad.dat");
    std::vector<uint8_t> goodBefore = readWholeFile(good);

    PalmAddressFile file(good);
    ASSERT_TRUE(file.opened());
    EXPECT_EQ(good, file.openedPath());
    EXPECT_FALSE(file.openAndRead(bad));
    EXPECT_FALSE(file.saveToOpenedPath()) << "neither the failed file nor the earlier one is overwritten";
    EXPECT_FALSE(file.save(good));
    EXPECT_EQ(goodBefore, readWholeFile(good));
    EXPECT_EQ(format4.bytes(), readWholeFile(bad));

    PalmAddressFile neverRead;
    EXPECT_FALSE(neverRead.saveToOpenedPath());
}

TEST_F(PalmAddressFileTest, SaveNeitherCreatesFilesNorReportsUnwrittenBytes) {
    PalmAddressFile file(writeFile(plainFile({plainRecord(1, "One")})));
    ASSERT_TRUE(file.opened());
    EXPECT_FALSE(file.save(data.file("new.dat")));
    EXPECT_FALSE(fileExists(data.file("new.dat")));

    std::string target = writeFile(PalmBytes().fill(0xEE, 8), "target.dat");
    PalmAddressRecord huge;
    huge.note.assign(70000, 'n');
    ASSERT_TRUE(file.addRecord(huge));
    EXPECT_FALSE(file.save(target)) << "a text the file cannot express";
    EXPECT_EQ(PalmBytes().fill(0xEE, 8).bytes(), readWholeFile(target)) << "refused before the file is touched";

#ifndef _WIN32
    PalmAddressFile small(writeFile(plainFile({plainRecord(1, "One")}), "small.dat"));
    ASSERT_TRUE(small.opened());
    if (!fileExists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(small.save("/dev/full")) << "the bytes never reached the device";
#endif
}

// ---- hostile headers

TEST_F(PalmAddressFileTest, HeadersThisLayoutCannotHoldAreRefused) {
    auto withHeader = [&](void (*change)(Header&)) {
        Header header;
        change(header);
        return plainFile({plainRecord(1, "A")}, header);
    };
    std::vector<PalmBytes> refused = {
        withHeader([](Header& h) { h.fieldTypes.resize(31, 5); }),
        withHeader([](Header& h) { h.fieldsPerRecord = 0; }),
        withHeader([](Header& h) { h.fieldsPerRecord = 31; }),
        withHeader([](Header& h) { h.storedName.assign(260, 's'); }),
        withHeader([](Header& h) {
            for (uint32_t id = 1; id <= 16; ++id)
                h.categories.push_back({id, id, "C", "C"});
        }),
        withHeader([](Header& h) {
            h.categories = {{1, 3, "A", "A"}, {2, 3, "B", "B"}};
        }),
        withHeader([](Header& h) {
            h.categories = {{1, 0, "Zero", "Zero"}};
        }),
        withHeader([](Header& h) {
            h.categories = {{1, 4, std::string(256, 'n'), "n"}};
        }),
    };
    for (size_t index = 0; index < refused.size(); ++index) {
        PalmAddressFile file;
        EXPECT_FALSE(file.openAndRead(writeFile(refused[index]))) << index;
    }

    PalmAddressFile longestName;
    EXPECT_TRUE(longestName.openAndRead(writeFile(withHeader([](Header& h) { h.storedName.assign(259, 's'); }))));
    PalmAddressFile thirtyTypes;
    EXPECT_TRUE(thirtyTypes.openAndRead(writeFile(withHeader([](Header& h) { h.fieldsPerRecord = 30; }))));
}

TEST_F(PalmAddressFileTest, AnEntryCountBeyondTheFileReadsOnlyWhatIsThere) {
    Header header;
    header.fieldsPerRecord = 1;
    header.fieldTypes = {1};
    header.entryCount = 0xFFFFFFFF;
    PalmBytes bytes;
    appendHeader(bytes, header);
    bytes.integerField(11).integerField(12);
    PalmAddressFile file(writeFile(bytes));
    ASSERT_TRUE(file.opened());
    ASSERT_EQ(2u, file.recordCount());
    EXPECT_EQ(12u, file.recordAt(1)->recordId);
    EXPECT_EQ(AddressFileReadState::RecordsMissing, file.readState());
}

// ---- the record list

TEST_F(PalmAddressFileTest, RecordListHoldsCopiesAtStableAddresses) {
    PalmAddressFile file(writeFile(plainFile({plainRecord(1, "One"), plainRecord(2, "Two")})));
    ASSERT_TRUE(file.opened());
    PalmAddressRecord* first = file.recordAt(0);

    PalmAddressRecord added;
    added.lastName = "Added";
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(file.addRecord(added));
    added.lastName = "Changed afterwards";
    EXPECT_EQ(first, file.recordAt(0)) << "records do not move when the list grows";
    EXPECT_EQ("One", first->lastName);
    EXPECT_EQ("Added", file.recordAt(101)->lastName);
    EXPECT_EQ(nullptr, file.recordAt(102));

    size_t visited = 0;
    for (PalmAddressRecord* record = file.firstRecord(); record; record = file.nextRecord()) {
        EXPECT_EQ(file.recordAt(visited), record);
        ++visited;
    }
    EXPECT_EQ(102u, visited);
    EXPECT_EQ(nullptr, file.nextRecord());

    char name[16] = "untouched";
    EXPECT_TRUE(file.categoryNameForId(0, name));
    EXPECT_STREQ("Unfiled", name);
    std::strcpy(name, "untouched");
    EXPECT_FALSE(file.categoryNameForId(42, name));
    EXPECT_STREQ("untouched", name);

    file.clearRecords();
    EXPECT_EQ(0u, file.recordCount());
    EXPECT_EQ(nullptr, file.firstRecord());
}

TEST_F(PalmAddressFileTest, AddedRecordsAreWrittenAfterTheReadOnes) {
    std::string path = writeFile(plainFile({plainRecord(1, "One")}));
    PalmAddressFile file(path);
    ASSERT_TRUE(file.opened());
    PalmAddressRecord added;
    added.recordId = 0;
    added.position = 0x7FFFFFFF;
    added.status = 1;
    added.lastName = "Added";
    added.firstName = "First";
    added.isPrivate = 0;
    for (uint32_t slot = 0; slot < 5; ++slot)
        added.phoneLabel[slot] = slot;
    added.categoryName = "Not written";
    ASSERT_TRUE(file.addRecord(added));
    ASSERT_TRUE(file.saveToOpenedPath());

    std::vector<Cell> addedCells = plainRecord(0, "Added");
    addedCells[1] = number(1);
    addedCells[2] = number(0x7FFFFFFF);
    Header header;
    header.storedName = path;
    EXPECT_EQ(plainFile({plainRecord(1, "One"), addedCells}, header).bytes(), readWholeFile(path));
}

// ---- user files

std::string fakeRootDirectory;

int32_t PALM_API rootDirectory(char* buffer, short* size) {
    if (fakeRootDirectory.size() + 1 > static_cast<size_t>(*size))
        return 0;
    std::memcpy(buffer, fakeRootDirectory.c_str(), fakeRootDirectory.size() + 1);
    return 1;
}

int32_t PALM_API userDirectory(uint32_t id, char* buffer, short* size) {
    std::strncpy(buffer, id == 7 ? "Alice" : "Nobody", static_cast<size_t>(*size));
    return 0;
}

class UserLibrary : public PalmModule {
public:
    LibraryEntryPoint entryPoint(const char* name) const override {
        if (std::strcmp(name, "UmGetRootDirectory") == 0)
            return reinterpret_cast<LibraryEntryPoint>(&rootDirectory);
        if (std::strcmp(name, "UmGetUserDirectory") == 0)
            return reinterpret_cast<LibraryEntryPoint>(&userDirectory);
        return nullptr;
    }
};

class UserLibraryLoader : public PalmModuleLoader {
public:
    std::unique_ptr<PalmModule> load(const char* path) override {
        return std::unique_ptr<PalmModule>(new UserLibrary());
    }
};

TEST_F(PalmAddressFileTest, UserFilesAreFoundThroughTheUserLibrary) {
    PalmAddressFile file;
    EXPECT_FALSE(file.readUserFile(7)) << "no user library";

    UserLibraryLoader loader;
    setPalmModuleLoader(&loader);
    writeSettings("[Path]\r\nPDPath=" + data.path() + "Palm\r\n");
    ASSERT_TRUE(loadPalmLibraries(PalmUserData));
    fakeRootDirectory = data.path();
    // On Windows the backslashes separate folders; elsewhere they are part
    // of one file name.
#ifdef _WIN32
    std::filesystem::create_directories(data.path() + "Alice\\address");
#endif
    std::string userFile = data.path() + "Alice\\address\\address.dat";
    ASSERT_TRUE(plainFile({plainRecord(1, "Older")}).writeTo(userFile));

    EXPECT_TRUE(file.readUserFile(7));
    EXPECT_EQ(userFile, file.openedPath());
    EXPECT_EQ("Older", file.recordAt(0)->lastName);
    EXPECT_FALSE(file.readUserFile(8)) << "that user has no address file";
    PalmAddressFile4 newer;
    EXPECT_FALSE(newer.readUserFile(7)) << "the file is of the older format";

    unloadPalmLibraries(PalmUserData);
    setPalmModuleLoader(nullptr);
}

// ---- seeds for the fuzz target

// Small valid files: each reads and survives a save unchanged. With
// QS_FUZZ_CORPUS_DIR set they are also written there as the fuzz seeds.
TEST_F(PalmAddressFileTest, SeedFilesReadAndSurviveASave) {
    Header categories;
    categories.labelText = "Custom 1\nCustom 2\n";
    categories.categories = {{1, 1, "Business", "Business"}, {2, 2, "Personal", "Personal"}};
    Header shortRecords;
    shortRecords.fieldsPerRecord = 3;
    shortRecords.fieldTypes = {1, 1, 1};
    std::vector<Cell> full = firstFullRecord();
    full[6] = text("Company");
    std::vector<Cell> three = {number(1), number(2), number(3)};
    const std::vector<std::pair<std::string, PalmBytes>> seeds = {
        {"empty.dat", plainFile({})},
        {"one.dat", plainFile({plainRecord(1, "Smith", 1)}, categories)},
        {"full.dat", plainFile({full, secondFullRecord()}, categories)},
        {"short-records.dat", plainFile({three, three}, shortRecords)},
    };
    const char* corpus = std::getenv("QS_FUZZ_CORPUS_DIR");
    for (const auto& seed : seeds) {
        std::string path = writeFile(seed.second, seed.first);
        PalmAddressFile file(path);
        ASSERT_TRUE(file.opened()) << seed.first;
        EXPECT_EQ(AddressFileReadState::Complete, file.readState()) << seed.first;
        ASSERT_TRUE(file.saveToOpenedPath()) << seed.first;
        PalmAddressFile reread(path);
        ASSERT_TRUE(reread.opened()) << seed.first;
        ASSERT_EQ(file.recordCount(), reread.recordCount()) << seed.first;
        for (size_t index = 0; index < file.recordCount(); ++index) {
            EXPECT_EQ(*file.recordAt(index), *reread.recordAt(index)) << seed.first << " " << index;
        }
        if (corpus) {
            EXPECT_TRUE(seed.second.writeTo(std::string(corpus) + "/address_file/" + seed.first));
        }
    }
}

}  // namespace
