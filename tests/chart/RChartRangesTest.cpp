// Chart ranges: SetRange and its rules, joined layers, confinement, the zoom
// history with ZoomBack and ZoomForward, isometric mode, SetEqualRange and
// AutoRange.
#include <gtest/gtest.h>

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
  return {chart.ScalePropsX(layer).RangeLow(), chart.ScalePropsY(layer).RangeLow(),
          chart.ScalePropsX(layer).RangeHigh(), chart.ScalePropsY(layer).RangeHigh()};
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

}  // namespace
