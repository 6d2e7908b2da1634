#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outlook/AutomationObject.h"
#include "testenv/fakeoutlook/ContactFile.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

// How one start of the stand-in Outlook automation server behaves.
struct StandInSettings {
    // The contacts file; empty: the folder starts empty and lives in memory.
    std::string contactsFile;
    // The n-th "Save" of the run (from 1) fails and writes nothing; 0: none.
    int failSave = 0;
    // Every "Save" waits this long before it does anything, so a run can be
    // ended from outside while it is under way; 0: no wait.
    int saveDelayMs = 0;
    // "GetNext" fails once its enumeration has yielded n items; negative: never.
    int failGetNextAfter = -1;
    // Properties whose puts fail with E_ACCESSDENIED, as Outlook refuses
    // some to another program; separated by commas.
    std::vector<std::string> deniedPuts;
    // The automation date that "Add" and "Save" stamp; 0: the local clock.
    double fixedTime = 0.0;
    // The Outlook version played (major number): 12 and later offer tables;
    // 0: the version before them, as every scenario had it.
    int outlookVersion = 0;
    // Where the local server writes the calls it received; empty: nowhere.
    std::string callsFile;
    // Told why a "Save" failed; none: kept to lastProblem().
    std::function<void(const std::string&)> report;
};

// Each setting is taken from its environment variable (which a program
// started by a test inherits), else from the text value of that name under
// HKEY_CURRENT_USER\<StandInRegistryKey> (easier for a demo).
constexpr char StandInRegistryKey[] = "Software\\Quillset\\StandInOutlook";
struct StandInSwitch {
    const char* environmentName;
    const char* registryValue;
};
constexpr StandInSwitch StandInContactsFile = {"QS_OUTLOOK_CONTACTS", "ContactsFile"};
constexpr StandInSwitch StandInFailSave = {"QS_OUTLOOK_FAIL_SAVE", "FailSave"};
constexpr StandInSwitch StandInSaveDelay = {"QS_OUTLOOK_SAVE_DELAY_MS", "SaveDelayMs"};
constexpr StandInSwitch StandInFailGetNextAfter = {"QS_OUTLOOK_FAIL_GETNEXT_AFTER", "FailGetNextAfter"};
constexpr StandInSwitch StandInDenyPuts = {"QS_OUTLOOK_DENY_PUTS", "DenyPuts"};
constexpr StandInSwitch StandInFixedTime = {"QS_OUTLOOK_TIME", "Time"};
constexpr StandInSwitch StandInCallsFile = {"QS_OUTLOOK_CALLS", "CallsFile"};
constexpr StandInSwitch StandInVersion = {"QS_OUTLOOK_VERSION", "Version"};

// True with the switch's text when it is set (an empty text counts as unset).
using StandInLookup = std::function<bool(const StandInSwitch& name, std::string* text)>;
// False, naming the switch, when a number switch holds something else.
bool readStandInSettings(const StandInLookup& lookup, StandInSettings* settings, std::string* problem);

// The in-memory Outlook as the automation server serves it: seeded from the
// contacts file when the application object is made; every successful "Save"
// appends the saved contact's block to the file, so that reading it back
// gives each contact as it was last saved (or loaded), in folder order; a
// contact added but never saved is not written. A "Delete" (rare) rewrites
// the file without the contact, each other one at its folder place.
class StandInOutlook : public std::enable_shared_from_this<StandInOutlook> {
public:
    // Null, with the reason, when the file cannot be read or is malformed.
    // A missing file is an empty Contacts folder.
    static std::shared_ptr<StandInOutlook> open(const StandInSettings& settings, std::string* problem);

    // A new application object; every object reached from it goes through
    // this stand-in.
    AutomationObjectRef application();

    FakeOutlook& model() { return *outlook_; }
    // "Save" calls so far, the failed ones included.
    int saveCount() const { return saves_; }
    // Why the last failed "Save" failed.
    const std::string& lastProblem() const { return lastProblem_; }

    // Use open().
    struct Key {};
    StandInOutlook(Key, const StandInSettings& settings);

private:
    friend class StandInObject;
    bool load(std::string* problem);
    // Stamps what follows with the clock, unless a time was fixed.
    void setClock();
    int32_t save(AutomationObject& item, const std::vector<AutomationValue>& arguments, AutomationValue* result);
    // "Delete": the contact leaves the file.
    int32_t remove(AutomationObject& item, const std::vector<AutomationValue>& arguments, AutomationValue* result);
    // The file rewritten with every contact as last saved; status unless
    // that fails.
    int32_t writeFile(int32_t status);
    // The place in the file of the contact at a folder position: the loaded
    // contacts keep theirs, the added ones follow in folder order.
    size_t filePlace(size_t position) const;
    AutomationObjectRef wrap(AutomationObjectRef inner);
    int32_t saveFailed(int32_t status, std::string problem);

    StandInSettings settings_;
    std::shared_ptr<FakeOutlook> outlook_;
    // By folder position: the contact as last saved or loaded, and the lines
    // of the file this stand-in does not know.
    std::vector<std::optional<ContactFileEntry>> saved_;
    std::vector<std::vector<ContactFileLine>> unknown_;
    std::vector<size_t> loadedPlaces_;
    int saves_ = 0;
    std::string lastProblem_;
};
