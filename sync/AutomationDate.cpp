#include "sync/AutomationDate.h"

#include "platform/LocalClock.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

// Day 0 of the automation calendar, 1899-12-30, counted from 1970-01-01.
static const int64_t automationEpochFromUnixDays = -25569;

// Proleptic Gregorian date of a day counted from 1970-01-01.
static void civilFromUnixDays(int64_t days, CalendarDateTime* result) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    result->day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    result->month = static_cast<int>(month);
    result->year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// Splits a fraction of a day into hour, minute and second, each truncated, and
// rounds the remainder to the nearest second. True when that carries into the
// next day (the time is then 00:00:00).
static bool splitTimeOfDay(double fraction, CalendarDateTime* result) {
    // A fraction computed from a whole date can land a hair below an exact
    // second; lift it so truncation does not lose that second.
    const double tolerance = 0.00000000001;
    fraction += tolerance;
    if (fraction >= 1.0)
        fraction -= tolerance;

    fraction *= 24.0;
    int hour = static_cast<int>(fraction);
    fraction = (fraction - hour) * 60.0;
    int minute = static_cast<int>(fraction);
    fraction = (fraction - minute) * 60.0;
    int second = static_cast<int>(fraction);
    fraction -= second;

    bool nextDay = false;
    if (fraction > 0.5 && ++second == 60) {
        second = 0;
        if (++minute == 60) {
            minute = 0;
            if (++hour == 24) {
                hour = 0;
                nextDay = true;
            }
        }
    }
    result->hour = hour;
    result->minute = minute;
    result->second = second;
    return nextDay;
}

bool automationDateToCalendar(double date, CalendarDateTime* result) {
    if (result == nullptr)
        return false;
    // Written so that NaN fails too.
    if (!(date > AutomationDateEarliestDay - 1.0 && date < AutomationDateLatestDay + 1.0))
        return false;

    const double wholeDays = date < 0.0 ? std::ceil(date) : std::floor(date);
    CalendarDateTime converted;
    const bool nextDay = splitTimeOfDay(std::fabs(date - wholeDays), &converted);
    const int64_t day = static_cast<int64_t>(wholeDays) + (nextDay ? 1 : 0);
    civilFromUnixDays(day + automationEpochFromUnixDays, &converted);
    *result = converted;
    return true;
}

static CalendarDateTime dateOrNow(double date) {
    CalendarDateTime shown;
    if (!automationDateToCalendar(date, &shown))
        shown = currentLocalTime();
    return shown;
}

void formatDateTimeText(double date, char* buffer, size_t capacity) {
    if (buffer == nullptr || capacity == 0)
        return;
    const CalendarDateTime shown = dateOrNow(date);
    std::snprintf(buffer, capacity, "%02d/%02d/%04d %02d:%02d:%02d", shown.month, shown.day, shown.year, shown.hour,
                  shown.minute, shown.second);
}

void formatDateText(double date, char* buffer, size_t capacity) {
    if (buffer == nullptr || capacity == 0)
        return;
    const CalendarDateTime shown = dateOrNow(date);
    std::snprintf(buffer, capacity, "%02d/%02d/%04d", shown.month, shown.day, shown.year);
}
