// The report's chart: the first chart's layout at the picture's scale, every
// pixel measure grown with it.
#include "app/ReportChart.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/FeederCharts.h"
#include "controls/chart/PLX_rchart.h"
#include "support/PixelMask.h"

namespace {

// The first chart with one calculation at 7.1 MHz and its lengths to avoid.
TReportChart Calculated() {
  TCustomRChart chart;
  LoadFirstChart(chart);
  TFeederState state;
  InitFeederState(state, 7.1);
  CalcSingle(state, 7.1, 85.3);
  PlotCalculation(chart, state, 7.1, true);
  return ReportChartOf(chart);
}

// The longest run of the colour along any row (or column).
int LongestRun(const TBitmap& bmp, TColor color, bool alongRows) {
  const TColor rgb = TColor(ColorToRGB(color));
  const int lines = alongRows ? bmp.Height() : bmp.Width();
  const int length = alongRows ? bmp.Width() : bmp.Height();
  int longest = 0;
  for (int l = 0; l < lines; ++l) {
    int run = 0;
    for (int i = 0; i < length; ++i) {
      const bool ink = (alongRows ? bmp.PixelColor(i, l) : bmp.PixelColor(l, i)) == rgb;
      run = ink ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST(ReportChart, ThePictureHasTheWidthAskedForInTheWindowsProportions) {
  TBitmap picture;
  RenderReportChart(Calculated(), 2056, picture);
  EXPECT_EQ(picture.Width(), 2056);
  EXPECT_EQ(picture.Height(), 1230);
  EXPECT_EQ(ReportChartHeight(FirstChartWidth), FirstChartHeight);
}

// Three times the window's width: the marks are discs of 21 pixels instead
// of 7, the bars 15 pixels thick instead of 5, the data area begins 150
// pixels in instead of 50, and the axes' texts are three times as high.
TEST(ReportChart, MarginsMarksBarsAndTextsGrowWithThePicture) {
  const TReportChart items = Calculated();
  TBitmap screen, print;
  RenderReportChart(items, FirstChartWidth, screen);
  RenderReportChart(items, 3 * FirstChartWidth, print);
  EXPECT_EQ(LongestRun(screen, FeederMarkColor, true), 7);
  EXPECT_EQ(LongestRun(print, FeederMarkColor, true), 21);
  EXPECT_EQ(LongestRun(print, FeederMarkColor, false), 21);
  EXPECT_EQ(LongestRun(screen, clRed, false), 5);
  EXPECT_EQ(LongestRun(print, clRed, false), 15);
  const int middle = print.Height() / 2;
  EXPECT_EQ(print.PixelColor(150, middle), clBlack);  // the data area's frame
  EXPECT_EQ(print.PixelColor(151, middle), TColor(ColorToRGB(clBackground)));
  // The bottom margin holds the horizontal axis's labels and its caption.
  TBitmap screenBottom, printBottom;
  screenBottom.SetSize(screen.Width(), 40);
  screenBottom.Canvas().Draw(0, -(screen.Height() - 40), screen);
  printBottom.SetSize(print.Width(), 120);
  printBottom.Canvas().Draw(0, -(print.Height() - 120), print);
  const TRect small = InkBox(screenBottom, clBlack), large = InkBox(printBottom, clBlack);
  EXPECT_NEAR(large.Bottom - large.Top, 3 * (small.Bottom - small.Top), 4);
  EXPECT_NEAR(large.Right - large.Left, 3 * (small.Right - small.Left), 12);
}

TEST(ReportChart, TheChartShowsTheRangesGiven) {
  TReportChart zoomed = Calculated();
  zoomed.x = {10, 20};
  TBitmap picture;
  RenderReportChart(zoomed, 3 * FirstChartWidth, picture);
  // Only the mark at 13.36 m lies within 10..20 m; its disc is whole.
  EXPECT_EQ(LongestRun(picture, FeederMarkColor, true), 21);
  const TRect disc = InkBox(picture, FeederMarkColor);
  EXPECT_EQ(disc.Right - disc.Left, 21);
  EXPECT_EQ(disc.Bottom - disc.Top, 21);
}

}  // namespace
