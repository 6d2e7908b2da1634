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
// "[contact]" starts each contact; every other line is Name=value. Values
// escape "\\", "\n", "\r", "\t" and write other control characters and lone
// UTF-16 surrogates as "\uXXXX", so any text survives exactly. Dates are the
// automation date as a decimal number, "Gender" a decimal integer. A name the
// contact item does not have is kept and written back as it was read.

struct ContactFileLine {
    std::string name;
    std::u16string value;
};

// One contact: its property lines in file order.
struct ContactFileEntry {
    std::vector<ContactFileLine> lines;
};

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
