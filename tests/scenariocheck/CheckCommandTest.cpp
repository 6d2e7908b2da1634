// quillset_check's commands on the demo data's real files, changed the way
// the program changes them: through the contact store and the contact file.
#include "testenv/scenariocheck/CheckCommand.h"

#include "palm/PalmAddressFile4.h"
#include "palmstore/PalmContactStore.h"
#include "sync/TextField.h"
#include "testenv/demodata/DemoDataWriter.h"
#include "testenv/demodata/DemoOutlookContacts.h"
#include "testenv/fakeoutlook/ContactFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

CheckRun check(const std::vector<std::string>& arguments) { return runCheckCommand(arguments); }

size_t countOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// The lines of the n-th block (from 1) that starts with "[noun n]".
std::vector<std::string> blockLines(const std::string& text, const std::string& header) {
    std::vector<std::string> lines;
    std::istringstream in(text.substr(text.find(header + "\n") + header.size() + 1));
    std::string line;
    while (std::getline(in, line) && line[0] != '[')
        lines.push_back(line);
    return lines;
}

class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(writeDemoData(out, DefaultDemoPalmFolder, nullptr)); }

    std::string tom() const { return out + "TomBerg/address/address.dat"; }
    std::string ann() const { return out + "AnnLee/address/address.dat"; }
    std::string contacts() const { return out + DemoOutlookContactsFileName; }

    std::string copyOf(const std::string& path, const std::string& name) {
        const std::string copy = folder.file(name);
        EXPECT_TRUE(writeWholeFile(copy, readWholeFile(path)));
        return copy;
    }

    TempFolder folder;
    ScopedProgramFolder settings{folder.path()};
    const std::string out = folder.path() + "out/";
};

TEST_F(CheckCommand, PrintsEveryRecordOfEitherFormatWithNamedFields) {
    const CheckRun palm4 = check({"palm", tom()});
    ASSERT_EQ(palm4.exitCode, CheckPassed) << palm4.err;
    EXPECT_EQ(countOf(palm4.out, "\n[record "), 33u);
    EXPECT_NE(palm4.out.find("Format=Palm Desktop 4\n"), std::string::npos);
    EXPECT_NE(palm4.out.find("Category 3=QuickList\n"), std::string::npos);
    EXPECT_EQ(palm4.out.find("Custom Label"), std::string::npos) << "empty values are left out";
    const std::vector<std::string> jurgen = blockLines(palm4.out, "[record 17]");
    const std::vector<std::string> expected = {
        "Record ID=20017",
        "Status=0",
        "Position=16",
        "Category=QuickList",
        "First Name=J\xC3\xBCrgen",
        "Last Name=Schr\xC3\xB6"
        "der",
    };
    ASSERT_GE(jurgen.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(jurgen.begin(), jurgen.begin() + expected.size()), expected);
    EXPECT_NE(palm4.out.find("Home Street="), std::string::npos);
    EXPECT_NE(palm4.out.find("Other Street="), std::string::npos);

    const CheckRun palm1 = check({"palm", ann()});
    ASSERT_EQ(palm1.exitCode, CheckPassed) << palm1.err;
    EXPECT_EQ(countOf(palm1.out, "\n[record "), 34u);
    EXPECT_NE(palm1.out.find("Format=older\n"), std::string::npos);
    EXPECT_EQ(palm1.out.find("Home Street="), std::string::npos);
    const std::vector<std::string> grace = blockLines(palm1.out, "[record 6]");
    EXPECT_NE(std::find(grace.begin(), grace.end(), "Note=Handles the lease.\\r\\nAssistant: Paula, ext. 212."),
              grace.end());
    EXPECT_NE(std::find(grace.begin(), grace.end(), "E-Mail=grace@whitfieldmoss.example"), grace.end());
}

// What the file holds, not what the program shows of it: texts longer than
// the record's fields, a pager slot, and records the store does not load.
TEST_F(CheckCommand, PrintsWhatTheFileHoldsBeyondTheProgramsRecord) {
    const std::string longNote(3000, 'n');
    {
        PalmAddressFile4 file;
        ASSERT_TRUE(file.openAndRead(tom()));
        file.recordAt(0)->note = longNote;
        file.recordAt(1)->status |= 0x04;
        PalmAddressRecord4& beatrice = *file.recordAt(1);
        for (size_t slot = 0; slot < PalmAddressRecord4::kPhoneCount; ++slot) {
            if (!beatrice.phone[slot].empty())
                continue;
            beatrice.phoneLabel[slot] = 6;
            beatrice.phone[slot] = "(503) 555-0299";
            break;
        }
        ASSERT_TRUE(file.save(tom()));
    }
    PalmContactStore store(40104);
    ASSERT_TRUE(store.loadFile(tom()));
    ASSERT_EQ(store.contacts()->count(), 32);

    const CheckRun run = check({"palm", tom()});
    ASSERT_EQ(run.exitCode, CheckPassed) << run.err;
    EXPECT_EQ(countOf(run.out, "\n[record "), 33u);
    EXPECT_NE(run.out.find("Note=" + longNote + "\n"), std::string::npos);
    const std::vector<std::string> beatrice = blockLines(run.out, "[record 2]");
    EXPECT_NE(std::find(beatrice.begin(), beatrice.end(), "Status=4"), beatrice.end());
    EXPECT_NE(std::find(beatrice.begin(), beatrice.end(), "Pager=(503) 555-0299"), beatrice.end());
}

TEST_F(CheckCommand, NamesAreTheFilesColumnsWhateverTheSwapSetting) {
    const CheckRun plain = check({"palm", ann()});
    PalmContactStore swapped(40101, true);
    ASSERT_TRUE(swapped.loadFile(ann()));
    ASSERT_STREQ(swapped.contacts()->at(0)->firstName, "Marsh") << "the swap is in force";
    const CheckRun run = check({"palm", ann()});
    EXPECT_EQ(run.exitCode, CheckPassed);
    EXPECT_EQ(run.out, plain.out);
}

TEST_F(CheckCommand, FilesThatDoNotReadWholeStopTheCheckWithAMessage) {
    const std::vector<uint8_t> tomBytes = readWholeFile(tom());
    const std::vector<uint8_t> annBytes = readWholeFile(ann());
    ASSERT_TRUE(writeWholeFile(folder.file("garbage.dat"), std::string(5000, 'g')));
    ASSERT_TRUE(writeWholeFile(folder.file("half4.dat"),
                               std::vector<uint8_t>(tomBytes.begin(), tomBytes.begin() + tomBytes.size() / 2)));
    ASSERT_TRUE(writeWholeFile(folder.file("half1.dat"),
                               std::vector<uint8_t>(annBytes.begin(), annBytes.begin() + annBytes.size() / 2)));
    ASSERT_TRUE(writeWholeFile(folder.file("bad.txt"), "[contact]\nFirstName=Ann\nLast Name=Lee\n"));

    struct Case {
        std::vector<std::string> arguments;
        std::string unreadable;
    };
    for (const Case& test : std::vector<Case>{
             {{"palm", folder.file("missing.dat")}, folder.file("missing.dat")},
             {{"palm", folder.file("garbage.dat")}, folder.file("garbage.dat")},
             {{"palm", folder.file("half4.dat")}, folder.file("half4.dat")},
             {{"palm", folder.file("half1.dat")}, folder.file("half1.dat")},
             {{"compare-palm", tom(), folder.file("half1.dat")}, folder.file("half1.dat")},
             {{"outlook", folder.file("missing.txt")}, folder.file("missing.txt")},
             {{"outlook", folder.file("bad.txt")}, folder.file("bad.txt")},
             {{"compare-outlook", folder.file("bad.txt"), contacts()}, folder.file("bad.txt")},
         }) {
        const CheckRun run = check(test.arguments);
        SCOPED_TRACE(test.arguments[0] + " " + test.unreadable);
        EXPECT_EQ(run.exitCode, CheckNotRun);
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(run.err.find("quillset_check: " + test.unreadable + ": "), 0u) << run.err;
    }
    EXPECT_NE(check({"palm", folder.file("half1.dat")}).err.find("stop early"), std::string::npos);
    EXPECT_NE(check({"outlook", folder.file("bad.txt")}).err.find("line 3"), std::string::npos);
}

TEST_F(CheckCommand, PrintsContactsInFileOrderWithSortedProperties) {
    const CheckRun run = check({"outlook", contacts()});
    ASSERT_EQ(run.exitCode, CheckPassed) << run.err;
    EXPECT_EQ(countOf(run.out, "\n[contact "), 40u);
    const std::vector<std::string> adam = blockLines(run.out, "[contact 1]");
    ASSERT_FALSE(adam.empty());
    EXPECT_TRUE(std::is_sorted(adam.begin(), adam.end()));
    EXPECT_NE(std::find(adam.begin(), adam.end(), "CreationTime=38231.3958"), adam.end());
    EXPECT_NE(run.out.find("LastName=Sigur\xC3\xB0sson\n"), std::string::npos);
    EXPECT_NE(run.out.find("\\r\\nPresent: Siobh\xC3\xA1n Gallagher"), std::string::npos);
}

ContactRecord newPalmRecord(const char* first, const char* last, const char* phone) {
    ContactRecord record;
    copyText(record.firstName, first);
    copyText(record.lastName, last);
    copyText(record.workPhone, phone);
    return record;
}

TEST_F(CheckCommand, ComparePalmCountsWhatTheStoreChangedAndChecksExpectations) {
    const std::string before = copyOf(tom(), "before.dat");
    const std::string after = copyOf(tom(), "after.dat");
    {
        PalmContactStore store(40104);
        ASSERT_TRUE(store.loadFile(after));
        ContactRecord ethan = *store.contacts()->at(4);
        ASSERT_STREQ(ethan.lastName, "Russo");
        copyText(ethan.mobilePhone, "(617) 555-0281");
        ASSERT_TRUE(store.updateRecord(&ethan, 4));
        ContactRecord added = newPalmRecord("Ingrid", "Checkmark", "+1 555 0199");
        ASSERT_TRUE(store.addRecord(&added));
        ASSERT_TRUE(store.save());
    }
    EXPECT_EQ(check({"compare-palm", before, copyOf(tom(), "same.dat")}).exitCode, CheckPassed);

    const CheckRun run = check({"compare-palm", before, after});
    EXPECT_EQ(run.exitCode, CheckFailed);
    const std::string changed = "changed: record 5 (Ethan Russo)\n";
    ASSERT_NE(run.out.find(changed), std::string::npos) << run.out;
    const std::string details = run.out.substr(run.out.find(changed) + changed.size());
    EXPECT_NE(details.find("  Status: \"0\" -> \"2\"\n"), std::string::npos) << run.out;
    EXPECT_NE(details.find("  Mobile Phone: \"(617) 555-0154\" -> \"(617) 555-0281\"\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("added: record 34 (Ingrid Checkmark)\n"), std::string::npos) << run.out;
    // Saved natively, the file names itself by this machine's path.
    EXPECT_NE(run.out.find("file: Stored Name: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n1 added, 1 changed, 0 removed; 1 file value changed\n"), std::string::npos) << run.out;

    EXPECT_EQ(check({"compare-palm", before, after, "--expect-added", "1", "--expect-changed", "1"}).exitCode,
              CheckFailed);
    EXPECT_EQ(check({"compare-palm", before, after, "--expect-added", "1", "--expect-changed", "1", "--ignore",
                     "Stored Name"})
                  .exitCode,
              CheckPassed);
    const CheckRun unexpected = check({"compare-palm", before, after, "--expect-added", "1", "--ignore", "Stored*"});
    EXPECT_EQ(unexpected.exitCode, CheckFailed);
    EXPECT_NE(unexpected.err.find("expected 1 added, 0 changed, 0 removed"), std::string::npos) << unexpected.err;
    EXPECT_EQ(check({"compare-palm", after, before, "--expect-removed", "1", "--expect-changed", "1", "--ignore",
                     "Stored Name"})
                  .exitCode,
              CheckPassed);
}

TEST_F(CheckCommand, CompareOutlookPairsContactsByCreationTime) {
    std::vector<ContactFileEntry> entries;
    bool existed = false;
    ContactFileError error;
    ASSERT_TRUE(readContactFile(contacts(), &entries, &existed, &error));
    const std::string before = copyOf(contacts(), "before.txt");

    std::vector<ContactFileEntry> changed = entries;
    for (ContactFileLine& line : changed[5].lines)
        if (line.name == "LastName")
            line.value = u"MacLeod-Innes";
    changed.erase(changed.begin() + 2);
    ContactFileEntry added;
    added.lines = {{"FirstName", u"Ingrid"}, {"LastName", u"Checkmark"}, {"CreationTime", u"45292.5"}};
    changed.push_back(added);
    std::string problem;
    ASSERT_TRUE(writeContactFile(folder.file("after.txt"), changed, &problem)) << problem;

    const CheckRun run = check({"compare-outlook", before, folder.file("after.txt")});
    EXPECT_EQ(run.exitCode, CheckFailed);
    EXPECT_NE(run.out.find("removed: contact 3 (Carlos Mendes)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("changed: contact 5 (Fiona MacLeod-Innes), contact 6 before\n"
                           "  LastName: \"MacLeod\" -> \"MacLeod-Innes\"\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("added: contact 40 (Ingrid Checkmark)\n"), std::string::npos) << run.out;
    EXPECT_EQ(check({"compare-outlook", before, folder.file("after.txt"), "--expect-added", "1", "--expect-changed",
                     "1", "--expect-removed", "1"})
                  .exitCode,
              CheckPassed);

    // A save without a change moves only the modification stamp.
    std::vector<ContactFileEntry> saved = entries;
    for (ContactFileLine& line : saved[0].lines)
        if (line.name == "LastModificationTime")
            line.value = u"45300.25";
    ASSERT_TRUE(writeContactFile(folder.file("saved.txt"), saved, &problem)) << problem;
    EXPECT_EQ(check({"compare-outlook", before, folder.file("saved.txt")}).exitCode, CheckFailed);
    EXPECT_EQ(check({"compare-outlook", before, folder.file("saved.txt"), "--ignore", "LastModificationTime"}).exitCode,
              CheckPassed);
}

TEST_F(CheckCommand, ArgumentsThatCannotWorkShowTheUsage) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {},
             {"print", tom()},
             {"palm"},
             {"palm", tom(), ann()},
             {"compare-palm", tom()},
             {"compare-palm", tom(), tom(), "--expect-added"},
             {"compare-palm", tom(), tom(), "--expect-added", "-1"},
             {"compare-palm", tom(), tom(), "--expect-changed", "two"},
             {"compare-outlook", contacts(), contacts(), "--quiet", "1"},
         }) {
        const CheckRun run = check(arguments);
        EXPECT_EQ(run.exitCode, CheckNotRun) << run.err;
        EXPECT_NE(run.err.find("usage: quillset_check"), std::string::npos);
    }
    EXPECT_EQ(check({"--help"}).exitCode, CheckPassed);
}

}  // namespace
