// The tuner at the end of the feeder, and whether it can match what it sees:
// an internal tuner by the SWR on 50 Ω, an external one by a |Z| window, or
// a real network with its components' ranges, losses and ratings.
#pragma once

#include <complex>

#include "app/tuner/TunerNetwork.h"

struct TTuner {
  enum TKind { Internal, External, Network };
  TTuner() = default;
  TTuner(TKind kind_, double maxSwr_, double minZ_, double maxZ_)
      : kind(kind_), maxSwr(maxSwr_), minZ(minZ_), maxZ(maxZ_) {}
  explicit TTuner(const TTunerNetwork& network_) : kind(Network), network(network_) {}

  TKind kind = Internal;
  double maxSwr = 3;  // internal: SWR <= maxSwr on 50 Ω
  double minZ = 10;   // external: minZ <= |Z| <= maxZ, ohm
  double maxZ = 1500;
  TTunerNetwork network;  // Network
  bool operator==(const TTuner&) const = default;
};

// The internal tuner's reference impedance.
constexpr double TunerReference = 50;

// Raises std::invalid_argument unless maxSwr >= 1, or 0 < minZ < maxZ (finite),
// or the network passes CheckNetwork, as the kind asks.
void CheckTuner(const TTuner& tuner);

// How comfortably the internal or external tuner matches z, as the natural
// logarithm of a ratio: ln(S / SWR) for the internal tuner, ln of the nearer
// of |Z| / Zmin and Zmax / |Z| for the external one. >= 0: it can match;
// -infinity for no finite z. exp(margin) is the factor by which the SWR or
// |Z| could still grow (or |Z| shrink) before the tuner gives up. Raises
// std::invalid_argument for a network, which has no such margin.
double TunerMargin(const TTuner& tuner, std::complex<double> z);
bool CanMatch(const TTuner& tuner, std::complex<double> z);

// The tuner's verdict on z at its terminals, and a score to rank by, larger
// being better: TunerMargin for the internal and external tuner (matches: >=
// 0); for a network minus the total loss from the rig in dB (network and
// line, the line's efficiency given), matches as TunerMatches says, and
// -infinity when it does not.
struct TPointVerdict {
  bool matches = false;
  double score = 0;
};
TPointVerdict JudgePoint(const TTuner& tuner, std::complex<double> z, double frequencyMHz,
                         double powerW, double lineEfficiency);
