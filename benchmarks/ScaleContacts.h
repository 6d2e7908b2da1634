#pragma once
// The address books of the scale benchmark: n contacts per side, the first
// half of each side paired with the other side's (same names, numbers and
// address), every fifth pair differing in the job title, the second half on
// one side only. The same people as unified records, as Palm Desktop address
// files of either format and as the stand-in Outlook's contact file.
#include "sync/ContactRecord.h"
#include "sync/TextField.h"
#include "tests/support/PalmBytes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace scale {

enum class Side { Palm, Outlook };

struct Person {
    std::string first, last, company, title, workPhone, homePhone, mobilePhone, email;
    std::string street, city, state, zip, country, note;
};

inline std::string numbered(const char* format, int value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

inline Person person(Side side, int index, int perSide) {
    static const char* const firstNames[] = {"Alice", "Bernard", "Chiara", "Dmitri", "Eleanor", "Farid", "Grace"};
    static const char* const lastNames[] = {"Anderson", "Okafor", "Rossi", "Kowalski", "Nakamura", "Lindqvist"};
    static const char* const companies[] = {"Northwind Trading Company", "Contoso Pharmaceuticals Ltd.",
                                            "Fabrikam Engineering & Sons", "Tailspin Toys International"};
    static const char* const cities[] = {"Springfield", "Rotterdam", "Osaka", "Montevideo", "Edinburgh"};
    const bool paired = index < perSide / 2;
    // Each side's own people are numbered apart from the other side's.
    const int number = paired ? index : index + (side == Side::Palm ? 0 : perSide);
    Person p;
    p.first = firstNames[number % 7];
    p.last = std::string(lastNames[number % 6]) + numbered("-%06d", number);
    p.company = companies[number % 4];
    p.title = paired && side == Side::Outlook && index % 5 == 0 ? "Head of Logistics" : "Purchasing Manager";
    p.workPhone = numbered("+1 555 %07d", 3 * number);
    p.homePhone = numbered("+1 555 %07d", 3 * number + 1);
    p.mobilePhone = number % 2 == 0 ? numbered("+1 555 %07d", 3 * number + 2) : "";
    p.email = numbered("contact%06d@example.com", number);
    p.street = numbered("%d Harbour View Road, Unit 4", 10 + number % 900);
    p.city = cities[number % 5];
    p.state = "CA";
    p.zip = numbered("%05d", 10000 + number % 89999);
    p.country = "United States";
    p.note = "Met at the autumn trade fair; prefers calls before noon.";
    return p;
}

inline std::vector<Person> people(Side side, int perSide) {
    std::vector<Person> all;
    for (int index = 0; index < perSide; ++index)
        all.push_back(person(side, index, perSide));
    return all;
}

inline void toRecord(const Person& p, ContactRecord& record) {
    copyText(record.firstName, p.first.c_str());
    copyText(record.lastName, p.last.c_str());
    copyText(record.company, p.company.c_str());
    copyText(record.jobTitle, p.title.c_str());
    copyText(record.workPhone, p.workPhone.c_str());
    copyText(record.homePhone, p.homePhone.c_str());
    copyText(record.mobilePhone, p.mobilePhone.c_str());
    copyText(record.email1, p.email.c_str());
    copyText(record.businessAddress.street, p.street.c_str());
    copyText(record.businessAddress.city, p.city.c_str());
    copyText(record.businessAddress.state, p.state.c_str());
    copyText(record.businessAddress.postalCode, p.zip.c_str());
    copyText(record.businessAddress.country, p.country.c_str());
    copyText(record.note, p.note.c_str());
}

// The older format: 30 columns, five phone slots (Work, Home, Mobile, E-Mail, Fax).
inline PalmBytes palmFile1(const std::string& storedName, const std::vector<Person>& all) {
    PalmBytes bytes;
    bytes.u32(0x41420100).countedString(storedName).countedString("Custom 1\nCustom 2\nCustom 3\nCustom 4\n");
    bytes.categorySection(128, {{1, 5, "Business", "Business"}, {2, 9, "Personal", "Personal"}});
    bytes.format1Schema();
    bytes.u32(static_cast<uint32_t>(all.size() * 30));
    uint32_t id = 1;
    for (const Person& p : all) {
        bytes.integerField(id).integerField(0).integerField(id - 1);
        ++id;
        bytes.stringField(p.last).stringField(p.first).stringField(p.title).stringField(p.company);
        bytes.integerField(0).stringField(p.workPhone).integerField(1).stringField(p.homePhone);
        bytes.integerField(7).stringField(p.mobilePhone).integerField(4).stringField(p.email);
        bytes.integerField(2).stringField("");
        bytes.stringField(p.street).stringField(p.city).stringField(p.state).stringField(p.zip);
        bytes.stringField(p.country).stringField(p.note).booleanField(0).integerField(1);
        for (int custom = 0; custom < 4; ++custom)
            bytes.stringField("");
        bytes.integerField(0);
    }
    return bytes;
}

// The Palm Desktop 4 format: 73 columns, seven phone slots.
inline PalmBytes palmFile4(const std::string& storedName, const std::vector<Person>& all) {
    const uint32_t count = static_cast<uint32_t>(all.size());
    PalmBytes bytes;
    bytes.format4Signature().u32(0x41420200);
    bytes.fill(0, 12).u8(static_cast<uint8_t>(count % 256)).u8(static_cast<uint8_t>(count / 256 + 16)).fill(0, 10);
    bytes.countedString(storedName).fill(0, 11);
    for (int label = 0; label < 9; ++label)
        bytes.countedString(numbered("Custom %d", label + 1)).u32(0);
    bytes.fill(0, 42).categorySection(128, {{1, 5, "Business", "Business"}, {2, 9, "Personal", "Personal"}});
    bytes.format4Schema();
    bytes.u32(count * 73);
    uint32_t index = 0;
    for (const Person& p : all) {
        bytes.integerField(index + 1).integerField(0x1000 + index).integerField(0).integerField(73 * index);
        bytes.integerField(index).integerField(1).integerField(0);
        bytes.absentBlobField(64).absentBlobField(65).absentBlobField(66).absentBlobField(67);
        bytes.stringField("").stringField("").stringField(p.first).stringField(p.last);
        bytes.stringField(p.title).stringField(p.company).integerField(0).stringField(p.note);
        const std::string phones[7] = {p.workPhone, p.homePhone, p.mobilePhone, p.email, "", "", ""};
        const uint32_t labels[7] = {0, 1, 7, 4, 2, 3, 5};
        for (const std::string& phone : phones)
            bytes.stringField(phone);
        for (uint32_t label : labels)
            bytes.integerField(label);
        for (int custom = 0; custom < 9; ++custom)
            bytes.stringField("");
        bytes.integerField(0);
        bytes.stringField(p.street).stringField(p.city).stringField(p.state).stringField(p.zip).stringField(p.country);
        bytes.integerField(1);
        for (int text = 0; text < 5; ++text)
            bytes.stringField("");
        bytes.integerField(2);
        for (int text = 0; text < 5; ++text)
            bytes.stringField("");
        bytes.stringField("").stringField("").integerField(0).integerField(0);
        bytes.stringField("").wideField(0, 0).booleanField(0);
        bytes.integerField(0).integerField(0);
        for (int text = 0; text < 4; ++text)
            bytes.stringField("");
        ++index;
    }
    return bytes;
}

// The stand-in Outlook's contact file (plain ASCII values need no escapes).
inline std::string outlookContacts(const std::vector<Person>& all) {
    std::string text = "# The scale benchmark's Outlook contacts.\n";
    for (const Person& p : all) {
        text += "\n[contact]\n";
        const std::pair<const char*, const std::string*> lines[] = {
            {"FirstName", &p.first},
            {"LastName", &p.last},
            {"CompanyName", &p.company},
            {"JobTitle", &p.title},
            {"BusinessTelephoneNumber", &p.workPhone},
            {"HomeTelephoneNumber", &p.homePhone},
            {"MobileTelephoneNumber", &p.mobilePhone},
            {"Email1Address", &p.email},
            {"BusinessAddressStreet", &p.street},
            {"BusinessAddressCity", &p.city},
            {"BusinessAddressState", &p.state},
            {"BusinessAddressPostalCode", &p.zip},
            {"BusinessAddressCountry", &p.country},
            {"Body", &p.note},
        };
        for (const auto& line : lines) {
            if (!line.second->empty())
                text += std::string(line.first) + "=" + *line.second + "\n";
        }
    }
    return text;
}

}  // namespace scale
