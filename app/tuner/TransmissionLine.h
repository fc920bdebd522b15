// The feeder as a physical two-wire line. Per metre it has a series
// resistance R (its copper conductors: skin effect with the proximity of the
// other wire, or a measured matched loss), the inductance L = Z0 / (VF c), the
// capacitance C = 1 / (Z0 VF c) and a shunt conductance G (a dielectric, where
// one is given; otherwise 0). Exact line theory with the complex
// characteristic impedance Zc = sqrt((R + jωL) / (G + jωC)) and the
// propagation constant γ = sqrt((R + jωL)(G + jωC)) carries the antenna's feed
// point to the tuner. A plain value type that every page holding a line can
// share.
#pragma once

#include <array>
#include <complex>
#include <optional>

// A loss measured on a matched line, in dB per 100 m at a frequency.
struct TMeasuredLoss {
  double dbPer100m = 0;
  double frequencyMHz = 0;
  bool operator==(const TMeasuredLoss&) const = default;
};

struct TTransmissionLine {
  TTransmissionLine() = default;
  TTransmissionLine(double z0_, double velocityFactor_, double conductorDiameterM_,
                    std::optional<TMeasuredLoss> measuredLoss_ = std::nullopt,
                    double lossTangent_ = 0,
                    std::optional<TMeasuredLoss> secondMeasuredLoss_ = std::nullopt)
      : z0(z0_),
        velocityFactor(velocityFactor_),
        conductorDiameterM(conductorDiameterM_),
        measuredLoss(measuredLoss_),
        lossTangent(lossTangent_),
        secondMeasuredLoss(secondMeasuredLoss_) {}

  double z0 = 400;  // ohm, nominal (real): sqrt(L / C)
  double velocityFactor = 0.91;
  double conductorDiameterM = 1.024e-3;
  // Replaces the conductors' loss when given. One frequency: all of it is
  // conductor loss, growing with the root of the frequency; with a second
  // frequency it is split into a conductor part growing with sqrt(f) and a
  // dielectric part growing with f.
  std::optional<TMeasuredLoss> measuredLoss;
  double lossTangent = 0;  // the dielectric's, G = ωC tan δ; copper lines only
  std::optional<TMeasuredLoss> secondMeasuredLoss;
  bool operator==(const TTransmissionLine&) const = default;
};

struct TLinePreset {
  const char16_t* name;  // the page's text
  const char* word;      // the command line's
  TTransmissionLine line;
};
// Window line, open wire, twin lead: copper, their dielectric's loss neglected.
// The page adds "Custom".
extern const std::array<TLinePreset, 3> LinePresets;

// The wires of a line lie this many of their diameters apart (centre to
// centre) at the least: closer, the line is no longer two thin wires.
constexpr double MinWireSpacingDiameters = 2;

// Raises std::invalid_argument unless Z0 > 0, 0 < VF <= 1, d > 0, 0 <= tan δ
// < 1 (all finite), the wires lie at least MinWireSpacingDiameters apart (for
// a copper line), and measured losses, when given, are >= 0 at frequencies
// > 0, two of them at different frequencies and such that neither the
// conductor part nor the dielectric part comes out negative.
void CheckLine(const TTransmissionLine& line);

// Centre-to-centre spacing of the wires in diameters: cosh(Z0 / (120 Ω VF)).
double WireSpacingDiameters(const TTransmissionLine& line);

// Per metre at a frequency: ohm, henry, siemens, farad.
struct TLineConstants {
  double r = 0;
  double l = 0;
  double g = 0;
  double c = 0;
};
TLineConstants LineConstants(const TTransmissionLine& line, double frequencyMHz);

// The line at one frequency.
struct TLineWave {
  std::complex<double> zc;     // characteristic impedance, ohm
  std::complex<double> gamma;  // α + jβ, Np/m and rad/m
};
TLineWave LineWave(const TTransmissionLine& line, double frequencyMHz);

double LineWavelength(const TTransmissionLine& line, double frequencyMHz);     // 2π / β, m
double PhaseConstant(const TTransmissionLine& line, double frequencyMHz);      // β, rad/m
double MatchedLossNepers(const TTransmissionLine& line, double frequencyMHz);  // α, Np/m
double MatchedLossDbPer100m(const TTransmissionLine& line, double frequencyMHz);

// What the tuner sees through lengthM of line with zLoad at its far end.
struct TLineEnds {
  std::complex<double> tunerImpedance;  // Z_in
  // Γ_L at the antenna against the nominal Z0: what a meter of that
  // impedance at the antenna reads, and the SWR it gives.
  std::complex<double> reflection;
  double swr = 1;
  double matchedLossDb = 0;  // of this length, terminated in Zc: α l
  double totalLossDb = 0;    // 10 lg(P_in / P_L)
  double efficiency = 1;     // P_L / P_in
  double peakVoltage = 0;    // at the tuner terminals for the power given
};
TLineEnds ThroughTheLine(const TTransmissionLine& line, std::complex<double> zLoad,
                         double frequencyMHz, double lengthM, double powerW);

// The line taken back off: the feed point at the far end of lengthM of line
// whose tuner end shows zTuner, Z_L = Zc (Z_in - Zc t) / (Zc - Z_in t) with
// t = tanh(γl); ThroughTheLine's tuner impedance undone.
std::complex<double> FeedPointOf(const TTransmissionLine& line, std::complex<double> zTuner,
                                 double frequencyMHz, double lengthM);

// Γ = (z - z0) / (z + z0) and the SWR it gives (infinite for |Γ| >= 1).
std::complex<double> ReflectionOf(std::complex<double> z, std::complex<double> z0);
double SwrOf(std::complex<double> reflection);

// The first feeder length from the antenna end at which |I| has a maximum,
// the maxima of |I(d)| on the exact line: 0 when the current falls from the
// antenna on (the feed point is itself a current maximum, as for a real load
// below Z0 on a lossless line), none when it only grows towards the tuner (a
// line matched well enough that its loss outweighs the standing wave).
std::optional<double> FirstCurrentMaximum(const TLineWave& wave, std::complex<double> zLoad);
// How far apart two current maxima of one line are: the distance between the
// two rows of maxima that repeat every half wave, 0 to λ_line / 4.
double MaximaApart(double a, double b, double lineWavelength);
