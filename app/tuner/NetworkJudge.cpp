#include "app/tuner/NetworkJudge.h"

#include <algorithm>
#include <cmath>

namespace {

// Level 0 has 64 cells per side of the square -1..1 of Re Γ and Im Γ, each
// further level twice as many. A load takes the coarsest level whose cells
// are no wider than kRimShare of its distance 1 - |Γ| from the rim: measured
// relative to the load's resistance (the chart's own measure), every cell
// then has about the same size. Closer to the rim than the finest level
// allows, the direct solve decides.
constexpr int kCells = 64;
constexpr int kLevels = 12;
constexpr double kStep = 2.0 / kCells;
constexpr double kRimShare = 1.0 / 8;
constexpr double kRig = 50;

double stepAt(int level) { return std::ldexp(kStep, -level); }

uint64_t keyOf(int level, int i, int j) {
  return uint64_t(level) << 56 | uint64_t(unsigned(i)) << 28 | uint64_t(unsigned(j));
}

// The coarsest level fine enough for a load at gamma, or kLevels.
int levelFor(std::complex<double> gamma) {
  const double room = kRimShare * (1 - std::abs(gamma));
  int level = 0;
  while (level < kLevels && stepAt(level) > room) ++level;
  return level;
}

}  // namespace

TNetworkJudge::TNetworkJudge(const TTunerNetwork& network, double frequencyMHz, double powerW)
    : FNetwork(network), FFrequencyMHz(frequencyMHz), FPowerW(powerW) {
  MatchNetwork(network, kRig, frequencyMHz, powerW);  // raises for bad arguments
}

bool TNetworkJudge::solve(std::complex<double> zLoad) {
  ++FDirectSolves;
  return TunerMatchesLoad(FNetwork, zLoad, FFrequencyMHz, FPowerW);
}

TNetworkJudge::TVerdict TNetworkJudge::nodeVerdict(int level, int i, int j) {
  TVerdict& v = FNodes[keyOf(level, i, j)];
  if (v != vUnknown) return v;
  const std::complex<double> gamma(-1 + i * stepAt(level), -1 + j * stepAt(level));
  // On and outside the unit circle the resistance is not above 0: no match.
  if (!(std::norm(gamma) < 1)) return v = vNo;
  const std::complex<double> z = kRig * (1.0 + gamma) / (1.0 - gamma);
  return v = solve(z * double(FNetwork.balun)) ? vYes : vNo;
}

// The cell's verdict when the 4 x 4 points of it and of the ring of cells
// around it agree: the edge of the matchable region then passes neither
// through it nor next to it.
TNetworkJudge::TVerdict TNetworkJudge::cellVerdict(int level, int i, int j) {
  const auto found = FCells.find(keyOf(level, i, j));
  if (found != FCells.end()) return found->second;
  const int last = kCells << level;
  const TVerdict first = nodeVerdict(level, i, j);
  TVerdict v = first;
  for (int b = std::max(j - 1, 0); b <= std::min(j + 2, last) && v != vMixed; ++b) {
    for (int a = std::max(i - 1, 0); a <= std::min(i + 2, last); ++a) {
      if (nodeVerdict(level, a, b) != first) {
        v = vMixed;
        break;
      }
    }
  }
  FCells.emplace(keyOf(level, i, j), v);
  return v;
}

bool TNetworkJudge::Matches(std::complex<double> zLoad) {
  const std::complex<double> z = zLoad / double(FNetwork.balun);
  if (!(z.real() > 0) || !std::isfinite(z.real()) || !std::isfinite(z.imag())) return false;
  const std::complex<double> gamma = (z - kRig) / (z + kRig);
  const int level = levelFor(gamma);
  if (level == kLevels) return solve(zLoad);
  const int last = (kCells << level) - 1;
  const int i = std::clamp(int((gamma.real() + 1) / stepAt(level)), 0, last);
  const int j = std::clamp(int((gamma.imag() + 1) / stepAt(level)), 0, last);
  const TVerdict v = cellVerdict(level, i, j);
  if (v == vMixed) return solve(zLoad);
  return v == vYes;
}
