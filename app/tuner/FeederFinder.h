// How the tuner fares with each band across its width, at one feeder length
// and at every length the feeder finder tries (0.5 to 60 m at 1 cm), and the
// finder's spans: the lengths at which the tuner matches every band, or,
// where there are none, the most bands. The table's match column, the status
// line, the finder and its chart bars all judge by these same rules.
#pragma once

#include <complex>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/tuner/TransmissionLine.h"
#include "app/tuner/Tuner.h"

constexpr double FinderShortestM = 0.5;
constexpr double FinderLongestM = 60;
constexpr double FinderStepM = 0.01;
// A span narrower than this is not listed: it cannot be cut that well.
constexpr double FinderNarrowestM = 0.05;

struct TFinderFrequency {
  double frequencyMHz;
  std::complex<double> feedImpedance;  // at the antenna
  int group;  // the band it belongs to (-1: a lone frequency); a band stands or falls whole
};

// A group at one feeder length: its worst point.
struct TGroupVerdict {
  int group = -1;
  bool matches = false;  // at every one of its frequencies
  // The least score over the group's frequencies (see JudgePoint): the
  // tuner's margin, or for a network minus the total loss in dB.
  double worstMargin = 0;
  double worstMHz = 0;  // where it is least
  bool Matches() const { return matches; }
};

// Every group at lengthM with powerW into the line, in the order the groups
// first appear. Raises std::invalid_argument for a bad line or tuner.
std::vector<TGroupVerdict> JudgeGroups(const TTransmissionLine& line, const TTuner& tuner,
                                       const std::vector<TFinderFrequency>& frequencies,
                                       double lengthM, double powerW);

// Every group's worst score at every length the finder tries.
class TFinderTable {
 public:
  static constexpr int Lengths = 5951;  // 0.50 m to 60.00 m
  static double LengthAt(int index) { return (50 + index) / 100.0; }

  // Raises std::invalid_argument for a bad line or tuner, or no frequencies.
  TFinderTable(const TTransmissionLine& line, const TTuner& tuner,
               const std::vector<TFinderFrequency>& frequencies, double powerW);

  size_t GroupCount() const { return FGroups.size(); }
  int Group(size_t g) const { return FGroups[g]; }
  // The group's least score at a length (see JudgePoint).
  double Margin(size_t g, int length) const { return FMargins[g * Lengths + size_t(length)]; }
  bool Matches(size_t g, int length) const;
  double WorstMHz(size_t g, int length) const;
  TTuner::TKind Kind() const { return FKind; }

 private:
  TTuner::TKind FKind;
  std::vector<int> FGroups;
  std::vector<double> FMargins;      // group by group, length by length
  std::vector<uint16_t> FWorstAt;    // the frequency that sets each margin
  std::vector<double> FFrequencies;  // MHz, as given
};

// A run of lengths at which the same bands are matched.
struct TFeederSpan {
  double fromM;
  double toM;
  double bestM;                    // the length in it with the largest worst-case margin
  double worstMargin;              // that margin, over the groups it suits (see TunerMargin)
  double worstMHz;                 // the frequency that sets it
  std::vector<int> failingGroups;  // the groups included that it does not suit
};

struct TFinderResult {
  // Largest worst-case margin first: the spans that suit every group
  // included, or else those that suit the most of them.
  std::vector<TFeederSpan> spans;
  int groupsIncluded = 0;
  int groupsSuited = 0;  // by each of the spans
  // When no span suits every group included: the group that stops it, and
  // how many metres of lengths the other groups would share without it (0
  // when even it alone cannot be matched anywhere, or when no single group is
  // to blame).
  int stoppingGroup = -1;
  double othersShareM = 0;
  // Each group's margin along the feeder, for a chart; excluded groups too.
  std::shared_ptr<const TFinderTable> table;
  bool SuitsAll() const { return !spans.empty() && groupsSuited == groupsIncluded; }
};

// The spans from a table, the groups given left out. Spans narrower than
// FinderNarrowestM are not listed.
TFinderResult SpansOf(std::shared_ptr<const TFinderTable> table,
                      const std::vector<int>& excludedGroups = {});
// The table and its spans at once.
TFinderResult FindFeederSpans(const TTransmissionLine& line, const TTuner& tuner,
                              const std::vector<TFinderFrequency>& frequencies, double powerW,
                              const std::vector<int>& excludedGroups = {});
