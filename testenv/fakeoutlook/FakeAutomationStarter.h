#pragma once
#include <memory>

#include "outlook/AutomationStarter.h"
#include "testenv/fakeoutlook/FakeOutlook.h"

// Starts the in-memory Outlook the way COM starts the real one; each step is
// logged as a "Starter" call and fails when the test says so. The created
// application object is held until the starter goes.
class FakeAutomationStarter : public AutomationStarter {
public:
    explicit FakeAutomationStarter(std::shared_ptr<FakeOutlook> outlook);
    ~FakeAutomationStarter() override;
    FakeAutomationStarter(const FakeAutomationStarter&) = delete;
    FakeAutomationStarter& operator=(const FakeAutomationStarter&) = delete;

    bool lookUpClass(const char* programId) override;
    bool createObject() override;
    bool runObject() override;
    AutomationObjectRef queryDispatch() override;

private:
    int32_t stepStatus(FakeStartStep step, bool previousDone, int32_t failure) const;
    void record(const char* step, std::vector<AutomationValue> arguments, int32_t status);

    std::shared_ptr<FakeOutlook> outlook_;
    bool foundClass_ = false;
    bool running_ = false;
    AutomationObjectRef created_;
};
