// The tuner's judgement and the all-band feeder finder: its spans checked
// length by length against exact line theory, their order, and the band that
// stops it when there is none.
#include <gtest/gtest.h>

#include <cmath>

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
  // Each length of 0.5..60 m on a 1 cm grid, judged through exact line theory.
  static bool MatchableEverywhere(const TTransmissionLine& line, const TTuner& tuner,
                                  const std::vector<TFinderFrequency>& fs, double lengthM) {
    for (const TFinderFrequency& f : fs) {
      if (!CanMatch(
              tuner,
              ThroughTheLine(line, f.feedImpedance, f.frequencyMHz, lengthM, 100).tunerImpedance)) {
        return false;
      }
    }
    return true;
  }
  // Lengths at which the judgement is within rounding of the limit may go
  // either way; every other length must agree with the spans.
  static bool NearTheLimit(const TTransmissionLine& line, const TTuner& tuner,
                           const std::vector<TFinderFrequency>& fs, double lengthM) {
    for (const TFinderFrequency& f : fs) {
      const Z z =
          ThroughTheLine(line, f.feedImpedance, f.frequencyMHz, lengthM, 100).tunerImpedance;
      if (std::abs(TunerMargin(tuner, z)) < 1e-9) return true;
    }
    return false;
  }
};

TEST_F(FeederFinder, SpansHoldExactlyTheLengthsThatMatchEveryFrequency) {
  const TTransmissionLine line = LinePresets[0].line;
  const std::vector<TFinderFrequency> fs = {{3.5, Z(28, -600), 1},
                                            {3.65, Z(33, -480), 1},
                                            {3.8, Z(40, -350), 1},
                                            {7.0, Z(2500, 900), 3},
                                            {7.1, Z(2300, -700), 3},
                                            {7.2, Z(1400, -1300), 3},
                                            {14.0, Z(90, -60), 5},
                                            {14.175, Z(100, 10), 5},
                                            {14.35, Z(120, 90), 5}};
  for (const TTuner& tuner : {kInternal, kExternal, TTuner{TTuner::Internal, 10, 0, 0}}) {
    const TFinderResult result = FindFeederSpans(line, tuner, fs);
    std::vector<bool> inSpan(5951, false);
    for (const TFeederSpan& s : result.spans) {
      EXPECT_LE(s.fromM, s.bestM);
      EXPECT_LE(s.bestM, s.toM);
      EXPECT_GE(s.worstMargin, 0);
      for (int cm = int(std::lround(s.fromM * 100)); cm <= int(std::lround(s.toM * 100)); ++cm) {
        inSpan[size_t(cm - 50)] = true;
      }
    }
    for (int cm = 50; cm <= 6000; ++cm) {
      const double l = cm / 100.0;
      if (NearTheLimit(line, tuner, fs, l)) continue;
      ASSERT_EQ(inSpan[size_t(cm - 50)], MatchableEverywhere(line, tuner, fs, l))
          << l << " m, tuner " << tuner.kind;
    }
    for (size_t i = 1; i < result.spans.size(); ++i) {
      EXPECT_GE(result.spans[i - 1].worstMargin, result.spans[i].worstMargin);
    }
  }
}

TEST_F(FeederFinder, AMatchedLineIsOneSpanWithItsMarginAndWorstFrequency) {
  // Z_in = Z0 = 400 Ω at every length: the external tuner's margin is
  // ln(1500 / 400) throughout; the internal one (SWR 8 on 50 Ω) never matches.
  const TTransmissionLine line = LinePresets[0].line;
  const std::vector<TFinderFrequency> fs = {{7.1, Z(400, 0), 3}, {14.175, Z(400, 0), 5}};
  const TFinderResult external = FindFeederSpans(line, kExternal, fs);
  ASSERT_EQ(external.spans.size(), 1u);
  EXPECT_DOUBLE_EQ(external.spans[0].fromM, 0.5);
  EXPECT_DOUBLE_EQ(external.spans[0].toM, 60);
  EXPECT_NEAR(external.spans[0].worstMargin, std::log(1500.0 / 400), 1e-9);
  EXPECT_EQ(external.stoppingGroup, -1);
  EXPECT_TRUE(FindFeederSpans(line, kInternal, fs).spans.empty());
}

TEST_F(FeederFinder, WithoutASpanItNamesTheBandThatStopsIt) {
  // On a lossless 600 Ω line, 600 Ω stays 600 Ω (SWR 12 on 50 Ω: never), while
  // 50 Ω comes back to 50 Ω every half wave: band 2 alone stops it.
  const TTransmissionLine line{600, 0.9, 1e-3, TMeasuredLoss{0, 1}};
  const TFinderResult result = FindFeederSpans(
      line, kInternal, {{7.1, Z(50, 0), 3}, {3.6, Z(600, 0), 2}, {3.7, Z(600, 0), 2}});
  EXPECT_TRUE(result.spans.empty());
  EXPECT_EQ(result.stoppingGroup, 2);
  EXPECT_GT(result.othersShareM, 1);
  // When every band fails on its own, the one that is matchable on the fewest lengths.
  const TFinderResult none =
      FindFeederSpans(line, kInternal, {{7.1, Z(600, 0), 3}, {14.1, Z(700, 0), 5}});
  EXPECT_TRUE(none.spans.empty());
  EXPECT_EQ(none.othersShareM, 0);
  EXPECT_TRUE(none.stoppingGroup == 3 || none.stoppingGroup == 5);
}

TEST_F(FeederFinder, RefusesBadInput) {
  EXPECT_THROW(FindFeederSpans(LinePresets[0].line, kInternal, {}), std::invalid_argument);
  EXPECT_THROW(FindFeederSpans({0, 0.9, 1e-3, std::nullopt}, kInternal, {{7.1, Z(50, 0), 3}}),
               std::invalid_argument);
}

}  // namespace
