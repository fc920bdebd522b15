// The rendering pipeline: when the chart paints, what reaches the window,
// size limits and the chart bitmap's rim and caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "chart/FirstChart.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

TColor WindowPixel(const TRChart& chart, int x, int y) { return chart.Surface().PixelColor(x, y); }

TColor Rgb(TColor c) { return TColor(ColorToRGB(c)); }

// The bounding box of the pixels of one colour.
TRect InkOf(const TBitmap& bmp, TColor color) {
  TRect r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      if (bmp.PixelColor(x, y) != Rgb(color)) continue;
      r = {std::min(r.Left, x),
           std::min(r.Top, y),
           std::max(r.Right, x + 1),
           std::max(r.Bottom, y + 1)};
    }
  }
  return r;
}

TEST(RChartPaint, NothingIsPaintedWhileSuppressed) {
  TRChart chart;
  chart.SetChartColor(clYellow);
  chart.Paint();
  EXPECT_NE(WindowPixel(chart, 100, 100), Rgb(clYellow));
  chart.SetSuppressPaint(false);
  EXPECT_EQ(WindowPixel(chart, 100, 100), Rgb(clYellow));
  EXPECT_EQ(WindowPixel(chart, 5, 5), Rgb(clBtnFace));
  chart.SetSuppressPaint(true);
  chart.SetChartColor(clAqua);
  EXPECT_EQ(WindowPixel(chart, 100, 100), Rgb(clYellow));
}

TEST(RChartPaint, TheWindowLiftsSuppressionWithoutPainting) {
  TRChart chart;
  chart.HandleNeeded();
  EXPECT_FALSE(chart.SuppressPaint());
}

TEST(RChartPaint, ShowGrafRepaintsOnlyTheDataArea) {
  TRChart chart;
  chart.SetSuppressPaint(false);
  chart.SetAutoRedraw(false);
  chart.SetWindColor(clRed);  // stored only
  chart.SetChartColor(clYellow);
  chart.SetAutoRedraw(true);
  chart.ShowGraf();
  EXPECT_EQ(WindowPixel(chart, 100, 100), Rgb(clYellow));
  EXPECT_EQ(WindowPixel(chart, 5, 5), Rgb(clBtnFace));
  chart.SetAutoRedraw(false);
  chart.ShowGraf();
  EXPECT_EQ(WindowPixel(chart, 5, 5), Rgb(clRed));
}

TEST(RChartPaint, ShowGrafPresentsNewItemsWithoutTouchingTheChartBitmap) {
  TRChart chart;
  chart.SetSuppressPaint(false);
  chart.SetDataColor(clRed);
  chart.MarkAt(0.5, 0.5, 9);
  int x = 0, y = 0;
  chart.R2M(1, 0.5, 0.5, x, y);
  EXPECT_NE(WindowPixel(chart, x, y), Rgb(clRed));
  chart.ShowGraf();
  EXPECT_EQ(WindowPixel(chart, x, y), Rgb(clRed));
  EXPECT_NE(chart.ChartBmp().PixelColor(x, y), Rgb(clRed));
  chart.ClearGraf();
  chart.ShowGraf();
  EXPECT_EQ(WindowPixel(chart, x, y), Rgb(clWhite));
}

TEST(RChartPaint, ShowGrafNewOnlyDrawsOverTheCurrentImage) {
  TRChart chart;
  chart.SetSuppressPaint(false);
  chart.SetDataColor(clRed);
  chart.MarkAt(0.5, 0.5, 9);
  chart.ShowGraf();
  chart.Store().RemoveLastItem();
  chart.ShowGrafNewOnly();  // nothing erased
  int x = 0, y = 0;
  chart.R2M(1, 0.5, 0.5, x, y);
  EXPECT_EQ(WindowPixel(chart, x, y), Rgb(clRed));
}

TEST(RChartPaint, InvisibleChartIgnoresShowGraf) {
  TRChart chart;
  chart.SetSuppressPaint(false);
  chart.SetVisible(false);
  chart.SetDataColor(clRed);
  chart.MarkAt(0.5, 0.5, 9);
  chart.ShowGraf();
  int x = 0, y = 0;
  chart.R2M(1, 0.5, 0.5, x, y);
  EXPECT_NE(WindowPixel(chart, x, y), Rgb(clRed));
}

TEST(RChartPaint, SizeIsRaisedToTheMarginsPlusTheSmallestDataArea) {
  TRChart chart;
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.Width(), 150);
  EXPECT_EQ(chart.Height(), 80);
  chart.SetShadowWidth(5);
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.Width(), 155);
  EXPECT_EQ(chart.Height(), 85);
}

// Margins and axis offsets far beyond any window: painting, the mapping,
// the crosshairs and the mouse compute no size or position that overflows,
// and margins as wide as the control leave an empty data area.
struct HugeMargins {
  void (TCustomRChart::*first)(int);
  void (TCustomRChart::*second)(int);
  bool vertical;
};

void useChartWithMargins(const HugeMargins& m, int first, int second) {
  TRChart chart;
  MakeFirstChart(chart);
  chart.SetSuppressPaint(false);
  chart.SetShadowWidth(5);
  chart.SetIsometric(true);
  chart.CrossHairSetup(1, clRed, chBoth, psSolid, 3);
  chart.CrossHairSetPos(1, 20, 14);
  chart.SetCaptionAnchorHoriz(cahChartCenter);
  chart.SetCaptionAnchorVert(cavChartCenter);
  chart.Scale1X().SetVisible(true);
  chart.Scale1X().SetScalePos(INT_MAX);
  chart.Scale1Y().SetVisible(true);
  chart.Scale1Y().SetScalePos(INT_MIN);
  chart.MarkAt(20, 14, 24);
  (chart.*m.first)(first);
  (chart.*m.second)(second);
  chart.ShowGraf();
  chart.Paint();
  chart.MouseMove(0, 100, 100);
  int x = 0, y = 0;
  chart.R2M(1, 20, 14, x, y);
  double rx = 0, ry = 0;
  chart.M2R(1, 100, 100, rx, ry);
  const TBitmap& area = chart.GrafBmp();
  if (first > 0 && second > 0) {
    EXPECT_EQ(m.vertical ? area.Height() : area.Width(), 0);
  } else {
    EXPECT_GT(m.vertical ? area.Height() : area.Width(), m.vertical ? 395 : 660);
  }
  EXPECT_EQ(m.vertical ? area.Width() : area.Height(),
            m.vertical ? 660 - 50 - 20 - 5 + 1 : 395 - 20 - 40 - 5 + 1);
}

TEST(RChartPaint, MarginsFarBeyondTheWindowOverflowNothing) {
  const std::vector<HugeMargins> sides{
      {&TCustomRChart::SetMarginLeft, &TCustomRChart::SetMarginRight, false},
      {&TCustomRChart::SetMarginRight, &TCustomRChart::SetMarginLeft, false},
      {&TCustomRChart::SetMarginTop, &TCustomRChart::SetMarginBottom, true},
      {&TCustomRChart::SetMarginBottom, &TCustomRChart::SetMarginTop, true}};
  for (const HugeMargins& m : sides) {
    useChartWithMargins(m, INT_MAX, INT_MAX);
    useChartWithMargins(m, INT_MAX - 3, 100000);
    useChartWithMargins(m, INT_MIN, 20);
  }
}

TEST(RChartPaint, SizeAndMarginsStayWithinTheirLimits) {
  TRChart chart;
  chart.SetMarginLeft(INT_MAX);
  chart.SetMarginTop(INT_MIN);
  EXPECT_EQ(chart.MarginLeft(), 32767);
  EXPECT_EQ(chart.MarginTop(), -32767);
  chart.SetMarginLeft(50);
  chart.SetMarginTop(20);
  // 2^24 x 300 pixels would take 20 GB a picture: the chart says so and stays
  // as it was, painted as before.
  chart.SetBounds(0, 0, 400, 300);
  chart.SetSuppressPaint(false);
  const std::vector<uint32_t> before(chart.ChartBmp().ScanLine(150),
                                     chart.ChartBmp().ScanLine(150) + 400);
  EXPECT_THROW(chart.SetBounds(0, 0, INT_MAX, 300), EPLXRChartError);
  EXPECT_THROW(chart.SetBounds(0, 0, 1 << 14, 1 << 13), EPLXRChartError);
  EXPECT_EQ(chart.Width(), 400);
  EXPECT_EQ(chart.Height(), 300);
  EXPECT_EQ(chart.ChartBmp().Width(), 400);
  EXPECT_EQ(chart.ChartBmp().Height(), 300);
  EXPECT_EQ(
      std::vector<uint32_t>(chart.ChartBmp().ScanLine(150), chart.ChartBmp().ScanLine(150) + 400),
      before);
  // As many pixels as a picture may hold are taken.
  TRChart flat;
  flat.SetMarginLeft(0);
  flat.SetMarginRight(0);
  flat.SetMarginTop(0);
  flat.SetMarginBottom(0);
  flat.SetBounds(0, 0, 1 << 16, 1 << 10);
  EXPECT_EQ(flat.Width(), 1 << 16);
  EXPECT_EQ(flat.Height(), 1 << 10);
}

TEST(RChartPaint, ShadowWidthIsClamped) {
  TRChart chart;
  chart.SetShadowWidth(40);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  chart.SetShadowWidth(-5);
  EXPECT_EQ(chart.ShadowWidth(), 0);
}

TEST(RChartPaint, RimIsDrawnAtTheRightAndBottom) {
  TRChart chart;
  chart.SetShadowWidth(4);
  chart.SetShadowColor(clGray);
  chart.SetShadowBakColor(clAqua);
  chart.SetSuppressPaint(false);
  const TBitmap& bmp = chart.ChartBmp();
  // The corner square, less the front face's outline and the band's top row.
  EXPECT_EQ(MaskOf(bmp, clAqua, 274, 0, 6, 6),
            Rows({"...###", "...###", "...###", "......", "......", "......"}));
  EXPECT_EQ(bmp.PixelColor(278, 100), Rgb(clGray));
  EXPECT_EQ(bmp.PixelColor(100, 198), Rgb(clGray));
  EXPECT_EQ(bmp.PixelColor(276, 100), Rgb(clBlack));  // the front face's outline
}

// The horizontal anchor at the chart's right subtracts the rim, the anchor at
// its bottom does not.
TEST(RChartPaint, CaptionAnchorsWithARim) {
  TRChart chart;
  chart.Font().SetColor(clRed);
  chart.SetCaption(u"Caption");
  chart.SetCaptionAnchorVert(cavChartBottom);
  chart.SetCaptionPosY(0);
  chart.SetSuppressPaint(false);
  const TRect flat = InkOf(chart.ChartBmp(), clRed);
  chart.SetShadowWidth(10);
  const TRect rim = InkOf(chart.ChartBmp(), clRed);
  EXPECT_EQ(rim.Left, flat.Left - 10);
  EXPECT_EQ(rim.Right, flat.Right - 10);
  EXPECT_EQ(rim.Top, flat.Top);
  EXPECT_LE(flat.Right, 280 - 20);  // right-justified at W - R - S
  EXPECT_GE(flat.Top, 200 - 40);
  chart.SetCaptionAlignment(taLeftJustify);
  EXPECT_GE(InkOf(chart.ChartBmp(), clRed).Left, 250);
}

// Paint does not fill the background under the data bitmap, which it copies
// there: nothing of an earlier picture may show through, whatever the
// geometry. The export fills the whole chart bitmap first.
TEST(RChartPaint, PaintLeavesNothingOfAnEarlierPicture) {
  struct Geometry {
    const char* what;
    int L, R, T, B, S;
  };
  const Geometry cases[] = {{"the first chart's margins", 50, 20, 20, 40, 0},
                            {"with a rim", 50, 20, 20, 40, 6},
                            {"margins wider than the control", 200, 200, 150, 150, 3},
                            {"negative margins", -10, -5, -8, -3, 0}};
  for (const Geometry& g : cases) {
    TRChart chart;
    chart.SetMarginLeft(g.L);
    chart.SetMarginRight(g.R);
    chart.SetMarginTop(g.T);
    chart.SetMarginBottom(g.B);
    chart.SetShadowWidth(g.S);
    chart.SetCaption(u"Caption");
    chart.SetSuppressPaint(false);
    TCanvas& cv = chart.ChartBmp().Canvas();
    cv.Brush().SetColor(clRed);
    cv.FillRect({0, 0, chart.Width(), chart.Height()});
    chart.Paint();
    TBitmap painted;
    painted.Assign(chart.ChartBmp());
    TBitmap exported;
    chart.CopyToBitmap(&exported, false);
    EXPECT_TRUE(SamePixels(painted, exported)) << g.what;
    EXPECT_EQ(InkOf(painted, clRed).Left, INT_MAX) << g.what;
  }
}

TEST(RChartPaint, BackgroundBandInLayerOneUnits) {
  TRChart chart;
  chart.Scale1X().SetRangeLow(-2);
  chart.Scale1X().SetRangeHigh(2);
  chart.BackGroundImg().SetAreaMode(bamVStripe);
  chart.BackGroundImg().SetAreaColor(clAqua);
  chart.SetSuppressPaint(false);
  int left = 0, right = 0, y = 0;
  chart.R2M(1, -1, 0, left, y);
  chart.R2M(1, 1, 0, right, y);
  const TBitmap& data = chart.GrafBmp();
  const int row = 50;
  EXPECT_NE(data.PixelColor(left - 50 - 1, row), Rgb(clAqua));
  EXPECT_EQ(data.PixelColor(left - 50, row), Rgb(clAqua));
  EXPECT_EQ(data.PixelColor(right - 50 - 1, row), Rgb(clAqua));
  EXPECT_NE(data.PixelColor(right - 50, row), Rgb(clAqua));
}

TEST(RChartPaint, UnreadableBackgroundImageFallsBackToThePlainColour) {
  TRChart chart;
  chart.SetChartColor(clYellow);
  chart.BackGroundImg().SetName(u"no-such-image.png");
  chart.SetSuppressPaint(false);
  EXPECT_TRUE(chart.BackGroundImg().Name().empty());
  EXPECT_EQ(chart.GrafBmp().PixelColor(20, 20), Rgb(clYellow));
}

}  // namespace

namespace {

// Two first charts alike, but one watches its renderings: ShowGraf renders
// its data area into the data bitmap and copies that onto the window, while
// the other renders straight onto the window and takes the data bitmap from
// there when it is read.
class TwoWaysOfShowGraf : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TRChart* chart : {&direct, &watched}) {
      MakeFirstChart(*chart);
      chart->SetSuppressPaint(false);
      chart->SetGridStyle(gsLines);
      chart->SetGridColor(clSilver);
      chart->SetGridDx(2);
      chart->SetGridDy(2.5);
      chart->CrossHairSetup(1, clWhite, chBoth, psSolid, 1);
      chart->CrossHairSetup(2, clBlack, chVert, psSolid, 3);
      chart->CrossHair2().SetLayer(1);
      chart->CrossHairSetPos(1, 21, 15);
      chart->CrossHairSetPos(2, 10, 0);
      chart->SetDataColor(clYellow);
      for (int i = 0; i < 8; ++i) chart->MarkAt(4.5 * i + 1, 7.1, 24);
      chart->MoveTo(0, 2);
      chart->DrawTo(39, 28);
      chart->Text(5, 20, 10, u"Feeder");
    }
    watched.OnDataRendered = [](TObject*, TCanvas&, int, int) {};
  }
  void both(const std::function<void(TRChart&)>& step) {
    step(direct);
    step(watched);
  }
  void expectSameWindows(const char* what) {
    EXPECT_TRUE(SamePixels(direct.Surface(), watched.Surface())) << what;
  }
  void expectSameBitmaps(const char* what) {
    EXPECT_TRUE(SamePixels(direct.GrafBmp(), watched.GrafBmp())) << what << ": data bitmap";
    EXPECT_TRUE(SamePixels(direct.ChartBmp(), watched.ChartBmp())) << what << ": chart bitmap";
  }

  TRChart direct;
  TRChart watched;
};

TEST_F(TwoWaysOfShowGraf, GiveTheSamePictures) {
  int drawnIntoTheDataBitmap[2] = {0, 0};
  direct.GrafBmp().Canvas().SetOnChange([&] { ++drawnIntoTheDataBitmap[0]; });
  watched.GrafBmp().Canvas().SetOnChange([&] { ++drawnIntoTheDataBitmap[1]; });
  both([](TRChart& c) { c.ShowGraf(); });
  ASSERT_EQ(drawnIntoTheDataBitmap[0], 0) << "rendered onto the window";
  ASSERT_GT(drawnIntoTheDataBitmap[1], 0) << "rendered into the data bitmap";
  const struct {
    const char* what;
    std::function<void(TRChart&)> step;
    bool readBitmaps;
  } steps[] = {
      {"a ShowGraf", [](TRChart& c) { c.ShowGraf(); }, true},
      {"a crosshair moved", [](TRChart& c) { c.CrossHairSetPos(1, 30, 20); }, false},
      {"another ShowGraf",
       [](TRChart& c) {
         c.MarkAt(12, 12, 24);
         c.ShowGraf();
       },
       false},
      {"new items only",
       [](TRChart& c) {
         c.MarkAt(14, 12, 7);
         c.ShowGrafNewOnly();
       },
       true},
      {"a box on the corner",
       [](TRChart& c) {
         c.CrossHairSetup(3, clRed, chBox, psSolid, 2);
         c.CrossHair3().SetLayer(1);
         c.CrossHairSetPos(3, 0, 1.5);
         c.ShowGraf();
       },
       true},
      {"a wide pen left on the data bitmap",
       [](TRChart& c) {
         c.ShowGraf();
         c.GrafBmp().Canvas().Pen().SetWidth(3);
         c.ShowGraf();
       },
       true},
      {"a clip rectangle on the data bitmap",
       [](TRChart& c) {
         c.GrafBmp().Canvas().SetClipRect({0, 0, 100, 80});
         c.MarkAt(3, 3, 24);
         c.ShowGraf();
         c.GrafBmp().Canvas().ResetClipRect();
       },
       true},
      {"a crosshair redrawn after a ShowGraf",
       [](TRChart& c) {
         c.ShowGraf();
         c.CrossHairSetPos(2, 25, 0);
       },
       true},
      {"a new margin after a ShowGraf",
       [](TRChart& c) {
         c.ShowGraf();
         c.SetAutoRedraw(false);
         c.SetMarginLeft(70);
         c.SetAutoRedraw(true);
       },
       true},
      {"a new size after a ShowGraf",
       [](TRChart& c) {
         c.SetMarginLeft(50);
         c.ShowGraf();
         c.SetBounds(0, 0, 600, 380);
       },
       true},
      {"a cleared graph after a ShowGraf",
       [](TRChart& c) {
         c.ShowGraf();
         c.ClearGraf();
       },
       true},
      {"an export after a ShowGraf",
       [](TRChart& c) {
         c.MarkAt(20, 20, 24);
         c.ShowGraf();
         TBitmap area;
         c.CopyToBitmapDAOnly(&area, false);
       },
       true},
      {"a crosshair moved after an export",
       [](TRChart& c) { c.CrossHairSetPos(1, 25, 18); },
       false},
      {"new items, not yet shown", [](TRChart& c) { c.MarkAt(30, 5, 24); }, false},
      {"a crosshair moved after new items",
       [](TRChart& c) { c.CrossHairSetPos(1, 26, 18); },
       false},
      {"a setting changed, not yet shown",
       [](TRChart& c) {
         c.SetAutoRedraw(false);
         c.SetGridColor(clGray);
         c.SetAutoRedraw(true);
       },
       false},
      {"a crosshair moved after a setting", [](TRChart& c) { c.CrossHairSetPos(1, 27, 18); }, true},
      {"a crosshair moved beside a box's trace",
       [](TRChart& c) { c.CrossHairSetPos(2, 11, 0); },
       true},
      {"a ShowGraf after the bitmaps were read", [](TRChart& c) { c.ShowGraf(); }, false},
      {"a crosshair moved after that ShowGraf",
       [](TRChart& c) { c.CrossHairSetPos(2, 12, 0); },
       true},
  };
  // The states the direct chart passes through, read after each step and
  // after each read of its bitmaps, the moves between them, and what a
  // crosshair move would need before each step.
  std::set<TKeptPictures> reached;
  std::set<std::pair<TKeptPictures, TKeptPictures>> transitions;
  std::set<TCrossHairRepaint> crossHairNeeds;
  TKeptPictures last = direct.Presentation().Kept();
  const auto observed = [&](const std::function<void()>& action) {
    action();
    const TKeptPictures now = direct.Presentation().Kept();
    reached.insert(now);
    if (now != last) transitions.insert({last, now});
    last = now;
  };
  for (const auto& s : steps) {
    crossHairNeeds.insert(
        direct.Presentation().WhatCrossHairsNeed(direct.Store().Revision(), true));
    observed([&] { both(s.step); });
    expectSameWindows(s.what);
    if (s.readBitmaps) observed([&] { expectSameBitmaps(s.what); });
  }
  EXPECT_EQ(reached.size(), 3u);
  EXPECT_EQ(transitions.size(), 6u) << "every move between the three states";
  for (const TCrossHairRepaint need : {TCrossHairRepaint::Recompose,
                                       TCrossHairRepaint::SettingsChanged,
                                       TCrossHairRepaint::ItemsChanged,
                                       TCrossHairRepaint::TraceOnChart}) {
    EXPECT_TRUE(crossHairNeeds.count(need)) << "never needed: " << int(need);
  }
}

}  // namespace
