#pragma once
#include "palm/FieldBlob.h"

#include <cstddef>
#include <cstdint>
#include <string>

// One address of a Palm Desktop 4 record: five consecutive text columns.
struct PalmAddressBlock {
    static constexpr size_t kAddressCapacity = 256;
    static constexpr size_t kCityCapacity = 32;
    static constexpr size_t kStateCapacity = 32;
    static constexpr size_t kZipCapacity = 32;
    static constexpr size_t kCountryCapacity = 32;

    std::string address;
    std::string city;
    std::string state;
    std::string zip;
    std::string country;

    bool operator==(const PalmAddressBlock& other) const;
    bool operator!=(const PalmAddressBlock& other) const { return !(*this == other); }
};

// One contact of the Palm Desktop 4 address file, column by column. Every
// field is carried unchanged, the unnamed values and the blobs included.
//
// As in the older format, texts are kept whole as read; the capacities are
// the nominal sizes (terminator included) that text entering a record from
// elsewhere is cut to, minus one. Copying a record copies its blobs' data.
struct PalmAddressRecord4 {
    static constexpr size_t kColumnCount = 73;
    static constexpr size_t kBlobCount = 4;
    static constexpr size_t kPhoneCount = 7;
    static constexpr size_t kCustomCount = 9;
    static constexpr size_t kChatCount = 2;

    static constexpr size_t kTextCapacity = 32;  // text11, text12, text69 to text72
    static constexpr size_t kFirstNameCapacity = 32;
    static constexpr size_t kLastNameCapacity = 32;
    static constexpr size_t kTitleCapacity = 32;
    static constexpr size_t kCompanyCapacity = 256;
    static constexpr size_t kNoteCapacity = 2048;
    static constexpr size_t kPhoneCapacity = 32;
    static constexpr size_t kCustomCapacity = 256;
    static constexpr size_t kChatCapacity = 32;
    static constexpr size_t kWebPageCapacity = 256;
    static constexpr size_t kCategoryNameCapacity = 20;

    // A record made here rather than read carries in its blobs the tags their
    // columns declare (64 to 67), so it is written as well-formed empty blobs.
    PalmAddressRecord4();

    uint32_t recordId = 0;                  // column 0
    uint32_t value1 = 0;                    // column 1
    uint32_t status = 0;                    // column 2
    uint32_t value3 = 0;                    // column 3
    uint32_t position = 0;                  // column 4
    uint32_t categoryId = 0;                // column 5
    uint32_t isPrivate = 0;                 // column 6
    FieldBlob blob[kBlobCount];             // columns 7 to 10
    std::string text11;                     // column 11
    std::string text12;                     // column 12
    std::string firstName;                  // column 13 (14 with swapped names)
    std::string lastName;                   // column 14 (13 with swapped names)
    std::string title;                      // column 15
    std::string company;                    // column 16
    uint32_t value17 = 0;                   // column 17
    std::string note;                       // column 18
    std::string phone[kPhoneCount];         // columns 19 to 25
    uint32_t phoneLabel[kPhoneCount] = {};  // columns 26 to 32
    std::string custom[kCustomCount];       // columns 33 to 41
    uint32_t value42 = 0;                   // column 42
    PalmAddressBlock workAddress;           // columns 43 to 47
    uint32_t value48 = 0;                   // column 48
    PalmAddressBlock homeAddress;           // columns 49 to 53
    uint32_t value54 = 0;                   // column 54
    PalmAddressBlock otherAddress;          // columns 55 to 59
    std::string chat[kChatCount];           // columns 60, 61
    uint32_t value62 = 0;                   // column 62
    uint32_t value63 = 0;                   // column 63
    std::string webPage;                    // column 64
    uint32_t birthday[2] = {};              // column 65: the two words in file order
    uint32_t value66 = 0;                   // column 66
    uint32_t value67 = 0;                   // column 67
    uint32_t value68 = 0;                   // column 68
    std::string text69;                     // column 69
    std::string text70;                     // column 70
    std::string text71;                     // column 71
    std::string text72;                     // column 72

    // The name of category categoryId, filled on reading and never written.
    std::string categoryName;

    // Back to the empty record: numbers 0, texts empty, blobs empty with their
    // columns' tags.
    void clear();

    bool operator==(const PalmAddressRecord4& other) const;
    bool operator!=(const PalmAddressRecord4& other) const { return !(*this == other); }
};
