#include "app/FeederCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "app/FeederEngine.h"
#include "app/LineChoice.h"
#include "platform/Errors.h"

static_assert(CustomFeederLine == FeederLineCount - 1 && CustomFeederLine == CustomLine + 1,
              "the entries are \"450/600\", the presets, then \"Custom\"");

std::u16string FeederLineName(int line) {
  if (line == ClassicFeederLine) return u"450/600";
  if (line == CustomFeederLine) return u"Custom";
  return LinePresets.at(size_t(PhysicalLineOf(line))).name;
}

int PhysicalLineOf(int entry) {
  if (entry < 0 || entry >= FeederLineCount) throw std::out_of_range("no such feeder line");
  return entry - 1;
}

std::optional<double> FeederConstantOf(int line, double customFactor) {
  if (line == ClassicFeederLine) return FeederConstant450;
  if (line != CustomFeederLine) return FreeSpaceConstant * VelocityFactorOf(line, customFactor);
  // Written this way round so that NaN fails too.
  if (!(customFactor >= MinVelocityFactor && customFactor <= MaxVelocityFactor))
    return std::nullopt;
  return FreeSpaceConstant * customFactor;
}

double VelocityFactorOf(int line, double customFactor) {
  if (line == ClassicFeederLine) return FeederConstant450 / FreeSpaceConstant;
  if (line == CustomFeederLine) return customFactor;
  return LinePresets.at(size_t(PhysicalLineOf(line))).line.velocityFactor;
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
  if (!check.done) {
    check.minimumFeet = state.length;
    return check;
  }
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
  if (!FeederConstantOf(inputs.line, inputs.customFactor))
    return u"The velocity factor must lie between 0.50 and 1.00.";
  if (!(inputs.feederMetres >= 0)) return u"The feeder length must not be negative.";
  return {};
}

TFeederCheck CheckBand(const TFeederCheckInputs& inputs, size_t band) {
  const double constant = FeederConstantOf(inputs.line, inputs.customFactor).value();
  try {
    return CheckFeeder(
        BandPresets.at(band).frequency, inputs.dipoleFeet, constant, inputs.feederMetres);
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
  return FormatFixed(feet, 0, separator) + u" ft " + FormatFixed(inchTenths / 10, 1, separator) +
         u" in";
}
