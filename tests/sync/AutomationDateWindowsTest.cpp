// Holds the portable date conversion against the system's own, on Windows only.
#ifdef _WIN32

#include "sync/AutomationDate.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

static std::vector<double> probeDates() {
    std::vector<double> dates;
    std::mt19937 generator(20240611u);
    std::uniform_real_distribution<double> wholeRange(AutomationDateEarliestDay - 1.0, AutomationDateLatestDay + 1.0);
    std::uniform_real_distribution<double> negative(-200000.0, 0.0);
    std::uniform_int_distribution<int> day(-657434, 2958465);
    std::uniform_int_distribution<int> second(0, 86399);

    for (int index = 0; index < 2000; ++index)
        dates.push_back(wholeRange(generator));
    for (int index = 0; index < 1000; ++index)
        dates.push_back(negative(generator));
    for (int index = 0; index < 1500; ++index) {
        const double whole = day(generator);
        const double seconds = second(generator);
        const double sign = whole < 0.0 ? -1.0 : 1.0;
        for (double offset : {0.0, 0.5, 0.4999, 0.5001, 0.999, 0.001}) {
            const double date = whole + sign * (seconds + offset) / 86400.0;
            dates.push_back(date);
            dates.push_back(std::nextafter(date, 1.0e10));
            dates.push_back(std::nextafter(date, -1.0e10));
        }
    }
    // Last instants of a day, which round into the next.
    for (double whole : {0.0, 1.0, -1.0, 36525.0, -36525.0, AutomationDateLatestDay, AutomationDateEarliestDay}) {
        const double sign = whole < 0.0 ? -1.0 : 1.0;
        for (double seconds : {86399.4, 86399.5, 86399.6, 86399.9999})
            dates.push_back(whole + sign * seconds / 86400.0);
    }
    // The edges of the range, from both sides.
    for (double edge : {AutomationDateEarliestDay - 1.0, AutomationDateLatestDay + 1.0, AutomationDateEarliestDay,
                        AutomationDateLatestDay}) {
        double below = edge;
        double above = edge;
        for (int step = 0; step < 4; ++step) {
            dates.push_back(below);
            dates.push_back(above);
            below = std::nextafter(below, -1.0e10);
            above = std::nextafter(above, 1.0e10);
        }
        for (double offset : {0.25, 0.5, 0.999999, 1.0e-6})
            dates.push_back(edge + offset), dates.push_back(edge - offset);
    }
    for (double special : {0.0, -0.0, 1.0e9, -1.0e9, HUGE_VAL, -HUGE_VAL})
        dates.push_back(special);
    return dates;
}

TEST(AutomationDateWindowsTest, AgreesWithTheSystemConversion) {
    const std::vector<double> dates = probeDates();
    int mismatches = 0;
    for (double date : dates) {
        SYSTEMTIME system = {};
        const bool systemOk = VariantTimeToSystemTime(date, &system) != FALSE;
        CalendarDateTime ours;
        const bool ourOk = automationDateToCalendar(date, &ours);
        bool same = systemOk == ourOk;
        if (same && ourOk)
            same = ours.year == system.wYear && ours.month == system.wMonth && ours.day == system.wDay &&
                   ours.hour == system.wHour && ours.minute == system.wMinute && ours.second == system.wSecond;
        if (!same && ++mismatches <= 25) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "%.17g: system %d %04u-%02u-%02u %02u:%02u:%02u, ours %d %04d-%02d-%02d %02d:%02d:%02d", date,
                          systemOk, system.wYear, system.wMonth, system.wDay, system.wHour, system.wMinute,
                          system.wSecond, ourOk, ours.year, ours.month, ours.day, ours.hour, ours.minute, ours.second);
            ADD_FAILURE() << text;
        }
    }
    EXPECT_EQ(0, mismatches) << "of " << dates.size() << " dates";
    EXPECT_GT(dates.size(), 10000u);
}

#endif
