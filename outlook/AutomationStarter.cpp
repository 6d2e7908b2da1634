#include "outlook/AutomationStarter.h"

class UnavailableAutomationStarter : public AutomationStarter {
public:
    bool lookUpClass(const char*) override { return false; }
    bool createObject() override { return false; }
    bool runObject() override { return false; }
    AutomationObjectRef queryDispatch() override { return nullptr; }
};

static AutomationStarterFactory& installedFactory() {
    static AutomationStarterFactory factory;
    return factory;
}

void setAutomationStarterFactory(AutomationStarterFactory factory) { installedFactory() = std::move(factory); }

std::unique_ptr<AutomationStarter> createAutomationStarter() {
    std::unique_ptr<AutomationStarter> starter;
    const AutomationStarterFactory& factory = installedFactory();
    starter = factory ? factory() : createPlatformAutomationStarter();
    if (!starter)
        starter = createUnavailableAutomationStarter();
    return starter;
}

std::unique_ptr<AutomationStarter> createUnavailableAutomationStarter() {
    return std::unique_ptr<AutomationStarter>(new UnavailableAutomationStarter());
}

ScopedAutomationStarterFactory::ScopedAutomationStarterFactory(AutomationStarterFactory factory)
    : previous_(std::move(installedFactory())) {
    installedFactory() = std::move(factory);
}

ScopedAutomationStarterFactory::~ScopedAutomationStarterFactory() { installedFactory() = std::move(previous_); }
