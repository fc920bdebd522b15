#include "controls/scale/PLX_ScaleDateTicks.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

#include "controls/scale/PLX_ScaleCalendar.h"
#include "controls/scale/PLX_ScaleDateText.h"

namespace {

// Steps of a time axis in seconds, and their minor intervals per step.
constexpr std::array<double, 29> kFigDist = {
    0,  0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,  0.2,  0.5,  1,     2,     5,     10,   20,
    30, 60,    120,   180,   300,  600,  1200, 1800, 3600, 7200, 14400, 21600, 43200, 86400};
constexpr std::array<int, 29> kFigNtick = {1, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4,
                                           6, 6, 6, 6, 5, 5, 6, 6, 6, 4, 4, 6, 6, 6};
constexpr int kLastFigDist = int(kFigDist.size()) - 1;

// Rows 1..5 of the step tables: hours; minutes or seconds; days; hundredths
// of a second; months. The minor steps stand at the same positions.
using TStepRow = std::array<int, 6>;
constexpr std::array<TStepRow, 5> kStepGrids = {{{1, 2, 3, 6, 8, 12},
                                                 {1, 2, 5, 10, 20, 30},
                                                 {1, 2, 3, 7, 14, 28},
                                                 {1, 2, 5, 10, 20, 50},
                                                 {1, 2, 3, 4, 6, 12}}};
constexpr std::array<TStepRow, 5> kStepGridsSh = {{{1, 1, 1, 2, 2, 3},
                                                   {1, 1, 1, 2, 5, 10},
                                                   {1, 1, 1, 1, 7, 7},
                                                   {1, 1, 1, 5, 10, 10},
                                                   {1, 1, 1, 1, 1, 1}}};
constexpr int kDayRow = 3;
constexpr int kMonthRow = 5;

// A date-time axis spans at most 1 January of year 1 .. a little beyond
// 9999; its ticks stop with 31 December 9999, the last day it can label.
constexpr long double kFirstDay = -693593;
constexpr long double kLastAxisDay = 3000000;
constexpr int64_t kLastYear = 9999;
constexpr long double kDayAfterLast = 2958466;  // 1 January 10000
// A tick this close beyond either end still counts (days).
constexpr long double kEndTolerance = 1e-8L;
// Units of the levels below one day this close to a whole unit are whole.
constexpr long double kUnitSnap = 1e-3L;
constexpr double kDaysPerMonth = 30.4375;
constexpr double kDaysPerYear = 365.25;

int minTicks(const TDateTimeRequest& Request) { return std::max(Request.MinTicks, 1); }

// Whether a tick at p is past the range's high end or on 1 January 10000 or
// later (a tick a hair before midnight is labelled with the next day).
bool pastTheEnd(const TDateTimeRequest& Request, long double p) {
  return !(p - Request.RangeHigh < kEndTolerance) || p > kDayAfterLast - kEndTolerance;
}

int64_t floorMod(int64_t a, int64_t b) { return ((a % b) + b) % b; }

// Index of the largest entry of a step row that is <= units (0 if none),
// searched from position `from` down.
int stepIndex(const TStepRow& row, long double units, int from = 5) {
  int ix = from;
  while (ix > 0 && row[size_t(ix)] > units) --ix;
  return ix;
}

TDateTimeTick& addTick(std::vector<TDateTimeTick>& ticks, long double Value, bool Major,
                       bool Recorded = true) {
  TDateTimeTick& tick = ticks.emplace_back();
  tick.Value = Value;
  tick.Major = Major;
  tick.Recorded = Recorded;
  return tick;
}

// ---------------------------------------------------------------------------
// Time axis

int timeStepIndex(double secondsPerInterval) {
  int ix = kLastFigDist;
  while (ix > 0 && !(kFigDist[size_t(ix)] <= secondsPerInterval)) --ix;
  return ix;
}

// The range widened by a relative 1e-9 at each end, so that ticks computed
// a hair outside still count; never by more than a thousandth of a minor
// step, so that values far from zero get no ticks outside their range.
struct TimeWindow {
  long double Low;
  long double High;
  int Sign;
  bool Holds(long double p) const { return Sign * (p - Low) >= 0 && Sign * (High - p) >= 0; }
};

TimeWindow timeWindow(long double low, long double high, int sign, long double minor) {
  const auto tolerance = [minor](long double v) {
    return std::min(std::fabs(v) * 1e-9L, std::fabs(minor) * 1e-3L);
  };
  return {low - sign * tolerance(low), high + sign * tolerance(high), sign};
}

// ---------------------------------------------------------------------------
// Date-time axis levels

// What the labels of a date-time axis are written with.
struct LabelTexts {
  const TDTLabel& Format;
  const TFormatSettings& Settings;
};

// dtOnePerDay: a date line at the first labelled tick and wherever the day
// of month differs from that of the previous date line.
class DateLines {
 public:
  explicit DateLines(TDateForTime Mode) : FMode(Mode) {}

  bool Due(long double Value) {
    const int day = DateOfValue(Value).Day;
    bool due = false;
    switch (FMode) {
      case dtOnePerChart:
        due = !FAny;
        break;
      case dtOnePerDay:
        due = !FAny || day != FLastDay;
        break;
      case dtAllTicks:
        due = true;
        break;
      default:
        break;
    }
    if (due) {
      FAny = true;
      FLastDay = day;
    }
    return due;
  }

 private:
  TDateForTime FMode;
  bool FAny = false;
  int FLastDay = 0;
};

struct BelowOneDayMode {
  int StepGridIx;
  long double Multiplier;  // units per day
};

constexpr std::array<BelowOneDayMode, 4> kBelowOneDayModes = {
    {{1, 24.0L}, {2, 1440.0L}, {2, 86400.0L}, {4, 8640000.0L}}};

TTimeLabelMode timeLabelMode(TDateTimeLevel Level) {
  switch (Level) {
    case lvHundredths:
      return tmHundredths;
    case lvSeconds:
      return tmSeconds;
    case lvMinutes:
      return tmMinutes;
    default:
      assert(Level == lvHours);
      return tmHours;
  }
}

void BelowOneDayInscription(TTimeLabelMode Mode, const TDateTimeRequest& Request, long double TR,
                            const LabelTexts& texts, std::vector<TDateTimeTick>& ticks) {
  const BelowOneDayMode& mode = kBelowOneDayModes[size_t(Mode - 1)];
  long double first = 0;
  long double minor = 0;
  const long double step =
      FindStep(mode.StepGridIx, TR, Request.RangeLow, mode.Multiplier, first, minor);
  int back = 0;
  if (Request.ShortTicks) {
    while (first - back * minor > Request.RangeLow) ++back;
  }
  const long double start = first - back * minor;
  const long double advance = Request.ShortTicks ? minor : step;
  DateLines dateLines(texts.Format.DateForTime());
  for (int64_t i = 0;; ++i) {
    const long double p = start + i * advance;
    if (pastTheEnd(Request, p)) break;
    if (p < Request.RangeLow - kEndTolerance) continue;
    const long double q = p / step;
    const bool major = !Request.ShortTicks || std::fabs(q - std::round(q)) <= 0.1L;
    TDateTimeTick& tick = addTick(ticks, p, major);
    if (!major) continue;
    tick.Label = TimeLabel(Mode, texts.Format, texts.Settings, double(p));
    if (dateLines.Due(p)) {
      tick.HasDateLine = true;
      tick.DateLine = DateLabel(texts.Format, texts.Settings, double(p));
    }
  }
}

// Steps of whole days, counted from 1 January of RangeLow's year.
void DayToMonthInscription(const TDateTimeRequest& Request, long double TR, const LabelTexts& texts,
                           std::vector<TDateTimeTick>& ticks) {
  const int ix = stepIndex(kStepGrids[kDayRow - 1], TR);
  const int64_t step = kStepGrids[kDayRow - 1][size_t(ix)];
  const int64_t minor = kStepGridsSh[kDayRow - 1][size_t(ix)];
  const int64_t jan1 = DayOfDate(DateOfValue(Request.RangeLow).Year, 1, 1);
  const int64_t start = jan1 + step * (int64_t(std::trunc(Request.RangeLow - jan1)) / step);
  const int64_t phase = floorMod(start, step);
  const int64_t advance = Request.ShortTicks ? minor : step;
  for (int64_t p = start; !pastTheEnd(Request, p); p += advance) {
    if (p < Request.RangeLow - kEndTolerance) continue;
    const bool major = !Request.ShortTicks || floorMod(p, step) == phase;
    TDateTimeTick& tick = addTick(ticks, p, major);
    if (major) tick.Label = DateLabel(texts.Format, texts.Settings, double(p));
  }
}

// Steps of 1, 2, 3, 4 or 6 months; major ticks on months 1 + k * step.
void MonthToYearInscription(const TDateTimeRequest& Request, const LabelTexts& texts,
                            std::vector<TDateTimeTick>& ticks) {
  const TStepRow& row = kStepGrids[kMonthRow - 1];
  const long double months =
      (Request.RangeHigh - Request.RangeLow) / kDaysPerMonth / minTicks(Request);
  const int step = row[size_t(stepIndex(row, months, 4))];  // never 12 months
  const TCalendarDate first = DateOfValue(Request.RangeLow);
  int64_t year = first.Year;
  int month = first.Month;
  const auto advanceMonth = [&year, &month](int by) {
    month += by;
    year += (month - 1) / 12;
    month = (month - 1) % 12 + 1;
  };
  if (step > 1 && !Request.ShortTicks) {
    do advanceMonth(1);
    while (month % step != 1);
  }
  const int advance = Request.ShortTicks ? 1 : step;
  for (;; advanceMonth(advance)) {
    const int64_t p = DayOfDate(year, month, 1);
    if (pastTheEnd(Request, p)) break;
    if (p < Request.RangeLow - kEndTolerance) continue;
    const bool major = !Request.ShortTicks || step == 1 || month % step == 1;
    TDateTimeTick& tick = addTick(ticks, p, major);
    if (major) tick.Label = MonthLabel(texts.Format, texts.Settings, double(p));
  }
}

// Steps of 1, 2 or 5 times a power of ten years, on 1 January.
void AboveYearInscription(const TDateTimeRequest& Request, const LabelTexts& texts,
                          std::vector<TDateTimeTick>& ticks) {
  const long double years =
      std::max((Request.RangeHigh - Request.RangeLow) / kDaysPerYear / minTicks(Request), 1.0L);
  int64_t power = 1;
  while (power * 10 <= years) power *= 10;
  const long double mantissa = years / power;
  const int factor = mantissa >= 5 ? 5 : (mantissa >= 2 ? 2 : 1);
  const int64_t step = factor * power;
  const int64_t minor = (!Request.ShortTicks || step == 1) ? step : step / (factor == 5 ? 5 : 2);
  const int64_t firstYear = DateOfValue(Request.RangeLow).Year;
  int64_t t = ((firstYear - 1) / minor + 1) * minor;
  if (t == firstYear && Request.RangeLow > DayOfDate(t, 1, 1)) t += minor;
  for (; t <= kLastYear; t += minor) {
    const int64_t p = DayOfDate(t, 1, 1);
    if (!(p - Request.RangeHigh < kEndTolerance)) break;
    const bool major = !Request.ShortTicks || t % step == 0;
    TDateTimeTick& tick = addTick(ticks, p, major);
    if (major) tick.Label = YearLabel(texts.Format.YearLength(), texts.Settings, double(p));
  }
}

}  // namespace

TDateTimeTicks TimeAxisTicks(const TDateTimeRequest& Request) {
  TDateTimeTicks result;
  const long double low = Request.RangeLow;
  const long double high = Request.RangeHigh;
  const int index = timeStepIndex(double(std::fabs(high - low)) / minTicks(Request));
  if (index == 0 || index == kLastFigDist) {
    result.Outcome = aoDeclined;
    return result;
  }
  const int sign = high > low ? 1 : -1;
  const long double major = sign * static_cast<long double>(kFigDist[size_t(index)]);
  const long double minor = major / kFigNtick[size_t(index)];
  const long double start = std::floor(low / major) * major;
  // Enough minor steps from the start to pass the high end.
  const int64_t last = int64_t(std::trunc((high - start) / minor)) + 2;
  const TimeWindow window = timeWindow(low, high, sign, minor);
  if (Request.ShortTicks) {
    for (int64_t i = 0; i <= last; ++i) {
      const long double p = i * minor + start;
      if (window.Holds(p)) addTick(result.Ticks, p, false);
    }
  }
  const bool withMilliseconds = index <= 9;  // steps below one second
  for (int64_t i = 0; i <= last; ++i) {
    const long double p = i * minor + start;
    const long double q = p / major;
    if (std::fabs(q - std::round(q)) > 0.01L || !window.Holds(p)) continue;
    addTick(result.Ticks, p, true, !Request.ShortTicks).Label =
        TimeString(double(p), withMilliseconds);
  }
  return result;
}

TDateTimeLevel DateTimeLevel(long double TR, bool Horizontal) {
  if (TR <= 1.1574074074074074e-07) return lvBelowOneSecond;
  if (TR <= (Horizontal ? 1.1574e-05 : 1.0 / 86400)) {
    return Horizontal ? lvBelowOneSecond : lvHundredths;
  }
  if (TR <= (Horizontal ? 0.00069444 : 0.0006944444444444445)) return lvSeconds;
  if (TR <= 0.041667) return lvMinutes;
  if (TR <= 1) return lvHours;
  if (TR <= 30) return lvDays;
  if (TR <= 366) return lvMonths;
  return lvYears;
}

long double FindStep(int StepGridIx, long double Range, long double RangeLow,
                     long double Multiplier, long double& FirstTick, long double& ShortSteps) {
  assert(StepGridIx >= 1 && StepGridIx <= int(kStepGrids.size()));
  const TStepRow& row = kStepGrids[size_t(StepGridIx - 1)];
  const int ix = stepIndex(row, Range * Multiplier);
  const long double step = row[size_t(ix)];
  const long double day = std::floor(RangeLow);
  long double f = (RangeLow - day) * Multiplier;  // time of day in units
  // A whole unit that RangeLow's binary fraction misses by a hair stays that
  // unit, or the first tick would move a whole step later. (Should the snap
  // move it before RangeLow, the tick is skipped and the next one follows.)
  if (std::fabs(f - std::round(f)) < kUnitSnap) f = std::round(f);
  long double a = std::ceil(f);
  if (a != 0) {
    a = step - std::fmod(a, step);
    if (a == step) a = 0;
  }
  FirstTick = day + std::ceil(f + a) / Multiplier;
  ShortSteps = kStepGridsSh[size_t(StepGridIx - 1)][size_t(ix)] / Multiplier;
  return step / Multiplier;
}

TDateTimeTicks DateTimeAxisTicks(const TDateTimeRequest& Request, const TDTLabel& Format,
                                 const TFormatSettings& Settings) {
  TDateTimeTicks result;
  if (!(Request.RangeHigh >= Request.RangeLow && Request.RangeLow >= kFirstDay &&
        Request.RangeHigh <= kLastAxisDay)) {
    result.Outcome = aoInvalid;
    return result;
  }
  const long double TR = (Request.RangeHigh - Request.RangeLow) / minTicks(Request);
  const TDateTimeLevel level = DateTimeLevel(TR, Request.Horizontal);
  const LabelTexts texts{Format, Settings};
  switch (level) {
    case lvBelowOneSecond:
      result.Outcome = aoBelowOneSecond;
      break;
    case lvDays:
      DayToMonthInscription(Request, TR, texts, result.Ticks);
      break;
    case lvMonths:
      MonthToYearInscription(Request, texts, result.Ticks);
      break;
    case lvYears:
      AboveYearInscription(Request, texts, result.Ticks);
      break;
    default:
      BelowOneDayInscription(timeLabelMode(level), Request, TR, texts, result.Ticks);
      break;
  }
  return result;
}
