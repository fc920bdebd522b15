#include "controls/chart/rules/PLX_ChartMap.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The program's first chart: 660 x 395, margins 50, 20, 20, 40, no rim.
constexpr TChartFrame kFirstChart{660, 395, 50, 20, 20, 40, 0};

struct Layer {
  TAxisMap x;
  TAxisMap y;
};

Layer MapLayer(const TChartFrame& f, TAxisRange rx, TAxisRange ry) {
  Layer m;
  EXPECT_TRUE(MapHorizontalAxis(f, rx, m.x));
  EXPECT_TRUE(MapVerticalAxis(f, ry, m.y));
  return m;
}

TEST(ChartMap, FirstChartMapsItsRangesOntoTheDataArea) {
  const Layer m = MapLayer(kFirstChart, {0, 40, false}, {1.5, 30, false});
  EXPECT_EQ(m.x.ToPixel(20), 345);
  EXPECT_EQ(m.y.ToPixel(14), 208);  // 355 - 335 * 12.5 / 28.5 = 208.07
  EXPECT_EQ(m.x.ToPixel(0), 50);
  EXPECT_EQ(m.y.ToPixel(1.5), 355);
  EXPECT_EQ(m.x.ToPixel(40), 640);
  EXPECT_EQ(m.y.ToPixel(30), 20);
  EXPECT_DOUBLE_EQ(m.x.ToValue(345), 20.0);
  EXPECT_NEAR(m.y.ToValue(208), 14.00597, 1e-5);
}

TEST(ChartMap, ReversedRangeMirrorsTheAxis) {
  const Layer m = MapLayer(kFirstChart, {10, 0, false}, {0, 1, false});
  EXPECT_EQ(m.x.ToPixel(10), 50);
  EXPECT_EQ(m.x.ToPixel(0), 640);
}

TEST(ChartMap, PixelsBeyondThe32BitRangeAreLimited) {
  const Layer m = MapLayer(kFirstChart, {0, 40, false}, {1.5, 30, false});
  EXPECT_EQ(m.x.ToPixel(1e30), 2147483647);
  EXPECT_EQ(m.x.ToPixel(-1e30), -2147483647);
  EXPECT_EQ(m.y.ToPixel(-1e30), 2147483647);
}

TEST(ChartMap, HalvesRoundToTheEvenPixel) {
  // 0..590 over 590 columns from column 50: x + 50, so x.5 lies halfway.
  const Layer m = MapLayer(kFirstChart, {0, 590, false}, {0, 1, false});
  EXPECT_EQ(m.x.ToPixel(0.5), 50);
  EXPECT_EQ(m.x.ToPixel(1.5), 52);
  EXPECT_EQ(m.x.ToPixel(2.5), 52);
}

TEST(ChartMap, LogarithmicAxisSendsDecadesEvenlyAndNonPositiveValuesToTheEdge) {
  const TChartFrame f{670, 395, 50, 20, 20, 40, 0};  // W' = 600
  const Layer m = MapLayer(f, {1, 1000, true}, {1, 1000, true});
  EXPECT_EQ(m.x.ToPixel(1), 50);
  EXPECT_EQ(m.x.ToPixel(10), 250);
  EXPECT_EQ(m.x.ToPixel(1000), 650);
  EXPECT_EQ(m.x.ToPixel(0), 0);
  EXPECT_EQ(m.x.ToPixel(-5), 0);
  EXPECT_EQ(m.x.ToPixel(NAN), 0);
  EXPECT_EQ(m.y.ToPixel(0), 395);  // ascending: the bottom edge
  EXPECT_NEAR(m.x.ToValue(250), 10.0, 1e-9);
  const Layer reversed = MapLayer(f, {1000, 1, true}, {1000, 1, true});
  EXPECT_EQ(reversed.x.ToPixel(0), 670);
  EXPECT_EQ(reversed.y.ToPixel(0), 0);
}

TEST(ChartMap, LogarithmicAxisReachingZeroIsRefusedAndKeepsItsMapping) {
  TAxisMap map;
  ASSERT_TRUE(MapHorizontalAxis(kFirstChart, {0, 40, false}, map));
  EXPECT_FALSE(MapHorizontalAxis(kFirstChart, {0, 1000, true}, map));
  EXPECT_EQ(map.ToPixel(20), 345);
  EXPECT_FALSE(MapVerticalAxis(kFirstChart, {1, -3, true}, map));
}

TEST(ChartMap, AxisWithoutExtentMapsToTheMiddleAndIsNeverRefused) {
  const TChartFrame f{100, 100, 60, 50, 60, 50, 0};
  TAxisMap x;
  TAxisMap y;
  EXPECT_TRUE(MapHorizontalAxis(f, {0, 1000, true}, x));
  EXPECT_TRUE(MapVerticalAxis(f, {0, 1, false}, y));
  EXPECT_EQ(x.ToPixel(5), 50);
  EXPECT_EQ(y.ToPixel(123), 50);
  EXPECT_FALSE(y.HasExtent());
  EXPECT_THROW(y.ToValue(10), EZeroDivide);
}

}  // namespace
