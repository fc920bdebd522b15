// Texts of time and date axes: TimeString, FormatDateTimePLX, FormatDateStr
// and the label patterns of each level. Patterns go through the platform's
// date-time formatting, which also supplies the locale's month names.
#include "controls/scale/PLX_ScaleDateText.h"

#include <cmath>
#include <cstdio>

#include "platform/DateTimeFormat.h"
#include "platform/Errors.h"

namespace {

constexpr long double kMsPerHour = 3600000.0L;
constexpr long double kMsPerMinute = 60000.0L;
constexpr long double kMsPerSecond = 1000.0L;
constexpr double kMsPerDay = 86400000.0;
// Axis values this close to 0 are 0.
constexpr double kZeroValue = 1e-8;

// A whole, non-negative number with at least minDigits digits. Hours of a
// huge time have up to about 300 digits.
std::u16string digits(long double whole, int minDigits) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%0*.0Lf", minDigits, whole);
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

// A character as literal text of a pattern, in quotes of the other kind when
// it is a quote itself.
std::u16string quoted(char16_t c) {
  const char16_t quote = c == u'"' ? u'\'' : u'"';
  return {quote, c, quote};
}

std::u16string monthToken(bool MonthName) { return MonthName ? u"mmm" : u"mm"; }

std::u16string yearToken(TYearLength YearLength) {
  switch (YearLength) {
    case ylYY:
      return u"yy";
    case ylYYYY:
      return u"yyyy";
    default:
      return u"";
  }
}

// Without a year, the year and the separator next to it are left out.
std::u16string datePattern(bool MonthName, TYearLength YearLength, TDateOrder DateOrder,
                           char16_t DateSeparator) {
  const std::u16string m = monthToken(MonthName);
  const std::u16string y = yearToken(YearLength);
  const std::u16string s = quoted(DateSeparator);
  if (y.empty()) return DateOrder == doDDMMYY ? u"dd" + s + m : m + s + u"dd";
  switch (DateOrder) {
    case doMMDDYY:
      return m + s + u"dd" + s + y;
    case doYYMMDD:
      return y + s + m + s + u"dd";
    default:
      return u"dd" + s + m + s + y;
  }
}

std::u16string timePattern(TTimeLabelMode Mode, TTimeFormat Format, char16_t Separator) {
  const std::u16string s = quoted(Separator);
  const bool seconds = Mode >= tmSeconds;
  const std::u16string hundredths = Mode == tmHundredths ? u".zz" : u"";
  switch (Format) {
    case tfHHhMM:
      if (Mode == tmHours) return u"h\"h\"";
      return u"h\"h\"nn" + (seconds ? s + u"ss" : u"") + hundredths;
    case tfAMPM:
      // A "." before the seconds, whatever the separator.
      if (Mode == tmHours) return u"ham/pm";
      return u"h" + s + u"nn" + (seconds ? u"\".\"ss" : u"") + hundredths + u"am/pm";
    default:
      return u"hh" + s + u"nn" + (seconds ? s + u"ss" : u"") + hundredths;
  }
}

}  // namespace

std::u16string TimeString(double Time, bool Showmsec) {
  if (!std::isfinite(Time)) throw EInvalidArgument("Invalid time value");
  // Whole milliseconds first: the milliseconds then never read 1000, and a
  // tick computed a hair below a whole second shows that second.
  const long double ms = std::nearbyint(std::fabs(static_cast<long double>(Time)) * kMsPerSecond);
  const long double inHour = std::fmod(ms, kMsPerHour);
  const long double hours = std::nearbyint((ms - inHour) / kMsPerHour);
  const long double minutes = std::floor(inHour / kMsPerMinute);
  const long double inMinute = inHour - minutes * kMsPerMinute;
  const long double seconds = std::floor(inMinute / kMsPerSecond);
  std::u16string text(1, Time >= 0 ? u' ' : u'-');
  text += digits(hours, 2) + u':' + digits(minutes, 2) + u':' + digits(seconds, 2);
  if (Showmsec) text += u'.' + digits(inMinute - seconds * kMsPerSecond, 3);
  return text;
}

// Before 30 December 1899 the platform keeps the day in the whole part and
// the time of day in the fraction's magnitude: linear -1.75 (06:00 on
// 28 December) is -2.25 there. The time of day is rounded to whole
// milliseconds here, as the platform would, so that a time a hair before
// midnight moves to the next day instead of rounding the encoded value into
// the day before (-1 - 2e-16 is midnight of 29 December, not 27 December).
std::u16string FormatDateTimePLX(const std::u16string& fmt, double DT,
                                 const TFormatSettings& Settings) {
  if (std::fabs(DT) < kZeroValue) DT = 0;
  if (DT < 0) {
    double day = std::floor(DT);
    double ms = std::nearbyint((DT - day) * kMsPerDay);
    if (ms >= kMsPerDay) {
      day += 1;
      ms = 0;
    }
    DT = day - ms / kMsPerDay;
  }
  return FormatDateTime(fmt, DT, Settings);
}

std::u16string FormatDateTimePLX(const std::u16string& fmt, double DT) {
  return FormatDateTimePLX(fmt, DT, LocaleFormatSettings());
}

std::u16string FormatDateStr(double DT, bool MonthName, TYearLength YearLength,
                             TDateOrder DateOrder, char16_t DateSeparator,
                             const TFormatSettings& Settings) {
  return FormatDateTimePLX(
      datePattern(MonthName, YearLength, DateOrder, DateSeparator), DT, Settings);
}

std::u16string FormatDateStr(double DT, bool MonthName, TYearLength YearLength,
                             TDateOrder DateOrder, char16_t DateSeparator) {
  return FormatDateStr(DT, MonthName, YearLength, DateOrder, DateSeparator, LocaleFormatSettings());
}

std::u16string TimeLabel(TTimeLabelMode Mode, const TDTLabel& Format,
                         const TFormatSettings& Settings, double Value) {
  return FormatDateTimePLX(
      timePattern(Mode, Format.TimeFormat(), Format.TimeSeparator()), Value, Settings);
}

std::u16string DateLabel(const TDTLabel& Format, const TFormatSettings& Settings, double Value) {
  return FormatDateStr(Value,
                       Format.MonthName(),
                       Format.YearLength(),
                       Format.DateOrder(),
                       Format.DateSeparator(),
                       Settings);
}

std::u16string MonthLabel(const TDTLabel& Format, const TFormatSettings& Settings, double Value) {
  const std::u16string m = monthToken(Format.MonthName());
  const std::u16string y = yearToken(Format.YearLength());
  const std::u16string s = quoted(Format.DateSeparator());
  std::u16string pattern = m;
  if (!y.empty()) pattern = Format.DateOrder() == doYYMMDD ? y + s + m : m + s + y;
  return FormatDateTimePLX(pattern, Value, Settings);
}

std::u16string YearLabel(TYearLength YearLength, const TFormatSettings& Settings, double Value) {
  if (YearLength == ylNone) return u"";
  std::u16string text = FormatDateTimePLX(yearToken(YearLength), Value, Settings);
  if (YearLength == ylYYYY) {
    const size_t first = text.find_first_not_of(u'0');
    text.erase(0, first == std::u16string::npos ? text.size() - 1 : first);
  }
  return text;
}
