#include "testenv/fakeoutlook/FakeCall.h"

#include <cstdio>

static std::string describeTarget(const FakeCall& call) {
    if (call.contactIndex < 0)
        return call.target;
    return call.target + "[" + std::to_string(call.contactIndex) + "]";
}

static std::string describeArguments(const std::vector<AutomationValue>& arguments) {
    std::string text = "(";
    for (size_t index = 0; index < arguments.size(); ++index) {
        if (index > 0)
            text += ", ";
        text += arguments[index].describe();
    }
    return text + ")";
}

std::string FakeCall::describe() const {
    std::string text = describeTarget(*this) + "." + member;
    switch (kind) {
    case AutomationCallKind::Method: text += describeArguments(arguments); break;
    case AutomationCallKind::PropertyGet:
        if (!arguments.empty())
            text += describeArguments(arguments);
        break;
    case AutomationCallKind::PropertyPut:
        text += arguments.size() == 1 ? " = " + arguments[0].describe() : " = " + describeArguments(arguments);
        break;
    }
    if (status < 0) {
        char code[32];
        std::snprintf(code, sizeof code, " -> 0x%08X", static_cast<unsigned>(status));
        text += code;
    }
    return text;
}
