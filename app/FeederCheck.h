// The feeder check: for a feeder the user already has, the nearest current
// maximum at a band, how much to add or cut to reach it, and whether its
// length lies close to a voltage maximum (high impedance at the tuner).
// Plain functions over plain values, on top of the feeder calculation.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

struct TFeederState;

// Feet x MHz of one wavelength in free space; a line's feeder constant is
// this times its velocity factor.
constexpr double FreeSpaceConstant = 983.57;
constexpr double MinVelocityFactor = 0.50;
constexpr double MaxVelocityFactor = 1.00;

// The page's line entries: "450/600" (the first page's constant), the
// physical line presets, and "Custom" (the user's own line, of which only
// the velocity factor matters here).
constexpr int ClassicFeederLine = 0;
constexpr int CustomFeederLine = 4;
constexpr int FeederLineCount = 5;
std::u16string FeederLineName(int line);
// The physical line (an index into LinePresets, or CustomLine) of an entry,
// -1 for "450/600"; and the entry of a physical line.
int PhysicalLineOf(int entry);
constexpr int FeederLineOf(int physicalLine) { return physicalLine + 1; }
// The entry the page starts with: the first physical line (window line), as
// the Tuner page starts, so that both pages check one line.
constexpr int DefaultFeederLine = FeederLineOf(0);

// The feeder constant of an entry; for "Custom" from customFactor, empty
// when that lies outside MinVelocityFactor..MaxVelocityFactor.
std::optional<double> FeederConstantOf(int line, double customFactor);
// The velocity factor an entry shows: the line's own, or that of the constant.
double VelocityFactorOf(int line, double customFactor);

struct TFeederCheck {
  bool done = false;
  std::u16string message;           // the calculator's message when not done
  double minimumFeet = 0;           // when too short: the dipole length it needs, else 0
  double wavelength = 0;            // metres of one wavelength on the feeder
  double nearestMaximum = 0;        // the nearest current maximum, metres, >= 0
  double change = 0;                // nearestMaximum - feeder: > 0 add, < 0 cut
  double voltageMaximum = 0;        // the nearest voltage maximum, metres, >= 0
  double voltageDistance = 0;       // |feeder - voltageMaximum|
  bool nearVoltageMaximum = false;  // within 1/16 wavelength of it
};

// Checks a feeder of feederMetres at a frequency and dipole length, with a
// feeder constant in feet x MHz. Raises what the calculation raises.
TFeederCheck CheckFeeder(double frequencyMHz, double dipoleFeet, double feederConstant,
                         double feederMetres);

// What the check of a feeder is computed from: the first page's dipole and
// checked bands, and the user's feeder, its line and its length.
struct TFeederCheckInputs {
  double dipoleFeet = 85.30;
  std::array<bool, 10> checked{};
  int line = DefaultFeederLine;  // the page's line entry
  double customFactor = 0.90;    // the velocity factor of "Custom"
  double feederMetres = 20;
};

// The bands checked (indices into BandPresets), or all ten when none is.
std::vector<size_t> CheckedOrAllBands(const std::array<bool, 10>& checked);
// Why the inputs cannot be checked (a velocity factor out of range, a
// negative length); empty when they can.
std::u16string FeederCheckError(const TFeederCheckInputs& inputs);
// The check at one band (an index into BandPresets) of inputs that can be
// checked; a failing calculation gives its error as the message.
TFeederCheck CheckBand(const TFeederCheckInputs& inputs, size_t band);

// A feeder within this fraction of a feeder wavelength of a voltage maximum
// is high impedance at the tuner: a length to avoid.
constexpr double AvoidZoneFraction = 1.0 / 16;

// Metres of one wavelength on the feeder of a done calculation.
double FeederWavelength(const TFeederState& state);

// The lengths to avoid around one voltage maximum, metres.
struct TAvoidZone {
  double voltageMaximum;
  double from;  // never below 0: a feeder is not cut below nothing
  double to;
};
// The zones of a done calculation, in ascending order: around every voltage
// maximum from the feeder's start up to the one beyond the last of the eight
// current maxima.
std::vector<TAvoidZone> LengthsToAvoid(const TFeederState& state);

// The change a row shows: none when it rounds to 0.00 m, so that its feet
// and inches agree with the word "keep".
double ShownChange(double change);
// "add", "cut", or "keep" when the change rounds to 0.00 m.
const char16_t* ChangeWord(double change);
// Metres as whole feet and inches with one decimal, such as "21 ft 9.6 in".
std::u16string FeetInchesText(double metres, char16_t separator = u'.');
