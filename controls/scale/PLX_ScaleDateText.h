// The texts of time and date axes: TimeString, FormatDateTimePLX and
// FormatDateStr, which come with the scale (PLX_Scale.h includes them), and
// the label texts of each level. Plain text functions, no drawing. Names and
// formats come from the locale's settings, which an axis fetches once for all
// its labels.
#pragma once

#include <string>

#include "controls/base/PLX_DTLabel.h"
#include "platform/Locale.h"

// A time of Time seconds as " hh:mm:ss" (hours may exceed 99), "-" in front
// of negative times, with Showmsec followed by ".zzz". The time is rounded to
// whole milliseconds first. Raises EInvalidArgument for a non-finite Time.
std::u16string TimeString(double Time, bool Showmsec);
// An axis value (days since 30 December 1899, negative before it, counted
// linearly) written with a date-time pattern of the platform. Values within
// 1e-8 of 0 count as 0. Raises EInvalidArgument for a value the platform
// cannot write (not finite, or beyond its calendar).
std::u16string FormatDateTimePLX(const std::u16string& fmt, double DT);
// The date of DT: day, month (the locale's short name with MonthName, else
// two digits) and year (by YearLength) in DateOrder, joined by DateSeparator.
std::u16string FormatDateStr(double DT, bool MonthName, TYearLength YearLength,
                             TDateOrder DateOrder, char16_t DateSeparator);

// FormatDateTimePLX and FormatDateStr with the locale's settings given.
std::u16string FormatDateTimePLX(const std::u16string& fmt, double DT,
                                 const TFormatSettings& Settings);
std::u16string FormatDateStr(double DT, bool MonthName, TYearLength YearLength,
                             TDateOrder DateOrder, char16_t DateSeparator,
                             const TFormatSettings& Settings);

// The levels of time labels below one day.
enum TTimeLabelMode : uint8_t { tmHours = 1, tmMinutes = 2, tmSeconds = 3, tmHundredths = 4 };

// The time label of a tick of a date axis below one day, such as "14:05:30";
// with tfAMPM "2:05.30pm".
std::u16string TimeLabel(TTimeLabelMode Mode, const TDTLabel& Format,
                         const TFormatSettings& Settings, double Value);
// The label of a day tick, and the date line under time labels, such as
// "15-Feb-2015".
std::u16string DateLabel(const TDTLabel& Format, const TFormatSettings& Settings, double Value);
// The label of a month tick, such as "Feb-2015".
std::u16string MonthLabel(const TDTLabel& Format, const TFormatSettings& Settings, double Value);
// The label of a year tick: nothing, two digits, or the year without leading
// zeros (950).
std::u16string YearLabel(TYearLength YearLength, const TFormatSettings& Settings, double Value);
