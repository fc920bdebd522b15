// The range rules on plain numbers and the zoom history ring with its undo
// chain.
#include "controls/chart/rules/PLX_ChartRanges.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/chart/rules/PLX_ZoomHistory.h"

namespace {

struct SpanCase {
  const char* name;
  long double lo, hi;
  bool log;
  long double lowWanted, highWanted;
};

TEST(ChartRangeRules, EqualEndsAreWidened) {
  const SpanCase cases[] = {
      {"linear by MinRange", 5, 5, false, 4.5L, 5.5L},
      {"logarithmic by 1.1", 5, 5, true, 5 / 1.1L, 5.5L},
      {"unequal ends stay", 5, 6, false, 5, 6},
  };
  for (const SpanCase& c : cases) {
    TAxisSpan s{c.lo, c.hi};
    WidenEqualEnds(s, c.log, 1);
    EXPECT_EQ(s.Lo, c.lowWanted) << c.name;
    EXPECT_EQ(s.Hi, c.highWanted) << c.name;
  }
  TAxisSpan one{3, 3};
  WidenByOne(one);
  EXPECT_EQ(one.Lo, 2);
  EXPECT_EQ(one.Hi, 4);
}

TEST(ChartRangeRules, RimInPerCentOfTheExtent) {
  TAxisSpan lin{0, 100};
  AddRim(lin, false, 10, false);
  EXPECT_EQ(lin.Lo, -10);
  EXPECT_EQ(lin.Hi, 110);
  // ln(100 / 1) * 50 % is one decade at each end.
  TAxisSpan log{1, 100};
  AddRim(log, true, 50, false);
  EXPECT_NEAR(double(log.Lo), 0.1, 1e-12);
  EXPECT_NEAR(double(log.Hi), 1000, 1e-9);
  // A non-positive low end takes ln Hi as the extent, unless the ratio is
  // asked for.
  TAxisSpan fromZero{0, std::exp(1.0L)};
  AddRim(fromZero, true, 100, false);
  EXPECT_NEAR(double(fromZero.Hi), std::exp(2.0), 1e-12);
  EXPECT_EQ(fromZero.Lo, 0);
  TAxisSpan ratio{-1, 1};
  AddRim(ratio, true, 10, true);
  EXPECT_TRUE(std::isnan(ratio.Lo));
  // Rim 0 leaves even a logarithmic axis without a valid extent alone.
  TAxisSpan none{-2, -1};
  AddRim(none, true, 0, false);
  EXPECT_EQ(none.Lo, -2);
  EXPECT_EQ(none.Hi, -1);
}

TEST(ChartRangeRules, MinimumRangeInPerCentOfTheCentre) {
  TAxisSpan narrow{3, 3};
  ApplyMinimumRange(narrow, 10);
  EXPECT_NEAR(double(narrow.Lo), 2.7, 1e-15);
  EXPECT_NEAR(double(narrow.Hi), 3.3, 1e-15);
  TAxisSpan wide{0, 100};
  ApplyMinimumRange(wide, 10);
  EXPECT_EQ(wide.Lo, 0);
  EXPECT_EQ(wide.Hi, 100);
  TAxisSpan zero{3, 3};
  ApplyMinimumRange(zero, 0);
  EXPECT_EQ(zero.Lo, 3);
}

TEST(ChartRangeRules, ConfinementClipsAndPansKeepTheWidth) {
  struct Case {
    const char* name;
    long double lo, hi;
    bool pan;
    long double lowWanted, highWanted;
  };
  const Case cases[] = {
      {"pan past the high end", 90, 110, true, 80, 100},
      {"pan past the low end", -10, 50, true, 0, 60},
      {"zoom past the low end", -10, 50, false, 0, 50},
      {"zoom past the high end", 90, 110, false, 90, 100},
      {"inside", 10, 20, true, 10, 20},
      {"pan wider than the box stops at its high end", -10, 120, true, -30, 100},
      {"reversed request", 110, 90, false, 100, 90},
      {"wholly above the box", 120, 130, false, 100, 100},
  };
  for (const Case& c : cases) {
    TAxisSpan s{c.lo, c.hi};
    ConfineAxis(s, 0, 100, c.pan);
    EXPECT_EQ(s.Lo, c.lowWanted) << c.name;
    EXPECT_EQ(s.Hi, c.highWanted) << c.name;
  }
}

TEST(ChartRangeRules, ExtentOfALayersItems) {
  TrcItemStore store;
  store.SetActiveLayer(2);
  store.MarkAt(5, 5, 1);
  store.Line(-3, 2, 4, 9);
  store.Ellipse(10, 0, 2, 1);  // reaches 8..12 x -1..1
  store.MoveToRelPix(1000, 1000);
  store.RectangleRelPix(500, 500, 3, 3);
  store.SetActiveLayer(3);
  store.MarkAt(-100, 100, 1);
  const TLayerExtent e = LayerExtent(store.Items(), store.NumItems(), 2);
  EXPECT_TRUE(e.Found);
  EXPECT_EQ(e.X.Lo, -3);
  EXPECT_EQ(e.X.Hi, 12);
  EXPECT_EQ(e.Y.Lo, -1);
  EXPECT_EQ(e.Y.Hi, 9);

  const TLayerExtent empty = LayerExtent(store.Items(), store.NumItems(), 5);
  EXPECT_FALSE(empty.Found);
  EXPECT_EQ(empty.X.Lo, 0);
  EXPECT_EQ(empty.Y.Hi, 0);
  // Relative-pixel items alone give no extent rather than +-1.7e308.
  TrcItemStore relOnly;
  relOnly.MoveToRelPix(3, 3);
  EXPECT_FALSE(LayerExtent(relOnly.Items(), relOnly.NumItems(), 1).Found);
}

TEST(ChartRangeRules, IsometricHalfHeight) {
  TChartFrame first{660, 395, 50, 20, 20, 40, 0};  // 591 x 336 data pixels
  EXPECT_NEAR(double(IsometricHalfHeight(40, first, 36, 36)), 40.0 * 336 / 591 / 2, 1e-15);
  EXPECT_NEAR(double(IsometricHalfHeight(40, first, 1, 2)), 40.0 * 336 / 591, 1e-14);
  TChartFrame noWidth{100, 395, 80, 21, 20, 40, 0};
  EXPECT_TRUE(std::isnan(IsometricHalfHeight(40, noWidth, 1, 1)));
}

// ---------------------------------------------------------------------------
// The history ring

TZoomHistory::TState stateOf(double v) {
  TZoomHistory::TState s;
  for (size_t n = 0; n < s.size(); ++n) s[n] = {v, v + 2, v + 1, v + n};
  return s;
}

TEST(ZoomHistoryRing, PushesWrapAfterSixteen) {
  TZoomHistory h;
  EXPECT_EQ(h.StackPoi(), 1);
  EXPECT_TRUE(h.Entry(1, 0).IsZero());
  for (int i = 1; i <= 17; ++i) h.Push(stateOf(i));
  EXPECT_EQ(h.StackPoi(), 2);
  EXPECT_EQ(h.Slot(0), 1);
  EXPECT_EQ(h.Slot(-15), 2);
  EXPECT_EQ(h.Entry(1, 0).Left, 17);
  EXPECT_EQ(h.Entry(1, -15).Left, 2);  // the first push is overwritten
  EXPECT_EQ(h.Entry(16, -15).Bottom, 2 + 15);
  EXPECT_TRUE(h.Entry(1, 1).IsZero());
  EXPECT_TRUE(h.Entry(1, -16).IsZero());
}

TEST(ZoomHistoryRing, ChainStepsBackAndForth) {
  TZoomHistory h;
  for (int i = 1; i <= 4; ++i) h.Push(stateOf(i));
  int index = 1;
  EXPECT_FALSE(h.StepChain(+1, index));
  EXPECT_TRUE(h.StepChain(-1, index));
  EXPECT_EQ(index, -1);
  EXPECT_TRUE(h.StepChain(-1, index));
  EXPECT_EQ(index, -2);
  EXPECT_TRUE(h.StepChain(+1, index));
  EXPECT_EQ(index, -1);
  EXPECT_TRUE(h.StepChain(-1, index));
  EXPECT_TRUE(h.StepChain(-1, index));
  EXPECT_EQ(index, -3);
  EXPECT_FALSE(h.StepChain(-1, index));
  EXPECT_EQ(index, -3);
}

TEST(ZoomHistoryRing, APushAfterSteppingBackDropsTheStatesAhead) {
  TZoomHistory h;
  for (int i = 1; i <= 4; ++i) h.Push(stateOf(i));
  int index = 0;
  h.StepChain(-1, index);
  h.StepChain(-1, index);  // at state 2
  h.Push(stateOf(5));
  EXPECT_FALSE(h.StepChain(+1, index));
  ASSERT_TRUE(h.StepChain(-1, index));
  EXPECT_EQ(h.Entry(1, index).Left, 2);  // index -3: states 3 and 4 still in the ring
  EXPECT_EQ(index, -3);
  ASSERT_TRUE(h.StepChain(-1, index));
  EXPECT_EQ(h.Entry(1, index).Left, 1);
  EXPECT_TRUE(h.StepChain(+1, index));
  EXPECT_TRUE(h.StepChain(+1, index));
  EXPECT_EQ(h.Entry(1, index).Left, 5);
}

TEST(ZoomHistoryRing, ChainEndsWhereTheRingOverwrote) {
  TZoomHistory h;
  for (int i = 1; i <= 20; ++i) h.Push(stateOf(i));
  int index = 0;
  int steps = 0;
  while (h.StepChain(-1, index)) ++steps;
  EXPECT_EQ(steps, 15);
  EXPECT_EQ(h.Entry(1, index).Left, 5);
  // Stepped back, then overwritten by further pushes: the chain keeps only
  // what the ring still holds.
  TZoomHistory g;
  for (int i = 1; i <= 3; ++i) g.Push(stateOf(i));
  g.StepChain(-1, index);
  g.StepChain(-1, index);  // at state 1
  for (int i = 4; i <= 16; ++i) g.Push(stateOf(i));
  steps = 0;
  while (g.StepChain(-1, index)) ++steps;
  EXPECT_EQ(steps, 13);
  EXPECT_EQ(g.Entry(1, index).Left, 1);
  while (g.StepChain(+1, index)) {
  }
  g.Push(stateOf(17));  // lands in state 1's slot
  steps = 0;
  while (g.StepChain(-1, index)) ++steps;
  EXPECT_EQ(steps, 13);
  EXPECT_EQ(g.Entry(1, index).Left, 4);
}

TEST(ZoomHistoryRing, ARestoredIndexBecomesCurrentInTheChain) {
  TZoomHistory h;
  for (int i = 1; i <= 5; ++i) h.Push(stateOf(i));
  h.RestoredIndex(-3);  // state 2
  int index = 0;
  ASSERT_TRUE(h.StepChain(+1, index));
  EXPECT_EQ(h.Entry(1, index).Left, 3);
  h.RestoredIndex(-15);  // nothing there: the cursor stays
  ASSERT_TRUE(h.StepChain(+1, index));
  EXPECT_EQ(h.Entry(1, index).Left, 4);
  h.Clear();
  EXPECT_FALSE(h.StepChain(-1, index));
  EXPECT_FALSE(h.StepChain(+1, index));
}

}  // namespace
