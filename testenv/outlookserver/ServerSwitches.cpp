#include "testenv/outlookserver/ServerSwitches.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/Registry.h"

bool lookUpStandInSwitch(const StandInSwitch& name, std::string* text) {
    std::vector<char> buffer(32768);
    DWORD length = GetEnvironmentVariableA(name.environmentName, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length > 0 && length < buffer.size()) {
        text->assign(buffer.data(), length);
        return true;
    }
    if (readCurrentUserString(StandInRegistryKey, name.registryValue, buffer.data(),
                              static_cast<uint32_t>(buffer.size())) == RegistryReadResult::Found &&
        buffer[0] != '\0') {
        text->assign(buffer.data());
        return true;
    }
    return false;
}

void tellFromStandIn(const std::string& message) {
    std::string line = "Quillset stand-in Outlook: " + message + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    OutputDebugStringA(line.c_str());
}
