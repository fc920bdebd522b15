// The texts of tick labels: number formatting, user tick texts and
// inscriptions. Plain text functions, no drawing.
#pragma once

#include <string>

#include "controls/scale/PLX_ScaleTypes.h"

// A tick label for r. DecP >= 0: fixed point with exactly DecP decimals and
// "." whatever the locale, "-" in front of negative values, no padding beyond
// FieldWidth. DecP < 0: exponent form with two significant digits and a
// two-digit exponent (" 1.5E+06", "-2.0E-05"); an exponent of 100 or more
// turns every character into "*".
std::u16string RCSpecStrf(double r, int FieldWidth, int DecP);

// Item ix (1-based) of a list separated by "|". An index beyond the last item
// gives the last item (empty when the text ends with "|"); an index below 1
// gives the first.
std::u16string ExtractUserText(const std::u16string& TickText, int ix);

// The label inside the inscription template: the part of Inscr before its
// first "&" goes in front of the label, the part after it behind; without "&"
// all of Inscr goes in front. An empty label stays empty.
std::u16string AddScaleInscription(const std::u16string& Instring, const std::u16string& Inscr);

// What a tick label depends on besides the tick.
struct TTickLabelStyle {
  double RangeLow = 0.0;
  double RangeHigh = 100.0;
  int DecPlaces = -2;
  TFigType LabelType = ftNum;
  std::u16string UserTickText;
  std::u16string ScaleInscript;
};

// The label of major tick Counter (1-based) of a linear axis whose labels
// carry m decimals (CalcM). A Value that is only a rounding residue of zero
// is set to exactly 0 first. With DecPlaces 0 a non-integer tick gets an
// empty label.
std::u16string LinearTickLabel(const TTickLabelStyle& Style, int m, long double& Value,
                               int Counter);

// The label of a labelled tick of a logarithmic axis (m from CalcLogM; -3
// labels a decade by its exponent and leaves its 2 and 5 ticks blank). MultiP
// is the tick's multiple of its decade; Counter counts the labelled ticks
// from 1.
std::u16string LogTickLabel(const TTickLabelStyle& Style, int m, long double Value, int MultiP,
                            int Counter);
