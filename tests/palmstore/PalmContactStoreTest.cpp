#include "palmstore/PalmContactStore.h"
#include "palm/PalmDesktopInstallation.h"
#include "sync/SourceType.h"
#include "sync/TextField.h"
#include "tests/support/PalmFileBuilders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

PalmAddressRecord record1(uint32_t id, const std::string& first, const std::string& last) {
    PalmAddressRecord r;
    r.recordId = id;
    r.firstName = first;
    r.lastName = last;
    for (uint32_t slot = 0; slot < 5; ++slot)
        r.phoneLabel[slot] = slot;
    return r;
}

PalmAddressRecord4 record4(uint32_t id, const std::string& first, const std::string& last) {
    PalmAddressRecord4 r;
    r.recordId = id;
    r.firstName = first;
    r.lastName = last;
    for (uint32_t slot = 0; slot < 7; ++slot)
        r.phoneLabel[slot] = slot;
    return r;
}

ContactRecord contact(const char* first, const char* last) {
    ContactRecord c;
    copyText(c.firstName, first);
    copyText(c.lastName, last);
    return c;
}

// A store over a program folder of its own (no settings: names not swapped,
// no Palm Desktop installed).
class PalmContactStoreTest : public ::testing::Test {
protected:
    PalmContactStoreTest() : scopedProgramFolder(programDirectory.path()) {}

    std::string write(const PalmBytes& bytes, const std::string& name = "address.dat") {
        std::string path = data.file(name);
        EXPECT_TRUE(bytes.writeTo(path));
        return path;
    }
    std::string writeFormat1(const std::vector<PalmAddressRecord>& records) {
        return write(olderFormatFile(data.file("address.dat"), records));
    }
    std::string writeFormat4(const std::vector<PalmAddressRecord4>& records) {
        return write(format4File(data.file("address.dat"), records));
    }

    TempFolder programDirectory;
    ScopedProgramFolder scopedProgramFolder;
    TempFolder data;
};

// ---- loading

TEST_F(PalmContactStoreTest, LoadsTheOlderFormatIntoUnifiedRecords) {
    PalmAddressRecord ann = record1(0x11, "Ann", "Lee");
    ann.title = "Buyer";
    ann.company = std::string(100, 'c');
    ann.address = "1 Main St";
    ann.city = "Springfield";
    ann.state = "ST";
    ann.zip = "12345";
    ann.country = "Utopia";
    ann.note = "Likes tea";
    ann.categoryId = 9;
    for (int index = 0; index < 4; ++index)
        ann.custom[index] = "custom" + std::to_string(index + 1);
    // Work "1", Pager "2", Mobile "3" and two empty slots.
    const uint32_t labels[5] = {0, 6, 7, 1, 2};
    const char* phones[5] = {"1", "2", "3", "", ""};
    for (int slot = 0; slot < 5; ++slot) {
        ann.phoneLabel[slot] = labels[slot];
        ann.phone[slot] = phones[slot];
    }
    std::string path = writeFormat1({ann, record1(0x22, "Bob", "Ray")});

    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));
    EXPECT_EQ(PalmFormat::Older, store.loadedFormat());
    ASSERT_EQ(2, store.contacts()->count());
    ASSERT_EQ(2u, store.recordCount());

    const ContactRecord& c = *store.contacts()->at(0);
    EXPECT_STREQ("Ann", c.firstName);
    EXPECT_STREQ("Lee", c.lastName);
    EXPECT_STREQ("Buyer", c.jobTitle);
    EXPECT_EQ(std::string(63, 'c'), c.company) << "cut to the unified field";
    EXPECT_STREQ("1 Main St", c.businessAddress.street);
    EXPECT_STREQ("Springfield", c.businessAddress.city);
    EXPECT_STREQ("ST", c.businessAddress.state);
    EXPECT_STREQ("12345", c.businessAddress.postalCode);
    EXPECT_STREQ("Utopia", c.businessAddress.country);
    EXPECT_STREQ("", c.homeAddress.street);
    EXPECT_STREQ("Likes tea", c.note);
    EXPECT_STREQ("custom4", c.custom[3]);
    EXPECT_STREQ("", c.custom[4]);
    EXPECT_STREQ("Friends", c.category);
    EXPECT_STREQ("1", c.workPhone);
    EXPECT_STREQ("3", c.mobilePhone);
    EXPECT_STREQ("", c.pager);
    EXPECT_STREQ("", c.homePhone) << "an empty slot carries nothing";
    EXPECT_EQ(SourceTypePalm, c.sourceType);
    EXPECT_EQ(0x11, c.nativeId);
    EXPECT_EQ(0, c.isPrivate);

    PalmNativeKey key;
    ASSERT_TRUE(decodePalmNativeKey(store.contacts()->at(1)->nativeData, key));
    EXPECT_EQ(PalmFormat::Older, key.format);
    EXPECT_EQ(0x22u, key.recordId);
    EXPECT_EQ(1u, key.fileIndex);

    PalmRecordCopy* copy = store.recordAt(0);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(PalmFormat::Older, copy->format());
    EXPECT_EQ(store.file1().recordAt(0), copy->source1());
    EXPECT_EQ(*store.file1().recordAt(0), *copy->record1());
    EXPECT_EQ(nullptr, copy->record4());
}

TEST_F(PalmContactStoreTest, LoadsThePalmDesktop4FormatIntoUnifiedRecords) {
    PalmAddressRecord4 r = record4(0x33, "Cleo", "Moss");
    r.company = "Moss & Co";
    r.workAddress = {"Work St", "Worktown", "WS", "111", "Workland"};
    r.homeAddress = {"Home St", "Hometown", "HS", "222", "Homeland"};
    r.otherAddress = {"Other St", "Otherton", "OS", "333", "Otherland"};
    for (int index = 0; index < 9; ++index)
        r.custom[index] = "c" + std::to_string(index + 1);
    r.custom[6] = std::string(200, 'x');
    r.chat[0] = "cleo.chat";
    r.webPage = "http://example.com/";
    r.birthday[0] = 0;
    r.birthday[1] = 0x40E5F000;  // 44928.0
    r.categoryId = 5;
    // Home twice (the later one wins), E-Mail, Pager, an unknown label, Main, Mobile.
    const uint32_t labels[7] = {1, 4, 6, 1, 9, 5, 7};
    const char* phones[7] = {"h1", "cleo@example.com", "p", "h2", "x", "m", "07"};
    for (int slot = 0; slot < 7; ++slot) {
        r.phoneLabel[slot] = labels[slot];
        r.phone[slot] = phones[slot];
    }
    std::string path = writeFormat4({r});

    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));
    EXPECT_EQ(PalmFormat::Format4, store.loadedFormat());
    ASSERT_EQ(1, store.contacts()->count());
    const ContactRecord& c = *store.contacts()->at(0);
    EXPECT_STREQ("Cleo", c.firstName);
    EXPECT_STREQ("Moss & Co", c.company);
    EXPECT_STREQ("Work St", c.businessAddress.street);
    EXPECT_STREQ("Homeland", c.homeAddress.country);
    EXPECT_STREQ("333", c.otherAddress.postalCode);
    EXPECT_STREQ("c9", c.custom[8]);
    EXPECT_EQ(std::string(63, 'x'), c.custom[6]) << "a 200-character custom field is cut to 63";
    EXPECT_STREQ("h2", c.homePhone);
    EXPECT_STREQ("cleo@example.com", c.email1);
    EXPECT_STREQ("m", c.mainPhone);
    EXPECT_STREQ("07", c.mobilePhone);
    EXPECT_STREQ("", c.pager);
    EXPECT_STREQ("", c.imAddress) << "chat names are not carried";
    EXPECT_STREQ("", c.homePage);
    EXPECT_STREQ("Business", c.category);
    EXPECT_DOUBLE_EQ(44928.0, c.birthday);
    EXPECT_EQ(SourceTypePalm4, c.sourceType);
    EXPECT_EQ(store.file2().recordAt(0), store.recordAt(0)->source4());
}

TEST_F(PalmContactStoreTest, HiddenRecordsStayInTheFileAndPositionsSkipThem) {
    PalmAddressRecord hidden = record1(1, "Hidden", "One");
    hidden.status = 0x04;
    PalmAddressRecord archived = record1(3, "Archived", "Three");
    archived.status = 0x80;
    std::string path = writeFormat1({hidden, record1(2, "Second", "Two"), archived, record1(4, "Fourth", "Four")});

    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));
    ASSERT_EQ(2, store.contacts()->count());
    EXPECT_STREQ("Second", store.contacts()->at(0)->firstName);
    EXPECT_STREQ("Fourth", store.contacts()->at(1)->firstName);

    ContactRecord update = contact("Changed", "Two");
    ASSERT_TRUE(store.updateRecord(&update, 0));
    EXPECT_EQ("Changed", store.file1().recordAt(1)->firstName);
    EXPECT_EQ(0x02u, store.file1().recordAt(1)->status);
    hidden.categoryName = "Unfiled";  // filled on reading
    EXPECT_EQ(hidden, *store.file1().recordAt(0));
    ASSERT_TRUE(store.save());

    PalmAddressFile reread(path);
    ASSERT_EQ(4u, reread.recordCount());
    EXPECT_EQ("Hidden", reread.recordAt(0)->firstName);
    EXPECT_EQ(0x04u, reread.recordAt(0)->status);
    EXPECT_EQ("Changed", reread.recordAt(1)->firstName);
    EXPECT_EQ(0x80u, reread.recordAt(2)->status);
}

TEST_F(PalmContactStoreTest, DetectFormatAndUnreadableFiles) {
    std::string older = write(olderFormatFile(data.file("one.dat"), {record1(1, "A", "B")}), "one.dat");
    std::string newer = write(format4File(data.file("four.dat"), {record4(1, "A", "B")}), "four.dat");
    PalmBytes garbage;
    garbage.raw("not an address file at all");
    std::string other = write(garbage, "other.dat");

    EXPECT_EQ(PalmFormat::Older, PalmContactStore::detectFormat(older));
    EXPECT_EQ(PalmFormat::Format4, PalmContactStore::detectFormat(newer));
    EXPECT_EQ(PalmFormat::Unreadable, PalmContactStore::detectFormat(other));
    EXPECT_EQ(PalmFormat::Unreadable, PalmContactStore::detectFormat(data.file("missing.dat")));

    // A failed load leaves nothing of the previous one behind.
    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(newer));
    EXPECT_FALSE(store.loadFile(other));
    EXPECT_EQ(PalmFormat::Unreadable, store.loadedFormat());
    EXPECT_EQ(0, store.contacts()->count());
    EXPECT_EQ(0u, store.recordCount());
    EXPECT_EQ(0u, store.file2().recordCount());
    EXPECT_FALSE(store.save());
    ASSERT_TRUE(store.loadFile(older));
    EXPECT_EQ(1, store.contacts()->count());
}

// ---- a Palm Desktop user's file, through a stand-in user library

std::string fakeRoot;

int32_t PALM_API fakeRootDirectory(char* buffer, short* size) {
    std::snprintf(buffer, static_cast<size_t>(*size), "%s", fakeRoot.c_str());
    return 1;
}

int32_t PALM_API fakeUserDirectory(uint32_t id, char* buffer, short* size) {
    std::snprintf(buffer, static_cast<size_t>(*size), "%s", id == 7 ? "Ann" : "");
    return 0;
}

class FakeUserLibrary : public PalmModule, public PalmModuleLoader {
public:
    LibraryEntryPoint entryPoint(const char* name) const override {
        if (std::strcmp(name, "UmGetRootDirectory") == 0)
            return reinterpret_cast<LibraryEntryPoint>(&fakeRootDirectory);
        if (std::strcmp(name, "UmGetUserDirectory") == 0)
            return reinterpret_cast<LibraryEntryPoint>(&fakeUserDirectory);
        return nullptr;
    }
    std::unique_ptr<PalmModule> load(const char*) override { return std::unique_ptr<PalmModule>(new FakeUserLibrary); }
};

// Installed for one test; the system loader is back afterwards whatever happened.
struct ScopedUserLibrary {
    FakeUserLibrary loader;
    ScopedUserLibrary() { setPalmModuleLoader(&loader); }
    ~ScopedUserLibrary() {
        unloadPalmLibraries(kAllPalmLibraries);
        setPalmModuleLoader(nullptr);
    }
};

TEST_F(PalmContactStoreTest, LoadsAUsersFileOfEitherFormat) {
    ScopedUserLibrary userLibrary;
    ASSERT_TRUE(writeWholeFile(programDirectory.file("tolvane.ini"), "[Path]\r\nPDPath=" + data.path() + "\r\n"));
    ASSERT_TRUE(loadPalmLibraries(PalmUserData));
    fakeRoot = data.path();
    char path[kPalmPathCapacity];
    ASSERT_TRUE(palmAddressFilePath(7, path, sizeof path));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());

    PalmContactStore store;
    ASSERT_TRUE(format4File(path, {record4(1, "Ann", "Four")}).writeTo(path));
    EXPECT_TRUE(store.loadUser(7));
    EXPECT_EQ(PalmFormat::Format4, store.loadedFormat());
    ASSERT_TRUE(olderFormatFile(path, {record1(1, "Ann", "One")}).writeTo(path));
    EXPECT_TRUE(store.loadUser(7));
    EXPECT_EQ(PalmFormat::Older, store.loadedFormat());
    ASSERT_EQ(1, store.contacts()->count());
    EXPECT_STREQ("One", store.contacts()->at(0)->lastName);
    EXPECT_FALSE(store.loadUser(8)) << "a user without a file";
    EXPECT_EQ(PalmFormat::Unreadable, store.loadedFormat());
    EXPECT_EQ(0, store.contacts()->count());
}

// ---- telephones into Palm records

struct Slots {
    std::vector<uint32_t> labels;
    std::vector<std::string> phones;
};

Slots phonesAfter(const PalmRecordCopy& copy) {
    Slots slots;
    if (const PalmAddressRecord* r = copy.record1()) {
        slots.labels.assign(r->phoneLabel, r->phoneLabel + 5);
        slots.phones.assign(r->phone, r->phone + 5);
    } else {
        const PalmAddressRecord4* r4 = copy.record4();
        slots.labels.assign(r4->phoneLabel, r4->phoneLabel + 7);
        slots.phones.assign(r4->phone, r4->phone + 7);
    }
    return slots;
}

PalmRecordCopy format1Copy(const std::vector<uint32_t>& labels, const std::vector<std::string>& phones) {
    PalmAddressRecord r;
    for (size_t slot = 0; slot < 5; ++slot) {
        r.phoneLabel[slot] = labels[slot];
        r.phone[slot] = phones[slot];
    }
    return PalmRecordCopy(r, nullptr);
}

TEST(PalmPhoneSlots, AnEmptyValueWalksTheLabelOfTheFirstEmptySlot) {
    PalmRecordCopy copy = format1Copy({0, 1, 2, 3, 4}, {"1", "2", "", "", ""});
    ContactRecord u;
    copyText(u.workPhone, "9");
    copyText(u.mobilePhone, "7");
    recordToPalm(u, copy);
    Slots after = phonesAfter(copy);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 7, 3, 4}), after.labels);
    EXPECT_EQ((std::vector<std::string>{"9", "2", "7", "", ""}), after.phones);
}

TEST(PalmPhoneSlots, HomeFaxStandsInForAnEmptyBusinessFax) {
    PalmRecordCopy copy = format1Copy({0, 2, 1, 3, 4}, {"", "old fax", "", "", ""});
    ContactRecord u;
    copyText(u.homeFax, "5");
    recordToPalm(u, copy);
    EXPECT_EQ("5", copy.record1()->phone[1]);
    EXPECT_EQ(2u, copy.record1()->phoneLabel[1]);

    copyText(u.businessFax, "4");
    recordToPalm(u, copy);
    EXPECT_EQ("4", copy.record1()->phone[1]) << "the business fax wins when there is one";
}

TEST(PalmPhoneSlots, AnExistingPagerSlotEndsThePagerStep) {
    PalmRecordCopy copy = format1Copy({6, 0, 1, 2, 7}, {"P", "", "", "", "m"});
    ContactRecord u;
    copyText(u.workPhone, "9");
    copyText(u.mobilePhone, "8");
    recordToPalm(u, copy);
    Slots after = phonesAfter(copy);
    // Slot 2 took labels 1 to 5 on the way; the pager step left it at Main Phone.
    EXPECT_EQ((std::vector<uint32_t>{6, 0, 5, 2, 7}), after.labels);
    EXPECT_EQ((std::vector<std::string>{"P", "9", "", "", "8"}), after.phones);
}

TEST(PalmPhoneSlots, ValuesWithoutRoomAreDroppedAndLongOnesCut) {
    PalmRecordCopy copy = format1Copy({0, 1, 2, 3, 5}, {"w", "h", "f", "o", "main"});
    ContactRecord u;
    copyText(u.mobilePhone, "7");
    copyText(u.email1, std::string(40, 'e').c_str());
    recordToPalm(u, copy);
    Slots after = phonesAfter(copy);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 3, 5}), after.labels);
    EXPECT_EQ((std::vector<std::string>{"w", "h", "f", "o", "main"}), after.phones);

    PalmRecordCopy roomy(PalmFormat::Format4);
    recordToPalm(u, roomy);
    Slots filled = phonesAfter(roomy);
    // Every slot of a new record is empty, so each label takes slot 0 until one brings a value.
    EXPECT_EQ(4u, filled.labels[0]);
    EXPECT_EQ(std::string(31, 'e'), filled.phones[0]) << "an e-mail address is cut to the phone slot";
    EXPECT_EQ(7u, filled.labels[1]);
    EXPECT_EQ("7", filled.phones[1]);
}

// ---- updates and additions

TEST_F(PalmContactStoreTest, UpdateWritesOnlyNonEmptyFieldsAndKeepsThePrivateFlag) {
    PalmAddressRecord r = record1(7, "Dan", "Hill");
    r.company = "Hill Farms";
    r.title = "Owner";
    r.isPrivate = 1;
    r.address = "Old Road";
    r.phone[1] = "555";
    std::string path = writeFormat1({r});
    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));

    ContactRecord u = contact("Dan", "Hill");
    copyText(u.jobTitle, "Farmer");
    copyText(u.homeAddress.street, "Home Lane");
    copyText(u.category, "A category longer than fifteen");
    copyText(u.note, "New note");
    ASSERT_TRUE(store.updateRecord(&u, 0));

    const PalmAddressRecord& file = *store.file1().recordAt(0);
    EXPECT_EQ("Hill Farms", file.company) << "an empty company keeps the Palm one";
    EXPECT_EQ("Farmer", file.title);
    EXPECT_EQ("Old Road", file.address) << "the older format exchanges only the business address";
    EXPECT_EQ("New note", file.note);
    EXPECT_EQ("A category long", file.categoryName);
    EXPECT_EQ(1u, file.isPrivate) << "a private record stays private";
    EXPECT_EQ(0x02u, file.status);
    EXPECT_EQ(file, *store.recordAt(0)->record1());

    const ContactRecord& merged = *store.contacts()->at(0);
    EXPECT_STREQ("Hill Farms", merged.company);
    EXPECT_STREQ("Farmer", merged.jobTitle);
    EXPECT_STREQ("555", merged.homePhone);
    EXPECT_EQ(SourceTypePalm, merged.sourceType);

    ContactRecord business = contact("Dan", "Hill");
    copyText(business.businessAddress.street, "Business Park 1");
    copyText(business.businessAddress.postalCode, "999");
    ASSERT_TRUE(store.updateRecord(&business, 0));
    EXPECT_EQ("Business Park 1", store.file1().recordAt(0)->address);
    EXPECT_EQ("999", store.file1().recordAt(0)->zip);

    EXPECT_FALSE(store.updateRecord(&business, 1));
    EXPECT_FALSE(store.updateRecord(&business, -1));
    EXPECT_FALSE(store.updateRecord(nullptr, 0));
}

TEST_F(PalmContactStoreTest, UpdateOfAPalmDesktop4RecordKeepsWhatTheUnifiedRecordDoesNotCarry) {
    PalmAddressRecord4 r = record4(8, "Eve", "Stone");
    r.blob[2].present = 1;
    r.blob[2].wordA = 3;
    ASSERT_TRUE(r.blob[2].setData(reinterpret_cast<const uint8_t*>("blobdata"), 8));
    r.chat[1] = "second chat";
    r.webPage = "http://stone.example/";
    r.value17 = 17;
    r.isPrivate = 1;
    r.value42 = 9;
    r.homeAddress.city = "Old City";
    std::string path = writeFormat4({r});
    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));

    ContactRecord u = contact("Eve", "Stone");
    copyText(u.imAddress, "eve.im");
    copyText(u.homeAddress.street, "New Street");
    copyText(u.custom[8], "nine");
    u.birthday = 36526.0;
    ASSERT_TRUE(store.updateRecord(&u, 0));
    ASSERT_TRUE(store.save());

    PalmAddressFile4 reread(path);
    ASSERT_EQ(1u, reread.recordCount());
    const PalmAddressRecord4& after = *reread.recordAt(0);
    EXPECT_EQ(r.blob[2], after.blob[2]);
    EXPECT_EQ("second chat", after.chat[1]);
    EXPECT_EQ("eve.im", after.chat[0]);
    EXPECT_EQ("http://stone.example/", after.webPage);
    EXPECT_EQ(17u, after.value17);
    EXPECT_EQ(1u, after.isPrivate) << "a private record stays private";
    EXPECT_EQ(0u, after.value42);
    EXPECT_EQ(1u, after.value48);
    EXPECT_EQ(2u, after.value54);
    EXPECT_EQ("New Street", after.homeAddress.address);
    EXPECT_EQ("Old City", after.homeAddress.city);
    EXPECT_EQ("nine", after.custom[8]);
    EXPECT_EQ(0x02u, after.status);
    double birthday;
    uint64_t bits = after.birthday[0] | static_cast<uint64_t>(after.birthday[1]) << 32;
    std::memcpy(&birthday, &bits, sizeof birthday);
    EXPECT_DOUBLE_EQ(36526.0, birthday);
}

TEST_F(PalmContactStoreTest, MergeAddsUpdatesOrLeavesAlone) {
    PalmAddressRecord r = record1(5, "Fay", "Wong");
    r.phone[1] = "111";
    std::string path = writeFormat1({r});
    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));
    const PalmAddressRecord before = *store.file1().recordAt(0);

    ContactRecord same = *store.contacts()->at(0);
    EXPECT_FALSE(store.mergeRecord(&same));
    EXPECT_EQ(before, *store.file1().recordAt(0));
    EXPECT_EQ(1, store.contacts()->count());
    EXPECT_EQ(1u, store.file1().recordCount());

    ContactRecord differs = same;
    copyText(differs.company, "Wong Ltd");
    EXPECT_TRUE(store.mergeRecord(&differs));
    EXPECT_EQ("Wong Ltd", store.file1().recordAt(0)->company);
    EXPECT_EQ(1, store.contacts()->count());

    ContactRecord stranger = contact("Gil", "Ng");
    EXPECT_TRUE(store.mergeRecord(&stranger));
    EXPECT_EQ(2, store.contacts()->count());
    EXPECT_EQ(2u, store.file1().recordCount());
    EXPECT_FALSE(store.mergeRecord(nullptr));
}

TEST_F(PalmContactStoreTest, AddedRecordsAreSavedAndReloadInBothFormats) {
    ContactRecord outlook = contact("Hal", "Ito");
    copyText(outlook.workPhone, "555-0100");
    copyText(outlook.homeAddress.city, "Kyoto");
    outlook.sourceType = SourceTypeOutlook;
    outlook.nativeData = {1, 2, 3};

    {
        std::string path = writeFormat1({record1(1, "A", "B"), record1(2, "C", "D")});
        PalmContactStore store;
        ASSERT_TRUE(store.loadFile(path));
        ASSERT_TRUE(store.addRecord(&outlook));
        ASSERT_EQ(3u, store.file1().recordCount());
        const PalmAddressRecord& added = *store.file1().recordAt(2);
        EXPECT_EQ(0x7FFFFFFFu, added.position);
        EXPECT_EQ(0x01u, added.status);
        EXPECT_EQ(0u, added.recordId);
        EXPECT_EQ(&added, store.recordAt(2)->source1());
        const ContactRecord& entry = *store.contacts()->at(2);
        EXPECT_EQ(SourceTypeOutlook, entry.sourceType) << "the new entry is the given record unchanged";
        EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), entry.nativeData);
        ASSERT_TRUE(store.save());

        PalmContactStore reloaded;
        ASSERT_TRUE(reloaded.loadFile(path));
        ASSERT_EQ(3, reloaded.contacts()->count());
        const ContactRecord& back = *reloaded.contacts()->at(2);
        EXPECT_STREQ("Hal", back.firstName);
        EXPECT_STREQ("555-0100", back.workPhone);
        EXPECT_STREQ("", back.homeAddress.city);
    }
    {
        std::string path =
            write(format4File(data.file("four.dat"), {record4(1, "A", "B"), record4(2, "C", "D")}), "four.dat");
        PalmContactStore store;
        ASSERT_TRUE(store.loadFile(path));
        ASSERT_TRUE(store.addRecord(&outlook));
        ASSERT_TRUE(store.addRecord(&outlook));
        ASSERT_EQ(4u, store.file2().recordCount());
        const PalmAddressRecord4& third = *store.file2().recordAt(2);
        EXPECT_EQ(4096u + 2, third.value1);
        EXPECT_EQ(73u * 2, third.value3);
        EXPECT_EQ(4096u + 3, store.file2().recordAt(3)->value1);
        EXPECT_EQ(73u * 3, store.file2().recordAt(3)->value3);
        EXPECT_EQ(0x7FFFFFFFu, third.position);
        EXPECT_EQ(0x01u, third.status);
        EXPECT_EQ(64u, third.blob[0].tag);
        ASSERT_TRUE(store.save());

        PalmContactStore reloaded;
        ASSERT_TRUE(reloaded.loadFile(path));
        ASSERT_EQ(4, reloaded.contacts()->count());
        EXPECT_STREQ("Kyoto", reloaded.contacts()->at(3)->homeAddress.city);
        EXPECT_EQ(4u, reloaded.file2().versionBlock()[12]) << "the header counts four records";
    }
}

TEST_F(PalmContactStoreTest, NothingIsAddedOrUpdatedWithoutALoadedFile) {
    ContactRecord u = contact("Ida", "Ko");
    PalmContactStore store;
    EXPECT_FALSE(store.addRecord(&u));
    EXPECT_FALSE(store.updateRecord(&u, 0));
    EXPECT_FALSE(store.mergeRecord(&u));
    EXPECT_FALSE(store.save());
    EXPECT_EQ(0, store.contacts()->count());
    EXPECT_EQ(0u, store.recordCount());

    EXPECT_FALSE(store.loadFile(data.file("missing.dat")));
    EXPECT_FALSE(store.addRecord(&u));
    EXPECT_EQ(0, store.contacts()->count());
    EXPECT_EQ(0u, store.recordCount());
}

// ---- saving

TEST_F(PalmContactStoreTest, UnchangedRecordsAreWrittenBackByteForByte) {
    PalmAddressRecord longOne = record1(1, "Long", "Texts");
    longOne.note = std::string(3000, 'n');
    longOne.company = std::string(300, 'c');
    longOne.custom[0] = std::string(100, 'u');
    PalmAddressRecord4 longFour = record4(1, "Long", "Texts");
    longFour.note = std::string(3000, 'n');
    longFour.custom[3] = std::string(400, 'u');
    longFour.blob[1].present = 1;
    ASSERT_TRUE(longFour.blob[1].setData(reinterpret_cast<const uint8_t*>("abc"), 3));

    std::vector<size_t> ends1;
    std::vector<size_t> ends4;
    const std::string path1 = data.file("one.dat");
    const std::string path4 = data.file("four.dat");
    PalmBytes bytes1 = olderFormatFile(path1, {longOne, record1(2, "Other", "One")}, twoCategories(), &ends1);
    PalmBytes bytes4 = format4File(path4, {longFour, record4(2, "Other", "One")}, twoCategories(), &ends4);
    write(bytes1, "one.dat");
    write(bytes4, "four.dat");

    for (const std::string& path : {path1, path4}) {
        PalmContactStore store;
        ASSERT_TRUE(store.loadFile(path));
        ContactRecord update = contact("Other", "One");
        copyText(update.company, "Changed");
        ASSERT_TRUE(store.updateRecord(&update, 1));
        ASSERT_TRUE(store.save());
    }
    const std::vector<uint8_t> saved1 = readWholeFile(path1);
    const std::vector<uint8_t> saved4 = readWholeFile(path4);
    ASSERT_GT(saved1.size(), ends1[0]);
    ASSERT_GT(saved4.size(), ends4[0]);
    EXPECT_TRUE(std::equal(bytes1.bytes().begin(), bytes1.bytes().begin() + ends1[0], saved1.begin()));
    EXPECT_TRUE(std::equal(bytes4.bytes().begin(), bytes4.bytes().begin() + ends4[0], saved4.begin()));
    PalmAddressFile reread(path1);
    ASSERT_EQ(2u, reread.recordCount());
    EXPECT_EQ("Changed", reread.recordAt(1)->company);
}

TEST_F(PalmContactStoreTest, AnUpdateCutsOnlyTextsThatChange) {
    PalmAddressRecord palm = record1(1, "Long", "Texts");
    palm.company = std::string(100, 'c');
    palm.address = std::string(100, 'a');
    palm.phone[4] = std::string(48, 'e');  // the E-Mail slot, wider than a phone
    palm.custom[0] = std::string(100, 'u');
    const std::string path = write(olderFormatFile(data.file("address.dat"), {palm}));

    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));
    ContactRecord other = *store.contacts()->at(0);
    copyText(other.jobTitle, "Editor");
    copyText(other.custom[0], "short");
    ASSERT_TRUE(store.mergeRecord(&other));
    ASSERT_TRUE(store.save());

    PalmAddressFile reread(path);
    ASSERT_EQ(1u, reread.recordCount());
    const PalmAddressRecord& saved = *reread.recordAt(0);
    EXPECT_EQ("Editor", saved.title);
    EXPECT_EQ(palm.company, saved.company) << "shown unchanged, kept whole";
    EXPECT_EQ(palm.address, saved.address);
    EXPECT_EQ(palm.phone[4], saved.phone[4]);
    EXPECT_EQ("short", saved.custom[0]) << "a changed text replaces the long one";

    // A different e-mail address still enters cut to the phone slot.
    ContactRecord changed = other;
    copyText(changed.email1, std::string(40, 'f').c_str());
    ASSERT_TRUE(store.updateRecord(&changed, 0));
    EXPECT_EQ(std::string(31, 'f'), store.file1().recordAt(0)->phone[4]);
}

TEST_F(PalmContactStoreTest, SavesWithTheWriterOfTheLoadedFormatWhateverIsInstalled) {
    PalmContactStore installedNow;
    EXPECT_FALSE(installedNow.saveFormat4()) << "no Palm Desktop in the test's setting";

    std::string path = writeFormat1({record1(1, "Jo", "Park")});
    PalmContactStore store(40102);
    EXPECT_TRUE(store.saveFormat4());
    ASSERT_TRUE(store.loadFile(path));
    ContactRecord update = contact("Jo", "Park");
    copyText(update.company, "Park Inc");
    ASSERT_TRUE(store.updateRecord(&update, 0));
    ASSERT_TRUE(store.save());

    EXPECT_EQ(PalmFormat::Older, PalmContactStore::detectFormat(path));
    PalmAddressFile reread(path);
    ASSERT_EQ(1u, reread.recordCount());
    EXPECT_EQ("Park Inc", reread.recordAt(0)->company);

    PalmContactStore older(30500);
    std::string four = write(format4File(data.file("four.dat"), {record4(1, "Kim", "Lo")}), "four.dat");
    ASSERT_TRUE(older.loadFile(four));
    ASSERT_TRUE(older.updateRecord(&update, 0));
    ASSERT_TRUE(older.save());
    PalmAddressFile4 reread4(four);
    EXPECT_EQ("Park Inc", reread4.recordAt(0)->company);
}

TEST_F(PalmContactStoreTest, SaveReportsAFileThatCannotBeWritten) {
    std::string path = writeFormat1({record1(1, "Lu", "Ma")});
    PalmContactStore store;
    ASSERT_TRUE(store.loadFile(path));
    ASSERT_TRUE(std::remove(path.c_str()) == 0);
    EXPECT_FALSE(store.save()) << "a save never creates the file it lost";
    EXPECT_FALSE(fileExists(path));
}

// ---- the native block

TEST(PalmNativeKeyBlock, OnlyItsOwnBlocksDecode) {
    PalmNativeKey key;
    key.format = PalmFormat::Format4;
    key.recordId = 0xA1B2C3D4;
    key.fileIndex = 70000;
    std::vector<uint8_t> block = encodePalmNativeKey(key);
    PalmNativeKey back;
    ASSERT_TRUE(decodePalmNativeKey(block, back));
    EXPECT_EQ(PalmFormat::Format4, back.format);
    EXPECT_EQ(0xA1B2C3D4u, back.recordId);
    EXPECT_EQ(70000u, back.fileIndex);

    std::vector<uint8_t> shortBlock(block.begin(), block.end() - 1);
    EXPECT_FALSE(decodePalmNativeKey(shortBlock, back));
    std::vector<uint8_t> otherFormat = block;
    otherFormat[4] = 3;
    EXPECT_FALSE(decodePalmNativeKey(otherFormat, back));
    std::vector<uint8_t> outlookImage(PalmNativeKeySize, 0);
    EXPECT_FALSE(decodePalmNativeKey(outlookImage, back));
}

}  // namespace
