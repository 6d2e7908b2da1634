#include <cstring>
#include <string>
#include <vector>

#include "outlook/OutlookDate.h"
#include "palm/PalmAddressFile4.h"
#include "platform/TextCodec.h"
#include "tests/support/PalmFileBuilders.h"
#include "tests/syncfixture/SyncFixture.h"

namespace {

struct Birthday {
    const char* firstName;
    double date;  // Automation date, 0 for none
};

// 29 February 2000, 1 January 1900, 31 December 1999, and none.
const Birthday birthdays[] = {{"Leap", 36585.0}, {"Early", 2.0}, {"Year", 36525.0}, {"None", 0.0}};

PalmAddressRecord4 personBornOn(uint32_t id, const Birthday& birthday) {
    PalmAddressRecord4 record;
    record.recordId = id;
    record.firstName = birthday.firstName;
    record.lastName = "Born";
    for (uint32_t slot = 0; slot < PalmAddressRecord4::kPhoneCount; ++slot)
        record.phoneLabel[slot] = slot;
    uint64_t bits = 0;
    std::memcpy(&bits, &birthday.date, sizeof bits);
    record.birthday[0] = static_cast<uint32_t>(bits);
    record.birthday[1] = static_cast<uint32_t>(bits >> 32);
    return record;
}

double birthdayOf(const PalmAddressRecord4& record) {
    const uint64_t bits = static_cast<uint64_t>(record.birthday[0]) | static_cast<uint64_t>(record.birthday[1]) << 32;
    double date = 0.0;
    std::memcpy(&date, &bits, sizeof date);
    return date;
}

class BirthdayTest : public SyncFixture {
protected:
    const FakeContact* outlookContactNamed(const std::string& firstName) const {
        for (size_t index = 0; index < outlook->contactCount(); ++index) {
            if (outlookText(index, "FirstName") == firstName)
                return outlook->contact(index);
        }
        return nullptr;
    }
};

}  // namespace

// Outlook shows "no date" as 1 January 4501 (the stand-in does the same): a
// birthday crosses both ways on its own day, and none never becomes one.
TEST_F(BirthdayTest, BirthdaysCrossBothWaysOnTheirOwnDayAndNoneStaysNone) {
    std::vector<PalmAddressRecord4> records;
    for (const Birthday& birthday : birthdays)
        records.push_back(personBornOn(static_cast<uint32_t>(records.size() + 1), birthday));
    ASSERT_TRUE(format4File(palmPath, records).writeTo(palmPath));
    start();
    view->checkAll(SyncList::Palm);
    operations->transferPalmToOutlook();

    ASSERT_EQ(4u, outlook->contactCount());
    for (const Birthday& birthday : birthdays) {
        const FakeContact* contact = outlookContactNamed(birthday.firstName);
        ASSERT_NE(nullptr, contact) << birthday.firstName;
        EXPECT_EQ(birthday.date == 0.0 ? OutlookNoDate : birthday.date, contact->date("Birthday"))
            << birthday.firstName;
    }

    // Back into an empty Palm Desktop 4 book.
    ASSERT_TRUE(format4File(palmPath, {}).writeTo(palmPath));
    start();
    view->checkAll(SyncList::Outlook);
    operations->transferOutlookToPalm();

    PalmAddressFile4 reread(palmPath);
    ASSERT_EQ(4u, reread.recordCount());
    for (size_t index = 0; index < reread.recordCount(); ++index) {
        const PalmAddressRecord4& record = *reread.recordAt(index);
        bool known = false;
        for (const Birthday& birthday : birthdays) {
            if (record.firstName != birthday.firstName)
                continue;
            known = true;
            EXPECT_EQ(birthday.date, birthdayOf(record)) << birthday.firstName;
        }
        EXPECT_TRUE(known) << record.firstName;
    }
}
