#include "testenv/fakeoutlook/FakeOutlook.h"

#include "testenv/fakeoutlook/FakeApplication.h"
#include "testenv/fakeoutlook/FakeAutomationStarter.h"
#include "testenv/fakeoutlook/MemberName.h"

std::shared_ptr<FakeOutlook> FakeOutlook::create() { return std::make_shared<FakeOutlook>(Key()); }

AutomationObjectRef FakeOutlook::application() {
    return std::make_shared<FakeApplication>(shared_from_this());
}

AutomationStarterFactory FakeOutlook::starterFactory() {
    std::shared_ptr<FakeOutlook> outlook = shared_from_this();
    return [outlook]() -> std::unique_ptr<AutomationStarter> {
        return std::unique_ptr<AutomationStarter>(new FakeAutomationStarter(outlook));
    };
}

FakeContact& FakeOutlook::addContact() {
    contacts_.push_back(std::unique_ptr<FakeContact>(new FakeContact(currentTime_)));
    return *contacts_.back();
}

FakeContact* FakeOutlook::contact(size_t index) {
    return index < contacts_.size() ? contacts_[index].get() : nullptr;
}

const FakeContact* FakeOutlook::contact(size_t index) const {
    return index < contacts_.size() ? contacts_[index].get() : nullptr;
}

void FakeOutlook::failMember(const std::string& member, int32_t status) {
    failingMembers_.emplace_back(member, status);
}

void FakeOutlook::clearFailures() {
    failingSteps_.clear();
    failingMembers_.clear();
    getNextLimit_ = -1;
}

int32_t FakeOutlook::injectedFailure(const char* member) const {
    for (const auto& failing : failingMembers_) {
        if (sameMemberName(failing.first.c_str(), member)) return failing.second;
    }
    return AutomationStatus::Ok;
}

std::vector<std::string> FakeOutlook::callDescriptions() const {
    std::vector<std::string> descriptions;
    for (const FakeCall& call : calls_) descriptions.push_back(call.describe());
    return descriptions;
}

void FakeOutlook::recordCall(FakeCall call) {
    for (AutomationValue& argument : call.arguments) {
        if (argument.isObject()) argument = AutomationValue::fromObject(nullptr);
    }
    calls_.push_back(std::move(call));
}
