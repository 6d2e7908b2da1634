#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "outlook/AutomationObject.h"
#include "outlook/AutomationStatus.h"

// The automation-call layer: late-bound calls by member name and the typed
// property helpers the Outlook transfers use. A missing object or name is an
// invalid argument; nothing here throws or reports beyond its return value.

// Longest text put into a property, in UTF-16 units.
constexpr size_t MaximumPutTextLength = 4096;

// Calls `name` on `object` (see AutomationObject::invoke). `result` may be
// null; when given it is emptied first. A call refused because Outlook is
// busy is made again for a while (BusyRetry.h). Returns the status;
// AutomationStatus::InvalidArgument when object or name is missing.
int32_t invokeByName(AutomationObject* object, const char* name, AutomationCallKind kind,
                     const std::vector<AutomationValue>& arguments, AutomationValue* result);

// Whether a call since the last forgetAutomationServerGone() found Outlook
// closed or crashed (isOutlookGoneStatus): its objects are dead, and only a
// new start reaches it again.
bool automationServerGone();
void forgetAutomationServerGone();

// Property gets. Each takes the value only when the property answers with the
// expected type and returns true then. Otherwise it returns false and leaves
// the output neutral: an empty buffer, 0, 0.0.
//
// Text is converted to the ANSI code page and cut to capacity - 1 bytes; the
// buffer always ends with a NUL (nothing is written when capacity is 0).
bool getTextProperty(AutomationObject* object, const char* name, char* buffer, uint32_t capacity);
bool getIntProperty(AutomationObject* object, const char* name, int32_t* value);
bool getDateProperty(AutomationObject* object, const char* name, double* value);
// The object the property holds, or none (also for "Nothing").
AutomationObjectRef getObjectProperty(AutomationObject* object, const char* name);
// The object a method answers with, or none when it fails or gives Nothing.
AutomationObjectRef callForObject(AutomationObject* object, const char* name,
                                  const std::vector<AutomationValue>& arguments = {});

// `object`, told its kind so that it shares member numbers with its like
// (every contact item has the same members); none stays none.
AutomationObjectRef ofKind(AutomationObjectRef object, const char* memberKind);

// Property puts. Each returns AutomationStatus::Ok when the value was put,
// AutomationStatus::NothingDone when the rule below says not to put it, and
// the failure status otherwise.
//
// ANSI text, converted to UTF-16 and cut to MaximumPutTextLength units; an
// empty (or missing) text is not put, so the property keeps its value.
// `maximumLength` bounds how far `text` is read when it is a fixed field.
int32_t putTextProperty(AutomationObject* object, const char* name, const char* text, size_t maximumLength = SIZE_MAX);
// Always put, as a 32-bit integer.
int32_t putIntProperty(AutomationObject* object, const char* name, int32_t value);
// Not put when -0.00001 < date < 0.00001 (no date); otherwise put as a date.
int32_t putDateProperty(AutomationObject* object, const char* name, double date);
