#include "controls/base/PLX_DTLabel.h"

void TDTLabel::changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat value) {
  FTimeFormat = value;
  changed();
}

void TDTLabel::SetDateSeparator(char16_t value) {
  if (value == FDateSeparator) return;
  FDateSeparator = value;
  changed();
}

void TDTLabel::SetTimeSeparator(char16_t value) {
  if (value == FTimeSeparator) return;
  FTimeSeparator = value;
  changed();
}

void TDTLabel::SetYearLength(TYearLength value) {
  if (value == FYearLength) return;
  FYearLength = value;
  changed();
}

void TDTLabel::SetMonthName(bool value) {
  if (value == FMonthName) return;
  FMonthName = value;
  changed();
}

void TDTLabel::SetDateOrder(TDateOrder value) {
  FDateOrder = value;
  changed();
}

void TDTLabel::SetDateForTime(TDateForTime value) {
  if (value == FDateForTime) return;
  FDateForTime = value;
  changed();
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
