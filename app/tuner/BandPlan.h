// The amateur bands of IARU Regions 1, 2 and 3, in the order of the band
// check list (1.8 to 28.5 MHz), and the frequencies at which a band is judged.
#pragma once

#include <array>
#include <string>
#include <vector>

enum class TRegion { Region1, Region2, Region3 };

struct TBand {
  double lowMHz;
  double highMHz;
  double CentreMHz() const { return (lowMHz + highMHz) / 2; }
};

constexpr size_t BandCount = 10;
const std::array<TBand, BandCount>& BandPlan(TRegion region);

// "3.5-3.8 MHz"
std::string BandText(const TBand& band);

// A band is judged at points no more than this far apart, and at least
// BandSweepMinPoints of them, its edges included.
constexpr double BandSweepStepMHz = 0.025;
constexpr int BandSweepMinPoints = 21;
// The points at which a band is judged, evenly spaced from its lower edge to
// its upper edge. Their count less one is a multiple of four, so that the
// quarter points are among them.
std::vector<double> BandSweepPoints(const TBand& band);
