// The label texts of time and date axes. They rest on TimeString,
// FormatDateTimePLX and FormatDateStr, which are declared with the scale in
// PLX_Scale.h. Plain text functions, no drawing. Names and formats come from
// the locale's settings, which an axis fetches once for all its labels.
#pragma once

#include <string>

#include "controls/base/PLX_DTLabel.h"
#include "platform/Locale.h"

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
