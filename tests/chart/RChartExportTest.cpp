// Export: the chart rendered afresh into a picture, in colour or in black and
// white, with the chart's own colours back afterwards; the clipboard, files
// and the caller's bitmaps as targets.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

#include "chart/FirstChart.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/Errors.h"
#include "support/FailingSaves.h"
#include "support/PixelMask.h"

namespace {

namespace fs = std::filesystem;

TColor Rgb(TColor c) { return TColor(ColorToRGB(c)); }

// A folder of its own under the test's temporary folder, removed afterwards.
// One folder per test and process: ctest runs the tests of this file side
// by side, and a shared folder would be emptied under another test's feet.
fs::path OwnTempFolder() {
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  return fs::path(::testing::TempDir()) /
         ("plx-chart-export-" + test + "-" + std::to_string(getpid()));
}

struct TempFolder {
  TempFolder() : path(OwnTempFolder()) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempFolder() { fs::remove_all(path); }
  fs::path path;
};

// The program's first chart: 660 x 395, data area columns 50..640, rows
// 20..355, x 0..40 and y 1.5..30.
struct FirstChart : ::testing::Test {
  FirstChart() {
    MakeFirstChart(chart);
    chart.HandleNeeded();
  }
  TPoint At(double x, double y) const {
    TPoint p{};
    chart.R2M(1, x, y, p.x, p.y);
    return p;
  }
  TColor PixelAt(const TBitmap& picture, double x, double y) const {
    const TPoint p = At(x, y);
    return picture.PixelColor(p.x, p.y);
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

// The whole chart is W x H, the data area (W - L - R - S + 1) x
// (H - T - B - S + 1), on every target; the data-area picture is the data
// area of the whole one.
TEST_F(FirstChart, PictureSizesOnEveryTarget) {
  chart.SetDataColor(clRed);
  chart.MarkAt(20, 10, 24);
  struct Case {
    int shadow;
    int areaWidth;
    int areaHeight;
  };
  for (const Case c : {Case{0, 591, 336}, Case{5, 586, 331}}) {
    SCOPED_TRACE(c.shadow);
    chart.SetShadowWidth(c.shadow);
    TBitmap whole;
    TBitmap area;
    chart.CopyToBitmap(&whole, false);
    chart.CopyToBitmapDAOnly(&area, false);
    EXPECT_EQ(whole.Width(), 660);
    EXPECT_EQ(whole.Height(), 395);
    ASSERT_EQ(area.Width(), c.areaWidth);
    ASSERT_EQ(area.Height(), c.areaHeight);
    TBitmap cut(c.areaWidth, c.areaHeight);
    cut.Canvas().Draw(-50, -20, whole);
    EXPECT_TRUE(SamePixels(area, cut));
    EXPECT_EQ(PixelAt(whole, 20, 10), clRed);

    TBitmap clip;
    chart.CopyToClipboard(false);
    ASSERT_TRUE(ClipboardGetBitmap(clip));
    EXPECT_TRUE(SamePixels(clip, whole));
    chart.CopyToClipboardDAOnly(false);
    ASSERT_TRUE(ClipboardGetBitmap(clip));
    EXPECT_TRUE(SamePixels(clip, area));
  }
}

// A chart resized and exported before it painted again: the data bitmap
// still has its old size, the picture the new one.
TEST_F(FirstChart, ExportRightAfterAResizeCoversTheWholeDataArea) {
  chart.SetBounds(0, 0, 500, 300);  // data area columns 50..480, rows 20..260
  TBitmap whole;
  TBitmap area;
  chart.CopyToBitmap(&whole, false);
  chart.SetBounds(0, 0, 660, 395);
  chart.CopyToBitmapDAOnly(&area, false);
  EXPECT_EQ(area.Width(), 591);
  EXPECT_EQ(area.Height(), 336);
  for (const TPoint frame : {TPoint{480, 200}, TPoint{300, 260}}) {
    EXPECT_EQ(whole.PixelColor(frame.x, frame.y), clBlack) << frame.x << ", " << frame.y;
  }
  EXPECT_EQ(whole.PixelColor(470, 250), clWhite);
}

// The picture is the chart as it looks without its crosshairs; the window
// keeps showing them and the data image is not touched. The chart bitmap
// keeps the exported picture.
TEST_F(FirstChart, CrosshairsAreNeverExportedAndTheWindowIsLeftAlone) {
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(clSilver);
  chart.SetGridDx(2);
  chart.SetGridDy(2.5);
  chart.SetDataColor(clYellow);
  chart.MarkAt(20, 7.1, 24);
  chart.Paint();
  TBitmap withoutCrossHairs;
  withoutCrossHairs.Assign(chart.ChartBmp());

  chart.CrossHair1().SetColor(clWhite);
  chart.CrossHair1().SetPosX(21);
  chart.CrossHair1().SetPosY(15);
  chart.CrossHair1().SetMode(chBoth);
  chart.CrossHair2().SetLineWid(3);
  chart.CrossHair2().SetPosX(10);
  chart.CrossHair2().SetMode(chVert);
  chart.Paint();
  TBitmap window;
  TBitmap data;
  window.Assign(chart.Surface());
  data.Assign(chart.GrafBmp());

  chart.CopyToClipboard(false);
  TBitmap picture;
  ASSERT_TRUE(ClipboardGetBitmap(picture));
  EXPECT_TRUE(SamePixels(picture, withoutCrossHairs));
  EXPECT_TRUE(SamePixels(chart.ChartBmp(), withoutCrossHairs));
  EXPECT_TRUE(SamePixels(chart.Surface(), window));
  EXPECT_TRUE(SamePixels(chart.GrafBmp(), data));

  TBitmap area;
  chart.CopyToBitmapDAOnly(&area, false);
  EXPECT_TRUE(SamePixels(area, data)) << "the data image never holds crosshairs either";
  EXPECT_TRUE(SamePixels(chart.Surface(), window));
}

// A chart in distinctive colours, with a shadow, a caption, a grid, a filled
// rectangle, a line and a mark.
struct ColourfulChart : FirstChart {
  ColourfulChart() {
    chart.SetAutoRedraw(true);
    chart.SetShadowWidth(4);  // data area columns 50..636, rows 20..351
    chart.SetShadowColor(clOlive);
    chart.SetShadowBakColor(clMaroon);
    chart.SetWindColor(clTeal);
    chart.SetChartColor(clNavy);
    chart.SetChartFrameColor(clRed);
    chart.Font().SetColor(clGreen);
    chart.SetCaption(u"Feeder");
    chart.SetGridStyle(gsLines);
    chart.SetGridColor(clPurple);
    chart.SetGridDx(10);
    chart.SetGridDy(10);
    chart.CrossHair1().SetColor(clLime);
    chart.ScalePropsX(2).SetColorScale(clGreen);
    chart.ScalePropsY(16).Font().SetColor(clAqua);
    chart.SetDataColor(clRed);
    chart.SetFillColor(clAqua);
    chart.Rectangle(5, 5, 15, 9);
    chart.MoveTo(22, 22);
    chart.DrawTo(32, 26);
    chart.MarkAt(35, 7.1, 24);
    chart.Paint();
  }
  // Every colour the chart itself holds, in one list.
  std::vector<TColor> Colours() {
    std::vector<TColor> all = {chart.WindColor(),
                               chart.ChartColor(),
                               chart.ChartFrameColor(),
                               chart.Font().Color(),
                               chart.ShadowColor(),
                               chart.ShadowBakColor(),
                               chart.GridColor(),
                               chart.CrossHair1().Color(),
                               chart.BackGroundImg().AreaColor()};
    for (int n = 1; n <= MaxLayers; ++n) {
      all.push_back(chart.ScalePropsX(n).ColorScale());
      all.push_back(chart.ScalePropsY(n).ColorScale());
      all.push_back(chart.ScalePropsX(n).Font().Color());
      all.push_back(chart.ScalePropsY(n).Font().Color());
    }
    return all;
  }
};

TEST_F(ColourfulChart, BlackAndWhiteColoursWhileExportingAndRestoredAfter) {
  const std::vector<TColor> before = Colours();
  std::vector<TColor> bw(before.size(), clBlack);
  bw[0] = clWhite;                                        // WindColor
  bw[1] = clWhite;                                        // ChartColor
  bw[4] = clSilver;                                       // ShadowColor
  bw[5] = clWhite;                                        // ShadowBakColor
  for (size_t keep : {6, 7, 8}) bw[keep] = before[keep];  // grid, crosshair, band

  std::vector<TColor> during;
  int chartRenders = 0;
  chart.OnScalesRendered = [&](TObject*, TCanvas&, int, int) { ++chartRenders; };
  chart.OnDataRendered = [&](TObject*, TCanvas&, int, int) { during = Colours(); };
  struct Export {
    const char* name;
    void (*run)(TRChart&, TBitmap&);
    int chartRenders;
  };
  const Export exports[] = {
      {"CopyToBitmap", [](TRChart& c, TBitmap& b) { c.CopyToBitmap(&b, true); }, 1},
      {"CopyToBitmapDAOnly", [](TRChart& c, TBitmap& b) { c.CopyToBitmapDAOnly(&b, true); }, 0},
      {"CopyToClipboard", [](TRChart& c, TBitmap&) { c.CopyToClipboard(true); }, 1},
      {"CopyToClipboardDAOnly", [](TRChart& c, TBitmap&) { c.CopyToClipboardDAOnly(true); }, 0},
  };
  for (const Export& e : exports) {
    SCOPED_TRACE(e.name);
    during.clear();
    chartRenders = 0;
    TBitmap picture;
    e.run(chart, picture);
    EXPECT_EQ(during, bw);
    EXPECT_EQ(Colours(), before);
    EXPECT_EQ(chartRenders, e.chartRenders) << "nothing repainted meanwhile";
    EXPECT_FALSE(chart.SuppressPaint());
  }
}

TEST_F(ColourfulChart, BlackAndWhitePicture) {
  TBitmap colour;
  TBitmap bw;
  chart.CopyToBitmap(&colour, false);
  chart.CopyToBitmap(&bw, true);
  struct Spot {
    const char* what;
    TPoint at;
    TColor colour;
    TColor bw;
  };
  const Spot spots[] = {
      {"window background", {5, 5}, clTeal, clWhite},
      {"shadow band", {300, 393}, clOlive, clSilver},
      {"corner square beside the shadow", {1, 393}, clMaroon, clWhite},
      {"data-area frame", {50, 100}, clRed, clBlack},
      {"data-area background", At(3, 3), clNavy, clWhite},
      {"grid line", At(10, 25), clPurple, clPurple},
      {"rectangle fill", At(8, 7), clAqua, clSilver},
      {"rectangle outline", At(5, 7), clRed, clBlack},
      {"line", At(22, 22), clRed, clBlack},
      {"mark", At(35, 7.1), clRed, clBlack},
  };
  for (const Spot& s : spots) {
    SCOPED_TRACE(s.what);
    EXPECT_EQ(colour.PixelColor(s.at.x, s.at.y), Rgb(s.colour));
    EXPECT_EQ(bw.PixelColor(s.at.x, s.at.y), Rgb(s.bw));
  }
  // The caption, the axes and their labels: no colour left anywhere.
  for (const TColor gone : {clTeal, clOlive, clMaroon, clRed, clNavy, clAqua, clGreen}) {
    EXPECT_EQ(MaskOf(bw, gone).find('#'), std::string::npos) << std::hex << gone;
    EXPECT_NE(MaskOf(colour, gone).find('#'), std::string::npos) << std::hex << gone;
  }
}

TEST(RChartExportFile, BmpFileName) {
  const std::pair<std::u16string, std::u16string> names[] = {
      {u"plot.png", u"plot.bmp"},
      {u"my.plot.old", u"my.bmp"},
      {u"report", u"report.bmp"},
      {u"out/plot.png", u"out/plot.bmp"},
      {u"out.v2/plot", u"out.v2/plot.bmp"},
      {u"a.b/c.d/my.plot.old", u"a.b/c.d/my.bmp"},
      {u"plot.bmp", u"plot.bmp"},
  };
  for (const auto& [given, written] : names) {
    EXPECT_EQ(TCustomRChart::BmpFileName(given), written);
  }
}

TEST_F(FirstChart, CopyToBMPWritesTheWholeChart) {
  TempFolder folder;
  chart.SetDataColor(clRed);
  chart.MarkAt(20, 10, 24);
  TBitmap expected;
  chart.CopyToBitmap(&expected, false);

  chart.CopyToBMP((folder.path / "plot.png").u16string(), false);
  EXPECT_FALSE(fs::exists(folder.path / "plot.png"));
  TBitmap file;
  file.LoadFromFile((folder.path / "plot.bmp").u16string());
  EXPECT_TRUE(SamePixels(file, expected));

  // A bare name goes to the current folder; an existing file is overwritten.
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path);
  chart.CopyToBMP(u"plot", true);
  fs::current_path(previous);
  file.LoadFromFile((folder.path / "plot.bmp").u16string());
  EXPECT_EQ(PixelAt(file, 20, 10), clBlack) << "the black-and-white picture replaced it";
}

// The error names the file; colours, painting, the window and the data image
// are as before, and the chart paints and exports again.
TEST_F(FirstChart, FileThatCannotBeWrittenLeavesTheChartUsable) {
  TempFolder folder;
  chart.SetAutoRedraw(true);
  chart.SetChartColor(clNavy);
  chart.Scale1X().SetColorScale(clGreen);
  chart.SetDataColor(clRed);
  chart.MarkAt(20, 10, 24);
  chart.Paint();
  TBitmap bwBefore;
  chart.CopyToBitmap(&bwBefore, true);
  TBitmap window;
  TBitmap data;
  window.Assign(chart.Surface());
  data.Assign(chart.GrafBmp());

  const fs::path missing = folder.path / "no-such-folder" / "plot.png";
  try {
    chart.CopyToBMP(missing.u16string(), true);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("no-such-folder/plot.bmp"), std::string::npos) << e.what();
  }
  EXPECT_EQ(chart.ChartColor(), clNavy);
  EXPECT_EQ(chart.WindColor(), clBtnFace);
  EXPECT_EQ(chart.Scale1X().ColorScale(), clGreen);
  EXPECT_FALSE(chart.SuppressPaint());
  EXPECT_TRUE(SamePixels(chart.Surface(), window));
  EXPECT_TRUE(SamePixels(chart.GrafBmp(), data));

  chart.SetChartColor(clMaroon);
  EXPECT_EQ(chart.Surface().PixelColor(100, 100), clMaroon) << "painted again";
  TBitmap bwAfter;
  chart.CopyToBitmap(&bwAfter, true);
  EXPECT_TRUE(SamePixels(bwAfter, bwBefore));

  // A caller that suppressed painting finds it still suppressed.
  chart.SetSuppressPaint(true);
  EXPECT_THROW(chart.CopyToBMP(missing.u16string(), false), EFileError);
  EXPECT_TRUE(chart.SuppressPaint());
}

// A file that fails while written, a pipe or a link: the error names the
// file and the reason, and nothing is lost or replaced that must not be.
TEST_F(FirstChart, CopyToBMPFailsSafely) {
  TempFolder folder;
  const failing_saves::TSave save = [this](const fs::path& name) {
    try {
      chart.CopyToBMP(name.u16string(), false);
    } catch (const EFileError& error) {
      return std::string(error.what());
    }
    return std::string();
  };
  failing_saves::ExpectWriteFailuresLoseNothing(save, folder.path, "plot.bmp");
  failing_saves::ExpectOnlyRegularFilesReplaced(save, folder.path, "plot.bmp");
}

}  // namespace
