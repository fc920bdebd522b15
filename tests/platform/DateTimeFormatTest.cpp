// Date-time values written with patterns.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "platform/DateTimeFormat.h"
#include "platform/Errors.h"
#include "platform/Locale.h"

namespace {

// A value on or after 30 December 1899: whole days plus the time of day.
double at(double days, int h, int n, int s = 0, int ms = 0) {
  return days + (h * 3600.0 + n * 60.0 + s + ms / 1000.0) / 86400.0;
}

constexpr double kFeb15of2015 = 42050;
constexpr double kJan1of2000 = 36526;

struct FormatCase {
  const char* name;
  std::u16string pattern;
  double value;
  std::u16string expected;
  friend void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.name; }
};

class Formatting : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Formatting, WritesThePattern) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatDateTime(c.pattern, c.value), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, Formatting,
    ::testing::Values(FormatCase{"day zero", u"dd.mm.yyyy", 0, u"30.12.1899"},
                      FormatCase{"single letters", u"d/m/yy", kJan1of2000, u"1/1/00"},
                      FormatCase{"doubled letters", u"dd/mm/yy", kJan1of2000, u"01/01/00"},
                      FormatCase{"upper case", u"YYYY-MM-DD", kFeb15of2015, u"2015-02-15"},
                      FormatCase{"end of February 1900", u"yyyy-mm-dd", 60, u"1900-02-28"},
                      FormatCase{"1900 is no leap year", u"yyyy-mm-dd", 61, u"1900-03-01"},
                      FormatCase{"last day", u"dd.mm.yyyy", 2958465, u"31.12.9999"},
                      FormatCase{"first day", u"dd.mm.yyyy", -693593, u"01.01.0001"},
                      FormatCase{"day before zero", u"dd.mm.yyyy hh:nn", -1, u"29.12.1899 00:00"},
                      // Before day zero the fraction's magnitude is the time of day.
                      FormatCase{"negative value", u"dd.mm.yyyy hh:nn", -2.25, u"28.12.1899 06:00"},
                      FormatCase{"negative fraction", u"d hh:nn", -1.75, u"29 18:00"},
                      FormatCase{"within day zero", u"dd hh:nn", -0.5, u"30 12:00"}));

INSTANTIATE_TEST_SUITE_P(
    Times, Formatting,
    ::testing::Values(FormatCase{"24-hour", u"hh:nn:ss", at(0, 13, 5, 9), u"13:05:09"},
                      FormatCase{"single letters", u"h:n:s", at(0, 9, 5, 7), u"9:5:7"},
                      FormatCase{"milliseconds", u"ss.zzz", at(0, 0, 0, 56, 7), u"56.007"},
                      FormatCase{"hundredths", u"ss.zz", at(0, 0, 0, 56, 789), u"56.78"},
                      FormatCase{"hundredths padded", u"ss.zz", at(0, 0, 0, 5, 40), u"05.04"},
                      FormatCase{"unpadded milliseconds", u"s.z", at(0, 0, 0, 3, 40), u"3.40"},
                      FormatCase{"rounded to the next day",
                                 u"dd hh:nn:ss.zzz",
                                 0.99999999999,
                                 u"31 00:00:00.000"},
                      FormatCase{"large value keeps its milliseconds",
                                 u"hh:nn:ss.zzz",
                                 at(kFeb15of2015, 23, 59, 59, 999),
                                 u"23:59:59.999"}));

INSTANTIATE_TEST_SUITE_P(
    TwelveHourClock, Formatting,
    ::testing::Values(
        FormatCase{"midnight hour", u"h:nn am/pm", at(0, 0, 5), u"12:05 am"},
        FormatCase{"noon hour", u"h:nn am/pm", at(0, 12, 30), u"12:30 pm"},
        FormatCase{"afternoon", u"hh:nn AM/PM", at(0, 13, 7), u"01:07 PM"},
        FormatCase{"morning", u"hh:nn AM/PM", at(0, 11, 59), u"11:59 AM"},
        FormatCase{"pattern's letters", u"h Am/Pm", at(0, 23, 0), u"11 Pm"},
        FormatCase{"a/p", u"h:nna/p", at(0, 18, 45), u"6:45p"},
        FormatCase{"A/P", u"hA/P", at(0, 6, 0), u"6A"},
        FormatCase{"time label", u"h\"S\"nn\".\"ss.zzam/pm", at(0, 14, 3, 9, 250), u"2S03.09.25pm"},
        FormatCase{"marker belongs to the next hour only", u"hh h am/pm", at(0, 15, 0), u"15 3 pm"},
        FormatCase{"plain a is copied", u"hh a.", at(0, 15, 0), u"15 a."}));

INSTANTIATE_TEST_SUITE_P(
    MinutesAfterHours, Formatting,
    ::testing::Values(
        FormatCase{"h:mm", u"h:mm", at(kFeb15of2015, 9, 5), u"9:05"},
        FormatCase{"h:m", u"h:m", at(kFeb15of2015, 9, 5), u"9:5"},
        FormatCase{"quoted text between", u"hh\"h\"mm", at(kFeb15of2015, 9, 5), u"09h05"},
        FormatCase{"mm alone is the month", u"mm", at(kFeb15of2015, 9, 5), u"02"},
        FormatCase{"a letter between ends it", u"hh x mm", at(kFeb15of2015, 9, 5), u"09 x 02"},
        FormatCase{"month after minutes", u"hh:mm dd.mm", at(kFeb15of2015, 9, 5), u"09:05 15.02"}));

INSTANTIATE_TEST_SUITE_P(
    Literals, Formatting,
    ::testing::Values(
        FormatCase{"double quotes", u"yyyy\"-\"mm\"-\"dd", kFeb15of2015, u"2015-02-15"},
        FormatCase{"single quotes", u"'day' d 'month' m", kFeb15of2015, u"day 15 month 2"},
        FormatCase{"quote of the other kind inside", u"\"it's\" yy", kFeb15of2015, u"it's 15"},
        FormatCase{"unterminated quote", u"yy \"dd mm", kFeb15of2015, u"15 dd mm"},
        FormatCase{"other characters", u"[yy]-#:/ q", kFeb15of2015, u"[15]-#:/ q"},
        FormatCase{"empty pattern", u"", kFeb15of2015, u""}));

TEST(FormatDateTime, ShortMonthNameFromTheLocale) {
  EXPECT_EQ(FormatDateTime(u"mmm-dd, yyyy", kFeb15of2015), ShortMonthName(2) + u"-15, 2015");
  EXPECT_EQ(FormatDateTime(u"dd mmm", 0), u"30 " + ShortMonthName(12));
}

TEST(FormatDateTime, ValuesOutsideTheCalendarAreRefused) {
  for (double bad : {std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity(),
                     -1e300}) {
    EXPECT_THROW(FormatDateTime(u"yyyy", bad), EInvalidArgument) << bad;
  }
}

// ---- the whole pattern language, with fixed English settings ----

TFormatSettings English() {
  TFormatSettings s;
  s.ShortMonthNames = {u"Jan",
                       u"Feb",
                       u"Mar",
                       u"Apr",
                       u"May",
                       u"Jun",
                       u"Jul",
                       u"Aug",
                       u"Sep",
                       u"Oct",
                       u"Nov",
                       u"Dec"};
  s.LongMonthNames = {u"January",
                      u"February",
                      u"March",
                      u"April",
                      u"May",
                      u"June",
                      u"July",
                      u"August",
                      u"September",
                      u"October",
                      u"November",
                      u"December"};
  s.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  s.LongDayNames = {
      u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  s.ShortDateFormat = u"m/d/yyyy";
  s.LongDateFormat = u"dddd, mmmm d, yyyy";
  s.ShortTimeFormat = u"h:nn ampm";
  s.LongTimeFormat = u"h:nn:ss ampm";
  s.TimeAMString = u"AM";
  s.TimePMString = u"PM";
  return s;
}

constexpr double kMar15of2023 = 45000;  // a Wednesday

class EnglishFormatting : public ::testing::TestWithParam<FormatCase> {};

TEST_P(EnglishFormatting, WritesThePattern) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatDateTime(c.pattern, c.value, English()), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, EnglishFormatting,
    ::testing::Values(FormatCase{"long date by hand",
                                 u"dddd, mmmm d, yyyy",
                                 kMar15of2023,
                                 u"Wednesday, March 15, 2023"},
                      FormatCase{"short names", u"ddd d mmm", kMar15of2023, u"Wed 15 Mar"},
                      FormatCase{"longer month runs", u"mmmmm", kMar15of2023, u"March"},
                      FormatCase{"aaa and aaaa", u"aaa/aaaa", kMar15of2023, u"Wed/Wednesday"},
                      FormatCase{"day zero was a Saturday", u"dddd", 0, u"Saturday"},
                      FormatCase{"the day before", u"ddd", -1, u"Fri"},
                      FormatCase{"upper case", u"DDDD MMMM", kMar15of2023, u"Wednesday March"}));

INSTANTIATE_TEST_SUITE_P(
    LocaleFormats, EnglishFormatting,
    ::testing::Values(
        FormatCase{"short date", u"ddddd", kMar15of2023, u"3/15/2023"},
        FormatCase{"long date", u"dddddd", kMar15of2023, u"Wednesday, March 15, 2023"},
        FormatCase{"longer d runs", u"ddddddd", kMar15of2023, u"Wednesday, March 15, 2023"},
        FormatCase{"c with a time", u"c", at(kMar15of2023, 13, 5, 9), u"3/15/2023 1:05:09 PM"},
        FormatCase{"c at midnight", u"c", kMar15of2023, u"3/15/2023"},
        FormatCase{"c with milliseconds only", u"c", at(kMar15of2023, 0, 0, 0, 5), u"3/15/2023"},
        FormatCase{"short time", u"t", at(0, 9, 5), u"9:05 AM"},
        FormatCase{"long time", u"tt", at(0, 21, 5, 7), u"9:05:07 PM"},
        FormatCase{"ampm", u"hh:nn ampm", at(0, 13, 7), u"01:07 PM"},
        FormatCase{"ampm in the morning", u"h ampm", at(0, 0, 30), u"12 AM"},
        FormatCase{"separators", u"mm/dd hh:nn", at(kMar15of2023, 8, 9), u"03/15 08:09"},
        FormatCase{"minutes after an hour in t", u"t mm", at(kMar15of2023, 8, 9), u"8:09 AM 03"}));

TEST(FormatDateTimeSettings, SeparatorsAreTheLocales) {
  TFormatSettings s = English();
  s.DateSeparator = u'.';
  s.TimeSeparator = u'h';
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy hh:nn", at(kMar15of2023, 8, 9), s), u"15.03.2023 08h09");
  EXPECT_EQ(FormatDateTime(u"\"/:\"", kMar15of2023, s), u"/:") << "quoted: as they stand";
}

TEST(FormatDateTimeSettings, FormatsBringInOneLevelOnly) {
  TFormatSettings s = English();
  s.ShortDateFormat = u"c d";  // refers to itself
  EXPECT_EQ(FormatDateTime(u"ddddd", kMar15of2023, s), u" 15");
}

TEST(FormatDateTimeSettings, TheSystemLocaleGivesTheNames) {
  const TFormatSettings locale = LocaleFormatSettings();
  EXPECT_EQ(FormatDateTime(u"dddd mmmm", kMar15of2023),
            locale.LongDayNames[3] + u" " + locale.LongMonthNames[2]);
  EXPECT_EQ(locale.ShortMonthNames[1], ShortMonthName(2));
}

TEST(FormatDateTimeSettings, QtLocalesBecomeSettings) {
  const TFormatSettings german = FormatSettingsOf(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(german.LongMonthNames[2], u"M\u00E4rz");
  EXPECT_EQ(german.LongDayNames[0], u"Sonntag");
  EXPECT_EQ(german.DateSeparator, u'.');
  EXPECT_EQ(german.TimeSeparator, u':');
  EXPECT_EQ(FormatDateTime(u"ddddd", kMar15of2023, german), u"15.03.23");
  EXPECT_EQ(FormatDateTime(u"t", at(0, 14, 5), german), u"14:05");
  EXPECT_EQ(FormatDateTime(u"dddddd", kMar15of2023, german), u"Mittwoch, 15. M\u00E4rz 2023");

  const TFormatSettings us = FormatSettingsOf(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(us.TimeAMString, u"AM");
  EXPECT_EQ(FormatDateTime(u"ddddd", kMar15of2023, us), u"3/15/23");
  EXPECT_EQ(FormatDateTime(u"dddddd", kMar15of2023, us), u"Wednesday, March 15, 2023");
  const std::u16string time = FormatDateTime(u"t", at(0, 14, 5), us);
  EXPECT_EQ(time.substr(0, 4), u"2:05");
  EXPECT_EQ(time.substr(time.size() - 2), u"PM");
}

}  // namespace
