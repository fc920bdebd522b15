// The amateur bands of IARU Region 1 and Region 2, in the order of the band
// check list (1.8 to 28.5 MHz).
#pragma once

#include <array>
#include <string>
#include <vector>

enum class TRegion { Region1, Region2 };

struct TBand {
  double lowMHz;
  double highMHz;
  double CentreMHz() const { return (lowMHz + highMHz) / 2; }
};

constexpr size_t BandCount = 10;
const std::array<TBand, BandCount>& BandPlan(TRegion region);

// "3.5-3.8 MHz"
std::string BandText(const TBand& band);

// A frequency to compute and the band it stands for (-1: none).
struct TBandFrequency {
  double frequencyMHz;
  int band;
};
// The centres of the bands given (indices into the plan), or frequencyMHz
// alone when none are given.
std::vector<TBandFrequency> BandCentres(TRegion region, const std::vector<int>& bands,
                                        double frequencyMHz);
// Each band's lower edge, centre and upper edge, or frequencyMHz alone.
std::vector<TBandFrequency> BandEdgesAndCentres(TRegion region, const std::vector<int>& bands,
                                                double frequencyMHz);
