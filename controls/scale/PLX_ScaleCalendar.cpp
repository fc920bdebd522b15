#include "controls/scale/PLX_ScaleCalendar.h"

#include <cassert>
#include <cmath>

namespace {

constexpr long double kMsPerDay = 86400000.0L;
// Days from 1 March of year 0 to 30 December 1899: the day count below starts
// its years in March, so that the leap day ends a year.
constexpr int64_t kDay0 = 693899;
constexpr int64_t kDaysPer400Years = 146097;

int64_t floorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

int64_t DayOfDate(int64_t Year, int Month, int Day) {
  Year += floorDiv(Month - 1, 12);
  const int64_t month = Month - 12 * floorDiv(Month - 1, 12);  // 1..12
  const int64_t y = month <= 2 ? Year - 1 : Year;
  const int64_t era = floorDiv(y, 400);
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + Day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * kDaysPer400Years + dayOfEra - kDay0;
}

TCalendarDate DateOfValue(long double Value) {
  assert(std::isfinite(Value) && std::fabs(Value) < 1e12L);
  const long double ms = std::nearbyint(Value * kMsPerDay);
  const int64_t day = int64_t(std::floor(ms / kMsPerDay)) + kDay0;
  const int64_t era = floorDiv(day, kDaysPer400Years);
  const int64_t dayOfEra = day - era * kDaysPer400Years;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t m = (5 * dayOfYear + 2) / 153;  // 0 is March
  TCalendarDate date;
  date.Day = int(dayOfYear - (153 * m + 2) / 5 + 1);
  date.Month = int(m < 10 ? m + 3 : m - 9);
  date.Year = yearOfEra + era * 400 + (date.Month <= 2 ? 1 : 0);
  return date;
}
