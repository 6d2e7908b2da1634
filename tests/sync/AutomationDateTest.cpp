#include "sync/AutomationDate.h"

#include "platform/LocalClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

static std::string converted(double date) {
    CalendarDateTime time;
    if (!automationDateToCalendar(date, &time))
        return "invalid";
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

static double secondsIntoDay(double day, double seconds) { return day + seconds / 86400.0; }

TEST(AutomationDateTest, KnownDays) {
    EXPECT_EQ("1899-12-30 00:00:00", converted(0.0));
    EXPECT_EQ("1899-12-31 00:00:00", converted(1.0));
    EXPECT_EQ("1900-01-01 00:00:00", converted(2.0));
    // 1900 is no leap year in this calendar.
    EXPECT_EQ("1900-02-28 00:00:00", converted(60.0));
    EXPECT_EQ("1900-03-01 00:00:00", converted(61.0));
    EXPECT_EQ("2000-01-01 00:00:00", converted(36526.0));
    EXPECT_EQ("2000-02-29 00:00:00", converted(36585.0));
    EXPECT_EQ("1999-07-04 18:00:00", converted(36345.75));
    EXPECT_EQ("0100-01-01 00:00:00", converted(AutomationDateEarliestDay));
    EXPECT_EQ("9999-12-31 00:00:00", converted(AutomationDateLatestDay));
}

// Walks the whole range one day at a time against a plain calendar counter.
TEST(AutomationDateTest, EveryDayOfTheRangeFollowsTheGregorianCalendar) {
    auto isLeap = [](int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; };
    auto daysIn = [&](int year, int month) {
        static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return month == 2 && isLeap(year) ? 29 : lengths[month - 1];
    };
    int year = 100, month = 1, day = 1;
    int mismatches = 0;
    for (int64_t serial = static_cast<int64_t>(AutomationDateEarliestDay);
         serial <= static_cast<int64_t>(AutomationDateLatestDay); ++serial) {
        CalendarDateTime time;
        const bool ok = automationDateToCalendar(static_cast<double>(serial), &time);
        if (!ok || time.year != year || time.month != month || time.day != day) {
            if (++mismatches < 5)
                ADD_FAILURE() << "serial " << serial << " expected " << year << "-" << month << "-" << day;
        }
        if (++day > daysIn(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(0, mismatches);
    EXPECT_EQ(10000, year);
}

TEST(AutomationDateTest, NegativeDatesCountTheTimeForwardsFromMidnight) {
    EXPECT_EQ("1899-12-29 06:00:00", converted(-1.25));
    EXPECT_EQ("1899-12-30 12:00:00", converted(-0.5));
    EXPECT_EQ("1899-12-28 18:00:00", converted(-2.75));
    EXPECT_EQ("1800-01-01 00:00:00", converted(-36522.0));
}

TEST(AutomationDateTest, TimeIsRoundedToTheNearestSecond) {
    EXPECT_EQ("2000-01-01 10:20:30", converted(secondsIntoDay(36526.0, 10 * 3600 + 20 * 60 + 30.4)));
    EXPECT_EQ("2000-01-01 10:20:31", converted(secondsIntoDay(36526.0, 10 * 3600 + 20 * 60 + 30.6)));
    EXPECT_EQ("2000-01-01 10:21:00", converted(secondsIntoDay(36526.0, 10 * 3600 + 20 * 60 + 59.7)));
    EXPECT_EQ("2000-01-01 11:00:00", converted(secondsIntoDay(36526.0, 10 * 3600 + 59 * 60 + 59.7)));
    // Exact seconds survive the floating-point fraction.
    for (int second = 0; second < 86400; second += 7)
        ASSERT_EQ(second, [&] {
            CalendarDateTime time;
            automationDateToCalendar(secondsIntoDay(40000.0, second), &time);
            return time.hour * 3600 + time.minute * 60 + time.second;
        }()) << second;
}

TEST(AutomationDateTest, RoundingCarriesIntoTheNextDayMonthAndYear) {
    EXPECT_EQ("2000-01-01 00:00:00", converted(secondsIntoDay(36525.0, 86399.7)));
    EXPECT_EQ("2000-03-01 00:00:00", converted(secondsIntoDay(36585.0, 86399.7)));
    // A negative date's day runs forwards too: the last instant of 29 December
    // rounds into 30 December.
    EXPECT_EQ("1899-12-30 00:00:00", converted(-1.0 - 86399.7 / 86400.0));
    EXPECT_EQ("1899-12-31 00:00:00", converted(-86399.7 / 86400.0));
}

TEST(AutomationDateTest, DatesOutsideTheRangeFail) {
    CalendarDateTime time;
    time.year = 1234;
    EXPECT_FALSE(automationDateToCalendar(AutomationDateEarliestDay - 1.0, &time));
    EXPECT_FALSE(automationDateToCalendar(AutomationDateLatestDay + 1.0, &time));
    EXPECT_FALSE(automationDateToCalendar(1.0e9, &time));
    EXPECT_FALSE(automationDateToCalendar(-1.0e9, &time));
    EXPECT_FALSE(automationDateToCalendar(std::numeric_limits<double>::quiet_NaN(), &time));
    EXPECT_FALSE(automationDateToCalendar(std::numeric_limits<double>::infinity(), &time));
    EXPECT_FALSE(automationDateToCalendar(0.0, nullptr));
    EXPECT_EQ(1234, time.year);

    // The fraction of the first and last day is still inside.
    EXPECT_EQ("0100-01-01 12:00:00", converted(AutomationDateEarliestDay - 0.5));
    EXPECT_EQ("9999-12-31 12:00:00", converted(AutomationDateLatestDay + 0.5));
}

TEST(AutomationDateTest, TextForms) {
    char text[32];
    formatDateTimeText(36345.75, text, sizeof text);
    EXPECT_STREQ("07/04/1999 18:00:00", text);
    formatDateText(36345.75, text, sizeof text);
    EXPECT_STREQ("07/04/1999", text);
    formatDateText(0.0, text, sizeof text);
    EXPECT_STREQ("12/30/1899", text);

    char small[6] = {'#', '#', '#', '#', '#', '#'};
    formatDateText(36345.0, small, 5);
    EXPECT_STREQ("07/0", small);
    EXPECT_EQ('#', small[5]);
    formatDateText(36345.0, small, 0);
    EXPECT_EQ('0', small[0]);
}

TEST(AutomationDateTest, UnconvertibleDateTextIsToday) {
    const LocalDateTime before = currentLocalTime();
    char text[32];
    formatDateText(-1.0e9, text, sizeof text);
    const LocalDateTime after = currentLocalTime();
    auto format = [](const LocalDateTime& time) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%02d/%02d/%04d", time.month, time.day, time.year);
        return std::string(expected);
    };
    EXPECT_TRUE(text == format(before) || text == format(after)) << text;
}
