#pragma once
#include <cstdint>
#include <vector>

#include "outlook/AutomationValue.h"

// The values match the IDispatch::Invoke flags.
enum class AutomationCallKind : uint16_t {
    Method = 1,
    PropertyGet = 2,
    PropertyPut = 4,
};

// A late-bound object: every member is reached by name at run time. On
// Windows the adapter over IDispatch implements it; tests use an in-memory
// Outlook behind the same interface.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;

    // Calls the member `name` as a method, property get or property put.
    // Arguments are in the order a caller writes them; a property put takes
    // the new value as its last argument (after any index arguments). `result` may be null; when given, it
    // holds the member's result on success and is empty otherwise.
    // Returns the status (AutomationStatus.h): negative on failure.
    virtual int32_t invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                           AutomationValue* result) = 0;

    // Says what kind of Outlook object this is ("ContactItem", "Table"...),
    // so an adapter may remember its member numbers for every object of
    // that kind. Whoever fetched the object knows; nothing else changes.
    virtual void setMemberKind(const char* kind) { (void)kind; }
};
