// The date and time label settings of an axis: how time labels, date labels
// and the date lines under time labels are written.
#pragma once

#include <cstdint>

#include "platform/Controls.h"

enum TTimeFormat : uint8_t { tfHHMMSS = 0, tfHHhMM = 1, tfAMPM = 2 };
// The year with no, two or four digits.
enum TYearLength : uint8_t { ylNone = 0, ylYY = 1, ylYYYY = 2 };
enum TDateOrder : uint8_t { doMMDDYY = 0, doDDMMYY = 1, doYYMMDD = 2 };
// How often a date line accompanies the time labels.
enum TDateForTime : uint8_t { dtNone = 0, dtOnePerChart = 1, dtOnePerDay = 2, dtAllTicks = 3 };

class TDTLabel : public TObject {
 public:
  TDTLabel() = default;
  TDTLabel(const TDTLabel&) = delete;
  TDTLabel& operator=(const TDTLabel&) = delete;

  TTimeFormat TimeFormat() const { return FTimeFormat; }
  // Notifies on every assignment, changed or not.
  void SetTimeFormat(TTimeFormat value);
  char16_t DateSeparator() const { return FDateSeparator; }
  void SetDateSeparator(char16_t value);
  char16_t TimeSeparator() const { return FTimeSeparator; }
  void SetTimeSeparator(char16_t value);
  TYearLength YearLength() const { return FYearLength; }
  void SetYearLength(TYearLength value);
  // The locale's short month name instead of two digits.
  bool MonthName() const { return FMonthName; }
  void SetMonthName(bool value);
  TDateOrder DateOrder() const { return FDateOrder; }
  // Notifies on every assignment, changed or not.
  void SetDateOrder(TDateOrder value);
  TDateForTime DateForTime() const { return FDateForTime; }
  void SetDateForTime(TDateForTime value);

  // Copies the seven settings without notifying; the receiver keeps its own
  // OnChange, and its owner repaints by its own rule.
  void Assign(const TDTLabel& Source);

  TNotifyEvent OnChange;

 private:
  void changed();

  TTimeFormat FTimeFormat = tfHHMMSS;
  char16_t FDateSeparator = u'-';
  char16_t FTimeSeparator = u':';
  TYearLength FYearLength = ylYYYY;
  bool FMonthName = true;
  TDateOrder FDateOrder = doDDMMYY;
  TDateForTime FDateForTime = dtOnePerDay;
};
