#include "outlook/AutomationStarter.h"

// No COM here: a session started without a test's factory finds no Outlook.
std::unique_ptr<AutomationStarter> createPlatformAutomationStarter() { return createUnavailableAutomationStarter(); }
