// The wheel zoom of the first chart: ranges zoomed about a point, the zoom
// limits, and wheel turns collected into whole notches.
#include <gtest/gtest.h>

#include <limits>

#include "app/ChartZoom.h"

namespace {

struct ZoomCase {
  TAxisView range;
  double about;
  int notches;
  TAxisView zoomed;
};

TEST(ChartZoom, ZoomedAboutKeepsThePointWhereItIs) {
  const ZoomCase cases[] = {
      {{0, 40}, 20, 1, {4, 36}},       // in about the middle: 32 m wide
      {{0, 40}, 20, -1, {-5, 45}},     // out: 50 m wide
      {{0, 40}, 0, 1, {0, 32}},        // about the left end, which stays
      {{0, 40}, 40, 2, {14.4, 40}},    // two notches: 1.25 squared
      {{1.5, 30}, 1.5, 0, {1.5, 30}},  // no notch, no change
      {{40, 0}, 20, 1, {36, 4}},       // a reversed axis stays reversed
  };
  for (const ZoomCase& c : cases) {
    const TAxisView z = ZoomedAbout(c.range, c.about, c.notches);
    EXPECT_DOUBLE_EQ(z.low, c.zoomed.low) << c.about << " " << c.notches;
    EXPECT_DOUBLE_EQ(z.high, c.zoomed.high) << c.about << " " << c.notches;
  }
}

TEST(ChartZoom, ZoomLimits) {
  const TAxisView home = {0, 40};
  EXPECT_TRUE(WithinZoomLimits(home, home));
  EXPECT_TRUE(WithinZoomLimits({20, 20 + 41e-6}, home));
  EXPECT_FALSE(WithinZoomLimits({20, 20 + 39e-6}, home));
  EXPECT_TRUE(WithinZoomLimits({40e6, 0}, home));  // reversed counts by its span
  EXPECT_FALSE(WithinZoomLimits({-1, 40e6}, home));
  EXPECT_FALSE(WithinZoomLimits({0, std::numeric_limits<double>::infinity()}, home));
  EXPECT_FALSE(WithinZoomLimits({0, std::numeric_limits<double>::quiet_NaN()}, home));
}

TEST(ChartZoom, WheelTurnsCountInWholeNotches) {
  TWheelNotches wheel;
  EXPECT_EQ(wheel.Take(60), 0);  // half a notch waits for the other half
  EXPECT_EQ(wheel.Take(60), 1);
  EXPECT_EQ(wheel.Take(240), 2);
  EXPECT_EQ(wheel.Take(-120), -1);
  EXPECT_EQ(wheel.Take(-90), 0);
  EXPECT_EQ(wheel.Take(90), 0);  // turned back: nothing left over
  EXPECT_EQ(wheel.Take(120), 1);
}

}  // namespace
