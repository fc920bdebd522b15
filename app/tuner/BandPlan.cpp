#include "app/tuner/BandPlan.h"

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

constexpr std::array<TBand, BandCount> kRegion2 = {{
    {1.81, 2.0},
    {3.5, 4.0},
    {5.3515, 5.3665},
    {7.0, 7.3},
    {10.1, 10.15},
    {14.0, 14.35},
    {18.068, 18.168},
    {21.0, 21.45},
    {24.89, 24.99},
    {28.0, 29.7},
}};

}  // namespace

const std::array<TBand, BandCount>& BandPlan(TRegion region) {
  return region == TRegion::Region2 ? kRegion2 : kRegion1;
}

std::string BandText(const TBand& band) {
  return TrimmedText(band.lowMHz, 4) + "-" + TrimmedText(band.highMHz, 4) + " MHz";
}

std::vector<TBandFrequency> BandCentres(TRegion region, const std::vector<int>& bands,
                                        double frequencyMHz) {
  if (bands.empty()) return {{frequencyMHz, -1}};
  std::vector<TBandFrequency> frequencies;
  for (int b : bands) frequencies.push_back({BandPlan(region).at(size_t(b)).CentreMHz(), b});
  return frequencies;
}

std::vector<TBandFrequency> BandEdgesAndCentres(TRegion region, const std::vector<int>& bands,
                                                double frequencyMHz) {
  if (bands.empty()) return {{frequencyMHz, -1}};
  std::vector<TBandFrequency> frequencies;
  for (int b : bands) {
    const TBand& band = BandPlan(region).at(size_t(b));
    for (double f : {band.lowMHz, band.CentreMHz(), band.highMHz}) frequencies.push_back({f, b});
  }
  return frequencies;
}
