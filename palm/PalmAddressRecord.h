#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// One contact of the older Palm Desktop address file, column by column.
//
// Texts are kept exactly as the file held them, however long: a record the
// program does not change is written back byte for byte. The capacities are
// the nominal sizes of the columns (terminator included); text entering a
// record from elsewhere is cut to capacity - 1 by whoever puts it there.
struct PalmAddressRecord {
    static constexpr size_t kColumnCount = 30;
    static constexpr size_t kPhoneCount = 5;
    static constexpr size_t kCustomCount = 4;

    static constexpr size_t kLastNameCapacity = 32;
    static constexpr size_t kFirstNameCapacity = 32;
    static constexpr size_t kTitleCapacity = 32;
    static constexpr size_t kCompanyCapacity = 256;
    static constexpr size_t kPhoneCapacity = 32;
    static constexpr size_t kAddressCapacity = 256;
    static constexpr size_t kCityCapacity = 32;
    static constexpr size_t kStateCapacity = 32;
    static constexpr size_t kZipCapacity = 32;
    static constexpr size_t kCountryCapacity = 32;
    static constexpr size_t kNoteCapacity = 2048;
    static constexpr size_t kCustomCapacity = 64;
    static constexpr size_t kCategoryNameCapacity = 16;

    uint32_t recordId = 0;                  // column 0
    uint32_t status = 0;                    // column 1, flags the contact store tests and sets
    uint32_t position = 0;                  // column 2
    std::string lastName;                   // column 3 (4 with swapped names)
    std::string firstName;                  // column 4 (3 with swapped names)
    std::string title;                      // column 5
    std::string company;                    // column 6
    uint32_t phoneLabel[kPhoneCount] = {};  // columns 7, 9, 11, 13, 15
    std::string phone[kPhoneCount];         // columns 8, 10, 12, 14, 16
    std::string address;                    // column 17
    std::string city;                       // column 18
    std::string state;                      // column 19
    std::string zip;                        // column 20
    std::string country;                    // column 21
    std::string note;                       // column 22
    uint32_t isPrivate = 0;                 // column 23
    uint32_t categoryId = 0;                // column 24
    std::string custom[kCustomCount];       // columns 25 to 28
    uint32_t displayPhone = 0;              // column 29

    // The name of category categoryId, filled on reading and never written.
    std::string categoryName;

    // Back to the empty record: numbers 0, texts empty.
    void clear();

    bool operator==(const PalmAddressRecord& other) const;
    bool operator!=(const PalmAddressRecord& other) const { return !(*this == other); }
};
