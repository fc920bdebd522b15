// Export: the chart rendered afresh into a picture, in colour or in black and
// white, with the chart's own colours back afterwards.
#include <gtest/gtest.h>

#include <vector>

#include "controls/chart/PLX_rchart.h"
#include "platform/Bitmap.h"
#include "support/PixelMask.h"

namespace {

// The program's first chart: 660 x 395, data area columns 50..640, rows
// 20..355, x 0..40 and y 1.5..30.
struct FirstChart : ::testing::Test {
  FirstChart() {
    chart.BeginLoading();
    chart.SetBounds(0, 0, 660, 395);
    chart.Scale1X().SetRangeHigh(40);
    chart.Scale1Y().SetRangeHigh(30);
    chart.Scale1Y().SetRangeLow(1.5);
    chart.Loaded();
    chart.HandleNeeded();
  }
  TRChart chart;
};

TEST_F(FirstChart, BlackAndWhiteExportGivesEachAxisItsOwnColourBack) {
  chart.Scale1X().SetColorScale(clNavy);
  chart.Scale1Y().SetColorScale(clMaroon);
  TBitmap picture;
  chart.CopyToBitmap(&picture, true);
  EXPECT_EQ(chart.Scale1X().ColorScale(), clNavy);
  EXPECT_EQ(chart.Scale1Y().ColorScale(), clMaroon);
  ASSERT_EQ(picture.Width(), 660);
  ASSERT_EQ(picture.Height(), 395);
  EXPECT_EQ(picture.PixelColor(50, 360), clBlack) << "a tick of the x axis, in black";
  EXPECT_EQ(picture.PixelColor(45, 314), clBlack) << "a tick of the y axis, in black";

  TBitmap colour;
  chart.CopyToBitmap(&colour, false);
  EXPECT_EQ(colour.PixelColor(50, 360), clNavy);
  EXPECT_EQ(colour.PixelColor(45, 314), clMaroon);
}

// With spacing 0 the grid follows the ticks the axes recorded when they were
// drawn; the frame covers the lines at the range ends.
TEST_F(FirstChart, GridWithoutSpacingFollowsTheRecordedTicks) {
  chart.SetGridColor(clRed);
  chart.SetGridStyle(gsVertLines);
  chart.SetGridDx(0.0);
  chart.Paint();
  ASSERT_GT(chart.TickNumX(), 2);
  std::vector<int> expected;
  for (int i = 1; i <= chart.TickNumX(); ++i) {
    const double x = chart.TickPosX(i);
    if (x <= 0 || x >= 40) continue;  // the frame covers both ends
    int px = 0;
    int py = 0;
    chart.R2M(1, x, 10, px, py);
    expected.push_back(px);
  }
  std::vector<int> columns;
  for (int x = 0; x < 660; ++x) {
    if (chart.Surface().PixelColor(x, 100) == clRed) columns.push_back(x);
  }
  EXPECT_EQ(columns, expected);
}

}  // namespace
