#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "outlook/AutomationValue.h"

// The stored state of one contact item of the in-memory Outlook: a value per
// property of fakeContactProperties() (texts "", dates 0, "Gender" 0 until
// set) and the number of saves.
class FakeContact {
public:
    // serial tells the contact apart from every other of its Outlook for
    // as long as it lives; entryId is what "EntryID" answers.
    explicit FakeContact(double creationTime, uint64_t serial = 0, const std::u16string& entryId = u"");

    // Seeding and reading back by property name (any case). A setter refuses
    // (false) an unknown name or a property of another type; the read-only
    // time stamps can be seeded. A getter gives the neutral value then.
    bool setText(const char* name, const std::u16string& text);
    bool setDate(const char* name, double date);
    bool setInteger(const char* name, int32_t value);
    std::u16string text(const char* name) const;
    double date(const char* name) const;
    int32_t integer(const char* name) const;
    // The stored value, or null for an unknown name.
    const AutomationValue* value(const char* name) const;

    int saveCount() const { return saveCount_; }
    // A contact, not a distribution list or another kind of item: its
    // "MessageClass" begins with "IPM.Contact".
    bool isContactItem() const;
    uint64_t serial() const { return serial_; }

    // What a contact item answers through automation.
    // UnknownName for a name it does not have.
    int32_t getProperty(const char* name, AutomationValue* result) const;
    // UnknownName; MemberNotFound for a read-only property; TypeMismatch for
    // a value of another type.
    int32_t putProperty(const char* name, const AutomationValue& value);
    bool hasProperty(const char* name) const;
    // Counts the save and stamps the modification time.
    void save(double now);

private:
    bool seed(const char* name, const AutomationValue& value);

    std::vector<AutomationValue> values_;
    int saveCount_ = 0;
    uint64_t serial_;
};
