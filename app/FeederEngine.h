// The feeder calculation: where the current maxima lie along the open-wire
// feeder of a dipole, the band presets, the dipole stepping and the fixed
// reference curve of the matching section. Plain functions over plain values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PlatformTypes.h"

// One foot in metres.
constexpr double MetresPerFoot = 0.3048;

struct TFeederState {
  double length = 0;                 // minimum dipole length in feet: 375 / freq
  double freq = 0;                   // MHz of the last calculation
  double LLWL = 0;                   // feet x MHz of one wavelength on the feeder
  double dipWl = 0;                  // dipole length in units of 936 / freq feet
  double fedlinwl = 0;               // first current maximum, in feeder wavelengths
  std::array<double, 8> fedlinft{};  // the eight maxima in feet
  std::array<double, 8> fedlinm{};   // and in metres
};

struct TBandPreset {
  double frequency;  // MHz
  const char16_t* header;
};

// The ten amateur bands of the batch, in the order of the band check list.
extern const std::array<TBandPreset, 10> BandPresets;

// Feeder choice index -> feeder constant: 0 300 ohm, 1 450 ohm, 2 600 ohm.
constexpr double FeederConstant300 = 787.0;
constexpr double FeederConstant450 = 886.0;

void InitFeederState(TFeederState& state, double initialFreq);
// Any index other than 0, 1, 2 (no choice) leaves the constant alone.
void SelectFeederConstant(TFeederState& state, int index);
void Calculate(TFeederState& state);

struct TCalcResult {
  bool done;
  std::u16string message;  // the too-short message when not done
};
// Raises EZeroDivide for a frequency of 0 or an infinite one, and EOverflow
// when the dipole length in wavelengths overflows, after zeroing the arrays.
TCalcResult CalcSingle(TFeederState& state, double frequencyMHz, double dipoleFeet);

// The eight list lines: metres with two decimals and the locale's separator.
std::vector<std::u16string> FeederListLines(const TFeederState& state);

constexpr TColor FeederMarkColor = clYellow;
constexpr uint8_t FeederMarkKind = 24;  // a filled circle 7 pixels across
struct TFeederMark {
  double x;  // feeder length, metres
  double y;  // frequency, MHz
};
std::vector<TFeederMark> FeederMarks(const TFeederState& state, double frequencyMHz);

enum class TStepDirection { Increase, Decrease };
double StepDipole(double lengthMetres, double stepMetres, TStepDirection direction);

// The reference curve "Optimum length for the matching section" as chart
// commands, in drawing order.
struct TCurveCommand {
  bool moveTo;  // false: DrawTo
  double x;
  double y;
};
std::vector<TCurveCommand> BuildReferenceCurve();

// Fixed-point text with the locale's decimal separator, or with the one given.
std::u16string FormatFixed(double value, int decimals);
std::u16string FormatFixed(double value, int decimals, char16_t separator);

// The too-short message for a minimum dipole length in feet.
std::u16string TooShortMessage(double minimumFeet, char16_t separator);
