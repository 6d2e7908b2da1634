#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testenv/fakeoutlook/ContactFile.h"
#include "testenv/fakeoutlook/FakeContact.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "tests/support/TempFolder.h"

namespace {

std::u16string decoded(const std::string& encoded) {
    std::u16string value;
    std::string problem;
    EXPECT_TRUE(decodeContactFileValue(encoded, &value, &problem)) << encoded << ": " << problem;
    return value;
}

std::vector<ContactFileEntry> parsed(const std::string& text) {
    std::vector<ContactFileEntry> contacts;
    ContactFileError error;
    EXPECT_TRUE(parseContactFile(text, &contacts, &error)) << error.describe();
    return contacts;
}

ContactFileError parseError(const std::string& text) {
    std::vector<ContactFileEntry> contacts;
    ContactFileError error;
    EXPECT_FALSE(parseContactFile(text, &contacts, &error)) << text;
    return error;
}

}  // namespace

TEST(ContactFileValue, EveryTextSurvivesEncodingAndStaysOnOneLine) {
    const std::u16string texts[] = {
        u"",
        u"plain",
        u"a=b=c",
        u"two\r\nlines\nand\ra tab\t",
        u"back\\slash and \\n written out",
        std::u16string(u"nul\0inside", 10),
        u"\x01\x1f\x7f",
        u"Caf\u00e9 \u20ac \u4e2d",
        u"pair \U0001F600 end",
        u"lone \xD800 high and \xDC00 low",
        u"\xDC00\xD800",  // the wrong way round is two lone halves
    };
    for (const std::u16string& text : texts) {
        std::string encoded = encodeContactFileValue(text);
        EXPECT_EQ(std::string::npos, encoded.find('\n'));
        EXPECT_EQ(std::string::npos, encoded.find('\r'));
        EXPECT_EQ(text, decoded(encoded));
    }
    EXPECT_EQ("Caf\xC3\xA9", encodeContactFileValue(u"Caf\u00e9")) << "UTF-8, not escapes, for real characters";
    EXPECT_EQ("\\u0001", encodeContactFileValue(u"\x01"));
    EXPECT_EQ(u"\u00e9", decoded("\\u00E9")) << "escapes may be written by hand";
}

TEST(ContactFileValue, MalformedValuesAreRefused) {
    const std::string bad[] = {
        "ends in \\",
        "\\x41",
        "\\u12",
        "\\u12G4",
        "\xC3",              // cut-off sequence
        "\xC0\xAF",          // overlong
        "\xED\xA0\x80",      // a surrogate encoded as UTF-8
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\x80",              // continuation byte alone
    };
    for (const std::string& text : bad) {
        std::u16string value = u"untouched";
        std::string problem;
        EXPECT_FALSE(decodeContactFileValue(text, &value, &problem)) << text;
        EXPECT_FALSE(problem.empty());
        EXPECT_EQ(u"untouched", value);
    }
}

TEST(ContactFileParse, ReadsWhatAPersonWouldWrite) {
    std::vector<ContactFileEntry> contacts = parsed("\xEF\xBB\xBF# seeded by hand\r\n"
                                                    "\r\n"
                                                    "[contact]\r\n"
                                                    "FirstName=Ann\r\n"
                                                    "Body=x=1\r\n"
                                                    "Spouse=\r\n"
                                                    "[contact]\n"
                                                    "[contact]\n"
                                                    "LastName=Last line without a line break");
    ASSERT_EQ(3u, contacts.size());
    ASSERT_EQ(3u, contacts[0].lines.size());
    EXPECT_EQ("FirstName", contacts[0].lines[0].name);
    EXPECT_EQ(u"Ann", contacts[0].lines[0].value) << "the CR of a CRLF file is not part of the value";
    EXPECT_EQ(u"x=1", contacts[0].lines[1].value) << "the value starts after the first '='";
    EXPECT_EQ(u"", contacts[0].lines[2].value);
    EXPECT_TRUE(contacts[1].lines.empty());
    ASSERT_EQ(1u, contacts[2].lines.size());
    EXPECT_EQ(u"Last line without a line break", contacts[2].lines[0].value);

    EXPECT_TRUE(parsed("").empty());
    EXPECT_TRUE(parsed("# nothing but a comment\n\n").empty());
}

TEST(ContactFileParse, MistakesAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        size_t line;
        const char* mentions;
    } cases[] = {
        {"FirstName=Ann\n", 1, "before the first"},       {"# c\n[contacts]\n", 2, "[contacts]"},
        {"[contact]\nFirstName Ann\n", 2, "Name=value"},  {"[contact]\n=Ann\n", 2, "no name"},
        {"[contact]\nFirst Name=Ann\n", 2, "First Name"}, {"[contact]\nFirstName=Ann\nfirstname=Bo\n", 3, "twice"},
        {"[contact]\nBody=bad \\q escape\n", 2, "Body"},  {"[contact]\r\n\r\nBody=\xFF\r\n", 3, "UTF-8"},
    };
    for (const Case& item : cases) {
        ContactFileError error = parseError(item.text);
        EXPECT_EQ(item.line, error.line) << item.text;
        EXPECT_NE(std::string::npos, error.describe().find(item.mentions)) << error.describe();
    }
    // The same name in two contacts is no repetition.
    EXPECT_EQ(2u, parsed("[contact]\nFirstName=A\n[contact]\nFirstName=B\n").size());
}

TEST(ContactFileParse, TheLastBlockOfAPlaceWinsAndPlacesGiveTheOrder) {
    std::vector<ContactFileEntry> contacts = parsed("[contact]\nFirstName=Ann\nSpouse=Al\n"
                                                    "[contact]\nFirstName=Bob\n"
                                                    "[contact 5]\nFirstName=Eve\n"
                                                    "[contact 1]\nFirstName=Ann\nHobby=chess\n"
                                                    "[contact 3]\nFirstName=Cy\n"
                                                    "[contact]\nFirstName=Fay\n");
    ASSERT_EQ(5u, contacts.size());
    const char16_t* names[] = {u"Ann", u"Bob", u"Cy", u"Eve", u"Fay"};
    const size_t places[] = {1, 2, 3, 5, 6};
    for (size_t index = 0; index < contacts.size(); ++index) {
        EXPECT_EQ(names[index], contacts[index].lines[0].value);
        EXPECT_EQ(places[index], contacts[index].place);
    }
    ASSERT_EQ(2u, contacts[0].lines.size()) << "a later block replaces the contact, it adds nothing to it";
    EXPECT_EQ("Hobby", contacts[0].lines[1].name);
    // A name repeated across two blocks of one place is no repetition.
    EXPECT_EQ(1u, parsed("[contact 2]\nFirstName=A\n[contact 2]\nFirstName=B\n").size());

    for (const char* header : {"[contact 0]", "[contact 01]", "[contact x]", "[contact 1000000000]", "[contact ]",
                               "[contact  2]", "[contact 2"}) {
        ContactFileError error = parseError(std::string("[contact]\n") + header + "\nFirstName=A\n");
        EXPECT_EQ(2u, error.line) << header;
    }
}

TEST(ContactFileDisk, AnAppendedBlockLeavesTheBytesBeforeItAndReadsBackInPlace) {
    TempFolder folder;
    const std::string path = folder.file("contacts.txt");
    ContactFileEntry ann, bob;
    ann.lines.push_back({"FirstName", u"Ann"});
    bob.lines.push_back({"FirstName", u"Bob"});
    std::string problem;
    ASSERT_TRUE(appendContactBlock(path, bob, 2, &problem)) << problem;
    const auto text = [&path] {
        std::vector<uint8_t> bytes = readWholeFile(path);
        return std::string(bytes.begin(), bytes.end());
    };
    const std::string first = text();
    EXPECT_EQ(0u, first.find("# ")) << "a new file starts with its comment";

    ann.lines.push_back({"Body", u"one\r\ntwo"});
    ASSERT_TRUE(appendContactBlock(path, ann, 1, &problem)) << problem;
    EXPECT_EQ(first + formatContactBlock(ann, 1), text());

    std::vector<ContactFileEntry> contacts;
    bool existed = false;
    ContactFileError error;
    ASSERT_TRUE(readContactFile(path, &contacts, &existed, &error)) << error.describe();
    ASSERT_EQ(2u, contacts.size());
    EXPECT_EQ(u"Ann", contacts[0].lines[0].value);
    EXPECT_EQ(u"one\r\ntwo", contacts[0].lines[1].value);
    EXPECT_EQ(u"Bob", contacts[1].lines[0].value);

    EXPECT_FALSE(appendContactBlock(folder.file("no-such-folder/contacts.txt"), ann, 1, &problem));
}

TEST(ContactFileParse, RefusesAFileBeyondTheLimit) {
    std::string huge(MaximumContactFileSize + 1, '#');
    ContactFileError error = parseError(huge);
    EXPECT_EQ(0u, error.line);
}

TEST(ContactFileContact, EveryPropertyAndUnknownLineRoundTripsThroughTheText) {
    FakeContact original(45000.25);
    int number = 0;
    for (const FakeContactProperty& property : fakeContactProperties()) {
        ++number;
        switch (property.type) {
        case AutomationValueType::Text:
            original.setText(property.name, u"v" + std::u16string(number, u'x') + u"\r\n\\\u00e9");
            break;
        case AutomationValueType::Date: original.setDate(property.name, 36000.0 + number / 3.0); break;
        default: original.setInteger(property.name, -2147483647 - 1); break;
        }
    }
    std::vector<ContactFileLine> unknown = {{"Zeta", u"last"}, {"Alpha", u"a\nb"}};

    std::vector<ContactFileEntry> contacts = parsed(formatContactFile({contactFileEntry(original, unknown)}));
    ASSERT_EQ(1u, contacts.size());
    FakeContact copy(1.0);
    std::vector<ContactFileLine> unknownRead;
    std::string problem;
    ASSERT_TRUE(seedFakeContact(contacts[0], &copy, &unknownRead, &problem)) << problem;
    for (const FakeContactProperty& property : fakeContactProperties()) {
        EXPECT_EQ(*original.value(property.name), *copy.value(property.name)) << property.name;
    }
    ASSERT_EQ(2u, unknownRead.size()) << "unknown lines come back in their order";
    EXPECT_EQ("Zeta", unknownRead[0].name);
    EXPECT_EQ(u"a\nb", unknownRead[1].value);
}

TEST(ContactFileContact, DatesComeBackBitForBit) {
    const double dates[] = {0.1, 1e-9, -657434.25, 2958465.9999884259, 36345.5, 45292.123456789012};
    for (double date : dates) {
        FakeContact original(1.0);
        original.setDate("Birthday", date);
        FakeContact copy(1.0);
        std::vector<ContactFileLine> unknown;
        std::string problem;
        ASSERT_TRUE(
            seedFakeContact(parsed(formatContactFile({contactFileEntry(original, {})}))[0], &copy, &unknown, &problem));
        EXPECT_EQ(date, copy.date("Birthday"));
    }
}

TEST(ContactFileContact, LeavesOutEmptyValuesButKeepsTheTimeStamps) {
    FakeContact contact(45000.5);
    contact.setText("FirstName", u"Ann");
    ContactFileEntry entry = contactFileEntry(contact, {});
    std::vector<std::string> names;
    for (const ContactFileLine& line : entry.lines)
        names.push_back(line.name);
    EXPECT_EQ((std::vector<std::string>{"FirstName", "CreationTime", "LastModificationTime"}), names);
}

TEST(ContactFileContact, ValuesTheirPropertyCannotHoldAreRefusedByName) {
    const char* bad[] = {"Birthday=soon", "Birthday=",         "Birthday= 1", "Birthday=nan",          "Birthday=1e999",
                         "Gender=2.5",    "Gender=2147483648", "Gender=x",    "CreationTime=yesterday"};
    for (const char* line : bad) {
        std::vector<ContactFileEntry> contacts = parsed(std::string("[contact]\n") + line + "\n");
        FakeContact contact(1.0);
        std::vector<ContactFileLine> unknown;
        std::string problem;
        EXPECT_FALSE(seedFakeContact(contacts[0], &contact, &unknown, &problem)) << line;
        std::string name(line, std::string(line).find('='));
        EXPECT_NE(std::string::npos, problem.find(name)) << problem;
    }
}

TEST(ContactFileDisk, MissingFileIsNoContactsAndWrittenFilesReadBack) {
    TempFolder folder;
    std::vector<ContactFileEntry> contacts = {ContactFileEntry()};
    bool existed = true;
    ContactFileError error;
    ASSERT_TRUE(readContactFile(folder.file("absent.txt"), &contacts, &existed, &error));
    EXPECT_FALSE(existed);
    EXPECT_TRUE(contacts.empty());

    ContactFileEntry entry;
    entry.lines.push_back({"FirstName", u"Ann"});
    std::string problem;
    ASSERT_TRUE(writeContactFile(folder.file("contacts.txt"), {entry, entry}, &problem)) << problem;
    ASSERT_TRUE(readContactFile(folder.file("contacts.txt"), &contacts, &existed, &error)) << error.describe();
    EXPECT_TRUE(existed);
    EXPECT_EQ(2u, contacts.size());

    EXPECT_FALSE(writeContactFile(folder.file("no-such-folder/contacts.txt"), {entry}, &problem));
    EXPECT_FALSE(problem.empty());
}
