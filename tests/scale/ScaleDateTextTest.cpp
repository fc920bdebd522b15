// Texts of time and date axes: TimeString, FormatDateTimePLX, FormatDateStr,
// the label patterns of each level, and the calendar arithmetic under them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "controls/scale/PLX_Scale.h"
#include "controls/scale/PLX_ScaleCalendar.h"
#include "controls/scale/PLX_ScaleDateText.h"
#include "platform/Errors.h"
#include "platform/Locale.h"

namespace {

std::string ascii(const std::u16string& text) { return std::string(text.begin(), text.end()); }

constexpr double kFeb15of2015 = 42050;
// 14:05:09.250 on 15 February 2015.
const double kAfternoon = kFeb15of2015 + (14 * 3600 + 5 * 60 + 9.25) / 86400;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// --- TimeString --------------------------------------------------------------

struct TimeCase {
  const char* name;
  double time;
  bool msec;
  std::u16string expected;
};

void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.name; }

class TimeStrings : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeStrings, WriteHoursMinutesSeconds) {
  const TimeCase& c = GetParam();
  EXPECT_EQ(ascii(TimeString(c.time, c.msec)), ascii(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeStrings,
    ::testing::Values(TimeCase{"WithMilliseconds", 5430.25, true, u" 01:30:30.250"},
                      TimeCase{"WithoutMilliseconds", 5430.25, false, u" 01:30:30"},
                      TimeCase{"Negative", -5430.25, true, u"-01:30:30.250"},
                      TimeCase{"NegativeWhole", -60, false, u"-00:01:00"},
                      TimeCase{"Zero", 0, true, u" 00:00:00.000"},
                      TimeCase{"NegativeZero", -0.0, false, u" 00:00:00"},
                      TimeCase{"OneMillisecond", 0.001, true, u" 00:00:00.001"},
                      TimeCase{"HundredHours", 360000, false, u" 100:00:00"},
                      TimeCase{"ManyHours", 12345 * 3600.0 + 61, true, u" 12345:01:01.000"},
                      // Rounded to milliseconds first: never ".1000".
                      TimeCase{"MillisecondsCarry", 0.9996, true, u" 00:00:01.000"},
                      TimeCase{"CarryIntoTheHour", 3599.9996, true, u" 01:00:00.000"},
                      // A tick computed a hair below a whole second shows it.
                      TimeCase{"HairBelowHalfHour", 1799.9999999999, false, u" 00:30:00"},
                      TimeCase{"SecondsTruncate", 59.75, false, u" 00:00:59"}),
    [](const ::testing::TestParamInfo<TimeCase>& test) { return std::string(test.param.name); });

TEST(TimeString, HugeTimesWriteAllTheirHours) {
  const std::u16string text = TimeString(1e300, false);
  // 1e300 s are about 2.78e296 hours: 297 digits, then ":mm:ss".
  ASSERT_EQ(text.size(), 1 + 297 + 6u);
  EXPECT_EQ(text.substr(0, 4), u" 277");
  EXPECT_EQ(text[text.size() - 6], u':');
  EXPECT_EQ(TimeString(-1e300, true)[0], u'-');
}

TEST(TimeString, NonFiniteTimesAreRefused) {
  for (double bad : {kNaN, kInf, -kInf}) {
    EXPECT_THROW(TimeString(bad, true), EInvalidArgument) << bad;
  }
}

// --- FormatDateTimePLX -------------------------------------------------------

struct PatternCase {
  const char* name;
  std::u16string pattern;
  double value;
  std::u16string expected;
};

void PrintTo(const PatternCase& c, std::ostream* os) { *os << c.name; }

class DateTimePatterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(DateTimePatterns, WriteTheValue) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(ascii(FormatDateTimePLX(c.pattern, c.value)), ascii(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Values, DateTimePatterns,
    ::testing::Values(
        PatternCase{"DayZero", u"dd.mm.yyyy hh:nn", 0, u"30.12.1899 00:00"},
        PatternCase{"Afternoon", u"dd.mm.yyyy hh:nn", kFeb15of2015 + 0.5, u"15.02.2015 12:00"},
        // Negative values count linearly: -1.75 is 06:00 on 28 December.
        PatternCase{"NegativeQuarter", u"dd.mm.yyyy hh:nn", -1.75, u"28.12.1899 06:00"},
        PatternCase{"NegativeWhole", u"dd.mm.yyyy hh:nn", -1, u"29.12.1899 00:00"},
        PatternCase{"NegativeWithinDay", u"dd.mm.yyyy hh:nn", -0.25, u"29.12.1899 18:00"},
        PatternCase{
            "HairBelowNegativeDay", u"dd.mm.yyyy hh:nn:ss", -1 - 5e-9, u"29.12.1899 00:00:00"},
        PatternCase{"UlpBelowNegativeDay",
                    u"dd.mm.yyyy hh:nn:ss.zzz",
                    -1.0000000000000002,
                    u"29.12.1899 00:00:00.000"},
        PatternCase{"HairBelowZero", u"dd.mm.yyyy hh:nn:ss.zzz", -5e-9, u"30.12.1899 00:00:00.000"},
        PatternCase{"HairAboveZero", u"dd.mm.yyyy hh:nn:ss.zzz", 5e-9, u"30.12.1899 00:00:00.000"},
        PatternCase{"MillisecondBeforeZero",
                    u"dd.mm.yyyy hh:nn:ss.zzz",
                    -0.001 / 86400,
                    u"29.12.1899 23:59:59.999"},
        PatternCase{"FirstDay", u"dd.mm.yyyy", -693593, u"01.01.0001"},
        PatternCase{"LastDay", u"dd.mm.yyyy", 2958465.75, u"31.12.9999"},
        PatternCase{"DayLetters", u"d dd", kAfternoon, u"15 15"},
        PatternCase{"MonthDigits", u"m mm", kAfternoon, u"2 02"},
        PatternCase{"YearLetters", u"yy yyyy", kAfternoon, u"15 2015"},
        PatternCase{"HourLetters", u"h hh", kFeb15of2015 + 9.5 / 24, u"9 09"},
        PatternCase{"MinuteSecondLetters", u"n nn s ss", kAfternoon, u"5 05 9 09"},
        PatternCase{"FractionLetters", u"z zz zzz", kAfternoon, u"250 25 250"},
        PatternCase{"TwelveHourClock", u"h:nn am/pm", kAfternoon, u"2:05 pm"},
        PatternCase{"ShortMarker", u"hh:nna/p", kAfternoon, u"02:05p"},
        PatternCase{"Literal", u"\"d\" d 'at' h\"h\"", kAfternoon, u"d 15 at 14h"},
        PatternCase{"NegativeAllLetters",
                    u"d dd m mm yy yyyy h hh n nn",
                    -1.75,
                    u"28 28 12 12 99 1899 6 06 0 00"}));

TEST(FormatDateTimePLX, MonthNamesComeFromTheLocale) {
  EXPECT_EQ(FormatDateTimePLX(u"mmm", kAfternoon), ShortMonthName(2));
  EXPECT_EQ(FormatDateTimePLX(u"mmm", -1.75), ShortMonthName(12));
}

TEST(FormatDateTimePLX, ValuesBeyondThePlatformsCalendarAreRefused) {
  for (double bad : {kNaN, kInf, -kInf, 1e300, -1e300}) {
    EXPECT_THROW(FormatDateTimePLX(u"yyyy", bad), EInvalidArgument) << bad;
  }
}

// --- FormatDateStr -----------------------------------------------------------

struct DateStrCase {
  const char* name;
  bool monthName;
  TYearLength year;
  TDateOrder order;
  char16_t separator;
  std::u16string expected;  // "M" stands for the short month name
};

void PrintTo(const DateStrCase& c, std::ostream* os) { *os << c.name; }

class DateStrings : public ::testing::TestWithParam<DateStrCase> {};

TEST_P(DateStrings, OrderTheDateParts) {
  const DateStrCase& c = GetParam();
  std::u16string expected = c.expected;
  const size_t m = expected.find(u'M');
  if (m != std::u16string::npos) expected.replace(m, 1, ShortMonthName(2));
  EXPECT_EQ(ascii(FormatDateStr(kAfternoon, c.monthName, c.year, c.order, c.separator)),
            ascii(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, DateStrings,
    ::testing::Values(
        DateStrCase{"MonthDayYear", true, ylYYYY, doMMDDYY, u'-', u"M-15-2015"},
        DateStrCase{"DayMonthYear", true, ylYYYY, doDDMMYY, u'-', u"15-M-2015"},
        DateStrCase{"YearMonthDay", true, ylYYYY, doYYMMDD, u'-', u"2015-M-15"},
        DateStrCase{"MonthDay", true, ylNone, doMMDDYY, u'-', u"M-15"},
        DateStrCase{"DayMonth", true, ylNone, doDDMMYY, u'-', u"15-M"},
        // Without a year the third order reads like the first.
        DateStrCase{"YearlessYearMonthDay", true, ylNone, doYYMMDD, u'-', u"M-15"},
        DateStrCase{"TwoDigitYear", true, ylYY, doDDMMYY, u'-', u"15-M-15"},
        DateStrCase{"MonthDigits", false, ylYYYY, doMMDDYY, u'/', u"02/15/2015"},
        DateStrCase{"MonthDigitsYearFirst", false, ylYY, doYYMMDD, u'.', u"15.02.15"},
        DateStrCase{"LetterSeparator", false, ylYYYY, doDDMMYY, u'd', u"15d02d2015"},
        DateStrCase{"DoubleQuoteSeparator", false, ylYYYY, doDDMMYY, u'"', u"15\"02\"2015"},
        DateStrCase{"SingleQuoteSeparator", false, ylNone, doDDMMYY, u'\'', u"15'02"}),
    [](const ::testing::TestParamInfo<DateStrCase>& test) { return std::string(test.param.name); });

// --- labels of the levels ----------------------------------------------------

struct TimeLabelCase {
  TTimeLabelMode mode;
  TTimeFormat format;
  std::u16string expected;
};

TEST(TimeLabel, EachModeInEachFormat) {
  const double value = kFeb15of2015 + (14 * 3600 + 5 * 60 + 30.25) / 86400;
  const TimeLabelCase cases[] = {
      {tmHours, tfHHMMSS, u"14:05"},
      {tmHours, tfHHhMM, u"14h"},
      {tmHours, tfAMPM, u"2pm"},
      {tmMinutes, tfHHMMSS, u"14:05"},
      {tmMinutes, tfHHhMM, u"14h05"},
      {tmMinutes, tfAMPM, u"2:05pm"},
      {tmSeconds, tfHHMMSS, u"14:05:30"},
      {tmSeconds, tfHHhMM, u"14h05:30"},
      {tmSeconds, tfAMPM, u"2:05.30pm"},
      {tmHundredths, tfHHMMSS, u"14:05:30.25"},
      {tmHundredths, tfHHhMM, u"14h05:30.25"},
      {tmHundredths, tfAMPM, u"2:05.30.25pm"},
  };
  for (const TimeLabelCase& c : cases) {
    TDTLabel format;
    format.SetTimeFormat(c.format);
    EXPECT_EQ(ascii(TimeLabel(c.mode, format, LocaleFormatSettings(), value)), ascii(c.expected))
        << "mode " << int(c.mode) << " format " << int(c.format);
  }
}

TEST(TimeLabel, TimeSeparatorIsLiteralText) {
  TDTLabel format;
  format.SetTimeSeparator(u'h');
  EXPECT_EQ(ascii(TimeLabel(tmSeconds, format, LocaleFormatSettings(), kAfternoon)), "14h05h09");
  format.SetTimeSeparator(u'"');
  EXPECT_EQ(ascii(TimeLabel(tmMinutes, format, LocaleFormatSettings(), kAfternoon)), "14\"05");
  // The twelve-hour clock writes "." before the seconds whatever the separator.
  format.SetTimeFormat(tfAMPM);
  EXPECT_EQ(ascii(TimeLabel(tmSeconds, format, LocaleFormatSettings(), kAfternoon)), "2\"05.09pm");
}

TEST(DateLabel, FollowsTheSettings) {
  TDTLabel format;
  EXPECT_EQ(DateLabel(format, LocaleFormatSettings(), kFeb15of2015),
            u"15-" + ShortMonthName(2) + u"-2015");
  format.SetDateOrder(doYYMMDD);
  format.SetMonthName(false);
  format.SetDateSeparator(u'/');
  EXPECT_EQ(ascii(DateLabel(format, LocaleFormatSettings(), kFeb15of2015)), "2015/02/15");
}

TEST(MonthLabel, MonthAndYearByOrderAndLength) {
  const std::u16string feb = ShortMonthName(2);
  TDTLabel format;
  EXPECT_EQ(MonthLabel(format, LocaleFormatSettings(), kFeb15of2015), feb + u"-2015");
  format.SetDateOrder(doMMDDYY);
  EXPECT_EQ(MonthLabel(format, LocaleFormatSettings(), kFeb15of2015), feb + u"-2015");
  format.SetDateOrder(doYYMMDD);
  EXPECT_EQ(MonthLabel(format, LocaleFormatSettings(), kFeb15of2015), u"2015-" + feb);
  format.SetYearLength(ylYY);
  format.SetMonthName(false);
  EXPECT_EQ(ascii(MonthLabel(format, LocaleFormatSettings(), kFeb15of2015)), "15-02");
  format.SetYearLength(ylNone);
  EXPECT_EQ(ascii(MonthLabel(format, LocaleFormatSettings(), kFeb15of2015)), "02");
}

TEST(YearLabel, LeadingZerosGo) {
  EXPECT_EQ(ascii(YearLabel(ylYYYY, LocaleFormatSettings(), double(DayOfDate(950, 1, 1)))), "950");
  EXPECT_EQ(ascii(YearLabel(ylYYYY, LocaleFormatSettings(), double(DayOfDate(7, 6, 1)))), "7");
  EXPECT_EQ(ascii(YearLabel(ylYYYY, LocaleFormatSettings(), kFeb15of2015)), "2015");
  EXPECT_EQ(ascii(YearLabel(ylYY, LocaleFormatSettings(), double(DayOfDate(2005, 1, 1)))), "05");
  EXPECT_EQ(ascii(YearLabel(ylNone, LocaleFormatSettings(), kFeb15of2015)), "");
}

// --- calendar ----------------------------------------------------------------

TEST(Calendar, DayNumbersOfDates) {
  EXPECT_EQ(DayOfDate(1899, 12, 30), 0);
  EXPECT_EQ(DayOfDate(1900, 1, 1), 2);
  EXPECT_EQ(DayOfDate(1900, 3, 1), 61);  // 1900 is no leap year
  EXPECT_EQ(DayOfDate(2015, 2, 15), 42050);
  EXPECT_EQ(DayOfDate(2000, 3, 1) - DayOfDate(2000, 2, 28), 2);  // 2000 is one
  EXPECT_EQ(DayOfDate(1, 1, 1), -693593);
  EXPECT_EQ(DayOfDate(9999, 12, 31), 2958465);
  // Months outside 1..12 carry into the year.
  EXPECT_EQ(DayOfDate(2014, 13, 1), DayOfDate(2015, 1, 1));
  EXPECT_EQ(DayOfDate(2015, 0, 1), DayOfDate(2014, 12, 1));
  EXPECT_EQ(DayOfDate(2015, 26, 1), DayOfDate(2017, 2, 1));
}

TEST(Calendar, DatesOfValuesRoundTrip) {
  for (int64_t day = -693593; day <= 3000000; day += 997) {
    const TCalendarDate date = DateOfValue(day + 0.75L);
    ASSERT_EQ(DayOfDate(date.Year, date.Month, date.Day), day) << day;
  }
}

TEST(Calendar, DateOfValueRoundsToMilliseconds) {
  EXPECT_EQ(DateOfValue(kFeb15of2015 - 1e-10).Day, 15);
  EXPECT_EQ(DateOfValue(kFeb15of2015 - 1e-7).Day, 14);  // 8.6 ms before midnight
  const TCalendarDate before = DateOfValue(-1.75L);
  EXPECT_EQ(before.Year, 1899);
  EXPECT_EQ(before.Month, 12);
  EXPECT_EQ(before.Day, 28);
}

}  // namespace
