// The tuner network's verdict for very many loads at one frequency, as the
// feeder finder needs it (every centimetre of feeder at every frequency): a
// table over the reflection coefficient of the load on 50 Ω, filled as loads
// arrive, gives the verdict wherever the whole neighbourhood of a load agrees,
// and the direct solve decides near the edges of the matchable region. Its
// cells shrink toward the rim of the chart, where equal changes of the load
// relative to its resistance come ever closer together.
#pragma once

#include <complex>
#include <cstdint>
#include <unordered_map>

#include "app/tuner/TunerNetwork.h"

class TNetworkJudge {
 public:
  // Raises std::invalid_argument as MatchNetwork does.
  TNetworkJudge(const TTunerNetwork& network, double frequencyMHz, double powerW);

  // TunerMatches(network, MatchNetwork(network, zLoad, frequency, power)).
  // Not const: it fills the table (at most five entries per load judged);
  // one judge serves one thread.
  bool Matches(std::complex<double> zLoad);

  // How many loads were solved directly so far (table points and loads near
  // an edge): for the benchmarks and the tests.
  long DirectSolves() const { return FDirectSolves; }

 private:
  enum TVerdict : int8_t { vUnknown, vNo, vYes, vMixed };

  TVerdict nodeVerdict(int level, int i, int j);
  TVerdict cellVerdict(int level, int i, int j);
  bool solve(std::complex<double> zLoad);

  TTunerNetwork FNetwork;
  double FFrequencyMHz;
  double FPowerW;
  long FDirectSolves = 0;
  // Keyed by level and position: the points of each level's grid, and its
  // cells, decided only when all points around them agree.
  std::unordered_map<uint64_t, TVerdict> FNodes;
  std::unordered_map<uint64_t, TVerdict> FCells;
};
