// Where the antenna's feed point comes from: the antenna model by nec2c (the
// band sweep of FeedPointSweep), a fixed impedance at every frequency, or an
// analyzer's measurement (a Touchstone file) taken at the feed point or at the
// tuner end of this feeder, whence the exact line is taken back off.
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "app/tuner/BandPlan.h"
#include "app/tuner/FeedPointSweep.h"
#include "app/tuner/FeederFinder.h"
#include "app/tuner/Touchstone.h"
#include "app/tuner/TransmissionLine.h"

struct TFeedSource {
  enum TKind { Model, Fixed, Measured };
  TKind kind = Model;
  std::complex<double> fixed{50, 0};   // Fixed: at the feed point
  std::string fileName;                // Measured: the file, as given
  std::vector<TMeasuredPoint> points;  // Measured: as read from it
  bool atTuner = false;  // Measured: at the tuner end of the feeder, not at the feed point
  bool operator==(const TFeedSource&) const = default;
};

// A fixed feed point must have R above 0 and be finite; a measurement needs
// points. Raises std::invalid_argument with the reason.
void CheckFeedSource(const TFeedSource& source);

// The feed points of a fixed or measured source at every band's sweep points
// (or the lone frequency), and the centres of the rows. A band the file does
// not cover is no error of the whole: its centre carries the reason and it has
// no points. With the measurement at the tuner end, the line of lengthM is
// taken back off. Raises std::invalid_argument for a bad source or line, and
// ENoFeedPoint for a feed point that comes out with R <= 0 or not finite.
struct TSourcePoints {
  std::vector<TFinderFrequency> points;
  std::vector<TSweepCentre> centres;
};
TSourcePoints FeedPointsOf(const TFeedSource& source, const TTransmissionLine& line, double lengthM,
                           TRegion region, const std::vector<int>& bands, double frequencyMHz);
