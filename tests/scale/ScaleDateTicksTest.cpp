// The tick engine of time and date axes: step tables, levels, tick sequences,
// major and minor ticks, labels and date lines.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "controls/scale/PLX_Scale.h"
#include "controls/scale/PLX_ScaleCalendar.h"
#include "controls/scale/PLX_ScaleDateText.h"
#include "controls/scale/PLX_ScaleDateTicks.h"
#include "platform/Locale.h"

namespace {

std::string ascii(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TDateTimeRequest request(long double lo, long double hi, int minTicks = 3, bool shortTicks = true,
                         bool horizontal = true) {
  TDateTimeRequest r;
  r.RangeLow = lo;
  r.RangeHigh = hi;
  r.MinTicks = minTicks;
  r.ShortTicks = shortTicks;
  r.Horizontal = horizontal;
  return r;
}

std::vector<double> values(const TDateTimeTicks& t, bool major) {
  std::vector<double> out;
  for (const TDateTimeTick& tick : t.Ticks)
    if (tick.Major == major) out.push_back(double(tick.Value));
  return out;
}

std::vector<std::string> labels(const TDateTimeTicks& t) {
  std::vector<std::string> out;
  for (const TDateTimeTick& tick : t.Ticks)
    if (tick.Major) out.push_back(ascii(tick.Label));
  return out;
}

// "value:date line" for every tick with a date line.
std::vector<std::string> dateLines(const TDateTimeTicks& t) {
  std::vector<std::string> out;
  for (const TDateTimeTick& tick : t.Ticks)
    if (tick.HasDateLine) out.push_back(ascii(tick.Label) + " " + ascii(tick.DateLine));
  return out;
}

std::vector<double> every(double first, double step, int count) {
  std::vector<double> out;
  for (int i = 0; i < count; ++i) out.push_back(first + i * step);
  return out;
}

double hours(double day, double h) { return day + h / 24; }

constexpr double kFeb1of2015 = 42036;
const TDTLabel kDefaults;

const TFormatSettings& settings() {
  static const TFormatSettings locale = LocaleFormatSettings();
  return locale;
}

}  // namespace

// --- time axis ---------------------------------------------------------------

TEST(TimeAxis, TwoHoursInHalfHourSteps) {
  const TDateTimeTicks t = TimeAxisTicks(request(0, 7200));
  ASSERT_EQ(t.Outcome, aoTicks);
  EXPECT_EQ(values(t, false), every(0, 300, 25));
  EXPECT_EQ(values(t, true), every(0, 1800, 5));
  EXPECT_EQ(
      labels(t),
      (std::vector<std::string>{" 00:00:00", " 00:30:00", " 01:00:00", " 01:30:00", " 02:00:00"}));
  // Minor ticks first; with short ticks only they are recorded.
  EXPECT_FALSE(t.Ticks.front().Major);
  for (const TDateTimeTick& tick : t.Ticks) EXPECT_EQ(tick.Recorded, !tick.Major);
}

TEST(TimeAxis, WithoutShortTicksOnlyMajorsAreRecorded) {
  const TDateTimeTicks t = TimeAxisTicks(request(0, 7200, 3, false));
  ASSERT_EQ(t.Ticks.size(), 5u);
  for (const TDateTimeTick& tick : t.Ticks) {
    EXPECT_TRUE(tick.Major);
    EXPECT_TRUE(tick.Recorded);
  }
}

TEST(TimeAxis, StepsBelowOneSecondShowMilliseconds) {
  const TDateTimeTicks t = TimeAxisTicks(request(0, 0.4, 4));
  EXPECT_EQ(
      labels(t),
      (std::vector<std::string>{
          " 00:00:00.000", " 00:00:00.100", " 00:00:00.200", " 00:00:00.300", " 00:00:00.400"}));
  EXPECT_EQ(values(t, false).size(), 21u);  // 0.1 s in 5 parts
}

TEST(TimeAxis, NegativeTimes) {
  const TDateTimeTicks t = TimeAxisTicks(request(-3600, 3600, 4));
  EXPECT_EQ(
      labels(t),
      (std::vector<std::string>{"-01:00:00", "-00:30:00", " 00:00:00", " 00:30:00", " 01:00:00"}));
}

TEST(TimeAxis, ReversedRangeKeepsBothEnds) {
  const TDateTimeTicks t = TimeAxisTicks(request(7200, 0));
  EXPECT_EQ(values(t, true), every(7200, -1800, 5));
  EXPECT_EQ(values(t, false), every(7200, -300, 25));
}

// The minor steps have to reach past the high end even when the start lies
// almost a whole step below the low end.
TEST(TimeAxis, TicksReachTheHighEnd) {
  const TDateTimeTicks t = TimeAxisTicks(request(1799, 7349));
  EXPECT_EQ(values(t, true), every(1800, 1800, 4));
  EXPECT_EQ(values(t, false).back(), 7200);
}

// Far from zero a relative tolerance spans many steps; the ticks still
// cover the range and stay inside it.
TEST(TimeAxis, MillisecondStepsFarFromZero) {
  const double lo = 1e7;
  const double hi = 1e7 + 0.003;
  const TDateTimeTicks t = TimeAxisTicks(request(lo, hi));
  EXPECT_EQ(values(t, true).size(), 4u);
  for (const TDateTimeTick& tick : t.Ticks) {
    EXPECT_GE(tick.Value, lo - 1e-9);
    EXPECT_LE(tick.Value, hi + 1e-9);
  }
  EXPECT_EQ(ascii(t.Ticks.back().Label), " 2777:46:40.003");
}

struct DeclineCase {
  const char* name;
  double lo;
  double hi;
  int minTicks;
};

void PrintTo(const DeclineCase& c, std::ostream* os) { *os << c.name; }

class TimeAxisDeclines : public ::testing::TestWithParam<DeclineCase> {};

TEST_P(TimeAxisDeclines, LeavesTheAxisToNumbers) {
  const DeclineCase& c = GetParam();
  const TDateTimeTicks t = TimeAxisTicks(request(c.lo, c.hi, c.minTicks));
  EXPECT_EQ(t.Outcome, aoDeclined);
  EXPECT_TRUE(t.Ticks.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, TimeAxisDeclines,
    ::testing::Values(DeclineCase{"DayPerInterval", 0, 100000, 1},
                      DeclineCase{"ExactlyOneDay", 0, 86400 * 3, 3},
                      DeclineCase{"BelowAMillisecond", 0, 0.002, 3},
                      DeclineCase{"UnitStepCountsAsOneInterval", 0, 100000, 0},
                      DeclineCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 1, 3},
                      DeclineCase{"Infinite", 0, std::numeric_limits<double>::infinity(), 3}),
    [](const ::testing::TestParamInfo<DeclineCase>& test) { return std::string(test.param.name); });

TEST(TimeAxis, MinTicksZeroCountsAsOne) {
  const TDateTimeTicks t = TimeAxisTicks(request(0, 7200, 0));
  EXPECT_EQ(values(t, true), every(0, 7200, 2));
  EXPECT_EQ(values(t, false), every(0, 1800, 5));
}

// --- levels ------------------------------------------------------------------

struct LevelCase {
  double tr;
  TDateTimeLevel horizontal;
  TDateTimeLevel vertical;
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << "TR " << c.tr; }

class DateTimeLevels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(DateTimeLevels, ByTimePerInterval) {
  const LevelCase& c = GetParam();
  EXPECT_EQ(DateTimeLevel(c.tr, true), c.horizontal);
  EXPECT_EQ(DateTimeLevel(c.tr, false), c.vertical);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, DateTimeLevels,
    ::testing::Values(LevelCase{0, lvBelowOneSecond, lvBelowOneSecond},
                      LevelCase{1.1574074074074074e-07, lvBelowOneSecond, lvBelowOneSecond},
                      LevelCase{1.2e-07, lvBelowOneSecond, lvHundredths},
                      LevelCase{1.1574e-05, lvBelowOneSecond, lvHundredths},
                      LevelCase{1.15740001e-05, lvSeconds, lvHundredths},
                      LevelCase{1.0 / 86400, lvSeconds, lvHundredths},
                      LevelCase{1.1574075e-05, lvSeconds, lvSeconds},
                      LevelCase{0.00069444, lvSeconds, lvSeconds},
                      LevelCase{0.000694442, lvMinutes, lvSeconds},
                      LevelCase{0.0006944444444444445, lvMinutes, lvSeconds},
                      LevelCase{0.000694445, lvMinutes, lvMinutes},
                      LevelCase{0.041667, lvMinutes, lvMinutes},
                      LevelCase{0.0416671, lvHours, lvHours}, LevelCase{1, lvHours, lvHours},
                      LevelCase{1.0000001, lvDays, lvDays}, LevelCase{30, lvDays, lvDays},
                      LevelCase{30.000001, lvMonths, lvMonths}, LevelCase{366, lvMonths, lvMonths},
                      LevelCase{366.5, lvYears, lvYears}));

struct OutcomeCase {
  const char* name;
  double lo;
  double hi;
  bool horizontal;
  TDateTimeOutcome outcome;
};

void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }

class DateTimeMessages : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(DateTimeMessages, StandInsteadOfTicks) {
  const OutcomeCase& c = GetParam();
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(c.lo, c.hi, 3, true, c.horizontal), kDefaults, settings());
  EXPECT_EQ(t.Outcome, c.outcome);
  EXPECT_EQ(t.Ticks.empty(), c.outcome != aoTicks);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DateTimeMessages,
    ::testing::Values(
        OutcomeCase{"Inverted", 2, 1, true, aoInvalid},
        OutcomeCase{"BeforeYearOne", -693594, 0, true, aoInvalid},
        OutcomeCase{"FirstDay", -693593, -693500, true, aoTicks},
        OutcomeCase{"BeyondTheLimit", 0, 3000000.5, true, aoInvalid},
        OutcomeCase{"AtTheLimit", 2900000, 3000000, true, aoTicks},
        OutcomeCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 1, true, aoInvalid},
        OutcomeCase{"EqualEnds", 5, 5, true, aoBelowOneSecond},
        OutcomeCase{"OneSecondHorizontal", 0, 1.0 / 86400, true, aoBelowOneSecond},
        OutcomeCase{"OneSecondVertical", 0, 1.0 / 86400, false, aoTicks},
        OutcomeCase{"HundredthVertical", 0, 0.01 / 86400, false, aoBelowOneSecond}),
    [](const ::testing::TestParamInfo<OutcomeCase>& test) { return std::string(test.param.name); });

// --- below one day -----------------------------------------------------------

struct FindStepCase {
  const char* name;
  int row;
  long double range;
  double low;
  double multiplier;
  double step;       // in units
  double first;      // units after midnight of low's day
  double shortStep;  // in units
};

void PrintTo(const FindStepCase& c, std::ostream* os) { *os << c.name; }

class FindSteps : public ::testing::TestWithParam<FindStepCase> {};

TEST_P(FindSteps, StepFirstTickAndMinorStep) {
  const FindStepCase& c = GetParam();
  long double first = 0;
  long double shortSteps = 0;
  const long double step = FindStep(c.row, c.range, c.low, c.multiplier, first, shortSteps);
  EXPECT_DOUBLE_EQ(double(step * c.multiplier), c.step);
  EXPECT_DOUBLE_EQ(double(shortSteps * c.multiplier), c.shortStep);
  EXPECT_NEAR(double((first - std::floor(c.low)) * c.multiplier), c.first, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindSteps,
    ::testing::Values(
        FindStepCase{"EightHoursFromMidnight", 1, 1.0L / 3, kFeb1of2015, 24, 8, 0, 2},
        FindStepCase{"TwoHoursFromTen", 1, 0.25L / 3, hours(kFeb1of2015, 22), 24, 2, 22, 1},
        FindStepCase{"RoundedUpToTheStep", 1, 3.5 / 24, hours(kFeb1of2015, 5.3), 24, 3, 6, 1},
        FindStepCase{"OnAMultiple", 1, 3.5 / 24, hours(kFeb1of2015, 6), 24, 3, 6, 1},
        FindStepCase{"TwelveHoursAtMost", 1, 1, kFeb1of2015, 24, 12, 0, 3},
        FindStepCase{"FiveMinutes", 2, 6.0L / 1440, kFeb1of2015 + 7.2 / 1440, 1440, 5, 10, 1},
        FindStepCase{"TwentyMinutes", 2, 25.0 / 1440, kFeb1of2015 + 7.2 / 1440, 1440, 20, 20, 5},
        FindStepCase{"BelowTheFirstEntry", 2, 0.5 / 86400, kFeb1of2015, 86400, 1, 0, 1},
        FindStepCase{"FiftyHundredths", 4, 0.8 / 86400, kFeb1of2015, 8640000, 50, 0, 10},
        FindStepCase{"BeforeDayZero", 1, 5.0 / 24, -1.25, 24, 3, 18, 1}),
    [](const ::testing::TestParamInfo<FindStepCase>& test) {
      return std::string(test.param.name);
    });

TEST(BelowOneDay, OneDayFromMidnight) {
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(kFeb1of2015, kFeb1of2015 + 1), kDefaults, settings());
  ASSERT_EQ(t.Ticks.size(), 13u);  // every 2 hours
  for (size_t i = 0; i < t.Ticks.size(); ++i) {
    EXPECT_NEAR(double(t.Ticks[i].Value), hours(kFeb1of2015, 2.0 * i), 1e-9);
    EXPECT_TRUE(t.Ticks[i].Recorded);
  }
  EXPECT_EQ(labels(t), (std::vector<std::string>{"00:00", "08:00", "16:00", "00:00"}));
  const std::u16string feb = ShortMonthName(2);
  EXPECT_EQ(dateLines(t),
            (std::vector<std::string>{"00:00 01-" + ascii(feb) + "-2015",
                                      "00:00 02-" + ascii(feb) + "-2015"}));
}

TEST(BelowOneDay, WithoutShortTicksEveryTickIsMajor) {
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(kFeb1of2015, kFeb1of2015 + 1, 3, false), kDefaults, settings());
  EXPECT_EQ(labels(t), (std::vector<std::string>{"00:00", "08:00", "16:00", "00:00"}));
  EXPECT_TRUE(values(t, false).empty());
}

// The first tick lies after the low end; short ticks start before it and
// those before the low end are skipped.
TEST(BelowOneDay, ShortTicksBeforeTheFirstStep) {
  const TDateTimeTicks t = DateTimeAxisTicks(
      request(hours(kFeb1of2015, 5.5), hours(kFeb1of2015, 14.5)), kDefaults, settings());
  EXPECT_EQ(labels(t), (std::vector<std::string>{"06:00", "09:00", "12:00"}));
  EXPECT_EQ(values(t, false).size(), 6u);  // 7, 8, 10, 11, 13, 14
}

// 23:00 as a binary fraction of a day lies a hair after the hour; its tick
// stays, with or without short ticks.
TEST(BelowOneDay, LowEndAHairOffAWholeUnitKeepsItsTick) {
  for (bool shortTicks : {true, false}) {
    const TDateTimeTicks t =
        DateTimeAxisTicks(request(hours(kFeb1of2015, 23), hours(kFeb1of2015 + 1, 1), 3, shortTicks),
                          kDefaults,
                          settings());
    EXPECT_EQ(labels(t), (std::vector<std::string>{"23:00", "23:30", "00:00", "00:30", "01:00"}))
        << shortTicks;
  }
}

TEST(BelowOneDay, SecondsOnAHorizontalAxis) {
  const double lo = hours(kFeb1of2015, 10);
  const TDateTimeTicks t = DateTimeAxisTicks(request(lo, lo + 60.0 / 86400), kDefaults, settings());
  EXPECT_EQ(labels(t), (std::vector<std::string>{"10:00:00", "10:00:20", "10:00:40", "10:01:00"}));
  EXPECT_EQ(values(t, false).size(), 9u);  // every 5 s
}

TEST(BelowOneDay, HundredthsOnlyOnAVerticalAxis) {
  const double lo = hours(kFeb1of2015, 10);
  const double hi = lo + 1.0 / 86400;
  EXPECT_EQ(DateTimeAxisTicks(request(lo, hi), kDefaults, settings()).Outcome, aoBelowOneSecond);
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(lo, hi, 3, true, false), kDefaults, settings());
  EXPECT_EQ(labels(t),
            (std::vector<std::string>{"10:00:00.00",
                                      "10:00:00.20",
                                      "10:00:00.40",
                                      "10:00:00.60",
                                      "10:00:00.80",
                                      "10:00:01.00"}));
}

struct DateLineCase {
  TDateForTime mode;
  std::vector<std::string> expected;
};

TEST(BelowOneDay, DateLinesAcrossMidnight) {
  const std::string feb = ascii(ShortMonthName(2));
  const DateLineCase cases[] = {
      {dtNone, {}},
      {dtOnePerChart, {"22:00 01-" + feb + "-2015"}},
      {dtOnePerDay, {"22:00 01-" + feb + "-2015", "00:00 02-" + feb + "-2015"}},
      {dtAllTicks,
       {"22:00 01-" + feb + "-2015",
        "00:00 02-" + feb + "-2015",
        "02:00 02-" + feb + "-2015",
        "04:00 02-" + feb + "-2015"}},
  };
  for (const DateLineCase& c : cases) {
    TDTLabel format;
    format.SetDateForTime(c.mode);
    const TDateTimeTicks t = DateTimeAxisTicks(
        request(hours(kFeb1of2015, 22), hours(kFeb1of2015 + 1, 4)), format, settings());
    EXPECT_EQ(labels(t), (std::vector<std::string>{"22:00", "00:00", "02:00", "04:00"}));
    EXPECT_EQ(dateLines(t), c.expected) << "mode " << int(c.mode);
  }
}

// --- days, months, years -----------------------------------------------------

TEST(Days, EverySecondDayCountedFromTheFirstOfJanuary) {
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(kFeb1of2015, kFeb1of2015 + 7), kDefaults, settings());
  EXPECT_EQ(values(t, true), every(kFeb1of2015 + 1, 2, 4));
  EXPECT_EQ(values(t, false), every(kFeb1of2015, 2, 4));
  const std::string feb = ascii(ShortMonthName(2));
  EXPECT_EQ(labels(t),
            (std::vector<std::string>{"02-" + feb + "-2015",
                                      "04-" + feb + "-2015",
                                      "06-" + feb + "-2015",
                                      "08-" + feb + "-2015"}));
  for (const TDateTimeTick& tick : t.Ticks) {
    EXPECT_TRUE(tick.Recorded);
    EXPECT_FALSE(tick.HasDateLine);
  }
}

TEST(Days, WithoutShortTicksOnlyTheSteps) {
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(kFeb1of2015, kFeb1of2015 + 7, 3, false), kDefaults, settings());
  EXPECT_EQ(values(t, true), every(kFeb1of2015 + 1, 2, 4));
  EXPECT_TRUE(values(t, false).empty());
}

TEST(Days, FortnightsWithWeeklyMinorTicks) {
  const double lo = double(DayOfDate(2015, 1, 1));
  const TDateTimeTicks t = DateTimeAxisTicks(request(lo, lo + 45), kDefaults, settings());
  EXPECT_EQ(values(t, true), every(lo, 14, 4));
  EXPECT_EQ(values(t, false), every(lo + 7, 14, 3));
}

TEST(Days, MinTicksZeroCountsAsOne) {
  const TDateTimeTicks t =
      DateTimeAxisTicks(request(kFeb1of2015, kFeb1of2015 + 7, 0), kDefaults, settings());
  // A week per interval, counted from 1 January 2015.
  EXPECT_EQ(values(t, true), (std::vector<double>{kFeb1of2015 + 4}));
  EXPECT_EQ(values(t, false).size(), 7u);
}

TEST(Months, QuartersFromJanuary) {
  const double lo = double(DayOfDate(2015, 1, 15));
  const double hi = double(DayOfDate(2015, 12, 15));
  const TDateTimeTicks t = DateTimeAxisTicks(request(lo, hi), kDefaults, settings());
  std::vector<double> majors;
  for (int m : {4, 7, 10}) majors.push_back(double(DayOfDate(2015, m, 1)));
  EXPECT_EQ(values(t, true), majors);
  EXPECT_EQ(values(t, false).size(), 8u);  // Feb, Mar, May, Jun, Aug, Sep, Nov, Dec
  EXPECT_EQ(labels(t)[0], ascii(ShortMonthName(4)) + "-2015");

  const TDateTimeTicks plain = DateTimeAxisTicks(request(lo, hi, 3, false), kDefaults, settings());
  EXPECT_EQ(values(plain, true), majors);
  EXPECT_TRUE(values(plain, false).empty());
}

TEST(Months, AcrossTheYearEnd) {
  const double lo = double(DayOfDate(2014, 11, 20));
  const TDateTimeTicks t = DateTimeAxisTicks(
      request(lo, double(DayOfDate(2015, 3, 1)), 3, false), kDefaults, settings());
  // One month per step: every first of a month.
  std::vector<double> expected;
  for (auto [y, m] : {std::pair{2014, 12}, {2015, 1}, {2015, 2}, {2015, 3}}) {
    expected.push_back(double(DayOfDate(y, m, 1)));
  }
  EXPECT_EQ(values(t, true), expected);
}

TEST(Months, WithoutAYearTheMonthAlone) {
  TDTLabel format;
  format.SetYearLength(ylNone);
  const TDateTimeTicks t = DateTimeAxisTicks(
      request(double(DayOfDate(2015, 1, 15)), double(DayOfDate(2015, 12, 15))), format, settings());
  EXPECT_EQ(labels(t),
            (std::vector<std::string>{
                ascii(ShortMonthName(4)), ascii(ShortMonthName(7)), ascii(ShortMonthName(10))}));
}

TEST(Years, FiftiesWithDecadeMinorTicks) {
  const TDateTimeTicks t = DateTimeAxisTicks(
      request(double(DayOfDate(1900, 1, 1)), double(DayOfDate(2100, 1, 1))), kDefaults, settings());
  EXPECT_EQ(labels(t), (std::vector<std::string>{"1900", "1950", "2000", "2050", "2100"}));
  EXPECT_EQ(values(t, false).size(), 16u);
}

TEST(Years, StartAfterTheFirstOfJanuary) {
  const TDateTimeTicks t = DateTimeAxisTicks(
      request(double(DayOfDate(1900, 6, 1)), double(DayOfDate(2100, 1, 1)), 3, false),
      kDefaults,
      settings());
  EXPECT_EQ(labels(t), (std::vector<std::string>{"1950", "2000", "2050", "2100"}));
}

TEST(Years, LabelsWithoutLeadingZeros) {
  const TDateTimeTicks t = DateTimeAxisTicks(
      request(double(DayOfDate(900, 1, 1)), double(DayOfDate(1100, 1, 1))), kDefaults, settings());
  EXPECT_EQ(labels(t), (std::vector<std::string>{"900", "950", "1000", "1050", "1100"}));
}

TEST(Years, NoTickAfterTheYear9999) {
  const double lo = double(DayOfDate(9990, 1, 1));
  const TDateTimeTicks t = DateTimeAxisTicks(request(lo, 2958470), kDefaults, settings());
  ASSERT_FALSE(t.Ticks.empty());
  EXPECT_EQ(double(t.Ticks.back().Value), double(DayOfDate(9999, 1, 1)));
  EXPECT_EQ(t.Ticks.size(), 10u);
  EXPECT_EQ(labels(t).back(), "9998");
}

// Ranges reaching past 31 December 9999 at every level below the years: the
// ticks stop with that day, and no label or date line names the year 10000.
struct LastDayCase {
  const char* name;
  long double from;  // days before the end of 9999
  long double to;    // days after it
  bool horizontal;
  TDateTimeLevel level;
};

void PrintTo(const LastDayCase& c, std::ostream* os) { *os << c.name; }

class AfterTheLastDay : public ::testing::TestWithParam<LastDayCase> {};

TEST_P(AfterTheLastDay, NoTickIsProduced) {
  const LastDayCase& c = GetParam();
  const long double end = DayOfDate(10000, 1, 1);
  const TDateTimeRequest r = request(end - c.from, end + c.to, 3, true, c.horizontal);
  ASSERT_EQ(DateTimeLevel((r.RangeHigh - r.RangeLow) / 3, c.horizontal), c.level);
  const TDateTimeTicks t = DateTimeAxisTicks(r, kDefaults, settings());
  ASSERT_EQ(t.Outcome, aoTicks);
  ASSERT_FALSE(t.Ticks.empty());
  for (const TDateTimeTick& tick : t.Ticks) {
    EXPECT_LT(tick.Value, end) << ascii(tick.Label);
    EXPECT_EQ(DateOfValue(tick.Value).Year, 9999) << ascii(tick.Label);
    EXPECT_EQ(ascii(tick.Label).find("10000"), std::string::npos) << ascii(tick.Label);
    EXPECT_EQ(ascii(tick.DateLine).find("10000"), std::string::npos) << ascii(tick.DateLine);
  }
}

INSTANTIATE_TEST_SUITE_P(
    DateTimeAxis, AfterTheLastDay,
    ::testing::Values(LastDayCase{"Months", 200, 70, true, lvMonths},
                      LastDayCase{"Days", 10, 6, true, lvDays},
                      LastDayCase{"Hours", 0.5L, 1, true, lvHours},
                      LastDayCase{"Minutes", 0.02L, 0.02L, true, lvMinutes},
                      LastDayCase{"Seconds", 0.0005L, 0.0005L, true, lvSeconds},
                      LastDayCase{"Hundredths", 1e-5L, 1e-5L, false, lvHundredths}),
    [](const ::testing::TestParamInfo<LastDayCase>& test) { return std::string(test.param.name); });
