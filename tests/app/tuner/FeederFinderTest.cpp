// The tuner's judgement and the all-band feeder finder: its spans checked
// length by length against exact line theory, their order, and the band that
// stops it when there is none.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "app/tuner/FeederFinder.h"
#include "app/tuner/Tuner.h"

namespace {

using Z = std::complex<double>;

const TTuner kInternal{TTuner::Internal, 3, 10, 1500};
const TTuner kExternal{TTuner::External, 3, 10, 1500};

TEST(Tuner, JudgesByItsKind) {
  struct Case {
    TTuner tuner;
    Z z;
    double margin;
  };
  for (const Case& c : {Case{kInternal, Z(50, 0), std::log(3.0)},
                        Case{kInternal, Z(150, 0), 0},             // SWR 3 exactly
                        Case{kInternal, Z(25, 0), std::log(1.5)},  // SWR 2
                        Case{kInternal, Z(600, 0), std::log(3.0 / 12)},
                        Case{kExternal, Z(100, 0), std::log(10.0)},
                        Case{kExternal, Z(0, 1500), 0},  // |Z| at the top
                        Case{kExternal, Z(6, 8), 0},     // |Z| = 10 at the bottom
                        Case{kExternal, Z(3000, 4000), std::log(0.3)}}) {
    EXPECT_NEAR(TunerMargin(c.tuner, c.z), c.margin, 1e-12) << c.z;
    if (c.margin != 0) {
      EXPECT_EQ(CanMatch(c.tuner, c.z), c.margin > 0) << c.z;
    }
  }
  EXPECT_FALSE(CanMatch(kInternal, Z(-50, 0)));  // no SWR for a negative resistance
  EXPECT_FALSE(CanMatch(kExternal, Z(INFINITY, 0)));
  EXPECT_THROW(CheckTuner({TTuner::Internal, 0.5, 10, 1500}), std::invalid_argument);
  EXPECT_THROW(CheckTuner({TTuner::External, 3, 1500, 10}), std::invalid_argument);
  EXPECT_NO_THROW(
      CheckTuner({TTuner::External, 0, 10, 1500}));  // the other kind's values do not count
}

struct FeederFinder : ::testing::Test {
  // Whether each group matches at a length, judged point by point through
  // the exact line, independently of the finder's recurrence.
  static std::map<int, double> DirectMargins(const TTransmissionLine& line, const TTuner& tuner,
                                             const std::vector<TFinderFrequency>& fs,
                                             double lengthM) {
    std::map<int, double> worst;
    for (const TFinderFrequency& f : fs) {
      const Z z =
          ThroughTheLine(line, f.feedImpedance, f.frequencyMHz, lengthM, 100).tunerImpedance;
      const double m = TunerMargin(tuner, z);
      if (!worst.count(f.group) || m < worst[f.group]) worst[f.group] = m;
    }
    return worst;
  }
  // Lengths at which a group's judgement is within rounding of the limit may
  // go either way; every other length must agree with the spans.
  static bool NearTheLimit(const std::map<int, double>& margins) {
    for (const auto& [group, m] : margins) {
      if (std::abs(m) < 1e-9) return true;
    }
    return false;
  }
  // The groups matched at each centimetre, and the runs of equal sets at
  // least 5 cm wide, from the dense direct evaluation.
  struct Run {
    int fromCm, toCm;
    std::set<int> suited;
  };
  static std::vector<Run> DirectRuns(const TTransmissionLine& line, const TTuner& tuner,
                                     const std::vector<TFinderFrequency>& fs, bool& ambiguous) {
    std::vector<Run> runs;
    ambiguous = false;
    for (int cm = 50; cm <= 6000; ++cm) {
      const auto margins = DirectMargins(line, tuner, fs, cm / 100.0);
      ambiguous = ambiguous || NearTheLimit(margins);
      std::set<int> suited;
      for (const auto& [group, m] : margins) {
        if (m >= 0) suited.insert(group);
      }
      if (!runs.empty() && runs.back().suited == suited && runs.back().toCm == cm - 1) {
        runs.back().toCm = cm;
      } else {
        runs.push_back({cm, cm, suited});
      }
    }
    std::erase_if(runs, [](const Run& r) { return r.suited.empty() || r.toCm - r.fromCm < 5; });
    return runs;
  }
};

const std::vector<TFinderFrequency> kThreeBands = {{3.5, Z(28, -600), 1},
                                                   {3.575, Z(30, -540), 1},
                                                   {3.65, Z(33, -480), 1},
                                                   {3.725, Z(36, -415), 1},
                                                   {3.8, Z(40, -350), 1},
                                                   {7.0, Z(2500, 900), 3},
                                                   {7.1, Z(2300, -700), 3},
                                                   {7.2, Z(1400, -1300), 3},
                                                   {14.0, Z(90, -60), 5},
                                                   {14.175, Z(100, 10), 5},
                                                   {14.35, Z(120, 90), 5}};

TEST_F(FeederFinder, SpansAreExactlyTheDirectJudgementsRuns) {
  // Every centimetre of every span at every frequency point, against the
  // spans: those that suit every band, or else the most bands, each with the
  // bands it fails.
  const TTransmissionLine line = LinePresets[0].line;
  for (const TTuner& tuner : {kInternal,
                              kExternal,
                              TTuner{TTuner::Internal, 10, 0, 0},
                              TTuner{TTuner::External, 0, 20, 800}}) {
    bool ambiguous = false;
    std::vector<Run> runs = DirectRuns(line, tuner, kThreeBands, ambiguous);
    ASSERT_FALSE(ambiguous);
    size_t most = 0;
    for (const Run& r : runs) most = std::max(most, r.suited.size());
    std::erase_if(runs, [most](const Run& r) { return r.suited.size() != most; });
    const TFinderResult result = FindFeederSpans(line, tuner, kThreeBands, 100);
    EXPECT_EQ(result.groupsIncluded, 3);
    EXPECT_EQ(result.groupsSuited, int(most));
    EXPECT_EQ(result.SuitsAll(), most == 3);
    ASSERT_EQ(result.spans.size(), runs.size()) << tuner.kind;
    for (const TFeederSpan& s : result.spans) {
      const auto run = std::find_if(runs.begin(), runs.end(), [&](const Run& r) {
        return r.fromCm == int(std::lround(s.fromM * 100));
      });
      ASSERT_NE(run, runs.end()) << s.fromM;
      EXPECT_EQ(run->toCm, int(std::lround(s.toM * 100)));
      std::set<int> failing(s.failingGroups.begin(), s.failingGroups.end());
      for (int group : {1, 3, 5}) EXPECT_NE(failing.count(group), run->suited.count(group));
      EXPECT_LE(s.fromM, s.bestM);
      EXPECT_LE(s.bestM, s.toM);
      EXPECT_GE(s.worstMargin, 0);
      // The best length's margin is the least over the bands the span suits.
      const auto margins = DirectMargins(line, tuner, kThreeBands, s.bestM);
      double least = INFINITY;
      for (int group : run->suited) least = std::min(least, margins.at(group));
      EXPECT_NEAR(s.worstMargin, least, 1e-9);
    }
    for (size_t i = 1; i < result.spans.size(); ++i)
      EXPECT_GE(result.spans[i - 1].worstMargin, result.spans[i].worstMargin);
  }
}

TEST_F(FeederFinder, TheTableAndTheJudgementAgree) {
  const TTransmissionLine line = LinePresets[2].line;
  const TFinderTable table(line, kExternal, kThreeBands, 100);
  ASSERT_EQ(table.GroupCount(), 3u);
  for (int i : {0, 1, 127, 128, 129, 2000, 5950}) {
    const double l = TFinderTable::LengthAt(i);
    const std::vector<TGroupVerdict> verdicts = JudgeGroups(line, kExternal, kThreeBands, l, 100);
    ASSERT_EQ(verdicts.size(), 3u);
    for (size_t g = 0; g < 3; ++g) {
      EXPECT_EQ(verdicts[g].group, table.Group(g));
      EXPECT_NEAR(verdicts[g].worstMargin, table.Margin(g, i), 1e-9) << l;
      EXPECT_EQ(verdicts[g].worstMHz, table.WorstMHz(g, i)) << l;
    }
  }
}

TEST_F(FeederFinder, AMatchedLineIsOneSpanWithItsMarginAndWorstFrequency) {
  // Ended in Zc, the line shows Zc at every length: the external tuner's
  // margin is ln(1500 / |Zc|) throughout; the internal one (SWR 8 on 50 Ω)
  // never matches.
  const TTransmissionLine line = LinePresets[0].line;
  const Z zc7 = LineWave(line, 7.1).zc, zc14 = LineWave(line, 14.175).zc;
  const std::vector<TFinderFrequency> fs = {{7.1, zc7, 3}, {14.175, zc14, 5}};
  const TFinderResult external = FindFeederSpans(line, kExternal, fs, 100);
  ASSERT_EQ(external.spans.size(), 1u);
  EXPECT_TRUE(external.SuitsAll());
  EXPECT_DOUBLE_EQ(external.spans[0].fromM, 0.5);
  EXPECT_DOUBLE_EQ(external.spans[0].toM, 60);
  EXPECT_NEAR(external.spans[0].worstMargin,
              std::log(1500.0 / std::max(std::abs(zc7), std::abs(zc14))),
              1e-9);
  EXPECT_TRUE(external.spans[0].failingGroups.empty());
  EXPECT_EQ(external.stoppingGroup, -1);
  EXPECT_TRUE(FindFeederSpans(line, kInternal, fs, 100).spans.empty());
}

TEST_F(FeederFinder, WithoutASpanItNamesTheBandThatStopsIt) {
  // On a lossless 600 Ω line, 600 Ω stays 600 Ω (SWR 12 on 50 Ω: never), while
  // 50 Ω comes back to 50 Ω every half wave: band 2 alone stops it, and the
  // finder lists where band 3 is matched, failing band 2.
  const TTransmissionLine line{600, 0.9, 1e-3, TMeasuredLoss{0, 1}};
  const std::vector<TFinderFrequency> fs = {
      {7.1, Z(50, 0), 3}, {3.6, Z(600, 0), 2}, {3.7, Z(600, 0), 2}};
  const TFinderResult result = FindFeederSpans(line, kInternal, fs, 100);
  EXPECT_FALSE(result.SuitsAll());
  EXPECT_EQ(result.groupsSuited, 1);
  ASSERT_FALSE(result.spans.empty());
  for (const TFeederSpan& s : result.spans) EXPECT_EQ(s.failingGroups, std::vector<int>{2});
  EXPECT_EQ(result.stoppingGroup, 2);
  EXPECT_GT(result.othersShareM, 1);
  // Leaving band 2 out of the finder: those lengths suit all that is left.
  const TFinderResult without = SpansOf(result.table, {2});
  EXPECT_TRUE(without.SuitsAll());
  EXPECT_EQ(without.groupsIncluded, 1);
  EXPECT_EQ(without.spans.size(), result.spans.size());
  // When every band fails on its own, the one that is matchable on the fewest lengths.
  const TFinderResult none =
      FindFeederSpans(line, kInternal, {{7.1, Z(600, 0), 3}, {14.1, Z(700, 0), 5}}, 100);
  EXPECT_TRUE(none.spans.empty());
  EXPECT_EQ(none.othersShareM, 0);
  EXPECT_TRUE(none.stoppingGroup == 3 || none.stoppingGroup == 5);
  // Every band left out: nothing to judge.
  const TFinderResult nothing = SpansOf(result.table, {2, 3});
  EXPECT_EQ(nothing.groupsIncluded, 0);
  EXPECT_TRUE(nothing.spans.empty());
}

TEST_F(FeederFinder, SpansNarrowerThanFiveCentimetresAreNotListed) {
  // An external tuner whose window |Z| just holds a lossless 450 Ω line's
  // swing near its high point: the lengths it matches are a few centimetres
  // around each maximum of |Z|.
  const TTransmissionLine line{450, 0.9, 1e-3, TMeasuredLoss{0, 1}};
  const std::vector<TFinderFrequency> fs = {{14.1, Z(450 * 3, 0), 5}};
  const double wave = LineWavelength(line, 14.1);
  for (const auto& [minZ, listed] : {std::pair{1349.8, false}, std::pair{1300.0, true}}) {
    const TFinderResult r = FindFeederSpans(line, {TTuner::External, 0, minZ, 1e4}, fs, 100);
    for (const TFeederSpan& s : r.spans) EXPECT_GE(std::lround((s.toM - s.fromM) * 100), 5);
    EXPECT_EQ(!r.spans.empty(), listed) << minZ << " " << wave;
  }
}

TEST_F(FeederFinder, ANetworksSpansAreThoseItsDirectSolveMatchesEverywhere) {
  // A T network with a small coil against 160 m's short dipole and 20 m:
  // every centimetre against JudgeGroups, which solves each point directly.
  TTunerNetwork network = DefaultNetwork(TNetworkKind::HighPassT);
  network.inductorUh = {0.1, 12};
  const TTuner tuner(network);
  const std::vector<TFinderFrequency> fs = {{1.81, Z(4.2, -1900), 0},
                                            {1.905, Z(4.5, -1806), 0},
                                            {2.0, Z(4.9, -1700), 0},
                                            {14.0, Z(180, -990), 5},
                                            {14.175, Z(193, -944), 5},
                                            {14.35, Z(205, -890), 5}};
  const TTransmissionLine line = LinePresets[0].line;
  const TFinderTable table(line, tuner, fs, 400);
  for (int i = 0; i < TFinderTable::Lengths; i += 7) {
    const auto verdicts = JudgeGroups(line, tuner, fs, TFinderTable::LengthAt(i), 400);
    for (size_t g = 0; g < 2; ++g) {
      ASSERT_EQ(table.Matches(g, i), verdicts[g].Matches()) << TFinderTable::LengthAt(i);
      if (verdicts[g].Matches()) {
        EXPECT_LT(table.Margin(g, i), 0);  // minus a total loss in dB
      }
    }
  }
  const TFinderResult result = SpansOf(std::make_shared<const TFinderTable>(table));
  for (const TFeederSpan& s : result.spans) EXPECT_LE(s.worstMargin, 0);
}

TEST_F(FeederFinder, RefusesBadInput) {
  EXPECT_THROW(FindFeederSpans(LinePresets[0].line, kInternal, {}, 100), std::invalid_argument);
  EXPECT_THROW(FindFeederSpans({0, 0.9, 1e-3, std::nullopt}, kInternal, {{7.1, Z(50, 0), 3}}, 100),
               std::invalid_argument);
}

}  // namespace
