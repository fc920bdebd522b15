#include "app/tuner/NetworkJudge.h"

#include <algorithm>
#include <cmath>

namespace {

// Level 0 has 32 cells per side of the square -1..1 of Re Γ and Im Γ, each
// further level twice as many. A load takes the coarsest level whose cells
// are no wider than kRimShare of its distance 1 - |Γ| from the rim: measured
// relative to the load's resistance (the chart's own measure), every cell
// then has about the same size. Closer to the rim than the finest level
// allows, the direct solve decides. The T and the Pi judged this way with
// half as many cells, and cells half the share of the rim distance, agreed
// with the direct solve on 300,000 random loads; the L network's matchable
// region has narrow gaps near 50 Ω (where its parts would have to leave
// their ranges), and its direct solve is cheap: it is always solved.
constexpr int kCells = 32;
constexpr int kLevels = 13;
constexpr double kStep = 2.0 / kCells;
constexpr double kRimShare = 1.0 / 4;
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

// The cell's verdict when its four corners agree: the edges of the T's and
// the Pi's matchable regions run smoothly at the scale of the cells.
TNetworkJudge::TVerdict TNetworkJudge::cellVerdict(int level, int i, int j) {
  const auto found = FCells.find(keyOf(level, i, j));
  if (found != FCells.end()) return found->second;
  const int last = kCells << level;
  const TVerdict first = nodeVerdict(level, i, j);
  TVerdict v = first;
  for (int b = j; b <= std::min(j + 1, last) && v != vMixed; ++b) {
    for (int a = i; a <= std::min(i + 1, last); ++a) {
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
  if (FNetwork.kind == TNetworkKind::LNetwork) return solve(zLoad);
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
