#include "app/FeederCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/FeederEngine.h"
#include "platform/Errors.h"

const std::array<TFeederLine, 7> FeederLines = {{
    {u"300", 0, FeederConstant300},
    {u"450/600", 0, FeederConstant450},
    {u"Window line 450 \u03A9, VF 0.91", 0.91, 0},
    {u"Twin lead 300 \u03A9, VF 0.80", 0.80, 0},
    {u"Open wire, home-made, VF 0.97", 0.97, 0},
    {u"TV ribbon 75 \u03A9, VF 0.82", 0.82, 0},
    {u"other", 0, 0},
}};

std::optional<double> FeederConstantOf(int line, double otherFactor) {
  const TFeederLine& l = FeederLines.at(size_t(line));
  if (l.constant != 0) return l.constant;
  if (line != OtherFeederLine) return FreeSpaceConstant * l.velocityFactor;
  // Written this way round so that NaN fails too.
  if (!(otherFactor >= MinVelocityFactor && otherFactor <= MaxVelocityFactor)) return std::nullopt;
  return FreeSpaceConstant * otherFactor;
}

double VelocityFactorOf(int line, double otherFactor) {
  const TFeederLine& l = FeederLines.at(size_t(line));
  if (l.constant != 0) return l.constant / FreeSpaceConstant;
  return line == OtherFeederLine ? otherFactor : l.velocityFactor;
}

namespace {

// Of the periodic points first + n * period (n whole, also below 0), the one
// nearest to x that is not negative: a feeder is never cut below zero.
double nearestNotNegative(double first, double period, double x) {
  const double n = std::floor((x - first) / period);
  const double lowest = std::ceil(-first / period);
  if (n < lowest) return first + lowest * period;
  const double below = first + n * period;
  const double above = first + (n + 1) * period;
  return x - below <= above - x ? below : above;
}

// Voltage maxima lie a quarter wavelength from each current maximum.
double firstVoltageMaximum(const TFeederState& state) {
  return state.fedlinm[0] + FeederWavelength(state) / 4;
}

}  // namespace

double FeederWavelength(const TFeederState& state) {
  // The same spacing of the maxima as the calculation's own list.
  return 2 * MetresPerFoot * (state.LLWL / 2.0 / state.freq);
}

std::vector<TAvoidZone> LengthsToAvoid(const TFeederState& state) {
  const double wavelength = FeederWavelength(state);
  const double halfWave = wavelength / 2;
  const double reach = wavelength * AvoidZoneFraction;
  const double lowest = nearestNotNegative(firstVoltageMaximum(state), halfWave, 0);
  // Half a spacing of slack beyond the last voltage maximum wanted, so that
  // rounding cannot drop it; one more than the eight maxima at most.
  const double last = state.fedlinm.back() + halfWave;
  std::vector<TAvoidZone> zones;
  for (size_t k = 0; k <= state.fedlinm.size(); ++k) {
    const double v = lowest + double(k) * halfWave;
    if (!(v < last)) break;
    zones.push_back({v, std::max(0.0, v - reach), v + reach});
  }
  return zones;
}

TFeederCheck CheckFeeder(double frequencyMHz, double dipoleFeet, double feederConstant,
                         double feederMetres) {
  TFeederState state;
  InitFeederState(state, frequencyMHz);
  state.LLWL = feederConstant;
  TFeederCheck check;
  const TCalcResult result = CalcSingle(state, frequencyMHz, dipoleFeet);
  check.done = result.done;
  check.message = result.message;
  if (!check.done) return check;
  check.wavelength = FeederWavelength(state);
  const double halfWave = check.wavelength / 2;
  check.nearestMaximum = nearestNotNegative(state.fedlinm[0], halfWave, feederMetres);
  check.change = check.nearestMaximum - feederMetres;
  check.voltageMaximum = nearestNotNegative(firstVoltageMaximum(state), halfWave, feederMetres);
  check.voltageDistance = std::abs(feederMetres - check.voltageMaximum);
  check.nearVoltageMaximum = check.voltageDistance <= check.wavelength * AvoidZoneFraction;
  return check;
}

std::vector<size_t> CheckedOrAllBands(const std::array<bool, 10>& checked) {
  const bool all = std::find(checked.begin(), checked.end(), true) == checked.end();
  std::vector<size_t> bands;
  for (size_t i = 0; i < checked.size(); ++i) {
    if (all || checked[i]) bands.push_back(i);
  }
  return bands;
}

std::u16string FeederCheckError(const TFeederCheckInputs& inputs) {
  if (!FeederConstantOf(inputs.line, inputs.otherFactor)) return u"The velocity factor must lie between 0.50 and 1.00.";
  if (!(inputs.feederMetres >= 0)) return u"The feeder length must not be negative.";
  return {};
}

TFeederCheck CheckBand(const TFeederCheckInputs& inputs, size_t band) {
  const double constant = FeederConstantOf(inputs.line, inputs.otherFactor).value();
  try {
    return CheckFeeder(BandPresets.at(band).frequency, inputs.dipoleFeet, constant, inputs.feederMetres);
  } catch (const EMathError& error) {
    TFeederCheck failed;
    failed.message = std::u16string(error.what(), error.what() + std::strlen(error.what()));
    return failed;
  }
}

double ShownChange(double change) { return std::abs(change) < 0.005 ? 0.0 : change; }

const char16_t* ChangeWord(double change) {
  if (ShownChange(change) == 0) return u"keep";
  return change > 0 ? u"add" : u"cut";
}

std::u16string FeetInchesText(double metres, char16_t separator) {
  // Rounded to tenths of an inch first, so 11.96 in becomes the next foot.
  // Doubles rather than integers: a typed length may be beyond any integer.
  const double tenths = std::round(std::abs(metres) / MetresPerFoot * 120);
  const double feet = std::floor(tenths / 120);
  const double inchTenths = tenths - feet * 120;
  return FormatFixed(feet, 0, separator) + u" ft " + FormatFixed(inchTenths / 10, 1, separator) + u" in";
}
