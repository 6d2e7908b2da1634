#pragma once
#include <string>

#include "testenv/fakeoutlook/StandInOutlook.h"

// A stand-in switch from the environment, else from the registry
// (HKCU\<StandInRegistryKey>): the lookup readStandInSettings takes.
bool lookUpStandInSwitch(const StandInSwitch& name, std::string* text);

// The test that started the program sees standard error; a debugger sees the
// rest.
void tellFromStandIn(const std::string& message);
