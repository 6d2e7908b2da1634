#include <string>
#include <vector>

#include "palm/PalmAddressFile.h"
#include "platform/ProgramFolder.h"
#include "operations/SyncReport.h"
#include "tests/syncfixture/SyncFixture.h"

// What users really keep: texts longer than any field, letters the ANSI code
// page lacks, records without names, and two records on one side that both
// pair with one on the other. None of it may crash, overrun a field or be
// shown as synchronized when it was not.

namespace {

using Names = std::vector<std::string>;

std::u16string repeated(char16_t letter, size_t count) { return std::u16string(count, letter); }

class BadInputTest : public SyncFixture {
protected:
    // Every record of the file on disk, read back by a reader of its own.
    std::vector<PalmAddressRecord> palmFileRecords() {
        PalmAddressFile file(palmPath);
        EXPECT_TRUE(file.opened());
        std::vector<PalmAddressRecord> records;
        for (size_t index = 0; index < file.recordCount(); ++index)
            records.push_back(*file.recordAt(index));
        return records;
    }
    const std::string& lastText() const { return view->messages.back().text; }
};

}  // namespace

TEST_F(BadInputTest, OutlookTextsLongerThanEveryFieldArriveCutToTheFieldsOfTheFile) {
    writePalmFile({palmPerson(1, "Ann", "Lee", "111")});
    FakeContact& huge = seedOutlook(repeated(u'F', 300).c_str(), repeated(u'L', 300).c_str(),
                                    repeated(u'7', 300).c_str(), repeated(u'C', 5000).c_str());
    huge.setText("Email1Address", repeated(u'e', 1000).c_str());
    huge.setText("BusinessAddressStreet", repeated(u'S', 3000).c_str());
    huge.setText("BusinessAddressCity", repeated(u'c', 400).c_str());
    huge.setText("Body", repeated(u'n', 70000).c_str());
    start();

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);

    // Each of the eight texts is cut on its way into the record, the e-mail
    // address once more into its telephone slot: still one value.
    EXPECT_EQ("Synchronization finished, 2 Palm Desktop records synchronized, 2 Outlook Contact records synchronized. "
              "8 values were cut to fit.",
              lastText());
    const std::vector<PalmAddressRecord> records = palmFileRecords();
    ASSERT_EQ(2u, records.size());
    const PalmAddressRecord& added = records[1];
    // The unified record holds 31 characters of a name, 23 of a telephone
    // number; the file gets no more and no less of the contact's text.
    EXPECT_EQ(std::string(31, 'F'), added.firstName);
    EXPECT_EQ(std::string(31, 'L'), added.lastName);
    EXPECT_LT(added.company.size(), PalmAddressRecord::kCompanyCapacity);
    EXPECT_EQ(std::string(added.company.size(), 'C'), added.company);
    EXPECT_LT(added.address.size(), PalmAddressRecord::kAddressCapacity);
    EXPECT_LT(added.city.size(), PalmAddressRecord::kCityCapacity);
    EXPECT_LT(added.note.size(), PalmAddressRecord::kNoteCapacity);
    for (const std::string& phone : added.phone)
        EXPECT_LT(phone.size(), PalmAddressRecord::kPhoneCapacity);
    EXPECT_EQ("Ann", records[0].firstName) << "the other record is left as it was";
    EXPECT_EQ("111", records[0].phone[1]);
}

TEST_F(BadInputTest, LettersOutsideTheCodePageAndEmptyNamesAreNeitherLostNorDoubled) {
    PalmAddressRecord empty;
    empty.recordId = 7;
    writePalmFile({empty, palmPerson(2, "Zoe", "Berg", "222")});
    seedOutlook(u"\u0396\u03c9\u03ae", u"\u65e5\u672c", u"333");
    seedOutlook(u"", u"", u"", u"Nameless Inc");
    start();

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    const std::vector<uint8_t> afterFirstRun = palmFileOnDisk();
    const size_t outlookAfterFirstRun = outlook->contactCount();

    const std::vector<PalmAddressRecord> records = palmFileRecords();
    ASSERT_GE(records.size(), 3u);
    const PalmAddressRecord* foreign = nullptr;
    for (const PalmAddressRecord& record : records) {
        for (const std::string& phone : record.phone)
            foreign = phone == "333" ? &record : foreign;
    }
    ASSERT_NE(nullptr, foreign) << "the contact with letters the code page lacks still arrives";
    // One stand-in character for each letter the code page lacks.
    EXPECT_EQ("???", foreign->firstName);
    EXPECT_EQ("??", foreign->lastName);
    EXPECT_EQ(records.size(), static_cast<size_t>(view->rowCount(SyncList::Palm)));
    EXPECT_EQ(outlook->contactCount(), static_cast<size_t>(view->rowCount(SyncList::Outlook)));

    // A second run finds every pair made by the first and adds nothing.
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ(afterFirstRun, palmFileOnDisk());
    EXPECT_EQ(outlookAfterFirstRun, outlook->contactCount());
}

TEST_F(BadInputTest, TwoPalmRecordsPairedWithOneContactAreLeftAloneByEitherRule) {
    // Both Palm records pair with the contact: the second by the empty work
    // phones they share.
    writePalmFile({palmPerson(1, "Ann", "Lee", "111", "Acme"), palmPerson(2, "Ann", "Lee", "222", "Acme")});
    seedOutlook(u"Ann", u"Lee", u"111", u"Acme Ltd");
    start();

    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    EXPECT_EQ(1u, outlook->contactCount()) << "both Palm records pair with the one contact";
    std::vector<PalmAddressRecord> records = palmFileRecords();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("222", records[1].phone[1]) << "the second number is not written over by the contact's";
    EXPECT_EQ("Acme", records[0].company);
    EXPECT_EQ("Acme", records[1].company);
    EXPECT_NE(std::string::npos, lastText().find(" 3 records were left alone")) << lastText();
    const std::vector<uint8_t> logBytes = readWholeFile(programFilePath(SyncReport::fileName));
    const std::string log(logBytes.begin(), logBytes.end());
    EXPECT_NE(std::string::npos, log.find("Ann Lee (Acme): left alone, more than one record pairs")) << log;

    // Palm Desktop wins: the contact is not overwritten once per record.
    operations->synchronizeAll(SyncAction::PalmOverwritesOutlook);
    EXPECT_EQ(1u, outlook->contactCount());
    EXPECT_EQ("111", outlookText(0, "HomeTelephoneNumber"));
    EXPECT_EQ("Acme Ltd", outlookText(0, "CompanyName"));
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();
    EXPECT_EQ("Acme Ltd", outlookText(0, "CompanyName")) << "nor by a transfer";
    EXPECT_NE(std::string::npos, lastText().find(" 2 records were left alone")) << lastText();
    records = palmFileRecords();
    EXPECT_EQ("222", records[1].phone[1]);
}

TEST_F(BadInputTest, ARecordAddedByTheRunIsNoCounterpartOfAnotherOfItsSide) {
    // Nameless records without telephones pair with one another, and so do
    // two contacts of one name; neither pairs with the other side.
    writePalmFile({palmPerson(1, "", "", "", "North"), palmPerson(2, "", "", "", "South")});
    seedOutlook(u"Kim", u"Orr", u"", u"East");
    seedOutlook(u"Kim", u"Orr", u"", u"West");
    start();
    // The first of each pair goes to the other side; the second must not
    // then be settled against the copy just made of the first.
    operations->synchronizeAll(SyncAction::OutlookOverwritesPalm);
    const Names companies = palmFileCompanies();
    ASSERT_EQ(3u, companies.size());
    EXPECT_EQ((Names{"North", "South"}), Names(companies.begin(), companies.begin() + 2));
    ASSERT_EQ(3u, outlook->contactCount());
    EXPECT_EQ("East", outlookText(0, "CompanyName"));
    EXPECT_EQ("West", outlookText(1, "CompanyName"));
    EXPECT_NE(std::string::npos, lastText().find(" 2 records were left alone")) << lastText();
}
