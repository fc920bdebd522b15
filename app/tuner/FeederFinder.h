// The all-band feeder finder: the feeder lengths from 0.5 to 60 m, at 1 cm
// resolution, at which the tuner can match every frequency given.
#pragma once

#include <complex>
#include <vector>

#include "app/tuner/TransmissionLine.h"
#include "app/tuner/Tuner.h"

constexpr double FinderShortestM = 0.5;
constexpr double FinderLongestM = 60;
constexpr double FinderStepM = 0.01;

struct TFinderFrequency {
  double frequencyMHz;
  std::complex<double> feedImpedance;  // at the antenna
  int group;  // the band it belongs to; frequencies of one group stand or fall together
};

// A run of lengths at which every frequency can be matched.
struct TFeederSpan {
  double fromM;
  double toM;
  double bestM;        // the length in it with the largest worst-case margin
  double worstMargin;  // that margin (see TunerMargin)
  double worstMHz;     // the frequency that sets it
};

struct TFinderResult {
  std::vector<TFeederSpan> spans;  // largest worst-case margin first
  // When there is no span: the group that stops it, and how many metres of
  // lengths the other groups would share without it (0 when even it alone
  // cannot be matched anywhere, or when no single group is to blame).
  int stoppingGroup = -1;
  double othersShareM = 0;
};

// Raises std::invalid_argument for a bad line or tuner, or no frequencies.
TFinderResult FindFeederSpans(const TTransmissionLine& line, const TTuner& tuner,
                              const std::vector<TFinderFrequency>& frequencies);
