#include "app/tuner/Tuner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

void CheckTuner(const TTuner& tuner) {
  switch (tuner.kind) {
    case TTuner::Internal:
      if (!(tuner.maxSwr >= 1) || !std::isfinite(tuner.maxSwr))
        throw std::invalid_argument("An internal tuner needs a largest SWR of at least 1");
      return;
    case TTuner::External:
      if (!(tuner.minZ > 0 && tuner.minZ < tuner.maxZ) || !std::isfinite(tuner.maxZ))
        throw std::invalid_argument("An external tuner needs 0 < Zmin < Zmax");
      return;
    case TTuner::Network:
      CheckNetwork(tuner.network);
      return;
  }
  throw std::invalid_argument("A tuner needs a kind");
}

double TunerMargin(const TTuner& tuner, std::complex<double> z) {
  if (tuner.kind == TTuner::Network)
    throw std::invalid_argument("A tuner network is judged by its setting, not by a margin");
  if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
    return -std::numeric_limits<double>::infinity();
  if (tuner.kind == TTuner::External) {
    const double logZ = std::log(std::abs(z));
    return std::min(logZ - std::log(tuner.minZ), std::log(tuner.maxZ) - logZ);
  }
  const double g = std::abs((z - TunerReference) / (z + TunerReference));
  if (!(g < 1)) return -std::numeric_limits<double>::infinity();
  return std::log(tuner.maxSwr) - std::log((1 + g) / (1 - g));
}

bool CanMatch(const TTuner& tuner, std::complex<double> z) { return TunerMargin(tuner, z) >= 0; }

TPointVerdict JudgePoint(const TTuner& tuner, std::complex<double> z, double frequencyMHz,
                         double powerW, double lineEfficiency) {
  if (tuner.kind != TTuner::Network) {
    const double margin = TunerMargin(tuner, z);
    return {margin >= 0, margin};
  }
  const TNetworkMatch match = MatchNetwork(tuner.network, z, frequencyMHz, powerW);
  if (!TunerMatches(tuner.network, match) || !(lineEfficiency > 0))
    return {false, -std::numeric_limits<double>::infinity()};
  // A lossless line's efficiency may come out a rounding error above 1.
  return {true, -TotalLossDb(match, std::min(lineEfficiency, 1.0))};
}
