// The stand-in chart: its data area, grid, lines, black-and-white export and
// mouse report.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <string>
#include <vector>

#include "app/StandInChart.h"
#include "support/PixelMask.h"

namespace {

// 280 x 200 with margins 50, 20, 20, 40: data area columns 50..260, rows
// 20..160; x 0..40 on 210 pixels, y 1.5..30 on 140 pixels.
struct StandInChart : ::testing::Test {
  StandInChart() {
    chart.SetMargins(50, 20, 20, 40);
    chart.ScaleX().SetRange(0.0, 40.0);
    chart.ScaleY().SetRange(1.5, 30.0);
    chart.HandleNeeded();
  }
  const TBitmap& shown() {
    chart.ShowGraf();
    return chart.Surface();
  }
  TRChart chart;
};

TEST_F(StandInChart, OneDataAreaForAxesFrameAndMouse) {
  EXPECT_EQ(chart.DataArea(), (TRect{50, 20, 261, 161}));
  int px = 0;
  int py = 0;
  chart.R2M(0.0, 1.5, px, py);
  EXPECT_EQ((TPoint{px, py}), (TPoint{50, 160}));
  chart.R2M(40.0, 30.0, px, py);
  EXPECT_EQ((TPoint{px, py}), (TPoint{260, 20}));
  const TBitmap& bmp = shown();
  // The frame runs round the data area's outermost pixels.
  EXPECT_EQ(MaskOf(bmp, clBlack, 259, 18, 4, 4), Rows({"....", "....", "##..", ".#.."}));
  // At the bottom right the x axis's last tick continues the frame downwards.
  EXPECT_EQ(MaskOf(bmp, clBlack, 259, 159, 4, 4), Rows({".#..", "##..", ".#..", ".#.."}));

  std::vector<bool> inside;
  chart.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double, double) {
    inside.push_back(in);
  };
  for (TPoint p : {TPoint{50, 20}, TPoint{260, 160}, TPoint{49, 20}, TPoint{261, 100},
                   TPoint{100, 161}}) {
    chart.MouseMove(0, p.x, p.y);
  }
  EXPECT_EQ(inside, (std::vector<bool>{true, true, false, false, false}));
}

TEST_F(StandInChart, GridWithoutSpacingDrawsNoLines) {
  chart.SetGridColor(clRed);
  chart.SetGridDx(0.0);
  chart.SetGridDy(-1.0);
  EXPECT_EQ(MaskOf(shown(), clRed).find('#'), std::string::npos);

  chart.SetGridDx(10.0);
  chart.SetGridDy(0.0);
  const TBitmap& bmp = shown();
  // x = 10, 20, 30 on columns 102 (102.5 to even), 155, 208, each from the
  // frame up to row 21.
  std::vector<int> columns;
  for (int x = 0; x < 280; ++x) {
    if (bmp.PixelColor(x, 100) == clRed) columns.push_back(x);
  }
  EXPECT_EQ(columns, (std::vector<int>{102, 155, 208}));
  int red = 0;
  for (int y = 0; y < 200; ++y) red += bmp.PixelColor(155, y) == clRed;
  EXPECT_EQ(red, 139);
  EXPECT_EQ(bmp.PixelColor(155, 21), clRed);
  EXPECT_EQ(bmp.PixelColor(155, 20), clBlack);
}

// A line towards a point far outside keeps its direction: the canvas clips
// it exactly, nothing moves its end point.
TEST_F(StandInChart, FarAwayLineEndsDoNotBendTheLine) {
  chart.SetDataColor(clRed);
  chart.MoveTo(0.0, 1.5);                    // pixel (50, 160)
  chart.DrawTo(40000.0, 1.5 + 28.5 * 1000);  // 1000 times (260, 20) away from it
  const TBitmap& bmp = shown();
  EXPECT_EQ(bmp.PixelColor(200, 60), clRed);
  EXPECT_EQ(bmp.PixelColor(110, 120), clRed);
  EXPECT_EQ(bmp.PixelColor(53, 158), clRed);
}

TEST_F(StandInChart, BlackAndWhiteExportGivesEachAxisItsColourBack) {
  chart.ScaleX().SetColorScale(clNavy);
  chart.ScaleY().SetColorScale(clMaroon);
  chart.CopyToClipboard(true);
  EXPECT_EQ(chart.ScaleX().ColorScale(), clNavy);
  EXPECT_EQ(chart.ScaleY().ColorScale(), clMaroon);
  const QImage picture = QGuiApplication::clipboard()->image();
  ASSERT_EQ(picture.size(), QSize(280, 200));
  EXPECT_EQ(picture.pixel(50, 165) & 0xFFFFFF, 0u) << "a tick of the x axis, in black";
}

// With no pixel extent there is no value under the mouse; the move is still
// reported, outside the chart, instead of raising a division error.
TEST_F(StandInChart, MouseOverAnAxisWithoutExtent) {
  chart.SetBounds(0, 0, 70, 200);  // x axis: columns 50..50
  bool reported = false;
  chart.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double x, double y) {
    reported = true;
    EXPECT_FALSE(in);
    EXPECT_EQ(x, 20.0);
    EXPECT_EQ(y, 15.75);
  };
  EXPECT_NO_THROW(chart.MouseMove(0, 50, 60));
  EXPECT_TRUE(reported);
}

}  // namespace
