#include "controls/chart/rules/PLX_ChartGrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Positions(const TGridAxis& axis) {
  std::vector<double> out;
  ForEachGridPosition(axis, [&](double x) { out.push_back(x); });
  return out;
}

TGridAxis Axis(double low, double high, double spacing, bool log = false) {
  TGridAxis a;
  a.RangeLow = low;
  a.RangeHigh = high;
  a.Spacing = spacing;
  a.Log = log;
  return a;
}

void ExpectPositions(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(actual[i], expected[i], 1e-9 * std::max(1.0, expected[i])) << "position " << i;
  }
}

TEST(ChartGrid, SpacingGivesMultiplesBelowTheUpperEnd) {
  std::vector<double> expected;
  for (int i = 0; i < 20; ++i) expected.push_back(2.0 * i);
  ExpectPositions(Positions(Axis(0, 40, 2)), expected);
  expected.clear();
  for (int i = 1; i <= 11; ++i) expected.push_back(2.5 * i);
  ExpectPositions(Positions(Axis(1.5, 30, 2.5)), expected);
}

TEST(ChartGrid, ReversedRangeUsesItsSmallerEnd) {
  ExpectPositions(Positions(Axis(10, 4, 2)), {4, 6, 8});
}

TEST(ChartGrid, NoMoreThanAThousandLines) {
  const std::vector<double> p = Positions(Axis(0, 100, 0.01));
  ASSERT_EQ(p.size(), 1000u);
  EXPECT_NEAR(p.back(), 9.99, 1e-9);
}

TEST(ChartGrid, SpacingZeroFollowsTheRecordedTicks) {
  TGridAxis a = Axis(0, 40, 0);
  for (double t : {0.0, 10.0, 20.0, 30.0, 40.0}) a.Ticks.Record(t);
  ExpectPositions(Positions(a), {0, 10, 20, 30});
  // Without recorded ticks only the lower end is drawn.
  ExpectPositions(Positions(Axis(0, 40, 0)), {0});
}

struct LogCase {
  double spacing;
  std::vector<double> expected;
};

class ChartGridLog : public ::testing::TestWithParam<LogCase> {};

TEST_P(ChartGridLog, OneToThousand) {
  ExpectPositions(Positions(Axis(1, 1000, GetParam().spacing, true)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Spacings, ChartGridLog,
    ::testing::Values(LogCase{-1, {1, 10, 100}}, LogCase{-2, {2, 5, 10, 20, 50, 100, 200, 500}},
                      LogCase{-3, {1,  2,  3,  4,  5,   6,   7,   8,   9,   10,  20,  30,  40, 50,
                                   60, 70, 80, 90, 100, 200, 300, 400, 500, 600, 700, 800, 900}},
                      LogCase{-0.5, {1,  2,  3,  4,  5,   6,   7,   8,   9,   10,  20,  30,  40, 50,
                                     60, 70, 80, 90, 100, 200, 300, 400, 500, 600, 700, 800, 900}}),
    [](const auto& test) { return "Spacing" + std::to_string(test.index); });

TEST(ChartGrid, LogarithmicAxisReachingZeroHasNoGrid) {
  EXPECT_TRUE(Positions(Axis(0, 1000, -1, true)).empty());
}

TEST(ChartGrid, PointsStopAfterAThousandDots) {
  int count = 0;
  std::vector<double> columns;
  ForEachGridPoint(Axis(0, 100, 1), Axis(0, 100, 1), count, [&](double x, double) {
    if (columns.empty() || columns.back() != x) columns.push_back(x);
  });
  EXPECT_EQ(count, 1000);
  ExpectPositions(columns, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
}

}  // namespace
