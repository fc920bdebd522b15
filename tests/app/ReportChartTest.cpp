// The report's charts: the first chart's layout and the Tuner chart at the
// picture's scale, every pixel measure grown with it.
#include "app/ReportChart.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>

#include "app/FeederCharts.h"
#include "app/TunerChart.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Locale.h"
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

// 400 Ω on a line of Z0 400 Ω: |Z| about 400 Ω at every length, matched by
// an internal tuner up to SWR 10 (thick); the feeder 30 m long.
TTunerResult FlatTunerResult() {
  TTunerResult r;
  r.setup.tuner = {TTuner::Internal, 10, 10, 1500};
  r.setup.feederM = 30;
  r.bands = {5};
  TTunerRow row;
  row.frequencyMHz = 14.175;
  row.feedImpedance = 400;
  r.rows = {row};
  r.sweep = {{14.175, 400, 5}};
  r.finder.table =
      std::make_shared<const TFinderTable>(r.setup.line, r.setup.tuner, r.sweep, r.setup.powerW);
  return r;
}

// How many pixels of the colour the column holds from y0 to y1.
int RunInColumn(const TBitmap& bmp, TColor color, int x, int y0, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) n += (bmp.PixelColor(x, y) & 0xFFFFFF) == color;
  return n;
}

struct ReportTunerChart : ::testing::Test {
  void SetUp() override { SetLocaleDecimalSeparator(u'.'); }
  void TearDown() override { SetLocaleDecimalSeparator(0); }
};

// At the Tuner page's size the picture is the page's chart, pixel for pixel,
// with the feeder length's black line (the page's crosshair) added.
TEST_F(ReportTunerChart, AtThePagesSizeItIsThePagesChartWithTheFeederLine) {
  const TTunerResult result = FlatTunerResult();
  QWidget parent;
  parent.resize(660, 350);
  TTunerChart page(&parent, 0, 0, 648, 336);
  parent.show();
  page.Show(result);
  TBitmap shown, report;
  page.Chart().CopyToBitmap(&shown, false);
  RenderReportTunerChart(result, 648, report);
  EXPECT_EQ(ReportTunerChartHeight(648), 336);
  ASSERT_EQ(report.Width(), shown.Width());
  ASSERT_EQ(report.Height(), shown.Height());
  int feederX = 0, y = 0;
  page.Chart().R2M(1, 30, 100, feederX, y);
  int differing = 0;
  for (int yy = 0; yy < report.Height(); ++yy) {
    for (int x = 0; x < report.Width(); ++x) {
      if (report.PixelColor(x, yy) == shown.PixelColor(x, yy)) continue;
      ++differing;
      EXPECT_EQ(x, feederX) << yy;
      EXPECT_EQ(report.PixelColor(x, yy) & 0xFFFFFF, TColor(clBlack)) << yy;
    }
  }
  EXPECT_GT(differing, 200);  // the line crosses the data area
}

// Three times the page's width: margins, the curve's thickness, the feeder
// line and the legend grow three times.
TEST_F(ReportTunerChart, MarginsLinesAndTheLegendGrowWithThePicture) {
  const TTunerResult result = FlatTunerResult();
  TBitmap screen, print;
  RenderReportTunerChart(result, 648, screen);
  RenderReportTunerChart(result, 3 * 648, print);
  EXPECT_EQ(print.Height(), 3 * 336);
  const TColor curve = TunerCurveColor(5);
  // The flat curve at 33 m, away from the feeder line: 2 pixels thick, 6 printed.
  const auto column = [](const TBitmap& b, double metres) {
    // The data area runs from the left margin to the legend's margin.
    const int left = int(std::lround(58 * b.Width() / 648.0));
    const int right = b.Width() - int(std::lround(118 * b.Width() / 648.0));
    return left + int(std::lround((right - left) * metres / TunerChartLongestM));
  };
  EXPECT_EQ(RunInColumn(screen, curve, column(screen, 33), 30, 300), 2);
  EXPECT_EQ(RunInColumn(print, curve, column(print, 33), 90, 900), 6);
  // The data area's frame 58 pixels in, 174 printed; white above the
  // tuner's range.
  const int high = 3 * 24 + 30;
  EXPECT_EQ(print.PixelColor(174, high) & 0xFFFFFF, TColor(clBlack));
  EXPECT_EQ(print.PixelColor(175, high) & 0xFFFFFF, TColor(clWhite));
  // The feeder line at 30 m: one pixel wide, three printed.
  int black = 0;
  for (int x = column(print, 30) - 8; x <= column(print, 30) + 8; ++x)
    black += (print.PixelColor(x, high) & 0xFFFFFF) == TColor(clBlack);
  EXPECT_EQ(black, 3);
  // The legend's first entry, right of the data area: its line in the
  // curve's colour, three times as long and as thick.
  const auto legendLine = [curve](const TBitmap& b) {
    TBitmap margin;
    const int left = b.Width() - int(std::lround(118 * b.Width() / 648.0));
    margin.SetSize(b.Width() - left, b.Height() / 4);
    margin.Canvas().Draw(-left, 0, b);
    return InkBox(margin, curve);
  };
  const TRect small = legendLine(screen), large = legendLine(print);
  ASSERT_EQ(small.Right - small.Left, 19);  // 18 pixels and the pen's end
  ASSERT_EQ(small.Bottom - small.Top, 2);
  EXPECT_NEAR(large.Right - large.Left, 3 * (small.Right - small.Left), 3);
  EXPECT_NEAR(large.Bottom - large.Top, 3 * (small.Bottom - small.Top), 2);
}

}  // namespace
