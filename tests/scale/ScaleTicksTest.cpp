#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "controls/base/PLX_math1.h"
#include "controls/scale/PLX_ScaleTicks.h"

namespace {

std::vector<TScaleTick> allTicks(const TScaleTickRequest& request) {
  std::vector<TScaleTick> ticks;
  TScaleTickWalk walk(request);
  TScaleTick tick;
  while (walk.Next(tick)) ticks.push_back(tick);
  return ticks;
}

std::vector<long double> majorValues(const std::vector<TScaleTick>& ticks) {
  std::vector<long double> values;
  for (const TScaleTick& t : ticks)
    if (t.Major) values.push_back(t.Value);
  return values;
}

// Walks the ticks the way the axis renderer does and returns the list.
TScaleTickList recordedList(const TScaleTickRequest& request) {
  TScaleTickList list;
  list.Clear();
  TScaleTickWalk walk(request);
  TScaleTick tick;
  while (walk.Next(tick))
    if (tick.Recorded) list.Record(static_cast<double>(tick.Value));
  return list;
}

TScaleTickRequest linear(int minTicks, long double lo, long double hi, bool shortTicks = true) {
  TScaleTickRequest r;
  r.MinTicks = minTicks;
  r.RangeLow = lo;
  r.RangeHigh = hi;
  r.ShortTicks = shortTicks;
  return r;
}

TScaleTickRequest logarithmic(int minTicks, long double lo, long double hi, bool shortTicks,
                              bool horizontal) {
  TScaleTickRequest r = linear(minTicks, lo, hi, shortTicks);
  r.Logarithmic = true;
  r.Horizontal = horizontal;
  return r;
}

}  // namespace

// --- step rule ----------------------------------------------------------------

struct StepCase {
  const char* name;
  int ntick;
  long double lo;
  long double hi;
  long double distance;
  uint16_t divi;
  long double lowTick;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class StepRule : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepRule, GivesStepDivisionAndFirstTick) {
  const StepCase& c = GetParam();
  long double lowTick = -999.0L;
  long double distance = -999.0L;
  uint16_t divi = 999;
  CalcScalePars(c.ntick, c.lo, c.hi, lowTick, distance, divi);
  EXPECT_EQ(distance, c.distance);
  EXPECT_EQ(divi, c.divi);
  EXPECT_EQ(lowTick, c.lowTick);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, StepRule,
    ::testing::Values(StepCase{"FeederLength", 3, 0.0L, 40.0L, 10.0L, 5, 0.0L},
                      StepCase{"Frequency", 3, 1.5L, 30.0L, 5.0L, 5, 5.0L},
                      StepCase{"WavelengthRatio", 3, 0.25L, 2.5L, 0.5L, 5, 0.5L},
                      StepCase{"MatchingLength", 3, 0.0L, 0.5L, 0.1L, 5, 0.0L},
                      StepCase{"RatioExactlyTwo", 3, 0.0L, 6.0L, 1.0L, 5, 0.0L},
                      StepCase{"RatioExactlyFive", 3, 0.0L, 15.0L, 2.0L, 4, 0.0L},
                      StepCase{"RatioExactlyTen", 3, 0.0L, 30.0L, 10.0L, 5, 0.0L},
                      StepCase{"RatioJustAboveTwo", 1, 0.0L, 2.0000001L, 2.0L, 4, 0.0L},
                      StepCase{
                          "LogarithmJustBelowInteger", 1, 0.0L, 9.99999999995L, 10.0L, 5, 0.0L},
                      StepCase{"RatioExactlyOneHundredth", 1, 0.0L, 0.01L, 0.01L, 5, 0.0L},
                      StepCase{"SmallMantissaTwo", 3, 0.0L, 0.009L, 0.002L, 4, 0.0L},
                      StepCase{"Million", 3, 0.0L, 3e6L, 1e6L, 5, 0.0L},
                      StepCase{"Reversed", 3, 10.0L, 0.0L, -2.0L, 4, 10.0L},
                      StepCase{"NegativeLowEnd", 3, -7.0L, 13.0L, 5.0L, 5, -5.0L},
                      StepCase{"ReversedNegative", 3, 13.0L, -7.0L, -5.0L, 5, 10.0L},
                      StepCase{"LowEndJustAboveMultiple", 3, 10.005L, 50.0L, 10.0L, 5, 10.0L},
                      StepCase{"LowEndWellAboveMultiple", 3, 10.02L, 50.0L, 10.0L, 5, 20.0L},
                      StepCase{"UnitStepNarrow", 0, 0.2L, 0.5L, 1.0L, 5, 1.0L},
                      StepCase{"UnitStepTenWide", 0, 0.0L, 10.0L, 1.0L, 5, 0.0L},
                      StepCase{"UnitStepWide", 0, 0.0L, 25.0L, 1.0L, 1, 0.0L},
                      StepCase{"UnitStepReversed", 0, 3.5L, -20.0L, -1.0L, 1, 3.0L},
                      StepCase{"EmptyRange", 3, 5.0L, 5.0L, 0.0L, 1, 5.0L}),
    [](const ::testing::TestParamInfo<StepCase>& test) { return std::string(test.param.name); });

TEST(StepRuleLimits, NonFiniteEndsGiveNoStep) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  for (auto [lo, hi] : {std::pair{0.0L, inf}, std::pair{-inf, 1.0L}, std::pair{nan, 1.0L}}) {
    long double lowTick = 0.0L;
    long double distance = 1.0L;
    uint16_t divi = 0;
    CalcScalePars(3, lo, hi, lowTick, distance, divi);
    EXPECT_EQ(distance, 0.0L);
    EXPECT_EQ(divi, 1);
  }
}

TEST(StepRuleLimits, NegativeCountActsAsTwo) {
  long double lowTick = 0.0L;
  long double distance = 0.0L;
  uint16_t divi = 0;
  CalcScalePars(-4, 0.0L, 50.0L, lowTick, distance, divi);
  EXPECT_EQ(distance, 20.0L);
  EXPECT_EQ(divi, 4);
}

TEST(StepRuleLimits, TickSetCarriesTheDirection) {
  EXPECT_EQ(CalcTickSet(3, 0.0L, 40.0L).Sign, 1);
  EXPECT_EQ(CalcTickSet(3, 40.0L, 0.0L).Sign, -1);
}

// --- linear sequences -------------------------------------------------------

struct RecordedCase {
  const char* name;
  long double lo;
  long double hi;
  int count;
  double first;
  double spacing;
  std::vector<double> majors;
};

void PrintTo(const RecordedCase& c, std::ostream* os) { *os << c.name; }

class ProgramAxes : public ::testing::TestWithParam<RecordedCase> {};

TEST_P(ProgramAxes, RecordMinorTicksAcrossTheRange) {
  const RecordedCase& c = GetParam();
  const TScaleTickList list = recordedList(linear(3, c.lo, c.hi));
  ASSERT_EQ(list.NumTicks(), c.count);
  for (int j = 0; j < c.count; ++j)
    EXPECT_DOUBLE_EQ(list.TickPos(j + 1), c.first + j * c.spacing) << "entry " << j + 1;
}

TEST_P(ProgramAxes, DrawAndCountMajorTicks) {
  const RecordedCase& c = GetParam();
  const std::vector<TScaleTick> ticks = allTicks(linear(3, c.lo, c.hi));
  std::vector<TScaleTick> majors;
  for (const TScaleTick& t : ticks)
    if (t.Major) majors.push_back(t);
  ASSERT_EQ(majors.size(), c.majors.size());
  for (std::size_t i = 0; i < majors.size(); ++i) {
    EXPECT_DOUBLE_EQ(static_cast<double>(majors[i].Value), c.majors[i]);
    EXPECT_EQ(majors[i].Counter, static_cast<int>(i + 1));
    EXPECT_FALSE(majors[i].Recorded) << "short ticks are on";
    EXPECT_TRUE(majors[i].LineDrawn);
  }
  // Minor ticks come first, then the major ones.
  EXPECT_FALSE(ticks.front().Major);
  EXPECT_TRUE(ticks.back().Major);
}

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramAxes,
    ::testing::Values(
        RecordedCase{"FeederLength", 0.0L, 40.0L, 21, 0.0, 2.0, {0, 10, 20, 30, 40}},
        RecordedCase{"Frequency", 1.5L, 30.0L, 29, 2.0, 1.0, {5, 10, 15, 20, 25, 30}},
        RecordedCase{"WavelengthRatio", 0.25L, 2.5L, 23, 0.3, 0.1, {0.5, 1.0, 1.5, 2.0, 2.5}},
        RecordedCase{"MatchingLength", 0.0L, 0.5L, 26, 0.0, 0.02, {0, 0.1, 0.2, 0.3, 0.4, 0.5}}),
    [](const ::testing::TestParamInfo<RecordedCase>& test) {
      return std::string(test.param.name);
    });

TEST(LinearTicks, WithoutShortTicksOnlyMajorsAreWalkedAndRecorded) {
  const std::vector<TScaleTick> ticks = allTicks(linear(3, 10.0L, 0.0L, false));
  ASSERT_EQ(ticks.size(), 6u);
  const double expected[] = {10, 8, 6, 4, 2, 0};
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_TRUE(ticks[i].Major);
    EXPECT_TRUE(ticks[i].Recorded);
    EXPECT_EQ(ticks[i].Counter, static_cast<int>(i + 1));
    EXPECT_DOUBLE_EQ(static_cast<double>(ticks[i].Value), expected[i]);
  }
}

TEST(LinearTicks, ReversedRangeRecordsMinorsDescending) {
  const TScaleTickList list = recordedList(linear(3, 10.0L, 0.0L));
  ASSERT_EQ(list.NumTicks(), 21);
  EXPECT_DOUBLE_EQ(list.TickPos(1), 10.0);
  EXPECT_DOUBLE_EQ(list.TickPos(2), 9.5);
  EXPECT_DOUBLE_EQ(list.TickPos(21), 0.0);
}

TEST(LinearTicks, NegativeLowEnd) {
  const std::vector<long double> majors = majorValues(allTicks(linear(3, -7.0L, 13.0L)));
  const std::vector<long double> expected = {-5.0L, 0.0L, 5.0L, 10.0L};
  EXPECT_EQ(majors, expected);
  const TScaleTickList list = recordedList(linear(3, -7.0L, 13.0L));
  EXPECT_EQ(list.NumTicks(), 21);  // -7 .. 13 in steps of 1
  EXPECT_DOUBLE_EQ(list.TickPos(1), -7.0);
}

TEST(LinearTicks, LowEndJustAboveAMultipleStartsOnIt) {
  const std::vector<long double> majors = majorValues(allTicks(linear(3, 10.005L, 50.0L)));
  const std::vector<long double> expected = {10.0L, 20.0L, 30.0L, 40.0L, 50.0L};
  EXPECT_EQ(majors, expected);
}

// A major tick up to 0.1 % of a step beyond the high end still belongs to the
// axis; one further out does not.
TEST(LinearTicks, HighEndTolerance) {
  EXPECT_EQ(majorValues(allTicks(linear(3, 0.0L, 39.995L))).back(), 40.0L);
  EXPECT_EQ(majorValues(allTicks(linear(3, 0.0L, 39.98L))).back(), 30.0L);
}

TEST(LinearTicks, UnitStepOnNarrowRangeStillDrawsFirstMajor) {
  const std::vector<TScaleTick> ticks = allTicks(linear(0, 0.2L, 0.5L, false));
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_EQ(ticks[0].Value, 1.0L);
  EXPECT_TRUE(ticks[0].Major);
  EXPECT_EQ(ticks[0].Counter, 1);
  for (const TScaleTick& t : allTicks(linear(0, 0.2L, 0.5L))) {
    if (!t.Major) {
      EXPECT_GE(t.Value, 0.2L - 1e-12L);
    }
  }
}

TEST(LinearTicks, UnitStepOnWideRangeHasMinorsOnTheMajors) {
  const std::vector<TScaleTick> ticks = allTicks(linear(0, 0.0L, 25.0L));
  std::vector<long double> minors;
  for (const TScaleTick& t : ticks)
    if (!t.Major) minors.push_back(t.Value);
  EXPECT_EQ(minors, majorValues(ticks));
  EXPECT_EQ(minors.size(), 26u);
}

// A unit step over 2^53 units would walk for ever: the regular rule with ten
// intervals takes over beyond 10000 units.
TEST(LinearTicks, UnitStepOnHugeRangeFallsBackToTheStepRule) {
  const TScaleTickSet huge = CalcTickSet(0, 9007199254740992.0L, 0.0L);
  EXPECT_EQ(huge.Distance, -500000000000000.0L);
  EXPECT_EQ(huge.Divi, 5);
  EXPECT_EQ(allTicks(linear(0, 9007199254740992.0L, 0.0L)).size(), 19u + 91u);
  EXPECT_EQ(CalcTickSet(0, 0.0L, 10000.0L).Distance, 1.0L);
  EXPECT_EQ(CalcTickSet(0, 0.0L, 10001.0L).Distance, 1000.0L);
}

TEST(LinearTicks, EmptyRangeHasNoTicks) {
  EXPECT_TRUE(allTicks(linear(3, 5.0L, 5.0L)).empty());
  EXPECT_TRUE(allTicks(linear(3, 5.0L, 5.0L, false)).empty());
}

TEST(LinearTicks, ListKeepsTheFirst250WhileAllAreWalked) {
  const TScaleTickRequest request = linear(0, 0.0L, 1000.0L);
  std::size_t walked = 0;
  for (const TScaleTick& t : allTicks(request))
    if (!t.Major) ++walked;
  EXPECT_EQ(walked, 1001u);
  const TScaleTickList list = recordedList(request);
  EXPECT_EQ(list.NumTicks(), 250);
  EXPECT_EQ(list.TickPos(250), 249.0);
  EXPECT_EQ(list.TickPos(251), 0.0);
}

// --- logarithmic sequence ---------------------------------------------------

TEST(LogTicks, DecadesOnlyWhenFewIntervalsAreAsked) {
  TScaleTickWalk walk(logarithmic(3, 1.0L, 1000.0L, true, true));
  EXPECT_FALSE(walk.UsesLinearTicks());
  const std::vector<TScaleTick> ticks = allTicks(logarithmic(3, 1.0L, 1000.0L, true, true));
  ASSERT_EQ(ticks.size(), 4u);
  const long double expected[] = {1.0L, 10.0L, 100.0L, 1000.0L};
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ(ticks[i].Value, expected[i]);
    EXPECT_TRUE(ticks[i].Major);
    EXPECT_TRUE(ticks[i].Recorded);
    EXPECT_EQ(ticks[i].MultiP, 1);
    EXPECT_EQ(ticks[i].Counter, static_cast<int>(i + 1));
  }
}

TEST(LogTicks, IntermediateTicksWhenMoreIntervalsAreAsked) {
  const std::vector<TScaleTick> ticks = allTicks(logarithmic(10, 1.0L, 1000.0L, true, false));
  ASSERT_EQ(ticks.size(), 28u);  // 1..9, 10..90, 100..900, 1000
  std::vector<long double> labelled;
  int counter = 0;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_TRUE(ticks[i].Recorded);
    EXPECT_TRUE(ticks[i].LineDrawn);
    if (i > 0) {
      EXPECT_LT(ticks[i - 1].Value, ticks[i].Value);
    }
    if (ticks[i].Major) {
      labelled.push_back(ticks[i].Value);
      EXPECT_EQ(ticks[i].Counter, ++counter);
    } else {
      EXPECT_EQ(ticks[i].Counter, 0);
    }
  }
  const std::vector<long double> expected = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  EXPECT_EQ(labelled, expected);
  EXPECT_EQ(ticks[2].MultiP, 3);
}

TEST(LogTicks, MinorTicksWithoutShortTicksDependOnOrientation) {
  const std::vector<TScaleTick> horizontal = allTicks(logarithmic(10, 1.0L, 1000.0L, false, true));
  ASSERT_EQ(horizontal.size(), 28u);
  TScaleTickList list;
  for (const TScaleTick& t : horizontal) {
    EXPECT_EQ(t.LineDrawn, t.Major);
    EXPECT_EQ(t.Recorded, t.Major);
    if (t.Recorded) list.Record(static_cast<double>(t.Value));
  }
  EXPECT_EQ(list.NumTicks(), 10);

  const std::vector<TScaleTick> vertical = allTicks(logarithmic(10, 1.0L, 1000.0L, false, false));
  ASSERT_EQ(vertical.size(), 10u);
  for (const TScaleTick& t : vertical) EXPECT_TRUE(t.Major && t.Recorded && t.LineDrawn);
}

TEST(LogTicks, OnlyTicksStrictlyInsideTheRange) {
  const std::vector<long double> values =
      majorValues(allTicks(logarithmic(3, 0.05L, 2000.0L, true, true)));
  const std::vector<long double> expected = {0.1L, 1.0L, 10.0L, 100.0L, 1000.0L};
  EXPECT_EQ(values, expected);
}

TEST(LogTicks, ReversedRangeStillAscends) {
  const std::vector<long double> values =
      majorValues(allTicks(logarithmic(3, 1000.0L, 1.0L, true, true)));
  const std::vector<long double> expected = {1.0L, 10.0L, 100.0L, 1000.0L};
  EXPECT_EQ(values, expected);
}

TEST(LogTicks, LessThanADecadeFallsBackToLinear) {
  TScaleTickWalk walk(logarithmic(3, 2.0L, 15.0L, true, true));
  EXPECT_TRUE(walk.UsesLinearTicks());
  const std::vector<long double> majors =
      majorValues(allTicks(logarithmic(3, 2.0L, 15.0L, true, true)));
  const std::vector<long double> expected = {2, 4, 6, 8, 10, 12, 14};
  EXPECT_EQ(majors, expected);
}

TEST(LogTicks, NonPositiveEndFallsBackToLinear) {
  TScaleTickWalk walk(logarithmic(3, 0.0L, 100.0L, true, true));
  EXPECT_TRUE(walk.UsesLinearTicks());
  const std::vector<long double> expected = {0, 20, 40, 60, 80, 100};
  EXPECT_EQ(majorValues(allTicks(logarithmic(3, 0.0L, 100.0L, true, true))), expected);
}

// --- label decimals ---------------------------------------------------------

struct DecimalsCase {
  int decPlaces;
  long double lo;
  long double hi;
  int expected;
};

void PrintTo(const DecimalsCase& c, std::ostream* os) {
  *os << "DecPlaces " << c.decPlaces << ", " << static_cast<double>(c.lo) << ".."
      << static_cast<double>(c.hi);
}

class LinearDecimals : public ::testing::TestWithParam<DecimalsCase> {};

TEST_P(LinearDecimals, FollowTheWidthOfTheRange) {
  const DecimalsCase& c = GetParam();
  EXPECT_EQ(CalcM(c.decPlaces, c.lo, c.hi), c.expected)
      << "DecPlaces " << c.decPlaces << ", width " << static_cast<double>(c.hi - c.lo);
}

// The band limits are e^(2.5 (n + 0.5)): 42.5211, 3.49034, 0.286505,
// 0.0235177, 0.00193045, 0.000158461. The four-digit values 42.52 and 3.490
// lie just below their limits.
INSTANTIATE_TEST_SUITE_P(
    BandEdges, LinearDecimals,
    ::testing::Values(DecimalsCase{-2, 0, 2e6L, -1}, DecimalsCase{-2, 0, 1e6L, -1},
                      DecimalsCase{-2, 0, 999999.0L, 0}, DecimalsCase{-2, 0, 100.0L, 0},
                      DecimalsCase{-2, 0, 99.99L, 0}, DecimalsCase{-2, 0, 42.5212L, 0},
                      DecimalsCase{-2, 0, 42.5210L, 1}, DecimalsCase{-2, 0, 42.52L, 1},
                      DecimalsCase{-2, 0, 40.0L, 1}, DecimalsCase{-2, 1.5L, 30.0L, 1},
                      DecimalsCase{-2, 0, 3.4904L, 1}, DecimalsCase{-2, 0, 3.4903L, 2},
                      DecimalsCase{-2, 0, 3.490L, 2}, DecimalsCase{-2, 0.25L, 2.5L, 2},
                      DecimalsCase{-2, 0, 0.5L, 2}, DecimalsCase{-2, 0, 0.28651L, 2},
                      DecimalsCase{-2, 0, 0.28650L, 3}, DecimalsCase{-2, 0, 0.023518L, 3},
                      DecimalsCase{-2, 0, 0.023517L, 4}, DecimalsCase{-2, 0, 0.0019305L, 4},
                      DecimalsCase{-2, 0, 0.0019304L, 5}, DecimalsCase{-2, 0, 0.00015847L, 5},
                      DecimalsCase{-2, 0, 0.00015846L, 6}, DecimalsCase{-2, 0, 0.000100001L, 6},
                      DecimalsCase{-2, 0, 0.0001, -1}, DecimalsCase{-2, 0, 5e-5L, -1},
                      DecimalsCase{-2, 1000000.0L, 1000010.0L, 1}, DecimalsCase{-2, 40.0L, 0, 1},
                      DecimalsCase{-3, 0, 40.0L, 1}, DecimalsCase{-3, 0, 2e6L, -1},
                      DecimalsCase{0, 0, 0.001L, 0}, DecimalsCase{5, 0, 2e6L, 5},
                      DecimalsCase{12, 0, 40.0L, 12}, DecimalsCase{-1, 0, 40.0L, -1}));

TEST(LogDecimals, FollowTheLowEnd) {
  EXPECT_EQ(CalcLogM(-2, 0.01L, 100.0L), 3);
  EXPECT_EQ(CalcLogM(-2, 0.5L, 50.0L), 1);
  EXPECT_EQ(CalcLogM(-2, 100.0L, 0.001L), 4);  // ordered first
  EXPECT_EQ(CalcLogM(-2, 1.0L, 1000.0L), 0);
  EXPECT_EQ(CalcLogM(-2, 20.0L, 5.0L), 0);
  EXPECT_EQ(CalcLogM(-2, 1.0L, 2e6L), -1);
  EXPECT_EQ(CalcLogM(-2, 0.01L, 0.01005L), -1);
  EXPECT_EQ(CalcLogM(-2, 0.0L, 100.0L), -1);
}

TEST(LogDecimals, OtherSettingsPassThrough) {
  EXPECT_EQ(CalcLogM(-3, 0.01L, 100.0L), -3);
  EXPECT_EQ(CalcLogM(-1, 0.01L, 100.0L), -1);
  EXPECT_EQ(CalcLogM(4, 0.01L, 100.0L), 4);
}

// --- tick-position list -----------------------------------------------------

TEST(TickList, IndexOutsideTheListReadsZero) {
  TScaleTickList list;
  list.Clear();
  EXPECT_EQ(list.NumTicks(), 0);
  EXPECT_EQ(list.TickPos(1), 0.0);
  list.Record(3.5);
  list.Record(-2.0);
  EXPECT_EQ(list.NumTicks(), 2);
  EXPECT_EQ(list.TickPos(0), 0.0);
  EXPECT_EQ(list.TickPos(1), 3.5);
  EXPECT_EQ(list.TickPos(2), -2.0);
  EXPECT_EQ(list.TickPos(3), 0.0);
  EXPECT_EQ(list.TickPos(-1), 0.0);
}

TEST(TickList, KeepsAtMost250AndClearsForTheNextRendering) {
  TScaleTickList list;
  for (int i = 1; i <= 300; ++i) list.Record(i);
  EXPECT_EQ(list.NumTicks(), 250);
  EXPECT_EQ(list.TickPos(250), 250.0);
  EXPECT_EQ(list.TickPos(251), 0.0);
  list.Clear();
  EXPECT_EQ(list.NumTicks(), 0);
  EXPECT_EQ(list.TickPos(1), 0.0);
  list.Record(7.0);
  EXPECT_EQ(list.TickPos(1), 7.0);
}

TEST(TickList, CopyIsIndependent) {
  TScaleTickList source;
  source.Record(1.0);
  TScaleTickList copy = source;
  source.Clear();
  source.Record(9.0);
  EXPECT_EQ(copy.NumTicks(), 1);
  EXPECT_EQ(copy.TickPos(1), 1.0);
}
