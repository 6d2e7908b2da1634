#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "contactexport/CsvWriter.h"
#include "contactexport/VCardWriter.h"
#include "platform/PlatformFile.h"
#include "sync/TextField.h"
#include "tests/support/TempFolder.h"

namespace {

#ifndef _WIN32
ContactRecord inventedContact() {
    ContactRecord record;
    copyText(record.firstName, "Ren\xE9");  // Windows-1252 accents
    copyText(record.lastName, "M\xFCller-Lef\xE8vre");
    copyText(record.middleName, "J.");
    copyText(record.company, "Caf\xE9 & Co; Ltd, Nord");
    copyText(record.department, "Sales");
    copyText(record.jobTitle, "Chef");
    copyText(record.businessAddress.street, "Rue de l'\xC9glise 4\r\nB\xE2timent C");
    copyText(record.businessAddress.city, "Li\xE8ge");
    copyText(record.businessAddress.postalCode, "4000");
    copyText(record.businessAddress.country, "Belgique");
    copyText(record.homePhone, "+32 4 555 0101");
    copyText(record.mobilePhone, "+32 470 55 01 02");
    copyText(record.email1, "rene@cafe.example");
    copyText(record.homePage, "http://cafe.example/");
    std::string note;
    for (int line = 0; line < 30; ++line)
        note += "Ligne " + std::to_string(line) + " : \xE0 bient\xF4t, \\ fin;\r\n";
    copyText(record.note, note.c_str());
    copyText(record.custom[0], "Gar\xE7on");
    record.birthday = 36585.0;  // 29 February 2000
    return record;
}

ContactRecord emptyContact() {
    ContactRecord record;
    copyText(record.lastName, "Nobody");
    return record;
}
#endif

#ifndef _WIN32
std::string runCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, read);
    pclose(pipe);
    return out;
}

std::vector<std::vector<std::string>> cardsOf(const std::string& printed) {
    std::vector<std::vector<std::string>> cards(1);
    size_t start = 0;
    while (start < printed.size()) {
        size_t end = printed.find('\n', start);
        if (end == std::string::npos)
            end = printed.size();
        const std::string line = printed.substr(start, end - start);
        if (line == "--")
            cards.emplace_back();
        else
            cards.back().push_back(line);
        start = end + 1;
    }
    cards.pop_back();
    return cards;
}

bool has(const std::vector<std::string>& card, const std::string& line) {
    for (const std::string& property : card) {
        if (property == line)
            return true;
    }
    return false;
}
#endif

}  // namespace

// Read back by vobject, a parser of its own (Debian's, hence /usr/bin/python3): the values arrive as the
// contact holds them, accents, separators and line breaks included.
TEST(ContactExport, AVCardFileReadsBackFieldByFieldWithAnotherParser) {
#ifdef _WIN32
    GTEST_SKIP() << "the reading parser runs on the build machine";
#else
    if (runCommand("/usr/bin/python3 -c 'import vobject' 2>&1 && echo found").find("found") == std::string::npos)
        GTEST_SKIP() << "python3-vobject is not installed (scripts/setup installs it)";
    const ContactRecord rene = inventedContact();
    const ContactRecord nobody = emptyContact();
    TempFolder folder;
    const std::string path = folder.file("contacts.vcf");
    ASSERT_TRUE(writeWholeFile(path, vCardText({&rene, &nobody})));

    const auto cards =
        cardsOf(runCommand("/usr/bin/python3 " QS_SOURCE_DIR "/tests/contactexport/read_vcards.py " + path));
    ASSERT_EQ(2u, cards.size());
    const auto& first = cards[0];
    EXPECT_TRUE(has(first, "FN\t\tRen\xC3\xA9 J. M\xC3\xBCller-Lef\xC3\xA8vre"));
    EXPECT_TRUE(has(first, "N\t\tM\xC3\xBCller-Lef\xC3\xA8vre|Ren\xC3\xA9|J.||"));
    EXPECT_TRUE(has(first, "ORG\t\tCaf\xC3\xA9 & Co; Ltd, Nord|Sales"));
    EXPECT_TRUE(has(first, "TITLE\t\tChef"));
    EXPECT_TRUE(has(first, "ADR\tWORK\tRue de l'\xC3\x89glise 4\\nB\xC3\xA2timent C|Li\xC3\xA8ge||4000|Belgique"));
    EXPECT_TRUE(has(first, "TEL\tHOME,VOICE\t+32 4 555 0101"));
    EXPECT_TRUE(has(first, "TEL\tCELL\t+32 470 55 01 02"));
    EXPECT_TRUE(has(first, "EMAIL\tINTERNET,PREF\trene@cafe.example"));
    EXPECT_TRUE(has(first, "URL\t\thttp://cafe.example/"));
    EXPECT_TRUE(has(first, "BDAY\t\t2000-02-29"));
    EXPECT_TRUE(has(first, "X-QUILLSET-CUSTOM1\t\tGar\xC3\xA7on"));
    std::string note;
    for (int line = 0; line < 30; ++line)
        note += "Ligne " + std::to_string(line) + " : \xC3\xA0 bient\xC3\xB4t, \\\\ fin;\\n";
    EXPECT_TRUE(has(first, "NOTE\t\t" + note)) << "a long note with line breaks, folded and unfolded";

    const auto& second = cards[1];
    EXPECT_EQ((std::vector<std::string>{"FN\t\tNobody", "N\t\tNobody||||"}), second)
        << "empty fields and a missing birthday are left out";
#endif
}

TEST(ContactExport, CsvQuotesEveryFieldAndKeepsLineBreaksInside) {
    ContactRecord record;
    copyText(record.firstName, "Ann \"Nan\"");
    copyText(record.note, "one\r\ntwo");
    copyText(record.custom[3], "fourth");
    record.birthday = 2.0;  // 1 January 1900
    const std::string text = csvText({&record});

    ASSERT_EQ(0u, text.find("\xEF\xBB\xBF\"First Name\",\"Middle Name\",\"Last Name\""));
    const size_t row = text.find("\r\n") + 2;
    const std::string firstFields = "\"Ann \"\"Nan\"\"\",\"\",\"\",\"";
    EXPECT_EQ(firstFields, text.substr(row, firstFields.size()));
    EXPECT_NE(std::string::npos, text.find(",\"1/1/1900\","));
    EXPECT_NE(std::string::npos, text.find(",\"one\r\ntwo\","));
    EXPECT_NE(std::string::npos, text.find(",\"fourth\","));
    EXPECT_NE(std::string::npos, text.find("\"Anniversary\",\"Assistant's Name\",\"Birthday\""));
    EXPECT_EQ(std::string::npos, text.find(",\"12/30/1899\",")) << "no anniversary is an empty field";
}
