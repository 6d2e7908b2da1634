#include "palmstore/PalmContactStore.h"
#include "testenv/demodata/DemoContacts.h"
#include "testenv/demodata/DemoDataWriter.h"
#include "testenv/palmdesktop/UsersFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<DemoUser> users() {
    size_t count = 0;
    const DemoUser* list = demoUsers(&count);
    return std::vector<DemoUser>(list, list + count);
}

bool hasHighByte(const char* text) {
    for (; *text != '\0'; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80)
            return true;
    return false;
}

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The matching rule pairs records by names, e-mail and telephone numbers: a
// name or number that two demo contacts of one user share would pair the
// wrong records when the demo runs.
TEST(DemoContacts, EachUserHasThirtyOrMoreDistinctVariedContacts) {
    for (const DemoUser& user : users()) {
        SCOPED_TRACE(user.name);
        const std::vector<DemoContact> contacts = demoContacts(user);
        ASSERT_GE(contacts.size(), 30u);
        std::set<std::string> names, numbers, emails;
        int noWork = 0, noHome = 0, noMobile = 0, noEmail = 0, accented = 0, withNote = 0;
        for (const DemoContact& contact : contacts) {
            const ContactRecord& r = contact.record;
            EXPECT_TRUE(names.insert(std::string(r.firstName) + " " + r.lastName).second) << r.lastName;
            for (const char* number : {r.workPhone, r.homePhone, r.mobilePhone, r.businessFax}) {
                if (*number != '\0') {
                    EXPECT_TRUE(numbers.insert(number).second) << number;
                }
            }
            if (r.email1[0] != '\0') {
                EXPECT_TRUE(emails.insert(r.email1).second) << r.email1;
                // The address files keep an e-mail address in a 32-byte telephone slot.
                EXPECT_LE(std::strlen(r.email1), 31u) << r.email1;
            }
            noWork += r.workPhone[0] == '\0';
            noHome += r.homePhone[0] == '\0';
            noMobile += r.mobilePhone[0] == '\0';
            noEmail += r.email1[0] == '\0';
            withNote += r.note[0] != '\0';
            accented += hasHighByte(r.firstName) || hasHighByte(r.lastName) || hasHighByte(r.company);
        }
        EXPECT_GT(noWork, 0);
        EXPECT_GT(noHome, 0);
        EXPECT_GT(noMobile, 0);
        EXPECT_GT(noEmail, 0);
        EXPECT_GT(withNote, 0);
        EXPECT_GE(accented, 3);
    }
}

TEST(DemoContacts, AreTheSameOnEveryCall) {
    for (const DemoUser& user : users()) {
        const std::vector<DemoContact> first = demoContacts(user);
        const std::vector<DemoContact> second = demoContacts(user);
        ASSERT_EQ(first.size(), second.size());
        for (size_t index = 0; index < first.size(); ++index) {
            const ContactValues& a = first[index].record;
            const ContactValues& b = second[index].record;
            EXPECT_EQ(std::memcmp(a.lastName, b.lastName, sizeof a.lastName), 0);
            EXPECT_EQ(std::memcmp(a.workPhone, b.workPhone, sizeof a.workPhone), 0);
            EXPECT_EQ(std::memcmp(&a.businessAddress, &b.businessAddress, sizeof a.businessAddress), 0);
        }
    }
}

class DemoData : public ::testing::Test {
protected:
    TempFolder folder;
    ScopedProgramFolder settings{folder.path()};
};

// What the generator writes is what the stand-in user library and the
// program's reader will see.
TEST_F(DemoData, UsersFileAddressFilesAndListsReadBack) {
    ASSERT_TRUE(writeDemoData(folder.path() + "out", "C:\\Stand In\\", nullptr));
    const std::string out = folder.path() + "out/";

    const std::string usersText = readText(out + "users.txt");
    std::unique_ptr<StandInUsers> parsed(new StandInUsers);
    standInUsersParse(parsed.get(), usersText.data(), usersText.size());
    ASSERT_EQ(standInUserCount(parsed.get()), static_cast<short>(users().size()));

    for (const DemoUser& user : users()) {
        SCOPED_TRACE(user.name);
        const StandInUser* listed = standInFindUser(parsed.get(), user.id);
        ASSERT_NE(listed, nullptr);
        EXPECT_STREQ(listed->name, user.name);
        EXPECT_STREQ(listed->directory, user.directory);
        EXPECT_NE(std::strchr(user.name, ' '), nullptr);

        const std::string path = out + user.directory + "/address/address.dat";
        EXPECT_EQ(PalmContactStore::detectFormat(path), user.format4 ? PalmFormat::Format4 : PalmFormat::Older);
        PalmContactStore store(user.format4 ? 40104 : 40101);
        ASSERT_TRUE(store.loadFile(path));
        ASSERT_EQ(store.contacts()->count(), static_cast<int32_t>(demoContacts(user).size()));
        std::set<std::string> categories;
        for (int32_t position = 0; position < store.contacts()->count(); ++position)
            categories.insert(store.contacts()->at(position)->category);
        EXPECT_EQ(categories, (std::set<std::string>{"Business", "Personal", "QuickList", "Unfiled"}));
        if (user.format4) {
            EXPECT_EQ(store.file2().storedName(),
                      std::string("C:\\Stand In\\") + user.directory + "\\address\\address.dat");
        }

        std::istringstream list(readText(out + "contacts-" + user.directory + ".txt"));
        std::string line;
        ASSERT_TRUE(std::getline(list, line));
        EXPECT_EQ(line[0], '#');
        int rows = 0;
        while (std::getline(list, line)) {
            EXPECT_EQ(std::count(line.begin(), line.end(), '|'), 6) << line;
            ++rows;
        }
        EXPECT_EQ(rows, store.contacts()->count());
    }
}

// Saving never shortens a file, so a run over older, longer data must start
// from an empty file or leave junk behind the new end.
TEST_F(DemoData, RewritingOverLongerOldFilesGivesTheSameFiles) {
    const std::string out = folder.path() + "out/";
    ASSERT_TRUE(writeDemoData(out, DefaultDemoPalmFolder, nullptr));
    std::vector<std::string> fresh;
    for (const DemoUser& user : users())
        fresh.push_back(readText(out + user.directory + "/address/address.dat"));

    for (const DemoUser& user : users())
        ASSERT_TRUE(writeWholeFile(out + user.directory + "/address/address.dat", std::string(200000, 'j')));
    ASSERT_TRUE(writeDemoData(out, DefaultDemoPalmFolder, nullptr));
    for (size_t index = 0; index < users().size(); ++index)
        EXPECT_TRUE(readText(out + users()[index].directory + "/address/address.dat") == fresh[index])
            << users()[index].directory;
}

}  // namespace
