#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "outlook/AutomationCalls.h"
#include "outlook/BusyRetry.h"
#include "testenv/fakeoutlook/FakeContactItem.h"
#include "testenv/fakeoutlook/FakeContactsFolder.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

namespace {

class AutomationCalls : public ::testing::Test {
protected:
    AutomationCalls() {
        contact = &outlook->addContact();
        item = std::make_shared<FakeContactItem>(outlook, 0);
    }

    // The number of property puts the item received.
    int putCount() const {
        int count = 0;
        for (const FakeCall& call : outlook->calls()) {
            if (call.kind == AutomationCallKind::PropertyPut)
                ++count;
        }
        return count;
    }

    std::shared_ptr<FakeOutlook> outlook = FakeOutlook::create();
    FakeContact* contact = nullptr;
    AutomationObjectRef item;
};

// Sets a result, then fails: the layer must not pass the half-set result on.
class FailingAfterAnswer : public AutomationObject {
public:
    int32_t invoke(const char*, AutomationCallKind, const std::vector<AutomationValue>&,
                   AutomationValue* result) override {
        if (result)
            *result = AutomationValue::fromText(u"partial");
        return AutomationStatus::Failed;
    }
};

TEST_F(AutomationCalls, MissingObjectOrNameIsAnInvalidArgument) {
    AutomationValue result = AutomationValue::fromInt(7);
    EXPECT_EQ(AutomationStatus::InvalidArgument,
              invokeByName(nullptr, "FirstName", AutomationCallKind::PropertyGet, {}, &result));
    EXPECT_TRUE(result.isEmpty());
    EXPECT_EQ(AutomationStatus::InvalidArgument,
              invokeByName(item.get(), nullptr, AutomationCallKind::PropertyGet, {}, &result));

    char buffer[8] = "stale";
    EXPECT_FALSE(getTextProperty(nullptr, "FirstName", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(nullptr, getObjectProperty(nullptr, "Items"));
    EXPECT_EQ(AutomationStatus::InvalidArgument, putTextProperty(nullptr, "FirstName", "Ann"));
    EXPECT_EQ(AutomationStatus::InvalidArgument, putIntProperty(nullptr, "Gender", 1));
    EXPECT_EQ(AutomationStatus::InvalidArgument, putDateProperty(nullptr, "Birthday", 36345.0));
}

TEST_F(AutomationCalls, FailedCallLeavesNoResult) {
    FailingAfterAnswer failing;
    AutomationValue result;
    EXPECT_EQ(AutomationStatus::Failed, invokeByName(&failing, "Name", AutomationCallKind::PropertyGet, {}, &result));
    EXPECT_TRUE(result.isEmpty());
    char buffer[16] = "stale";
    EXPECT_FALSE(getTextProperty(&failing, "Name", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}

TEST_F(AutomationCalls, TextIsConvertedToAnsiAndCutToCapacity) {
    // e-diaeresis and the euro sign are single bytes in the ANSI code page.
    contact->setText("FirstName", u"Zo\u00EB \u20ACuro");
    char buffer[16];
    ASSERT_TRUE(getTextProperty(item.get(), "FirstName", buffer, sizeof buffer));
    EXPECT_STREQ("Zo\xEB \x80uro", buffer);

    char small[8];
    std::memset(small, '#', sizeof small);
    ASSERT_TRUE(getTextProperty(item.get(), "FirstName", small, 4));
    EXPECT_STREQ("Zo\xEB", small);
    EXPECT_EQ('#', small[4]) << "nothing may be written past the capacity";

    ASSERT_TRUE(getTextProperty(item.get(), "FirstName", small, 1));
    EXPECT_STREQ("", small);
    small[0] = '#';
    EXPECT_FALSE(getTextProperty(item.get(), "FirstName", small, 0));
    EXPECT_EQ('#', small[0]);
}

TEST_F(AutomationCalls, ValuesOfAnotherTypeAreNotTaken) {
    contact->setText("FirstName", u"Ann");
    contact->setInteger("Gender", 2);
    contact->setDate("Birthday", 36345.25);

    char buffer[16] = "stale";
    EXPECT_FALSE(getTextProperty(item.get(), "Gender", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    int32_t number = 9;
    EXPECT_FALSE(getIntProperty(item.get(), "FirstName", &number));
    EXPECT_EQ(0, number);
    double date = 9.0;
    EXPECT_FALSE(getDateProperty(item.get(), "Gender", &date));
    EXPECT_EQ(0.0, date);
    EXPECT_EQ(nullptr, getObjectProperty(item.get(), "FirstName"));

    EXPECT_TRUE(getIntProperty(item.get(), "Gender", &number));
    EXPECT_EQ(2, number);
    EXPECT_TRUE(getDateProperty(item.get(), "Birthday", &date));
    EXPECT_EQ(36345.25, date);
}

TEST_F(AutomationCalls, UnknownPropertyLeavesOutputEmpty) {
    char buffer[16] = "stale";
    EXPECT_FALSE(getTextProperty(item.get(), "Suffix", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    double date = 5.0;
    EXPECT_FALSE(getDateProperty(item.get(), "WeddingDay", &date));
    EXPECT_EQ(0.0, date);
}

TEST_F(AutomationCalls, ObjectPropertyGivesTheObjectOrNone) {
    AutomationObjectRef folder = std::make_shared<FakeContactsFolder>(outlook);
    AutomationObjectRef items = getObjectProperty(folder.get(), "Items");
    ASSERT_NE(nullptr, items);
    int32_t count = -1;
    EXPECT_TRUE(getIntProperty(items.get(), "Count", &count));
    EXPECT_EQ(1, count);

    outlook->failMember("Items");
    EXPECT_EQ(nullptr, getObjectProperty(folder.get(), "Items"));
}

TEST_F(AutomationCalls, EmptyTextIsNotPut) {
    contact->setText("HomeTelephoneNumber", u"555-0100");
    EXPECT_EQ(AutomationStatus::NothingDone, putTextProperty(item.get(), "HomeTelephoneNumber", ""));
    EXPECT_EQ(AutomationStatus::NothingDone, putTextProperty(item.get(), "HomeTelephoneNumber", nullptr));
    EXPECT_EQ(0, putCount());
    EXPECT_EQ(u"555-0100", contact->text("HomeTelephoneNumber"));
}

TEST_F(AutomationCalls, TextIsPutAsUtf16) {
    EXPECT_EQ(AutomationStatus::Ok, putTextProperty(item.get(), "CompanyName", "Caf\xE9 \x80"));
    EXPECT_EQ(u"Caf\u00E9 \u20AC", contact->text("CompanyName"));
}

TEST_F(AutomationCalls, TextPutIsLimitedTo4096Characters) {
    std::string longBody(5000, 'b');
    longBody[4095] = 'x';
    longBody[4096] = 'y';
    EXPECT_EQ(AutomationStatus::Ok, putTextProperty(item.get(), "Body", longBody.c_str()));
    std::u16string stored = contact->text("Body");
    ASSERT_EQ(4096u, stored.size());
    EXPECT_EQ(u'x', stored.back());
}

TEST_F(AutomationCalls, TextPutReadsAFixedFieldNoFurtherThanItsLength) {
    struct {
        char initials[4];
        char next[4];
    } fields = {{'A', 'B', 'C', 'D'}, {'E', 'F', 'G', '\0'}};
    EXPECT_EQ(AutomationStatus::Ok, putTextProperty(item.get(), "Initials", fields.initials, sizeof fields.initials));
    EXPECT_EQ(u"ABCD", contact->text("Initials"));
}

TEST_F(AutomationCalls, DatesNearZeroAreNotPut) {
    for (double noDate : {0.0, 0.000009, -0.000009}) {
        EXPECT_EQ(AutomationStatus::NothingDone, putDateProperty(item.get(), "Birthday", noDate)) << noDate;
    }
    EXPECT_EQ(0, putCount());

    EXPECT_EQ(AutomationStatus::Ok, putDateProperty(item.get(), "Birthday", 0.00001));
    EXPECT_EQ(0.00001, contact->date("Birthday"));
    EXPECT_EQ(AutomationStatus::Ok, putDateProperty(item.get(), "Anniversary", -2.5));
    EXPECT_EQ(-2.5, contact->date("Anniversary"));
}

TEST_F(AutomationCalls, IntegerIsAlwaysPut) {
    contact->setInteger("Gender", 2);
    EXPECT_EQ(AutomationStatus::Ok, putIntProperty(item.get(), "Gender", 0));
    EXPECT_EQ(1, putCount());
    EXPECT_EQ(0, contact->integer("Gender"));
}

TEST_F(AutomationCalls, RefusedPutsReportTheObjectsStatus) {
    EXPECT_EQ(AutomationStatus::UnknownName, putTextProperty(item.get(), "Suffix", "Jr."));
    EXPECT_EQ(AutomationStatus::MemberNotFound, putDateProperty(item.get(), "CreationTime", 40000.0));
    EXPECT_EQ(AutomationStatus::TypeMismatch, putIntProperty(item.get(), "FirstName", 3));
    EXPECT_EQ(u"", contact->text("FirstName"));
}

// Outlook answers busy for the first `busyCalls` calls, then as asked.
class BusyFor : public AutomationObject {
public:
    BusyFor(int busyCalls, int32_t busyStatus, int32_t then = AutomationStatus::Ok)
        : busyCalls_(busyCalls), busyStatus_(busyStatus), then_(then) {}
    int32_t invoke(const char*, AutomationCallKind, const std::vector<AutomationValue>&,
                   AutomationValue* result) override {
        ++calls;
        if (calls <= busyCalls_) {
            if (result)
                *result = AutomationValue::fromText(u"half");
            return busyStatus_;
        }
        if (result)
            *result = AutomationValue::fromInt(calls);
        return then_;
    }
    int calls = 0;

private:
    int busyCalls_;
    int32_t busyStatus_;
    int32_t then_;
};

// A clock that moves only when the retries sleep, so no test waits.
class BusyRetries : public ::testing::Test {
protected:
    BusyRetries() {
        setBusyClock({[this]() { return now; },
                      [this](uint32_t milliseconds) {
                          now += milliseconds;
                          sleeps.push_back(milliseconds);
                      }});
        setBusyWaitListener([this](bool waiting) { waits.push_back(waiting); });
    }
    ~BusyRetries() override {
        setBusyClock({});
        setBusyWaitListener(nullptr);
        forgetAutomationServerGone();
    }
    uint64_t now = 1000;
    std::vector<uint32_t> sleeps;
    std::vector<bool> waits;
};

TEST_F(BusyRetries, ACallRefusedForAWhileIsMadeAgainUntilItIsAnswered) {
    for (int32_t busy : {AutomationStatus::CallRejected, AutomationStatus::ServerCallRetryLater}) {
        BusyFor outlook(3, busy);
        AutomationValue result;
        waits.clear();
        EXPECT_EQ(AutomationStatus::Ok, invokeByName(&outlook, "Save", AutomationCallKind::Method, {}, &result));
        EXPECT_EQ(4, outlook.calls);
        ASSERT_TRUE(result.isInt()) << "the answer of the call that went through";
        EXPECT_EQ(4, result.integer());
        EXPECT_EQ((std::vector<bool>{true, false}), waits) << "the wait cursor comes and goes";
    }
    BusyFor quiet(0, AutomationStatus::CallRejected);
    waits.clear();
    invokeByName(&quiet, "Save", AutomationCallKind::Method, {}, nullptr);
    EXPECT_TRUE(waits.empty());
}

TEST_F(BusyRetries, AStillBusyOutlookFailsTheCallAfterThirtySeconds) {
    BusyFor outlook(1000000, AutomationStatus::CallRejected);
    AutomationValue result;
    const uint64_t start = now;
    EXPECT_EQ(AutomationStatus::CallRejected, invokeByName(&outlook, "Save", AutomationCallKind::Method, {}, &result));
    EXPECT_TRUE(result.isEmpty());
    EXPECT_EQ(start + BusyRetryLimitMilliseconds, now) << "no pause goes past the limit";
    EXPECT_GT(outlook.calls, 10) << "pauses stay short enough to notice the end of a busy spell";
    EXPECT_LT(outlook.calls, 200) << "but not so short that they flood a busy server";
    for (uint32_t pause : sleeps)
        EXPECT_LE(pause, 500u);
    EXPECT_FALSE(automationServerGone()) << "busy is not gone";
}

TEST_F(BusyRetries, OtherFailuresAreNotRetriedAndAGoneOutlookIsRemembered) {
    BusyFor denied(0, AutomationStatus::Ok, AutomationStatus::AccessDenied);
    EXPECT_EQ(AutomationStatus::AccessDenied,
              invokeByName(&denied, "FirstName", AutomationCallKind::PropertyGet, {}, nullptr));
    EXPECT_EQ(1, denied.calls);
    EXPECT_FALSE(automationServerGone());

    for (int32_t gone : {AutomationStatus::ServerUnavailable, AutomationStatus::Disconnected,
                         AutomationStatus::ObjectNotConnected, AutomationStatus::CallFailed}) {
        BusyFor closed(0, AutomationStatus::Ok, gone);
        EXPECT_EQ(gone, invokeByName(&closed, "Save", AutomationCallKind::Method, {}, nullptr));
        EXPECT_EQ(1, closed.calls);
        EXPECT_TRUE(automationServerGone());
        forgetAutomationServerGone();
        EXPECT_FALSE(automationServerGone());
    }
    EXPECT_TRUE(sleeps.empty());
}

TEST_F(BusyRetries, TheMessageFilterRetriesWithinTheSameBound) {
    EXPECT_GT(rejectedCallRetryDelay(0), 99) << "100 and more: try again after that long";
    EXPECT_GT(rejectedCallRetryDelay(BusyRetryLimitMilliseconds - 1), 99);
    EXPECT_EQ(-1, rejectedCallRetryDelay(BusyRetryLimitMilliseconds)) << "then the call fails";
    EXPECT_EQ(-1, rejectedCallRetryDelay(0xFFFFFFFFu));
}

}  // namespace
