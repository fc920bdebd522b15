#include "app/tuner/NetworkJudge.h"

#include <algorithm>
#include <cmath>

namespace {

// Cells per side of the square -1..1 of Re Γ and Im Γ. A cell is decided
// from the table only when the 4 x 4 points of it and the ring of cells
// around it agree: the edge of the matchable region, which the network's
// smooth dependence on the load keeps wider than a cell, then passes neither
// through it nor next to it.
constexpr int kCells = 64;
constexpr int kPoints = kCells + 1;
constexpr double kStep = 2.0 / kCells;
constexpr double kRig = 50;

}  // namespace

TNetworkJudge::TNetworkJudge(const TTunerNetwork& network, double frequencyMHz, double powerW)
    : FNetwork(network),
      FFrequencyMHz(frequencyMHz),
      FPowerW(powerW),
      FNodes(size_t(kPoints) * kPoints, vUnknown),
      FCells(size_t(kCells) * kCells, vUnknown) {
  MatchNetwork(network, kRig, frequencyMHz, powerW);  // raises for bad arguments
}

bool TNetworkJudge::solve(std::complex<double> zLoad) {
  ++FDirectSolves;
  return TunerMatchesLoad(FNetwork, zLoad, FFrequencyMHz, FPowerW);
}

TNetworkJudge::TVerdict TNetworkJudge::nodeVerdict(int i, int j) {
  TVerdict& v = FNodes[size_t(j) * kPoints + size_t(i)];
  if (v != vUnknown) return v;
  const std::complex<double> gamma(-1 + i * kStep, -1 + j * kStep);
  // Outside the unit circle the resistance is negative: no match.
  if (!(std::norm(gamma) < 1)) return v = vNo;
  const std::complex<double> z = kRig * (1.0 + gamma) / (1.0 - gamma);
  return v = solve(z * double(FNetwork.balun)) ? vYes : vNo;
}

TNetworkJudge::TVerdict TNetworkJudge::cellVerdict(int i, int j) {
  TVerdict& v = FCells[size_t(j) * kCells + size_t(i)];
  if (v != vUnknown) return v;
  const TVerdict first = nodeVerdict(i, j);
  for (int b = std::max(j - 1, 0); b <= std::min(j + 2, kCells); ++b) {
    for (int a = std::max(i - 1, 0); a <= std::min(i + 2, kCells); ++a) {
      if (nodeVerdict(a, b) != first) return v = vMixed;
    }
  }
  return v = first;
}

bool TNetworkJudge::Matches(std::complex<double> zLoad) {
  const std::complex<double> z = zLoad / double(FNetwork.balun);
  if (!(z.real() > 0) || !std::isfinite(z.real()) || !std::isfinite(z.imag())) return false;
  const std::complex<double> gamma = (z - kRig) / (z + kRig);
  const int i = std::clamp(int((gamma.real() + 1) / kStep), 0, kCells - 1);
  const int j = std::clamp(int((gamma.imag() + 1) / kStep), 0, kCells - 1);
  const TVerdict v = cellVerdict(i, j);
  if (v == vMixed) return solve(zLoad);
  return v == vYes;
}
