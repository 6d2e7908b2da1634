#pragma once
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "outlook/AutomationStarter.h"
#include "outlook/AutomationStatus.h"
#include "testenv/fakeoutlook/FakeCall.h"
#include "testenv/fakeoutlook/FakeContact.h"

enum class FakeStartStep { ClassLookup, Creation, Running, Dispatch };

// An Outlook held in memory behind the automation interface: application,
// MAPI namespace, the default Contacts folder with its items, and contact
// items with Outlook's property types. Tests seed it, inspect it, make single
// calls fail and read the log of every call made.
//
// Create it with create(): the automation objects it hands out share its
// ownership, so it outlives whichever of them a session keeps.
class FakeOutlook : public std::enable_shared_from_this<FakeOutlook> {
public:
    static std::shared_ptr<FakeOutlook> create();

    // A new application object, as starting Outlook gives.
    AutomationObjectRef application();
    // Starters that start this Outlook, for setAutomationStarterFactory.
    AutomationStarterFactory starterFactory();

    // The Contacts folder.
    void setFolderName(const std::u16string& name) { folderName_ = name; }
    const std::u16string& folderName() const { return folderName_; }
    // Appends a contact stamped with the current time, as "Add" does.
    FakeContact& addContact();
    size_t contactCount() const { return contacts_.size(); }
    // The contact at the folder position (from 0), or null.
    FakeContact* contact(size_t index);
    const FakeContact* contact(size_t index) const;
    // The folder position of the contact with that serial or "EntryID";
    // false when there is none (any more).
    bool findContact(uint64_t serial, size_t* index) const;
    bool findContactById(const std::u16string& entryId, size_t* index) const;
    // "Delete": the contact leaves the folder; later positions move up.
    void removeContact(size_t index);
    // A contact seeded with an "EntryID" of an earlier run: later ones never
    // take it again.
    void noteSeededEntryId(const std::u16string& entryId);

    // The Outlook version played (its major number). Folders offer
    // "GetTable" from Outlook 2007 (12) on; the default is the version
    // before, whose only way through a folder is its "Items".
    static constexpr int FirstVersionWithTables = 12;
    void setVersion(int major) { version_ = major; }
    int version() const { return version_; }
    bool offersTables() const { return version_ >= FirstVersionWithTables; }

    // The time new contacts and saves are stamped with (an automation date).
    void setCurrentTime(double date) { currentTime_ = date; }
    double currentTime() const { return currentTime_; }

    // Failures. A start step fails from then on. A failing member fails every
    // call of that name (any object, any case) with `status`, e.g.
    // "GetNameSpace", "GetDefaultFolder", "Items", "Add", "Save" or a
    // property name. "GetNext" fails once its enumeration has yielded
    // `itemCount` items (GetFirst's included); negative: never.
    void failStartStep(FakeStartStep step) { failingSteps_.insert(step); }
    void failMember(const std::string& member, int32_t status = AutomationStatus::Failed);
    // As failMember, but only its property gets fail: what is read, not what
    // is put.
    void failPropertyGet(const std::string& member, int32_t status = AutomationStatus::Failed);
    // Only its puts fail: what is written, as a property Outlook will not take.
    void failPropertyPut(const std::string& member, int32_t status = AutomationStatus::Failed);
    void failGetNextAfter(int itemCount) { getNextLimit_ = itemCount; }
    void clearFailures();

    bool startStepFails(FakeStartStep step) const { return failingSteps_.count(step) != 0; }
    // The injected status for the member, or AutomationStatus::Ok.
    int32_t injectedFailure(const char* member, AutomationCallKind kind) const;
    int getNextLimit() const { return getNextLimit_; }

    // The call log: every automation call and start step, in order.
    const std::vector<FakeCall>& calls() const { return calls_; }
    std::vector<std::string> callDescriptions() const;
    void clearCalls() { calls_.clear(); }
    void recordCall(FakeCall call);

    // Automation objects (and starters) alive now: a session that let go of
    // everything leaves 0.
    int liveObjects() const { return liveObjects_; }
    void objectCreated() { ++liveObjects_; }
    void objectDestroyed() { --liveObjects_; }

    // Use create().
    struct Key {};
    explicit FakeOutlook(Key) {}

private:
    std::u16string folderName_ = u"Contacts";
    std::vector<std::unique_ptr<FakeContact>> contacts_;
    double currentTime_ = 45292.5;  // 1 January 2024, noon
    int version_ = FirstVersionWithTables - 1;
    uint64_t lastSerial_ = 0;
    uint32_t lastIdNumber_ = 0;
    std::set<FakeStartStep> failingSteps_;
    struct FailingMember {
        std::string member;
        int32_t status;
        bool getsOnly;
        bool putsOnly;
    };
    std::vector<FailingMember> failingMembers_;
    int getNextLimit_ = -1;
    std::vector<FakeCall> calls_;
    int liveObjects_ = 0;
};
