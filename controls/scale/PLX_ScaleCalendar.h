// Calendar arithmetic of date axes. Axis values count days linearly from
// 30 December 1899 (negative before it), the fraction being the time of day;
// dates follow the proleptic Gregorian calendar. Plain arithmetic.
#pragma once

#include <cstdint>

struct TCalendarDate {
  int64_t Year = 1899;
  int Month = 12;  // 1..12
  int Day = 30;    // 1..31
};

// Axis value of midnight at the start of a date. A month outside 1..12
// carries into the year (month 13 is January of the next year).
int64_t DayOfDate(int64_t Year, int Month, int Day);

// The date on which Value lies, Value first rounded to whole milliseconds as
// the labels are, so that a tick a hair before midnight counts as the next
// day. Value must be finite and within about 1e12 days.
TCalendarDate DateOfValue(long double Value);
