// The tuner at the end of the feeder, and whether it can match what it sees.
#pragma once

#include <complex>

struct TTuner {
  enum TKind { Internal, External };
  TKind kind = Internal;
  double maxSwr = 3;  // internal: SWR <= maxSwr on 50 Ω
  double minZ = 10;   // external: minZ <= |Z| <= maxZ, ohm
  double maxZ = 1500;
  bool operator==(const TTuner&) const = default;
};

// The internal tuner's reference impedance.
constexpr double TunerReference = 50;

// Raises std::invalid_argument unless maxSwr >= 1, or 0 < minZ < maxZ (finite).
void CheckTuner(const TTuner& tuner);

// How comfortably the tuner matches z, as the natural logarithm of a ratio:
// ln(S / SWR) for the internal tuner, ln of the nearer of |Z| / Zmin and
// Zmax / |Z| for the external one. >= 0: it can match; -infinity for no
// finite z. exp(margin) is the factor by which the SWR or |Z| could still
// grow (or |Z| shrink) before the tuner gives up.
double TunerMargin(const TTuner& tuner, std::complex<double> z);
bool CanMatch(const TTuner& tuner, std::complex<double> z);
