#include "testenv/fakeoutlook/FakeAutomationStarter.h"

#include "testenv/fakeoutlook/MemberName.h"
#include "platform/TextCodec.h"

FakeAutomationStarter::FakeAutomationStarter(std::shared_ptr<FakeOutlook> outlook) : outlook_(std::move(outlook)) {
    outlook_->objectCreated();
}

FakeAutomationStarter::~FakeAutomationStarter() {
    created_.reset();
    outlook_->objectDestroyed();
}

int32_t FakeAutomationStarter::stepStatus(FakeStartStep step, bool previousDone, int32_t failure) const {
    if (!previousDone)
        return AutomationStatus::Failed;
    return outlook_->startStepFails(step) ? failure : AutomationStatus::Ok;
}

void FakeAutomationStarter::record(const char* step, std::vector<AutomationValue> arguments, int32_t status) {
    FakeCall call;
    call.target = "Starter";
    call.member = step;
    call.kind = AutomationCallKind::Method;
    call.arguments = std::move(arguments);
    call.status = status;
    outlook_->recordCall(std::move(call));
}

bool FakeAutomationStarter::lookUpClass(const char* programId) {
    int32_t status = stepStatus(FakeStartStep::ClassLookup, programId != nullptr, AutomationStatus::InvalidClassString);
    // Class names in the registry are not case-sensitive.
    if (status == AutomationStatus::Ok && !sameMemberName(programId, OutlookProgramId)) {
        status = AutomationStatus::InvalidClassString;
    }
    foundClass_ = status == AutomationStatus::Ok;
    record("CLSIDFromProgID", {AutomationValue::fromText(ansiToUtf16(programId ? programId : ""))}, status);
    return foundClass_;
}

bool FakeAutomationStarter::createObject() {
    int32_t status = stepStatus(FakeStartStep::Creation, foundClass_, AutomationStatus::ClassNotRegistered);
    created_ = status == AutomationStatus::Ok ? outlook_->application() : nullptr;
    record("CoCreateInstance", {}, status);
    return created_ != nullptr;
}

bool FakeAutomationStarter::runObject() {
    int32_t status = stepStatus(FakeStartStep::Running, created_ != nullptr, AutomationStatus::Failed);
    running_ = status == AutomationStatus::Ok;
    record("OleRun", {}, status);
    return running_;
}

AutomationObjectRef FakeAutomationStarter::queryDispatch() {
    int32_t status = stepStatus(FakeStartStep::Dispatch, running_, AutomationStatus::NoInterface);
    record("QueryInterface", {}, status);
    return status == AutomationStatus::Ok ? created_ : nullptr;
}
