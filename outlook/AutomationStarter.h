#pragma once
#include <functional>
#include <memory>

#include "outlook/AutomationValue.h"

// The program identifier under which Outlook registers its automation class.
constexpr char OutlookProgramId[] = "Outlook.Application";

// The steps that start an automation server, one call each so the session can
// log after every step that succeeds. Call them in order; a step whose
// predecessor failed fails too. The starter holds the created object and
// releases it when destroyed, so whoever keeps the session keeps the starter.
class AutomationStarter {
public:
    virtual ~AutomationStarter() = default;

    // Finds the class registered for `programId` (CLSIDFromProgID).
    virtual bool lookUpClass(const char* programId) = 0;
    // Creates an instance of that class, in-process or local server, and
    // holds it (CoCreateInstance, class context 5, IUnknown).
    virtual bool createObject() = 0;
    // Puts the created object into the running state (OleRun).
    virtual bool runObject() = 0;
    // The created object's IDispatch (QueryInterface): the application
    // object, or none.
    virtual AutomationObjectRef queryDispatch() = 0;
};

using AutomationStarterFactory = std::function<std::unique_ptr<AutomationStarter>()>;

// Installs the process-wide factory the session takes its starter from; an
// empty factory restores the platform's own (real COM on Windows; elsewhere a
// starter that fails at its first step).
void setAutomationStarterFactory(AutomationStarterFactory factory);

// A starter from the installed factory or the platform's. Never null.
std::unique_ptr<AutomationStarter> createAutomationStarter();

// The platform's own starter (one per platform folder).
std::unique_ptr<AutomationStarter> createPlatformAutomationStarter();

// A starter every step of which fails: no automation on this system.
std::unique_ptr<AutomationStarter> createUnavailableAutomationStarter();

// Installs a factory for the lifetime of the object, then puts back the one
// that was installed before.
class ScopedAutomationStarterFactory {
public:
    explicit ScopedAutomationStarterFactory(AutomationStarterFactory factory);
    ~ScopedAutomationStarterFactory();
    ScopedAutomationStarterFactory(const ScopedAutomationStarterFactory&) = delete;
    ScopedAutomationStarterFactory& operator=(const ScopedAutomationStarterFactory&) = delete;

private:
    AutomationStarterFactory previous_;
};
