#include "controls/base/PLX_DTLabel.h"

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat value) {
  FTimeFormat = value;
  Changed();
}

void TDTLabel::SetDateSeparator(char16_t value) {
  if (value == FDateSeparator) return;
  FDateSeparator = value;
  Changed();
}

void TDTLabel::SetTimeSeparator(char16_t value) {
  if (value == FTimeSeparator) return;
  FTimeSeparator = value;
  Changed();
}

void TDTLabel::SetYearLength(TYearLength value) {
  if (value == FYearLength) return;
  FYearLength = value;
  Changed();
}

void TDTLabel::SetMonthName(bool value) {
  if (value == FMonthName) return;
  FMonthName = value;
  Changed();
}

void TDTLabel::SetDateOrder(TDateOrder value) {
  FDateOrder = value;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime value) {
  if (value == FDateForTime) return;
  FDateForTime = value;
  Changed();
}

void TDTLabel::Assign(const TDTLabel& Source) {
  FTimeFormat = Source.FTimeFormat;
  FDateSeparator = Source.FDateSeparator;
  FTimeSeparator = Source.FTimeSeparator;
  FYearLength = Source.FYearLength;
  FMonthName = Source.FMonthName;
  FDateOrder = Source.FDateOrder;
  FDateForTime = Source.FDateForTime;
}
