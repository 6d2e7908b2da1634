#include "contactexport/VCardWriter.h"

#include <cstdio>

#include "contactexport/Utf8Text.h"
#include "sync/AutomationDate.h"

namespace {

// Backslash, comma, semicolon and line breaks escaped, as a text value needs.
std::string escaped(const char* text) {
    const std::string utf8 = utf8Of(text);
    std::string out;
    for (size_t index = 0; index < utf8.size(); ++index) {
        const char c = utf8[index];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            if (index + 1 < utf8.size() && utf8[index + 1] == '\n')
                ++index;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

// Folded after 75 octets, never inside a UTF-8 sequence.
void appendLine(std::string& out, const std::string& line) {
    size_t start = 0;
    size_t limit = 75;
    while (line.size() - start > limit) {
        size_t cut = start + limit;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line, start, cut - start);
        out += "\r\n ";
        start = cut;
        limit = 74;  // the leading space counts
    }
    out.append(line, start, std::string::npos);
    out += "\r\n";
}

class Card {
public:
    explicit Card(std::string& out) : out_(out) {}
    void text(const char* name, const char* value) {
        if (value[0] != '\0')
            appendLine(out_, std::string(name) + ":" + escaped(value));
    }
    void structured(const char* name, const std::vector<const char*>& parts) {
        std::string value;
        bool any = false;
        for (size_t index = 0; index < parts.size(); ++index) {
            value += (index > 0 ? ";" : "") + escaped(parts[index]);
            any = any || parts[index][0] != '\0';
        }
        if (any)
            appendLine(out_, std::string(name) + ":" + value);
    }
    void date(const char* name, double date) {
        CalendarDateTime day;
        if (date == 0.0 || !automationDateToCalendar(date, &day))
            return;
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
        appendLine(out_, std::string(name) + ":" + text);
    }
    void raw(const std::string& line) { appendLine(out_, line); }

private:
    std::string& out_;
};

std::string fullNameOf(const ContactRecord& record) {
    if (record.fullName[0] != '\0')
        return record.fullName;
    std::string name;
    for (const char* part : {record.firstName, record.middleName, record.lastName, record.suffix}) {
        if (part[0] != '\0')
            name += (name.empty() ? "" : " ") + std::string(part);
    }
    return !name.empty() ? name : record.company;
}

void address(Card& card, const char* name, const AddressBlock& block) {
    card.structured(name, {"", "", block.street, block.city, block.state, block.postalCode, block.country});
}

void writeCard(Card& card, const ContactRecord& record) {
    card.raw("BEGIN:VCARD");
    card.raw("VERSION:3.0");
    const std::string fullName = fullNameOf(record);
    card.raw("FN:" + escaped(fullName.c_str()));
    card.structured("N", {record.lastName, record.firstName, record.middleName, "", record.suffix});
    card.text("NICKNAME", record.nickName);
    card.structured("ORG", {record.company, record.department});
    card.text("TITLE", record.jobTitle);
    card.text("ROLE", record.profession);
    address(card, "ADR;TYPE=WORK", record.businessAddress);
    address(card, "ADR;TYPE=HOME", record.homeAddress);
    address(card, "ADR;TYPE=POSTAL", record.otherAddress);
    card.text("TEL;TYPE=WORK,VOICE", record.workPhone);
    card.text("TEL;TYPE=HOME,VOICE", record.homePhone);
    card.text("TEL;TYPE=CELL", record.mobilePhone);
    card.text("TEL;TYPE=PREF", record.mainPhone);
    card.text("TEL;TYPE=VOICE", record.otherPhone);
    card.text("TEL;TYPE=CAR", record.carPhone);
    card.text("TEL;TYPE=PAGER", record.pager);
    card.text("TEL;TYPE=WORK,FAX", record.businessFax);
    card.text("TEL;TYPE=HOME,FAX", record.homeFax);
    card.text("TEL;TYPE=MSG", record.callbackPhone);
    card.text("X-RADIO-TELEPHONE", record.radioPhone);
    card.text("EMAIL;TYPE=INTERNET,PREF", record.email1);
    card.text("EMAIL;TYPE=INTERNET", record.email2);
    card.text("EMAIL;TYPE=INTERNET", record.email3);
    card.text("URL", record.homePage);
    card.text("X-PERSONAL-HOME-PAGE", record.personalHomePage);
    card.text("X-IM", record.imAddress);
    card.date("BDAY", record.birthday);
    card.date("X-ANNIVERSARY", record.anniversary);
    card.text("X-SPOUSE", record.spouse);
    card.text("X-ASSISTANT", record.assistantName);
    card.text("X-ASSISTANT-TELEPHONE", record.assistantPhone);
    card.text("CATEGORIES", record.category);
    card.text("NOTE", record.note);
    for (int index = 0; index < 9; ++index)
        card.text(("X-QUILLSET-CUSTOM" + std::to_string(index + 1)).c_str(), record.custom[index]);
    if (record.isPrivate != 0)
        card.raw("CLASS:PRIVATE");
    card.raw("END:VCARD");
}

}  // namespace

std::string vCardText(const std::vector<const ContactRecord*>& records) {
    std::string out;
    Card card(out);
    for (const ContactRecord* record : records) {
        if (record != nullptr)
            writeCard(card, *record);
    }
    return out;
}
