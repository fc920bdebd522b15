// The feeder as a physical two-wire line: its characteristic impedance,
// velocity factor and conductor diameter give its loss (copper conductors,
// skin effect with the proximity of the other wire; dielectric loss is
// neglected), and exact line theory carries the antenna's feed point to the
// tuner. A plain value type that every page holding a line can share.
#pragma once

#include <array>
#include <complex>
#include <optional>

// A loss measured on a matched line, in dB per 100 m at a frequency; other
// frequencies scale it with the square root of the frequency (skin effect).
struct TMeasuredLoss {
  double dbPer100m = 0;
  double frequencyMHz = 0;
  bool operator==(const TMeasuredLoss&) const = default;
};

struct TTransmissionLine {
  double z0 = 400;  // ohm
  double velocityFactor = 0.91;
  double conductorDiameterM = 1.024e-3;
  std::optional<TMeasuredLoss> measuredLoss;  // replaces the conductor loss when given
  bool operator==(const TTransmissionLine&) const = default;
};

struct TLinePreset {
  const char16_t* name;  // the page's text
  const char* word;      // the command line's
  TTransmissionLine line;
};
// Window line, open wire, twin lead. The page adds "Custom".
extern const std::array<TLinePreset, 3> LinePresets;

// Raises std::invalid_argument unless Z0 > 0, 0 < VF <= 1, d > 0 and a
// measured loss, when given, is >= 0 at a frequency > 0 (all finite).
void CheckLine(const TTransmissionLine& line);

double LineWavelength(const TTransmissionLine& line, double frequencyMHz);     // m
double PhaseConstant(const TTransmissionLine& line, double frequencyMHz);      // β, rad/m
double MatchedLossNepers(const TTransmissionLine& line, double frequencyMHz);  // α, Np/m
double MatchedLossDbPer100m(const TTransmissionLine& line, double frequencyMHz);

// What the tuner sees through lengthM of line with zLoad at its far end.
struct TLineEnds {
  std::complex<double> tunerImpedance;  // Z_in
  std::complex<double> reflection;      // Γ_L at the antenna, against Z0
  double swr = 1;                       // on the line at the antenna
  double matchedLossDb = 0;             // of this length, matched
  double totalLossDb = 0;               // 10 lg(P_in / P_L)
  double efficiency = 1;                // P_L / P_in
  double peakVoltage = 0;               // at the tuner terminals for the power given
};
TLineEnds ThroughTheLine(const TTransmissionLine& line, std::complex<double> zLoad,
                         double frequencyMHz, double lengthM, double powerW);

// Γ = (z - z0) / (z + z0) and the SWR it gives (infinite for |Γ| >= 1).
std::complex<double> ReflectionOf(std::complex<double> z, double z0);
double SwrOf(std::complex<double> reflection);

// The first feeder length from the antenna end at which |I| is largest, in
// [0, λ_line / 2); the others follow every λ_line / 2. 0 for a load that is
// real and below Z0 (and for a matched line, where |I| is flat).
double FirstCurrentMaximum(std::complex<double> reflection, double lineWavelength);
// How far apart two current maxima of one line are: the distance between the
// two rows of maxima that repeat every half wave, 0 to λ_line / 4.
double MaximaApart(double a, double b, double lineWavelength);
