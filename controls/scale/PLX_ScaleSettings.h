// The settings an axis is drawn by, as one value: range and mode, ticks,
// labels, caption and the scale colour. A stand-alone scale owns its own; a
// chart layer owns its axis's and hands them whole to the scale helper that
// draws that axis (TScale::SetAxisSettings).
#pragma once

#include <string>

#include "controls/scale/PLX_ScaleTypes.h"
#include "platform/PlatformTypes.h"

struct TScaleSettings {
  double RangeLow = 0.0;
  double RangeHigh = 100.0;
  bool Logarithmic = false;
  // Minimum number of major intervals: 0 (a step of one unit) or 2..10.
  int MinTicks = 3;
  // -3..12; negative values choose automatic label formats.
  int DecPlaces = -2;
  bool ShortTicks = true;
  TFigType LabelType = ftNum;
  // Label texts separated by "|", used with LabelType ftUserText.
  std::u16string UserTickText;
  // Template around every label; "&" stands for the label.
  std::u16string ScaleInscript;
  std::u16string Caption;
  int CaptionPosX = 4;
  int CaptionPosY = 4;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
  TColor ColorScale = clBlack;

  bool operator==(const TScaleSettings&) const = default;
};
