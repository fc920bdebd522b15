// Chart ranges: SetRange and its rules, joined layers, confinement, the zoom
// history with ZoomBack and ZoomForward, isometric mode, SetEqualRange and
// AutoRange.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>
#include <utility>

#include "chart/FirstChart.h"
#include "controls/chart/PLX_rchart.h"

namespace {

// The internal range application, as the mouse modes call it.
class RangeChart : public TRChart {
 public:
  using TCustomRChart::ForceRange;
};

struct Ranges {
  double xl, yl, xh, yh;
};

Ranges rangesOf(TCustomRChart& chart, int layer) {
  return {chart.ScalePropsX(layer).RangeLow(),
          chart.ScalePropsY(layer).RangeLow(),
          chart.ScalePropsX(layer).RangeHigh(),
          chart.ScalePropsY(layer).RangeHigh()};
}

void expectRanges(TCustomRChart& chart, int layer, Ranges want) {
  const Ranges r = rangesOf(chart, layer);
  EXPECT_DOUBLE_EQ(r.xl, want.xl) << "layer " << layer;
  EXPECT_DOUBLE_EQ(r.yl, want.yl) << "layer " << layer;
  EXPECT_DOUBLE_EQ(r.xh, want.xh) << "layer " << layer;
  EXPECT_DOUBLE_EQ(r.yh, want.yh) << "layer " << layer;
}

void expectEntry(const TRectDouble& e, Ranges want) {
  EXPECT_EQ(e.Left, want.xl);
  EXPECT_EQ(e.Bottom, want.yl);
  EXPECT_EQ(e.Right, want.xh);
  EXPECT_EQ(e.Top, want.yh);
}

class RangesOnFirstChart : public ::testing::Test {
 protected:
  void SetUp() override { MakeFirstChart(chart); }
  RangeChart chart;
};

// ---------------------------------------------------------------------------
// SetRange

TEST_F(RangesOnFirstChart, LoadingLeavesTheConstructionStateInTheHistory) {
  expectEntry(chart.ZoomStack(1, 0), {0, 0, 1, 1});
  EXPECT_TRUE(chart.ZoomStack(1, -1).IsZero());
}

TEST_F(RangesOnFirstChart, SetRangePushesAndZoomHistoryRestoresExactly) {
  chart.SetRange(1, 0, 1.5, 40, 30);
  expectRanges(chart, 1, {0, 1.5, 40, 30});
  expectEntry(chart.ZoomStack(1, 0), {0, 1.5, 40, 30});
  expectEntry(chart.ZoomStack(1, -1), {0, 0, 1, 1});
  chart.Scale1X().SetRangeLow(7);  // a property edit enters no state
  chart.Scale1Y().SetRangeHigh(12);
  chart.ZoomHistory(0);
  expectRanges(chart, 1, {0, 1.5, 40, 30});
  expectEntry(chart.ZoomStack(1, -1), {0, 0, 1, 1});  // restoring pushed nothing
  int x = 0, y = 0;
  chart.R2M(1, 40, 1.5, x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 355);
}

TEST_F(RangesOnFirstChart, EqualEndsAreWidened) {
  chart.Scale1X().SetMinRange(1);
  chart.SetRange(1, 5, 0, 5, 10);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 4.5);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 5.5);
  chart.Scale1X().SetMinRange(1e-10);
  chart.Scale1X().SetLogarithmic(true);
  chart.SetRange(1, 5, 1, 5, 10);
  EXPECT_EQ(chart.Scale1X().RangeLow(), double(5 / 1.1L));
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 5.5);
}

TEST_F(RangesOnFirstChart, RequestsThatCannotBeHonouredLeaveTheAxis) {
  chart.Scale1X().SetMinRange(1);
  chart.SetRange(1, 5, 0, 5.5, 10);  // narrower than MinRange
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 40);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  chart.SetRange(1, 0, 0, 1e400L, 10);  // beyond a double
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 40);
  chart.Scale1X().SetLogarithmic(true);  // 0..40 cannot be logarithmic
  EXPECT_FALSE(chart.Scale1X().Logarithmic());
  chart.SetRange(1, 2, 0, 40, 10);
  chart.Scale1X().SetLogarithmic(true);
  chart.SetRange(1, -3, 0, 400, 10);  // the low end keeps its value
  EXPECT_EQ(chart.Scale1X().RangeLow(), 2);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 400);
}

// An end that a logarithmic axis cannot take must not leave the other one
// meeting the kept end: the axis keeps its range.
TEST_F(RangesOnFirstChart, LogarithmicAxisNeverCollapsesToOneValue) {
  chart.SetRange(1, 1, 1, 100, 10);
  chart.Scale1Y().SetLogarithmic(true);
  ASSERT_TRUE(chart.Scale1Y().Logarithmic());
  chart.SetRange(1, 1, 10, 100, -5);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  chart.SetRange(1, 1, 0, 100, 1);
  EXPECT_EQ(chart.Scale1Y().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  int x = 0, y = 0;
  chart.R2M(1, 100, 10, x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 20);
  chart.SetRange(1, 1, 0, 100, 50);  // an end it can take is still taken
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 50);
}

// Ends a double cannot tell apart are no range: the axis keeps its own.
TEST_F(RangesOnFirstChart, EndsThatMeetInADoubleLeaveTheAxis) {
  chart.SetRange(1, 1e20L, 0, 1e20L + 1000, 10);  // apart in extended precision only
  EXPECT_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 40);
}

TEST_F(RangesOnFirstChart, ReversedRangeMirrorsTheAxis) {
  chart.SetRange(1, 10, 0, 0, 1);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 10);
  int x = 0, y = 0;
  chart.R2M(1, 10, 0, x, y);
  EXPECT_EQ(x, 50);
  chart.R2M(1, 0, 0, x, y);
  EXPECT_EQ(x, 640);
}

TEST_F(RangesOnFirstChart, LayerZeroSetsAllLayersWithOneStateEach) {
  chart.ClearZoomHistory();
  chart.SetRange(0, -1, -2, 3, 4);
  for (int n = 1; n <= MaxLayers; ++n) expectRanges(chart, n, {-1, -2, 3, 4});
  // Sixteen states, one after each layer: the oldest still held has layer 1
  // changed and layer 2 not yet.
  expectEntry(chart.ZoomStack(1, -15), {-1, -2, 3, 4});
  expectEntry(chart.ZoomStack(2, -15), {0, 0, 1, 1});
  expectEntry(chart.ZoomStack(16, -1), {0, 0, 1, 1});
  expectEntry(chart.ZoomStack(16, 0), {-1, -2, 3, 4});
}

TEST_F(RangesOnFirstChart, JoinedLayersFollowTheirMaster) {
  chart.JointLayers().SetL02xControlledBy(1);
  chart.SetRange(2, 0, 0, 5, 5);  // the horizontal request is ignored
  expectRanges(chart, 2, {0, 0, 40, 5});
  chart.ScalePropsY(2).SetRangeHigh(8);
  chart.SetRange(1, 0, 0, 5, 5);
  expectRanges(chart, 1, {0, 0, 5, 5});
  expectRanges(chart, 2, {0, 0, 5, 8});
  expectEntry(chart.ZoomStack(2, 0), {0, 0, 5, 8});  // the follower's state entered too
  expectEntry(chart.ZoomStack(2, -1), {0, 0, 40, 8});
}

// ---------------------------------------------------------------------------
// Confinement

TEST_F(RangesOnFirstChart, ConfinementKeepsThePanWidthAndClipsOtherChanges) {
  chart.ConfineZoomRange(0, 0, 100, 100);
  chart.SetMouseAction(maPan);
  chart.ForceRange(1, 90, 10, 110, 20, false, true);
  expectRanges(chart, 1, {80, 10, 100, 20});
  chart.ForceRange(1, 10, -5, 20, 15, false, true);
  expectRanges(chart, 1, {10, 0, 20, 20});
  chart.SetMouseAction(maPanHoriz);  // the vertical axis is clipped
  chart.ForceRange(1, 10, -5, 20, 15, false, true);
  expectRanges(chart, 1, {10, 0, 20, 15});
  chart.SetMouseAction(maZoom);
  chart.ForceRange(1, -10, 10, 50, 20, false, true);
  expectRanges(chart, 1, {0, 10, 50, 20});
  chart.SetRange(1, -10, 10, 50, 20);  // SetRange is never confined
  expectRanges(chart, 1, {-10, 10, 50, 20});
  chart.ConfineZoomRange(0, 0, 0, 0);
  chart.ForceRange(1, -10, 10, 150, 20, false, true);
  expectRanges(chart, 1, {-10, 10, 150, 20});
}

// ---------------------------------------------------------------------------
// History

TEST_F(RangesOnFirstChart, SeventeenPushesOverwriteTheOldest) {
  chart.ClearZoomHistory();  // state 0
  for (int i = 1; i <= 17; ++i) chart.SetRange(1, i, 0, i + 10, 10);
  expectEntry(chart.ZoomStack(1, -15), {2, 0, 12, 10});
  chart.ZoomHistory(-15);
  expectRanges(chart, 1, {2, 0, 12, 10});
  chart.ZoomHistory(1);
  chart.ZoomHistory(-16);
  expectRanges(chart, 1, {2, 0, 12, 10});
  EXPECT_TRUE(chart.ZoomStack(1, -16).IsZero());
  EXPECT_TRUE(chart.ZoomStack(1, 1).IsZero());
}

TEST_F(RangesOnFirstChart, ZoomBackAndForwardWalkTheHistory) {
  chart.ClearZoomHistory();  // A
  EXPECT_FALSE(chart.ZoomBack());
  chart.SetRange(1, 1, 1, 11, 11);  // B
  chart.SetRange(1, 2, 2, 12, 12);  // C
  chart.SetRange(1, 3, 3, 13, 13);  // D
  EXPECT_FALSE(chart.ZoomForward());
  ASSERT_TRUE(chart.ZoomBack());
  expectRanges(chart, 1, {2, 2, 12, 12});
  ASSERT_TRUE(chart.ZoomBack());
  expectRanges(chart, 1, {1, 1, 11, 11});
  ASSERT_TRUE(chart.ZoomForward());
  ASSERT_TRUE(chart.ZoomForward());
  expectRanges(chart, 1, {3, 3, 13, 13});
  EXPECT_FALSE(chart.ZoomForward());
  // A new range after going back drops what lay ahead.
  chart.ZoomBack();
  chart.ZoomBack();
  chart.SetRange(1, 4, 4, 14, 14);  // E
  EXPECT_FALSE(chart.ZoomForward());
  ASSERT_TRUE(chart.ZoomBack());
  expectRanges(chart, 1, {1, 1, 11, 11});
  ASSERT_TRUE(chart.ZoomBack());
  expectRanges(chart, 1, {0, 1.5, 40, 30});
  EXPECT_FALSE(chart.ZoomBack());
  ASSERT_TRUE(chart.ZoomForward());
  ASSERT_TRUE(chart.ZoomForward());
  expectRanges(chart, 1, {4, 4, 14, 14});
}

TEST_F(RangesOnFirstChart, ZoomBackStopsWhereTheRingOverwrote) {
  chart.ClearZoomHistory();
  for (int i = 1; i <= 20; ++i) chart.SetRange(1, i, 0, i + 10, 10);
  int steps = 0;
  while (chart.ZoomBack()) ++steps;
  EXPECT_EQ(steps, 15);
  expectRanges(chart, 1, {5, 0, 15, 10});
}

TEST_F(RangesOnFirstChart, RestoringJoinedLayersEntersNoState) {
  chart.JointLayers().SetL02xControlledBy(1);
  chart.ClearZoomHistory();
  chart.SetRange(1, 1, 1, 11, 11);  // two states: layer 1, then its follower
  chart.SetRange(1, 2, 2, 12, 12);
  const TRectDouble newest = chart.ZoomStack(2, 0);
  const TRectDouble oldest = chart.ZoomStack(1, -4);
  chart.ZoomHistory(-4);
  expectRanges(chart, 1, {0, 1.5, 40, 30});
  expectRanges(chart, 2, {0, 0, 40, 1});
  EXPECT_EQ(chart.ZoomStack(2, 0).Left, newest.Left);
  EXPECT_EQ(chart.ZoomStack(1, -4).Right, oldest.Right);
  ASSERT_TRUE(chart.ZoomForward());
  expectRanges(chart, 2, {1, 0, 11, 1});
}

TEST_F(RangesOnFirstChart, EachRangeCommandPaintsOnce) {
  int paints = 0;
  chart.OnScalesRendered = [&](TObject*, TCanvas&, int, int) { ++paints; };
  chart.SetSuppressPaint(false);
  paints = 0;
  chart.SetRange(0, 0, 0, 10, 10);
  EXPECT_EQ(paints, 1);
  chart.ZoomBack();
  EXPECT_EQ(paints, 2);
  chart.SetIsometric(true);
  EXPECT_EQ(paints, 3);
  chart.SetSuppressPaint(true);
  chart.SetRange(1, 0, 0, 20, 10);
  EXPECT_EQ(paints, 3);
}

// ---------------------------------------------------------------------------
// Isometric mode

TEST_F(RangesOnFirstChart, IsometricGivesEqualUnitsAroundTheCentre) {
  const double s = 40.0L * 336 / 591 / 2;  // 11.37
  chart.SetIsometric(true);
  EXPECT_NEAR(chart.Scale1Y().RangeLow(), 15.75 - s, 1e-12);
  EXPECT_NEAR(chart.Scale1Y().RangeHigh(), 15.75 + s, 1e-12);
  EXPECT_NEAR(s, 11.37, 0.005);
  expectEntry(chart.ZoomStack(1, 0), rangesOf(chart, 1));
  // SetRange keeps it: the vertical request only gives the centre.
  chart.SetRange(1, 0, 0, 20, 10);
  EXPECT_NEAR(chart.Scale1Y().RangeLow(), 5 - s / 2, 1e-12);
  EXPECT_NEAR(chart.Scale1Y().RangeHigh(), 5 + s / 2, 1e-12);
  // A change of geometry recomputes it: 541 data columns.
  chart.SetMarginLeft(100);
  EXPECT_NEAR(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 20.0L * 336 / 541, 1e-12);
  chart.SetBounds(0, 0, 760, 395);
  EXPECT_NEAR(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 20.0L * 336 / 641, 1e-12);
  EXPECT_NEAR(chart.Scale1Y().Center(), 5, 1e-12);
  // Off only stores the flag.
  chart.SetIsometric(false);
  chart.SetMarginLeft(50);
  EXPECT_NEAR(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 20.0L * 336 / 641, 1e-12);
}

TEST_F(RangesOnFirstChart, IsometricSetAgainAppliesTheRuleAgain) {
  chart.SetIsometric(true);
  chart.Scale1Y().SetRangeHigh(100);
  chart.SetIsometric(true);
  const double s = 40.0L * 336 / 591 / 2;
  EXPECT_NEAR(chart.Scale1Y().RangeHigh() - chart.Scale1Y().RangeLow(), 2 * s, 1e-12);
  expectEntry(chart.ZoomStack(1, 0), rangesOf(chart, 1));
  EXPECT_FALSE(chart.ZoomStack(1, -2).IsZero());  // two states entered
}

// ---------------------------------------------------------------------------
// SetEqualRange

TEST_F(RangesOnFirstChart, EqualRangeIsTheUnionOfTheListedLayers) {
  chart.SetRange(1, 0, 0, 10, 5);
  chart.SetRange(2, -5, 2, 5, 8);
  chart.SetRange(3, 100, 100, 200, 200);
  chart.SetEqualRange(TLayerSet().set(1).set(2));
  expectRanges(chart, 1, {-5, 0, 10, 8});
  expectRanges(chart, 2, {-5, 0, 10, 8});
  expectRanges(chart, 3, {100, 100, 200, 200});
  chart.SetEqualRangeXOnly(TLayerSet().set(1).set(3));
  expectRanges(chart, 1, {-5, 0, 200, 8});
  expectRanges(chart, 3, {-5, 100, 200, 200});
  chart.SetEqualRangeYOnly(TLayerSet().set(2).set(3));
  expectRanges(chart, 2, {-5, 0, 10, 200});
  expectRanges(chart, 3, {-5, 0, 200, 200});
  chart.SetEqualRange(TLayerSet());
  expectRanges(chart, 3, {-5, 0, 200, 200});
}

// ---------------------------------------------------------------------------
// AutoRange

TEST_F(RangesOnFirstChart, AutoRangeAddsTheMarginAndWidensASingleValue) {
  chart.Line(0, 2, 100, 12);
  chart.AutoRange(1, 10);
  expectRanges(chart, 1, {-10, 1, 110, 13});
  expectEntry(chart.ZoomStack(1, 0), {-10, 1, 110, 13});
  chart.ClearGraf();
  chart.MarkAt(3, 7, 1);
  chart.MarkAt(3, 7, 2);
  chart.AutoRange(1, 10);
  expectRanges(chart, 1, {2, 6, 4, 8});
}

TEST_F(RangesOnFirstChart, MinimumRangeOnlyWithAMarginWhenAllLayersAreRanged) {
  chart.MarkAt(3, 7, 1);
  chart.AutoRange(1, 0, 50);  // 50 % of the centre 3
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 1.5);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 4.5);
  chart.AutoRange(0, 0, 50);
  expectRanges(chart, 1, {2, 6, 4, 8});
  chart.AutoRange(0, 10, 100);  // 2..4 widened by 0.2, then 3 each side
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 1.8 - 3);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 4.2 + 3);
  expectRanges(chart, 5, {-1.2, -1.2, 1.2, 1.2});  // no items: 0..0 widened by one
}

TEST_F(RangesOnFirstChart, AllLayersMergeVisibleFollowersAndAreConfinedWithoutHistory) {
  chart.JointLayers().SetL02xControlledBy(1);
  chart.MarkAt(0, 1, 1);
  chart.MarkAt(10, 2, 1);
  chart.SetActiveLayer(2);
  chart.MarkAt(50, 20, 1);
  chart.ClearZoomHistory();
  chart.ConfineZoomRange(-100, -100, 45, 100);
  chart.AutoRange(0, 0);
  expectRanges(chart, 1, {0, 1, 45, 2});
  expectRanges(chart, 2, {0, 20 - 1, 45, 20 + 1});
  EXPECT_TRUE(chart.ZoomStack(1, -1).IsZero());
  chart.ConfineZoomRange(0, 0, 0, 0);
  chart.SetLayerVisible(2, false);
  chart.AutoRange(0, 0);
  expectRanges(chart, 1, {0, 1, 10, 2});
  expectRanges(chart, 2, {0, 19, 10, 21});
}

TEST_F(RangesOnFirstChart, OneAxisAutoRangeKeepsTheOtherAndSwitchesIsometricOff) {
  chart.MarkAt(0, 100, 1);
  chart.MarkAt(10, 200, 1);
  chart.SetIsometric(true);
  const Ranges before = rangesOf(chart, 1);
  chart.AutoRangeXOnly(1, 0);
  EXPECT_FALSE(chart.Isometric());
  expectRanges(chart, 1, {0, before.yl, 10, before.yh});
  chart.AutoRangeYOnly(0, 0);
  expectRanges(chart, 1, {0, 100, 10, 200});
}

// ---------------------------------------------------------------------------
// Random sequences of range commands

// Values a range command may get: ordinary, equal, reversed, zero and
// negative, near the smallest logarithm and the largest double.
class RangeValues {
 public:
  explicit RangeValues(unsigned seed) : FGen(seed) {}
  long double next() {
    static constexpr std::array<long double, 12> kSpecial{
        0, 1, -1, 10, 1e-100L, 2e-100L, -5, 1e300L, 1.7e308L, 1e20L, 1e20L + 1, 1e-300L};
    switch (pick(4)) {
      case 0:
        return kSpecial[size_t(pick(int(kSpecial.size())))];
      case 1:
        return FLast;  // equal to the value before
      case 2:
        return FLast = std::uniform_real_distribution<double>(-100, 100)(FGen);
      default:
        return FLast = std::pow(10.0L, std::uniform_int_distribution<int>(-120, 120)(FGen));
    }
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FGen); }

 private:
  std::mt19937 FGen;
  long double FLast = 1;
};

// Each layer's range ends differ, and its mapping coefficients are numbers:
// the pixels at both ends of the data area map back to finite values.
void expectMappedRanges(RangeChart& chart, const std::string& step) {
  for (int n = 1; n <= MaxLayers; ++n) {
    const Ranges r = rangesOf(chart, n);
    ASSERT_NE(r.xl, r.xh) << step << ", layer " << n;
    ASSERT_NE(r.yl, r.yh) << step << ", layer " << n;
    for (const auto& [px, py] : {std::pair{50, 355}, std::pair{640, 20}}) {
      double mx = 0, my = 0;
      chart.M2R(n, px, py, mx, my);
      ASSERT_TRUE(std::isfinite(mx) && std::isfinite(my))
          << step << ", layer " << n << ": " << mx << ", " << my;
    }
  }
}

void randomRangeCommand(RangeChart& chart, RangeValues& v, std::string& step) {
  const int layer = v.pick(MaxLayers + 1);
  switch (v.pick(7)) {
    case 0: {
      const long double xl = v.next(), yl = v.next(), xh = v.next(), yh = v.next();
      step = "SetRange(" + std::to_string(layer) + ", " + std::to_string(double(xl)) + ", " +
             std::to_string(double(yl)) + ", " + std::to_string(double(xh)) + ", " +
             std::to_string(double(yh)) + ")";
      chart.SetRange(layer, xl, yl, xh, yh);
      break;
    }
    case 1:
      step = "MarkAt and AutoRange(" + std::to_string(layer) + ")";
      chart.SetActiveLayer(1 + v.pick(MaxLayers));
      chart.MarkAt(double(v.next()), double(v.next()), 1);
      chart.AutoRange(layer, double(v.pick(30)) - 5, v.pick(3) * 10.0);
      break;
    case 2:
      step = "AutoRangeXOnly / YOnly(" + std::to_string(layer) + ")";
      if (v.pick(2) == 0) chart.AutoRangeXOnly(layer, 10);
      else chart.AutoRangeYOnly(layer, 0, 20);
      break;
    case 3:
      step = "SetEqualRange";
      chart.SetEqualRange(TLayerSet(unsigned(v.pick(1 << 16)) << 1));
      break;
    case 4:
      step = "ZoomHistory / ZoomBack / ZoomForward";
      if (v.pick(3) == 0) chart.ZoomHistory(-v.pick(16));
      else if (v.pick(2) == 0) chart.ZoomBack();
      else chart.ZoomForward();
      break;
    case 5:
      step = "SetIsometric";
      chart.SetIsometric(v.pick(2) == 0);
      break;
    default:
      step = "ForceRange(" + std::to_string(layer) + ")";
      chart.ForceRange(1 + v.pick(MaxLayers), v.next(), v.next(), v.next(), v.next(), true, true);
      break;
  }
}

TEST(RangeSequences, NoSequenceOfRangeCommandsBreaksTheMapping) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    RangeChart chart;
    MakeFirstChart(chart);
    for (int n = 1; n <= MaxLayers; ++n) {
      chart.SetRange(n, 1, 1, 1000, 100);
      if (n % 2 == 1) chart.ScalePropsX(n).SetLogarithmic(true);
      if (n % 3 != 0) chart.ScalePropsY(n).SetLogarithmic(true);
    }
    chart.ConfineZoomRange(1e-5, 1e-5, 1e5, 1e5);
    RangeValues values(seed);
    std::string step;
    for (int i = 0; i < 300; ++i) {
      randomRangeCommand(chart, values, step);
      expectMappedRanges(chart, "seed " + std::to_string(seed) + ", " + step);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
