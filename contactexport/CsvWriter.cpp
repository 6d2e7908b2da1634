#include "contactexport/CsvWriter.h"

#include <cstdio>

#include "contactexport/Utf8Text.h"
#include "sync/AutomationDate.h"

namespace {

struct Column {
    const char* header;
    std::string (*value)(const ContactRecord& record);
};

std::string dateText(double date) {
    CalendarDateTime day;
    if (date == 0.0 || !automationDateToCalendar(date, &day))
        return std::string();
    char text[16];
    std::snprintf(text, sizeof text, "%d/%d/%04d", day.month, day.day, day.year);
    return text;
}

#define TEXT(header, member)                                                                                           \
    {                                                                                                                  \
        header, [](const ContactRecord& r) { return utf8Of(r.member); }                                                \
    }

const Column columns[] = {
    TEXT("First Name", firstName),
    TEXT("Middle Name", middleName),
    TEXT("Last Name", lastName),
    TEXT("Suffix", suffix),
    TEXT("Company", company),
    TEXT("Department", department),
    TEXT("Job Title", jobTitle),
    TEXT("Business Street", businessAddress.street),
    TEXT("Business City", businessAddress.city),
    TEXT("Business State", businessAddress.state),
    TEXT("Business Postal Code", businessAddress.postalCode),
    TEXT("Business Country/Region", businessAddress.country),
    TEXT("Home Street", homeAddress.street),
    TEXT("Home City", homeAddress.city),
    TEXT("Home State", homeAddress.state),
    TEXT("Home Postal Code", homeAddress.postalCode),
    TEXT("Home Country/Region", homeAddress.country),
    TEXT("Other Street", otherAddress.street),
    TEXT("Other City", otherAddress.city),
    TEXT("Other State", otherAddress.state),
    TEXT("Other Postal Code", otherAddress.postalCode),
    TEXT("Other Country/Region", otherAddress.country),
    TEXT("Assistant's Phone", assistantPhone),
    TEXT("Business Fax", businessFax),
    TEXT("Business Phone", workPhone),
    TEXT("Callback", callbackPhone),
    TEXT("Car Phone", carPhone),
    TEXT("Home Fax", homeFax),
    TEXT("Home Phone", homePhone),
    TEXT("Mobile Phone", mobilePhone),
    TEXT("Other Phone", otherPhone),
    TEXT("Pager", pager),
    TEXT("Primary Phone", mainPhone),
    TEXT("Radio Phone", radioPhone),
    TEXT("Account", account),
    {"Anniversary", [](const ContactRecord& r) { return dateText(r.anniversary); }},
    TEXT("Assistant's Name", assistantName),
    {"Birthday", [](const ContactRecord& r) { return dateText(r.birthday); }},
    TEXT("Categories", category),
    TEXT("E-mail Address", email1),
    TEXT("E-mail Type", email1Type),
    TEXT("E-mail Display Name", email1DisplayName),
    TEXT("E-mail 2 Address", email2),
    TEXT("E-mail 2 Type", email2Type),
    TEXT("E-mail 2 Display Name", email2DisplayName),
    TEXT("E-mail 3 Address", email3),
    TEXT("E-mail 3 Type", email3Type),
    TEXT("E-mail 3 Display Name", email3DisplayName),
    TEXT("Hobby", hobby),
    TEXT("Initials", initials),
    TEXT("Language", language),
    TEXT("Notes", note),
    TEXT("Profession", profession),
    {"Private", [](const ContactRecord& r) { return std::string(r.isPrivate != 0 ? "True" : "False"); }},
    TEXT("Spouse", spouse),
    TEXT("User 1", custom[0]),
    TEXT("User 2", custom[1]),
    TEXT("User 3", custom[2]),
    TEXT("User 4", custom[3]),
    TEXT("Web Page", homePage),
};

#undef TEXT

void appendField(std::string& out, const std::string& value) {
    out += '"';
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string csvText(const std::vector<const ContactRecord*>& records) {
    std::string out = "\xEF\xBB\xBF";
    for (size_t index = 0; index < sizeof columns / sizeof columns[0]; ++index) {
        if (index > 0)
            out += ',';
        appendField(out, columns[index].header);
    }
    out += "\r\n";
    for (const ContactRecord* record : records) {
        if (record == nullptr)
            continue;
        for (size_t index = 0; index < sizeof columns / sizeof columns[0]; ++index) {
            if (index > 0)
                out += ',';
            appendField(out, columns[index].value(*record));
        }
        out += "\r\n";
    }
    return out;
}
