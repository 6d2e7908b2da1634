#pragma once
#include "platform/LocalClock.h"

#include <cstddef>

// A calendar date and time of day, to the second.
using CalendarDateTime = LocalDateTime;

// Earliest and latest whole days an OLE Automation date may name:
// 1 January 100 and 31 December 9999.
constexpr double AutomationDateEarliestDay = -657434.0;
constexpr double AutomationDateLatestDay = 2958465.0;

// Converts an OLE Automation date (days since 1899-12-30, the fraction the time
// of day) as Windows does: the day is the integer part taken towards zero, the
// time of day is the fraction's absolute value (so -1.25 is 29 December 1899,
// 06:00), rounded to the nearest second, which may carry into the next day.
// False, and result untouched, for a date outside the supported range or NaN.
bool automationDateToCalendar(double date, CalendarDateTime* result);

// "MM/DD/YYYY hh:mm:ss". A date that cannot be converted shows the current
// local date and time. The text is cut to the buffer.
void formatDateTimeText(double date, char* buffer, size_t capacity);

// "MM/DD/YYYY", with the same fallback to the current local date.
void formatDateText(double date, char* buffer, size_t capacity);
