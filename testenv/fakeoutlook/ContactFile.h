#pragma once
#include <cstddef>
#include <string>
#include <vector>

class FakeContact;

// The stand-in Outlook's contacts file: UTF-8 text, easy to seed by hand and
// to read back in a test.
//
//   # a comment (only at the start of a line); blank lines are skipped
//   [contact]
//   FirstName=Ann
//   Birthday=36345.5
//   Body=first line\r\nsecond line
//
// "[contact]" starts each contact; every other line is Name=value. A Save
// appends the saved contact's whole block under "[contact N]", N its place
// (from 1) in the file's order, so a save costs one contact and not the
// folder: reading back, the last block of each place wins, and the contacts
// come in the order of their places. A "[contact]" block takes the place
// after the highest one so far; a file of such blocks alone reads in file
// order. Values
// escape "\\", "\n", "\r", "\t" and write other control characters and lone
// UTF-16 surrogates as "\uXXXX", so any text survives exactly. Dates are the
// automation date as a decimal number, "Gender" a decimal integer. A name the
// contact item does not have is kept and written back as it was read.

struct ContactFileLine {
    std::string name;
    std::u16string value;
};

// One contact: its property lines in file order, and its place as read (the
// number of its last block; formatting ignores it).
struct ContactFileEntry {
    std::vector<ContactFileLine> lines;
    size_t place = 0;
};

// A higher place number is refused rather than read.
constexpr size_t MaximumContactPlace = 999999999;

// The larger files are refused rather than read.
constexpr size_t MaximumContactFileSize = 64u * 1024u * 1024u;

// What was wrong and where (line from 1; 0 for the file as a whole).
struct ContactFileError {
    size_t line = 0;
    std::string message;
    std::string describe() const;
};

bool parseContactFile(const std::string& text, std::vector<ContactFileEntry>* contacts, ContactFileError* error);
std::string formatContactFile(const std::vector<ContactFileEntry>& contacts);

// A value line's escaped text and back; decoding fails on a bad escape or on
// bytes that are not UTF-8.
std::string encodeContactFileValue(const std::u16string& value);
bool decodeContactFileValue(const std::string& encoded, std::u16string* value, std::string* problem);

// Between an entry and a contact of the in-memory Outlook. Seeding gives each
// known property its typed value and hands the lines of unknown names back in
// `unknown`; a value its property's type cannot hold fails, with the
// property named in `problem`.
bool seedFakeContact(const ContactFileEntry& entry, FakeContact* contact, std::vector<ContactFileLine>* unknown,
                     std::string* problem);
// Every property that holds more than its neutral value (the two time stamps
// always), in the item's property order, then the unknown lines.
ContactFileEntry contactFileEntry(const FakeContact& contact, const std::vector<ContactFileLine>& unknown);

// Whole files. A missing file reads as no contacts (`existed` false). The
// messages leave the path to the caller.
bool readContactFile(const std::string& path, std::vector<ContactFileEntry>* contacts, bool* existed,
                     ContactFileError* error);
bool writeContactFile(const std::string& path, const std::vector<ContactFileEntry>& contacts, std::string* problem);
// Each contact under "[contact N]", N its place.
bool writeContactFileInPlaces(const std::string& path, const std::vector<ContactFileEntry>& contacts,
                              std::string* problem);
// One "[contact N]" block at the end of the file (made, with its comment,
// when missing or empty); the bytes before it stay as they were.
std::string formatContactBlock(const ContactFileEntry& contact, size_t place);
bool appendContactBlock(const std::string& path, const ContactFileEntry& contact, size_t place, std::string* problem);
