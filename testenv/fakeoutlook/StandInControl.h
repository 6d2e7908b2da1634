#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outlook/AutomationObject.h"
#include "testenv/fakeoutlook/StandInOutlook.h"

// What only the server process can do for a control call.
struct StandInServerHooks {
    // Refuse every call for that many seconds.
    std::function<void(int seconds)> beBusy;
    // End the process soon after the answer, as a crash would.
    std::function<void()> quit;
    // Write the call counts now; false with the reason.
    std::function<bool(std::string* problem)> writeCalls;
};

// The application object a client of the stand-in server gets: Outlook's
// members go to the stand-in's application, and members of its own, which
// the program never calls, let a test act in Outlook as its user would while
// the program runs. They go through the same object model (so a change is
// saved to the contacts file as any other):
//   StandInDeleteContact(who)            the contact leaves the folder
//   StandInAddContact(name, value, ...)  a new contact with these text
//                                        properties, saved
//   StandInEditContact(who, name, value) one text property put and saved
//   StandInDenyReads(name, ...)          reads of these properties fail with
//                                        E_ACCESSDENIED from now on
//   StandInContactCount()                the contacts in the folder
//   StandInBusy(seconds), StandInQuit(), StandInWriteCalls()  (the hooks)
// `who` is "#n" (folder position from 1) or a name: "First Last" or FullName.
class StandInControl final : public AutomationObject {
public:
    static constexpr int32_t AccessDenied = static_cast<int32_t>(0x80070005u);

    StandInControl(std::shared_ptr<StandInOutlook> outlook, StandInServerHooks hooks);

    int32_t invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override;

private:
    using Arguments = std::vector<AutomationValue>;
    int32_t control(const std::string& name, const Arguments& arguments, AutomationValue* result);
    int32_t deleteContact(const Arguments& arguments);
    int32_t addContact(const Arguments& arguments);
    int32_t editContact(const Arguments& arguments);
    int32_t denyReads(const Arguments& arguments);
    int32_t contactCount(AutomationValue* result);
    int32_t items(AutomationObjectRef* items);
    int32_t findContact(const std::u16string& who, AutomationObjectRef* item);

    std::shared_ptr<StandInOutlook> outlook_;
    AutomationObjectRef application_;
    StandInServerHooks hooks_;
};
