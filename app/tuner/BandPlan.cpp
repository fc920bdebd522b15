#include "app/tuner/BandPlan.h"

#include <cmath>

#include "app/tuner/NumberText.h"

namespace {

constexpr std::array<TBand, BandCount> kRegion1 = {{
    {1.81, 2.0},
    {3.5, 3.8},
    {5.3515, 5.3665},
    {7.0, 7.2},
    {10.1, 10.15},
    {14.0, 14.35},
    {18.068, 18.168},
    {21.0, 21.45},
    {24.89, 24.99},
    {28.0, 29.7},
}};

// 60 m: the five channels, from the lowest's dial frequency to the top of the
// highest, judged across all of it.
constexpr std::array<TBand, BandCount> kRegion2 = {{
    {1.8, 2.0},
    {3.5, 4.0},
    {5.3305, 5.4065},
    {7.0, 7.3},
    {10.1, 10.15},
    {14.0, 14.35},
    {18.068, 18.168},
    {21.0, 21.45},
    {24.89, 24.99},
    {28.0, 29.7},
}};

constexpr std::array<TBand, BandCount> kRegion3 = {{
    {1.8, 2.0},
    {3.5, 3.9},
    {5.3515, 5.3665},
    {7.0, 7.2},
    {10.1, 10.15},
    {14.0, 14.35},
    {18.068, 18.168},
    {21.0, 21.45},
    {24.89, 24.99},
    {28.0, 29.7},
}};

}  // namespace

const std::array<TBand, BandCount>& BandPlan(TRegion region) {
  switch (region) {
    case TRegion::Region2:
      return kRegion2;
    case TRegion::Region3:
      return kRegion3;
    case TRegion::Region1:
      break;
  }
  return kRegion1;
}

std::string BandText(const TBand& band) {
  return TrimmedText(band.lowMHz, 4) + "-" + TrimmedText(band.highMHz, 4) + " MHz";
}

std::vector<double> BandSweepPoints(const TBand& band) {
  const double width = band.highMHz - band.lowMHz;
  // The steps of BandSweepStepMHz that span the band, rounded up to a
  // multiple of four; a hair's tolerance keeps 0.3 / 0.025 at 12 steps.
  const int needed = int(std::ceil(width / BandSweepStepMHz - 1e-9));
  const int steps = 4 * ((std::max(needed, BandSweepMinPoints - 1) + 3) / 4);
  std::vector<double> points;
  for (int i = 0; i <= steps; ++i) points.push_back(band.lowMHz + width * i / steps);
  points.back() = band.highMHz;
  return points;
}
