// The tick engine of time and date axes: which ticks a time axis (values in
// seconds) or a date-time axis (values in days since 30 December 1899) gets,
// which of them are major, and their labels and date lines. Plain arithmetic
// and text, no drawing.
//
// Instead of the 1-2-5 rule of numeric axes these axes step by round units
// of time from fixed tables and align their ticks to midnight, to the first
// of a month or to 1 January. The result lists the ticks in drawing order;
// the axis drawing places them, draws a long line and the label (and the date
// line, if any) at each major tick, a short line at each minor one, records
// the ticks marked Recorded and raises the tick event after each.
//
// MinTicks 0, which on a numeric axis asks for a step of one unit, counts as
// 1 here: the coarsest steps that still give one interval. (A step of one
// second or one day would put tens of thousands of ticks on a day's or a
// year's range.)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/base/PLX_DTLabel.h"
#include "platform/Locale.h"

struct TDateTimeRequest {
  int MinTicks = 3;
  long double RangeLow = 0.0L;
  long double RangeHigh = 100.0L;
  bool ShortTicks = true;
  // Vertical date axes go down to hundredths of a second; horizontal ones
  // stop at seconds.
  bool Horizontal = true;
};

struct TDateTimeTick {
  long double Value = 0.0L;
  // A major tick gets the long line and a label (which may be empty).
  bool Major = false;
  bool Recorded = false;
  std::u16string Label;
  // A date line is drawn one line further from the axis than the label.
  bool HasDateLine = false;
  std::u16string DateLine;
};

// aoDeclined: a time axis whose range does not suit its steps; the numeric
// axis is drawn instead. aoBelowOneSecond and aoInvalid: a date-time axis
// shows the message "DateTime range is below 1 second" or "invalid DateTime
// scale" instead of ticks.
enum TDateTimeOutcome : uint8_t { aoTicks, aoDeclined, aoBelowOneSecond, aoInvalid };

struct TDateTimeTicks {
  TDateTimeOutcome Outcome = aoTicks;
  std::vector<TDateTimeTick> Ticks;
};

// The ticks of a time axis: minor ticks first, then the major ones, labelled
// by TimeString (with milliseconds for steps below one second).
TDateTimeTicks TimeAxisTicks(const TDateTimeRequest& Request);

// The ticks of a date-time axis at the level its range asks for, labelled by
// Format with the locale's Settings.
TDateTimeTicks DateTimeAxisTicks(const TDateTimeRequest& Request, const TDTLabel& Format,
                                 const TFormatSettings& Settings);

// The levels of a date-time axis, chosen by the time per tick interval.
enum TDateTimeLevel : uint8_t {
  lvBelowOneSecond,
  lvHundredths,
  lvSeconds,
  lvMinutes,
  lvHours,
  lvDays,
  lvMonths,
  lvYears
};

// TR: the days per tick interval, (RangeHigh - RangeLow) / MinTicks, in
// extended precision: a day in three intervals must give steps of 8 hours.
TDateTimeLevel DateTimeLevel(long double TR, bool Horizontal);

// Step of the levels below one day: StepGridIx is the row of the step table
// (1 hours, 2 minutes or seconds, 4 hundredths), Range the days per tick
// interval and Multiplier the row's units per day. Returns the step in days;
// FirstTick is the first multiple of the step, counted from midnight of
// RangeLow's day, not before RangeLow; ShortSteps the minor step in days.
long double FindStep(int StepGridIx, long double Range, long double RangeLow,
                     long double Multiplier, long double& FirstTick, long double& ShortSteps);
