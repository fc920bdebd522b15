#include "FeederEngine.h"

#include <charconv>
#include <cmath>

#include "platform/Errors.h"
#include "platform/Locale.h"

const std::array<TBandPreset, 10> BandPresets = {{
    {1.8, u"Current maxima for 1.8 MHz"},
    {3.7, u"Current maxima for 3.7 MHz"},
    {5.35, u"Current maxima for 5.35 MHz"},
    {7.1, u"Current maxima for 7.1 MHz"},
    {10.13, u"Current maxima for 10.13 MHz"},
    {14.2, u"Current maxima for 14.2 MHz"},
    {18.13, u"Current maxima for 18.13 MHz"},
    {21.25, u"Current maxima for 21.25 MHz"},
    {24.45, u"Current maxima for 24.45 MHz"},
    {28.5, u"Current maxima for 28.5 MHz"},
}};

namespace {

// Feeder length in feeder wavelengths for a dipole of d (in units of
// 936 / f feet).
double optimumFeeder(double d) { return 0.25 - std::tan((d - 1.0) * 2.5) / 12.02; }

// A length of 1.5 or more taken down by whole units until it lies below 1.5,
// as repeated subtraction of 1.0 would, but at once: every such subtraction
// is exact, so the result is the part below 1.0 (exact too), raised by one
// unit when it lies below 0.5. Beyond 2^53 every double is whole and gives 1.0,
// where subtracting 1.0 would no longer change the value at all.
double takeDownToBelowOneAndAHalf(double wl) {
  const double fraction = wl - std::floor(wl);
  return fraction >= 0.5 ? fraction : fraction + 1.0;
}

}  // namespace

std::u16string FormatFixed(double value, int decimals) {
  return FormatFixed(value, decimals, LocaleDecimalSeparator());
}

std::u16string FormatFixed(double value, int decimals, char16_t separator) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::u16string text(buffer, result.ptr);
  for (char16_t& c : text) {
    if (c == u'.') c = separator;
  }
  return text;
}

std::u16string TooShortMessage(double minimumFeet, char16_t separator) {
  return u"Dipole length is too short for this frequency, it needs to be longer than: " +
         FormatFixed(minimumFeet, 1, separator) +
         u"ft. Please unselect the lowest frequency in the Band Select box!";
}

void InitFeederState(TFeederState& state, double initialFreq) {
  state.freq = initialFreq;
  state.length = FloatDivide(375.0, state.freq);
  state.LLWL = FeederConstant450;
}

void SelectFeederConstant(TFeederState& state, int index) {
  if (index == 0) state.LLWL = FeederConstant300;
  if (index == 1 || index == 2) state.LLWL = FeederConstant450;  // 600 ohm as 450 ohm
}

void Calculate(TFeederState& state) {
  state.fedlinwl = optimumFeeder(state.dipWl);
  state.fedlinft[0] = state.LLWL / state.freq * state.fedlinwl;
  state.fedlinm[0] = MetresPerFoot * state.fedlinft[0];
  for (int i = 1; i < 8; ++i) {
    state.fedlinft[i] = (state.LLWL / 2.0 / state.freq) * i + state.fedlinft[0];
    state.fedlinm[i] = MetresPerFoot * state.fedlinft[i];
  }
}

TCalcResult CalcSingle(TFeederState& state, double frequencyMHz, double dipoleFeet) {
  state.fedlinm.fill(0);
  state.fedlinft.fill(0);
  state.freq = frequencyMHz;
  state.length = FloatDivide(375.0, state.freq);
  if (!(dipoleFeet >= state.length)) {
    return {false, TooShortMessage(state.length, LocaleDecimalSeparator())};
  }
  // An infinite frequency divides by zero here, as a frequency of 0 does above.
  state.dipWl = FloatDivide(dipoleFeet, 936.0 / state.freq);
  // Finite inputs whose quotient overflows have no length to normalise.
  if (std::isinf(state.dipWl)) throw EOverflow();
  if (state.dipWl < 0.5) state.dipWl += 1.0;
  if (state.dipWl >= 1.5) state.dipWl = takeDownToBelowOneAndAHalf(state.dipWl);
  Calculate(state);
  return {true, {}};
}

std::vector<std::u16string> FeederListLines(const TFeederState& state) {
  std::vector<std::u16string> lines;
  for (double m : state.fedlinm) lines.push_back(FormatFixed(m, 2));
  return lines;
}

std::vector<TFeederMark> FeederMarks(const TFeederState& state, double frequencyMHz) {
  std::vector<TFeederMark> marks;
  for (double m : state.fedlinm) marks.push_back({m, frequencyMHz});
  return marks;
}

double StepDipole(double lengthMetres, double stepMetres, TStepDirection direction) {
  return direction == TStepDirection::Increase ? lengthMetres + stepMetres
                                               : lengthMetres - stepMetres;
}

std::vector<TCurveCommand> BuildReferenceCurve() {
  std::vector<TCurveCommand> curve;
  curve.push_back({true, 0.25, 0.0});
  for (int i = 0; i <= 25; ++i) {
    const double d = i / 100.0;
    curve.push_back({false, d + 0.25, optimumFeeder(d)});
  }
  curve.push_back({true, 0.5, 0.0});
  for (int i = 50; i <= 150; ++i) {
    const double d = i / 100.0;
    curve.push_back({false, d, optimumFeeder(d)});
  }
  for (int i = 50; i <= 150; ++i) {
    const double d = i / 100.0;
    curve.push_back({false, d + 1.0, optimumFeeder(d)});
  }
  return curve;
}
