#include "testenv/fakeoutlook/FakeOutlook.h"

#include <cstdio>
#include <cstring>

#include "testenv/fakeoutlook/FakeApplication.h"
#include "testenv/fakeoutlook/FakeAutomationStarter.h"
#include "testenv/fakeoutlook/MemberName.h"

std::shared_ptr<FakeOutlook> FakeOutlook::create() { return std::make_shared<FakeOutlook>(Key()); }

AutomationObjectRef FakeOutlook::application() { return std::make_shared<FakeApplication>(shared_from_this()); }

AutomationStarterFactory FakeOutlook::starterFactory() {
    std::shared_ptr<FakeOutlook> outlook = shared_from_this();
    return [outlook]() -> std::unique_ptr<AutomationStarter> {
        return std::unique_ptr<AutomationStarter>(new FakeAutomationStarter(outlook));
    };
}

namespace {

// Like Outlook's: long upper-case hex. The creation time keeps the ids of
// two runs apart; the number those of one run.
constexpr size_t idNumberStart = 32;
constexpr size_t idLength = idNumberStart + 8;

std::u16string makeEntryId(double creationTime, uint32_t number) {
    uint64_t timeBits = 0;
    std::memcpy(&timeBits, &creationTime, sizeof timeBits);
    char text[idLength + 1];
    std::snprintf(text, sizeof text, "0000000051530000%016llX%08X", static_cast<unsigned long long>(timeBits),
                  static_cast<unsigned>(number));
    return std::u16string(text, text + idLength);
}

}  // namespace

FakeContact& FakeOutlook::addContact() {
    contacts_.push_back(std::unique_ptr<FakeContact>(
        new FakeContact(currentTime_, ++lastSerial_, makeEntryId(currentTime_, ++lastIdNumber_))));
    return *contacts_.back();
}

void FakeOutlook::noteSeededEntryId(const std::u16string& entryId) {
    if (entryId.size() != idLength)
        return;
    uint32_t number = 0;
    for (size_t at = idNumberStart; at < idLength; ++at) {
        const char16_t c = entryId[at];
        const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
        if (digit < 0)
            return;
        number = number * 16 + static_cast<uint32_t>(digit);
    }
    if (number > lastIdNumber_)
        lastIdNumber_ = number;
}

bool FakeOutlook::findContact(uint64_t serial, size_t* index) const {
    for (size_t at = 0; at < contacts_.size(); ++at) {
        if (contacts_[at]->serial() == serial) {
            *index = at;
            return true;
        }
    }
    return false;
}

bool FakeOutlook::findContactById(const std::u16string& entryId, size_t* index) const {
    if (entryId.empty())
        return false;
    for (size_t at = 0; at < contacts_.size(); ++at) {
        if (contacts_[at]->text("EntryID") == entryId) {
            *index = at;
            return true;
        }
    }
    return false;
}

void FakeOutlook::removeContact(size_t index) {
    if (index < contacts_.size())
        contacts_.erase(contacts_.begin() + static_cast<std::ptrdiff_t>(index));
}

FakeContact* FakeOutlook::contact(size_t index) { return index < contacts_.size() ? contacts_[index].get() : nullptr; }

const FakeContact* FakeOutlook::contact(size_t index) const {
    return index < contacts_.size() ? contacts_[index].get() : nullptr;
}

void FakeOutlook::failMember(const std::string& member, int32_t status) {
    failingMembers_.push_back(FailingMember{member, status, false, false});
}

void FakeOutlook::failPropertyGet(const std::string& member, int32_t status) {
    failingMembers_.push_back(FailingMember{member, status, true, false});
}

void FakeOutlook::failPropertyPut(const std::string& member, int32_t status) {
    failingMembers_.push_back(FailingMember{member, status, false, true});
}

void FakeOutlook::clearFailures() {
    failingSteps_.clear();
    failingMembers_.clear();
    getNextLimit_ = -1;
}

int32_t FakeOutlook::injectedFailure(const char* member, AutomationCallKind kind) const {
    for (const FailingMember& failing : failingMembers_) {
        if (failing.getsOnly && kind != AutomationCallKind::PropertyGet)
            continue;
        if (failing.putsOnly && kind != AutomationCallKind::PropertyPut)
            continue;
        if (sameMemberName(failing.member.c_str(), member))
            return failing.status;
    }
    return AutomationStatus::Ok;
}

std::vector<std::string> FakeOutlook::callDescriptions() const {
    std::vector<std::string> descriptions;
    for (const FakeCall& call : calls_)
        descriptions.push_back(call.describe());
    return descriptions;
}

void FakeOutlook::recordCall(FakeCall call) {
    for (AutomationValue& argument : call.arguments) {
        if (argument.isObject())
            argument = AutomationValue::fromObject(nullptr);
    }
    calls_.push_back(std::move(call));
}
