#include "controls/scale/PLX_ScaleText.h"

#include <cmath>

#include "controls/base/PLX_stringl.h"

namespace {

// strff's two-digit exponent form has FieldWidth - 6 significant digits.
constexpr int kTwoDigitWidth = 8;
// The exponent form fills at least ten characters before its exponent loses
// its two leading digits.
constexpr int kMinExpField = 10;
constexpr size_t kMaxLabelLength = 14;
// A tick this close to 0, relative to the range, is 0: a sum of steps may
// leave a rounding residue where the value should be exactly zero.
constexpr long double kZeroSnap = 1e-14L;
// Beyond this width the zero label is written short ("0", "0.0") instead of
// in the exponent form of the other labels.
constexpr long double kShortZeroRange = 100000.0L;
constexpr long double kIntegerTolerance = 1e-6L;

void cutLabel(std::u16string& label) {
  if (label.size() > kMaxLabelLength) label.resize(kMaxLabelLength);
}

std::u16string finishLabel(const TTickLabelStyle& style, const std::u16string& label, int counter) {
  if (style.LabelType == ftUserText) return ExtractUserText(style.UserTickText, counter);
  return AddScaleInscription(label, style.ScaleInscript);
}

}  // namespace

std::u16string RCSpecStrf(double r, int FieldWidth, int DecP) {
  if (DecP >= 0) return strff(r, FieldWidth < 1 ? 1 : FieldWidth, DecP);
  std::u16string text = strff(r, kTwoDigitWidth, -2);
  const int field = (FieldWidth > kMinExpField ? FieldWidth : kMinExpField) - 2;
  if (static_cast<int>(text.size()) < field) {
    const bool asterisks = text.find(u'*') != std::u16string::npos;
    text.insert(0, static_cast<size_t>(field) - text.size(), asterisks ? u'*' : u' ');
  }
  return text;
}

std::u16string ExtractUserText(const std::u16string& TickText, int ix) {
  size_t start = 0;
  for (int item = 1; item < ix; ++item) {
    const size_t bar = TickText.find(u'|', start);
    if (bar == std::u16string::npos) break;  // beyond the last item: keep it
    start = bar + 1;
  }
  const size_t end = TickText.find(u'|', start);
  return TickText.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
}

std::u16string AddScaleInscription(const std::u16string& Instring, const std::u16string& Inscr) {
  if (Instring.empty()) return Instring;
  const size_t amp = Inscr.find(u'&');
  if (amp == std::u16string::npos) return Inscr + Instring;
  return Inscr.substr(0, amp) + Instring + Inscr.substr(amp + 1);
}

std::u16string LinearTickLabel(const TTickLabelStyle& Style, int m, long double& Value,
                               int Counter) {
  const long double width = static_cast<long double>(Style.RangeHigh) - Style.RangeLow;
  std::u16string label;
  if (std::fabs(Value / width) < kZeroSnap) {
    Value = 0.0L;
    if (std::fabs(width) > kShortZeroRange) {
      label = m == 0 ? u"0" : u"0.0";
    } else {
      label = RCSpecStrf(0.0, 1, m);
    }
  } else {
    label = RCSpecStrf(static_cast<double>(Value), 1, m);
  }
  cutLabel(label);
  if (Style.DecPlaces == 0 && std::fabs(Value - std::nearbyint(Value)) > kIntegerTolerance) {
    label.clear();
  }
  return finishLabel(Style, label, Counter);
}

std::u16string LogTickLabel(const TTickLabelStyle& Style, int m, long double Value, int MultiP,
                            int Counter) {
  std::u16string label;
  if (m == -3) {
    if (MultiP == 1) label = RCSpecStrf(std::nearbyint(std::log10(Value)), 1, 0);
  } else {
    label = RCSpecStrf(static_cast<double>(Value), 1, m);
  }
  cutLabel(label);
  const bool fixedPoint = label.find(u'.') != std::u16string::npos &&
                          label.find_first_of(u"eE") == std::u16string::npos;
  // Automatic decimals show only the digits a value needs: 0.5, 1, 20.
  if (Style.DecPlaces == -2 && fixedPoint) {
    while (!label.empty() && label.back() == u'0') label.pop_back();
    if (!label.empty() && label.back() == u'.') label.pop_back();
  }
  return finishLabel(Style, label, Counter);
}
