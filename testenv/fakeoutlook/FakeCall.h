#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "outlook/AutomationObject.h"

// One call made on the in-memory Outlook, kept in its call log.
struct FakeCall {
    // "Starter", "Application", "NameSpace", "Folder", "Items" or "ContactItem".
    std::string target;
    // The contact item's position in the folder (from 0), else -1.
    int contactIndex = -1;
    std::string member;
    AutomationCallKind kind = AutomationCallKind::Method;
    // Object arguments are kept without their object, so the log holds
    // nothing alive.
    std::vector<AutomationValue> arguments;
    int32_t status = 0;

    // 'Application.GetNameSpace("MAPI")', 'Folder.Name',
    // 'ContactItem[0].FirstName = "Ann"', with ' -> 0x80020006' appended
    // when the call failed.
    std::string describe() const;
};
