// The label texts of time and date axes. They rest on TimeString,
// FormatDateTimePLX and FormatDateStr, which are declared with the scale in
// PLX_Scale.h. Plain text functions, no drawing.
#pragma once

#include <string>

#include "controls/base/PLX_DTLabel.h"

// The levels of time labels below one day.
enum TTimeLabelMode : uint8_t { tmHours = 1, tmMinutes = 2, tmSeconds = 3, tmHundredths = 4 };

// The time label of a tick of a date axis below one day, such as "14:05:30";
// with tfAMPM "2:05.30pm".
std::u16string TimeLabel(TTimeLabelMode Mode, const TDTLabel& Format, double Value);
// The label of a day tick, and the date line under time labels, such as
// "15-Feb-2015".
std::u16string DateLabel(const TDTLabel& Format, double Value);
// The label of a month tick, such as "Feb-2015".
std::u16string MonthLabel(const TDTLabel& Format, double Value);
// The label of a year tick: nothing, two digits, or the year without leading
// zeros (950).
std::u16string YearLabel(TYearLength YearLength, double Value);
