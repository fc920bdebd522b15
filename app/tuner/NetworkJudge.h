// The tuner network's verdict for very many loads at one frequency, as the
// feeder finder needs it (every centimetre of feeder at every frequency): a
// table over the reflection coefficient of the load on 50 Ω, filled as loads
// arrive, gives the verdict wherever the whole neighbourhood of a load agrees,
// and the direct solve decides near the edges of the matchable region.
#pragma once

#include <complex>
#include <cstdint>
#include <vector>

#include "app/tuner/TunerNetwork.h"

class TNetworkJudge {
 public:
  // Raises std::invalid_argument as MatchNetwork does.
  TNetworkJudge(const TTunerNetwork& network, double frequencyMHz, double powerW);

  // TunerMatches(network, MatchNetwork(network, zLoad, frequency, power)).
  // Not const: it fills the table; one judge serves one thread.
  bool Matches(std::complex<double> zLoad);

  // How many loads were solved directly so far (table points and loads near
  // an edge): for the benchmarks and the tests.
  long DirectSolves() const { return FDirectSolves; }

 private:
  enum TVerdict : int8_t { vUnknown, vNo, vYes, vMixed };

  TVerdict nodeVerdict(int i, int j);
  TVerdict cellVerdict(int i, int j);
  bool solve(std::complex<double> zLoad);

  TTunerNetwork FNetwork;
  double FFrequencyMHz;
  double FPowerW;
  long FDirectSolves = 0;
  std::vector<TVerdict> FNodes;  // (cells + 1)^2 points of the Γ plane
  std::vector<TVerdict> FCells;  // cells^2, decided only when all agree
};
