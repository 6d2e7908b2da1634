#pragma once
#include <string>
#include <vector>

// One record of a user's file as the checks print and compare it: named
// values in a fixed order, texts as UTF-8 with the contact file's escapes
// ("\\", "\n", "\r", "\t", "\uXXXX"), so every value is one line.

struct CheckField {
    std::string name;
    std::string value;
    bool operator==(const CheckField& other) const { return name == other.name && value == other.value; }
};

struct CheckRecord {
    // Who the record is, for a reader ("Ann Lee").
    std::string label;
    // What stays the same when the record is changed in place (a record id,
    // a creation time); empty when nothing does. Compared records pair by it.
    std::string key;
    std::vector<CheckField> fields;

    // Appends a field; a name already present gets " (2)", " (3)", ...
    void add(const std::string& name, const std::string& value);
    // The value of the field, or null.
    const std::string* find(const std::string& name) const;
};

struct CheckFile {
    // What the records are called in the output ("record", "contact").
    std::string recordNoun;
    // One line about the file ("Palm Desktop 4 address file").
    std::string description;
    // Values of the file itself rather than of a record.
    std::vector<CheckField> fileValues;
    std::vector<CheckRecord> records;
};

// Windows-1252 (the address files' code page) as an escaped UTF-8 value.
std::string checkTextOfAnsi(const std::string& text);
// "First Last", either alone, or "(no name)".
std::string personLabel(const std::string& first, const std::string& last);

// The whole file as text: a comment line, the file's values under "[file]",
// then each record under "[record N]" (N from 1 in file order), one
// "Name=value" line per field.
std::string formatCheckFile(const CheckFile& file, const std::string& path);
