#pragma once

// Outlook shows a date that is not set as 1 January 4501, an Automation date
// of 949998, and clears a date that is set to it.
constexpr double OutlookNoDate = 949998.0;

// Whether a date read from Outlook means "no date". Nothing real lies that
// far ahead, so anything from that day on counts as none.
inline bool isOutlookNoDate(double date) { return date >= OutlookNoDate; }
