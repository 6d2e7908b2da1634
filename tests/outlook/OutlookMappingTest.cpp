#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "outlook/OutlookContactImage.h"
#include "outlook/OutlookFieldList.h"
#include "outlook/OutlookMapping.h"
#include "platform/TextCodec.h"
#include "sync/TextField.h"
#include "testenv/fakeoutlook/FakeContactItem.h"
#include "testenv/fakeoutlook/FakeContactProperties.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

namespace {

const double July4th1999 = 36345.0;

MappingBlock blockMapping(int customField, int32_t index) {
    MappingBlock block{};
    block.customMap[customField - 1] = index;
    return block;
}

bool contains(const std::vector<std::string>& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

bool anyCallStartsWith(const std::vector<std::string>& calls, const std::string& prefix) {
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0)
            return true;
    }
    return false;
}

class ContactMapping : public ::testing::Test {
protected:
    // A contact item of the in-memory Outlook, as the enumeration hands out.
    AutomationObjectRef itemOf(size_t index) { return std::make_shared<FakeContactItem>(outlook, index); }

    OutlookContactImage readImage(size_t index) {
        OutlookContactImage image;
        EXPECT_TRUE(readContactItem(itemOf(index).get(), &image));
        return image;
    }

    std::string outlookText(size_t index, const char* property) {
        return utf16ToAnsi(outlook->contact(index)->text(property));
    }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
};

}  // namespace

TEST(ContactImageRows, CoverEveryFieldInOrderAndNameRealProperties) {
    const auto& rows = contactImageRows();
    size_t expectedOffset = 0;
    std::set<std::string> names;
    for (const ImageRow& row : rows) {
        // Fields follow one another; only alignment may sit between them.
        EXPECT_GE(row.imageOffset, expectedOffset);
        EXPECT_LT(row.imageOffset, expectedOffset + alignof(double));
        expectedOffset = row.imageOffset + row.imageSize;
        if (row.recordOffset != NoRecordField) {
            EXPECT_LE(row.recordOffset + row.recordSize, sizeof(ContactValues));
        }
        if (!row.propertyName)
            continue;
        names.insert(row.propertyName);
        const int known = findFakeContactProperty(row.propertyName);
        ASSERT_GE(known, 0) << row.propertyName;
        EXPECT_STREQ(fakeContactProperties()[static_cast<size_t>(known)].name, row.propertyName);
    }
    EXPECT_LE(sizeof(OutlookContactImage) - expectedOffset, alignof(double) - 1);
    // Every property Outlook's contact item offers here has its field, but
    // for the item's identity and kind, "EntryID" and "MessageClass".
    EXPECT_GE(findFakeContactProperty("EntryID"), 0);
    EXPECT_GE(findFakeContactProperty("MessageClass"), 0);
    EXPECT_EQ(fakeContactProperties().size() - 2, names.size());
    EXPECT_EQ(78u, names.size());
}

TEST(ContactImageRows, NativeBlockOfAnotherSizeIsNoImage) {
    OutlookContactImage image;
    copyText(image.firstName, "Ann");
    std::vector<uint8_t> bytes = imageToBytes(image);
    OutlookContactImage back;
    ASSERT_TRUE(imageFromBytes(bytes, &back));
    EXPECT_STREQ("Ann", back.firstName);

    bytes.pop_back();
    OutlookContactImage untouched;
    copyText(untouched.firstName, "Keep");
    EXPECT_FALSE(imageFromBytes(bytes, &untouched));
    EXPECT_FALSE(imageFromBytes({}, &untouched));
    EXPECT_STREQ("Keep", untouched.firstName);
}

TEST_F(ContactMapping, ReadTakesEachPropertyByTypeAndSkipsWhatFails) {
    FakeContact& contact = outlook->addContact();
    contact.setText("FirstName", u"Ann");
    contact.setText("LastName", u"Lee");
    contact.setText("ManagerName", u"Boss");
    contact.setText("BusinessAddressStreet", std::u16string(200, u's'));
    contact.setText("Body", u"caf\u00e9");
    contact.setDate("Birthday", July4th1999);
    contact.setInteger("Gender", 2);
    contact.setDate("CreationTime", 40000.5);
    outlook->failMember("FirstName", AutomationStatus::UnknownName);
    outlook->failMember("Anniversary", AutomationStatus::Exception);

    OutlookContactImage image;
    copyText(image.folderName, "Contacts");
    copyText(image.suffix, "Jr.");
    copyText(image.firstName, "stale");
    ASSERT_TRUE(readContactItem(itemOf(0).get(), &image));

    EXPECT_STREQ("", image.firstName);
    EXPECT_STREQ("Lee", image.lastName);
    EXPECT_STREQ("Boss", image.managerName);
    EXPECT_EQ(std::string(127, 's'), image.businessAddressStreet);
    EXPECT_STREQ("caf\xe9", image.body);
    EXPECT_EQ(July4th1999, image.birthday);
    EXPECT_EQ(0.0, image.anniversary);
    EXPECT_EQ(2, image.gender);
    EXPECT_EQ(40000.5, image.creationTime);
    // Not Outlook's: left as the caller set them.
    EXPECT_STREQ("Contacts", image.folderName);
    EXPECT_STREQ("Jr.", image.suffix);

    EXPECT_FALSE(readContactItem(nullptr, &image));
    EXPECT_FALSE(readContactItem(itemOf(0).get(), nullptr));
}

TEST_F(ContactMapping, WriteSkipsEmptyTextsAndDatesButAlwaysGenderThenSaves) {
    FakeContact& contact = outlook->addContact();
    contact.setText("HomeTelephoneNumber", u"111");
    contact.setDate("Anniversary", 30000.0);
    contact.setInteger("Gender", 1);
    outlook->failMember("Hobby");

    OutlookContactImage image;
    copyText(image.firstName, "Ann");
    copyText(image.hobby, "chess");
    copyText(image.suffix, "Jr.");
    copyText(image.folderName, "Contacts");
    image.birthday = 0.000001;
    image.creationTime = 1.0;
    image.lastModificationTime = 2.0;
    ASSERT_TRUE(writeContactItem(itemOf(0).get(), &image));

    EXPECT_EQ("Ann", outlookText(0, "FirstName"));
    EXPECT_EQ("111", outlookText(0, "HomeTelephoneNumber"));
    EXPECT_EQ(30000.0, contact.date("Anniversary"));
    EXPECT_EQ(0, contact.integer("Gender"));
    EXPECT_EQ(1, contact.saveCount());

    const std::vector<std::string> calls = outlook->callDescriptions();
    EXPECT_TRUE(contains(calls, "ContactItem[0].Gender = 0"));
    EXPECT_EQ("ContactItem[0].Save()", calls.back());
    for (const char* never :
         {"Anniversary", "Birthday", "CreationTime", "LastModificationTime", "HomeTelephoneNumber"}) {
        EXPECT_FALSE(anyCallStartsWith(calls, std::string("ContactItem[0].") + never + " =")) << never;
    }
    // The refused property did not stop the ones after it.
    EXPECT_TRUE(anyCallStartsWith(calls, "ContactItem[0].Hobby = "));
    EXPECT_TRUE(contains(calls, "ContactItem[0].FirstName = \"Ann\""));

    EXPECT_FALSE(writeContactItem(nullptr, &image));
    EXPECT_FALSE(writeContactItem(itemOf(0).get(), nullptr));
    EXPECT_EQ(1, contact.saveCount());
}

TEST_F(ContactMapping, ReadModifyWriteKeepsWhatTheRecordDoesNotCarry) {
    FakeContact& original = outlook->addContact();
    original.setText("FirstName", u"Ann");
    original.setText("HomeTelephoneNumber", u"111");
    original.setText("ManagerName", u"Boss");
    original.setText("MailingAddressPostOfficeBox", u"PO 7");
    original.setText("PagerNumber", u"999");
    original.setText("BusinessAddressStreet", std::u16string(100, u'x'));
    original.setInteger("Gender", 2);

    OutlookContactImage image = readImage(0);
    EXPECT_EQ(std::string(100, 'x'), image.businessAddressStreet);

    ContactRecord record;
    ASSERT_TRUE(imageToRecord(&image, &record, nullptr));
    EXPECT_EQ(std::string(63, 'x'), record.businessAddress.street);
    EXPECT_STREQ("", record.pager) << "the pager pairs with no property";

    copyText(record.firstName, "Anna");
    copyText(record.homePhone, "");
    ASSERT_TRUE(recordToImage(&record, &image, nullptr));
    FakeContact& copy = outlook->addContact();
    copy.setText("HomeTelephoneNumber", u"222");
    ASSERT_TRUE(writeContactItem(itemOf(1).get(), &image));

    EXPECT_EQ("Anna", outlookText(1, "FirstName"));
    EXPECT_EQ("222", outlookText(1, "HomeTelephoneNumber")) << "an emptied phone is not written";
    EXPECT_EQ("Boss", outlookText(1, "ManagerName"));
    EXPECT_EQ("PO 7", outlookText(1, "MailingAddressPostOfficeBox"));
    EXPECT_EQ("999", outlookText(1, "PagerNumber"));
    EXPECT_EQ(2, copy.integer("Gender"));
    EXPECT_EQ(std::string(100, 'x'), outlookText(1, "BusinessAddressStreet"))
        << "a street the record shows unchanged goes back whole";

    copyText(record.businessAddress.street, std::string(70, 'y').c_str());
    ASSERT_TRUE(recordToImage(&record, &image, nullptr));
    EXPECT_EQ(std::string(63, 'y'), image.businessAddressStreet) << "a changed street enters cut to the record";
}

TEST_F(ContactMapping, NewContactGetsGenderZeroAndNoDates) {
    outlook->addContact();
    ContactRecord record;
    copyText(record.firstName, "New");
    copyText(record.suffix, "Sr.");
    OutlookContactImage image;
    ASSERT_TRUE(recordToImage(&record, &image, nullptr));
    EXPECT_STREQ("Sr.", image.suffix);
    ASSERT_TRUE(writeContactItem(itemOf(0).get(), &image));

    const std::vector<std::string> calls = outlook->callDescriptions();
    EXPECT_TRUE(contains(calls, "ContactItem[0].Gender = 0"));
    EXPECT_FALSE(anyCallStartsWith(calls, "ContactItem[0].Anniversary"));
    EXPECT_FALSE(anyCallStartsWith(calls, "ContactItem[0].Birthday"));
    // Only the one non-empty text, the gender and the save reach Outlook.
    EXPECT_EQ(3u, calls.size());
}

TEST_F(ContactMapping, RecordTakesPairedFieldsCutToItsCapacities) {
    OutlookContactImage image;
    copyText(image.assistantTelephoneNumber, "12345678901234567890123");
    copyText(image.homeAddressCity, "Springfield");
    copyText(image.otherAddressCountry, "Norway");
    copyText(image.businessHomePage, "biz.example");
    copyText(image.personalHomePage, "me.example");
    copyText(image.businessFaxNumber, "555-FAX");
    copyText(image.folderName, "Contacts");
    copyText(image.body, "note");
    image.anniversary = 100.0;
    image.lastModificationTime = 200.5;

    ContactRecord record;
    copyText(record.custom[0], "left over");
    record.nativeData = {1, 2, 3};
    ASSERT_TRUE(imageToRecord(&image, &record, nullptr));

    EXPECT_STREQ("123456789012345", record.assistantPhone);
    EXPECT_STREQ("Springfield", record.homeAddress.city);
    EXPECT_STREQ("Norway", record.otherAddress.country);
    EXPECT_STREQ("biz.example", record.homePage);
    EXPECT_STREQ("me.example", record.personalHomePage);
    EXPECT_STREQ("555-FAX", record.businessFax);
    EXPECT_STREQ("Contacts", record.category);
    EXPECT_STREQ("note", record.note);
    EXPECT_EQ(100.0, record.anniversary);
    EXPECT_EQ(200.5, record.lastModificationTime);
    EXPECT_STREQ("", record.custom[0]) << "no block: no custom field";
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), record.nativeData);

    EXPECT_FALSE(imageToRecord(nullptr, &record, nullptr));
    EXPECT_FALSE(imageToRecord(&image, nullptr, nullptr));
    EXPECT_FALSE(recordToImage(nullptr, &image, nullptr));
    EXPECT_FALSE(recordToImage(&record, nullptr, nullptr));
}

TEST_F(ContactMapping, DateTextsAreReadOnly) {
    OutlookContactImage image;
    image.birthday = July4th1999;
    ContactRecord record;

    MappingBlock anniversary = blockMapping(1, 2);
    copyText(record.custom[0], "stale");
    ASSERT_TRUE(imageToRecord(&image, &record, &anniversary));
    EXPECT_STREQ("", record.custom[0]) << "no anniversary is an empty field, not 12/30/1899";

    MappingBlock birthday = blockMapping(1, 5);
    ASSERT_TRUE(imageToRecord(&image, &record, &birthday));
    EXPECT_STREQ("07/04/1999", record.custom[0]);

    copyText(record.custom[0], "01/01/2000");
    record.birthday = 0.0;
    ASSERT_TRUE(recordToImage(&record, &image, &birthday));
    EXPECT_EQ(0.0, image.birthday) << "the paired field is still exchanged";
    record.birthday = July4th1999;
    ASSERT_TRUE(recordToImage(&record, &image, &birthday));
    EXPECT_EQ(July4th1999, image.birthday);
}

TEST_F(ContactMapping, CustomFieldsExchangeTheAddressedField) {
    OutlookContactImage image;
    copyText(image.businessHomePage, "biz.example");
    copyText(image.personalHomePage, "me.example");
    copyText(image.managerName, "Boss");
    copyText(image.suffix, "III");
    copyText(image.folderName, "Kontakte");
    image.gender = 2;

    MappingBlock block{};
    block.outlookAddressType = 54;  // not a custom field: never read as one
    block.customMap[0] = 54;        // ManagerName
    block.customMap[1] = 64;        // "PersonalHomePage", the business one
    block.customMap[2] = 34;        // Gender: nothing
    block.customMap[3] = 0;
    block.customMap[4] = 75;  // Suffix
    block.customMap[5] = 69;  // FolderName
    block.customMap[6] = -1;
    block.customMap[8] = 78;
    ContactRecord record;
    ASSERT_TRUE(imageToRecord(&image, &record, &block));
    EXPECT_STREQ("Boss", record.custom[0]);
    EXPECT_STREQ("biz.example", record.custom[1]);
    EXPECT_STREQ("", record.custom[2]);
    EXPECT_STREQ("", record.custom[3]);
    EXPECT_STREQ("III", record.custom[4]);
    EXPECT_STREQ("Kontakte", record.custom[5]);
    EXPECT_STREQ("", record.custom[6]);
    EXPECT_STREQ("", record.custom[8]);

    copyText(record.custom[0], "New Boss");
    copyText(record.custom[1], "new.example");
    copyText(record.custom[2], "1");
    copyText(record.custom[3], "ignored");
    copyText(record.custom[4], "");
    ASSERT_TRUE(recordToImage(&record, &image, &block));
    EXPECT_STREQ("New Boss", image.managerName);
    EXPECT_STREQ("new.example", image.businessHomePage);
    EXPECT_STREQ("me.example", image.personalHomePage);
    EXPECT_EQ(2, image.gender);
    EXPECT_STREQ("", image.suffix) << "an empty custom field empties its target";
}

TEST_F(ContactMapping, CustomTextIsCutToTheTargetField) {
    ContactRecord record;
    copyText(record.custom[0], std::string(63, 'c').c_str());
    copyText(record.custom[1], std::string(63, 'l').c_str());
    MappingBlock block{};
    block.customMap[0] = 76;  // Language, 8 bytes
    block.customMap[1] = 10;  // BusinessAddressPostOfficeBox, 12 bytes
    OutlookContactImage image;
    ASSERT_TRUE(recordToImage(&record, &image, &block));
    EXPECT_EQ(std::string(7, 'c'), image.language);
    EXPECT_EQ(std::string(11, 'l'), image.businessAddressPostOfficeBox);

    // Read back, a long field is cut to the custom field's 63 characters.
    copyText(image.ftpSite, std::string(200, 'f').c_str());
    block.customMap[2] = 33;  // FTPSite
    ASSERT_TRUE(imageToRecord(&image, &record, &block));
    EXPECT_EQ(std::string(63, 'f'), record.custom[2]);
}

TEST_F(ContactMapping, CustomFieldOverridesThePairedFieldButNotBodyOrFolder) {
    ContactRecord record;
    copyText(record.firstName, "Ann");
    copyText(record.note, "the note");
    copyText(record.category, std::string(63, 'k').c_str());
    copyText(record.custom[0], "Annabel");
    copyText(record.custom[1], "custom body");
    copyText(record.custom[2], "custom folder");
    MappingBlock block{};
    block.customMap[0] = 32;  // FirstName
    block.customMap[1] = 68;  // Body
    block.customMap[2] = 69;  // FolderName
    OutlookContactImage image;
    ASSERT_TRUE(recordToImage(&record, &image, &block));
    EXPECT_STREQ("Annabel", image.firstName);
    EXPECT_STREQ("the note", image.body);
    EXPECT_EQ(std::string(31, 'k'), image.folderName);
}
