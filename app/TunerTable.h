// The tuner view's table: for each frequency, the antenna's feed point carried
// through the feeder to the tuner, whether the tuner can match it, and the
// first current maximum of physics beside the classic rule's. Plain values;
// the page and the command line both build their output from these rows.
#pragma once

#include <array>
#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "app/tuner/BandPlan.h"
#include "app/tuner/FeederFinder.h"
#include "app/tuner/NecDeck.h"
#include "app/tuner/TransmissionLine.h"
#include "app/tuner/Tuner.h"

// Everything the tuner view computes from, besides the frequencies. The line
// and the feeder length are the ones the Feeder check page shares.
struct TTunerSetup {
  TDipoleModel antenna;  // its length is the first page's dipole
  TTransmissionLine line = LinePresets[0].line;
  double feederM = 20;
  double powerW = 100;
  TTuner tuner;
  TRegion region = TRegion::Region1;
  bool operator==(const TTunerSetup&) const = default;
};

struct TTunerRow {
  double frequencyMHz = 0;
  std::complex<double> feedImpedance;
  double matchedLossDbPer100m = 0;
  TLineEnds ends;
  bool canMatch = false;
  double lineWavelength = 0;       // m
  double firstCurrentMaximum = 0;  // m from the antenna, physics
  std::optional<double>
      classicMaximum;        // the classic rule's, when the dipole is long enough for it
  bool ruleDiffers = false;  // more than λ_line / 16 apart
};

// Raises std::invalid_argument for a bad line or tuner, or a feeder length or
// power that is not finite and >= 0 (power > 0).
TTunerRow TunerRow(const TTunerSetup& setup, double frequencyMHz,
                   std::complex<double> feedImpedance);

// The classic rule's first current maximum in metres for a line of the given
// velocity factor (its feeder constant 983.57 ft·MHz × VF), or none when the
// dipole is too short for the frequency.
std::optional<double> ClassicFirstMaximum(double frequencyMHz, double dipoleFeet,
                                          double velocityFactor);

// The classic rule and physics disagree where their maxima lie further apart
// than this fraction of a line wavelength.
constexpr double RuleToleranceFraction = 1.0 / 16;

// What the tuner view has computed, for the page, its chart and a report:
// the inputs, one row per band centre (or the frequency), and the feeder
// lengths that suit every band at its edges and centre.
struct TTunerResult {
  TTunerSetup setup;
  std::vector<int> bands;   // the checked bands, indices into the band plan
  double frequencyMHz = 0;  // used when no band is checked
  std::vector<TTunerRow> rows;
  std::vector<TFinderFrequency> finderFrequencies;
  TFinderResult finder;
};

// Why no feeder length suits every frequency: "No feeder length from 0.5 to
// 60 m suits every frequency: 3.5-3.8 MHz stops it (without it the others
// share 1.20 m of lengths)." The frequency names the stopper when no band does.
std::string NoSpanMessage(const TFinderResult& result, TRegion region, double frequencyMHz);

// The table's columns and a row's cells as text, "." the decimal separator:
// MHz, feed R and X, SWR, tuner R and X, matched and total loss in dB,
// efficiency %, peak V, whether the tuner matches, the first current maximum
// and the classic rule's ("-" when it has none).
extern const std::array<const char*, 13> TunerColumns;
std::array<std::string, 13> TunerRowTexts(const TTunerRow& row);

// The table as comma-separated values: its fixed header's fields and a row's
// cells, "." the decimal separator: MHz, feed R and X, tuner R and X, SWR,
// total loss in dB, efficiency %, peak V, the first current maximum.
extern const std::array<const char*, 10> TunerCsvColumns;
std::array<std::string, 10> TunerCsvTexts(const TTunerRow& row);

// The feeder finder's spans the same way: from, to and best length in
// metres, the frequency that limits the span and its margin ("x1.52").
extern const std::array<const char*, 5> SpanColumns;
std::array<std::string, 5> SpanTexts(const TFeederSpan& span);
