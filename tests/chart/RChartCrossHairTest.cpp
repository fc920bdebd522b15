// Crosshairs on the chart: their drawing, the drag with the left button, the
// cheap repaint after crosshair changes and what makes it render afresh,
// the cursor, double clicks and panning.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "controls/chart/PLX_rchart.h"
#include "controls/chart/rules/PLX_ChartMouse.h"
#include "platform/Canvas.h"
#include "platform/Screen.h"
#include "support/PixelMask.h"

namespace {

TColor Rgb(TColor c) { return TColor(ColorToRGB(c)); }

// The program's first chart: 660 x 395, margins 50, 20, 20, 40, 0..40 by
// 1.5..30, a grid, white and black crosshairs, painting on.
class CrossHairChart : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.BeginLoading();
    chart.SetBounds(0, 0, 660, 395);
    chart.Scale1X().SetRangeHigh(40);
    chart.Scale1Y().SetRangeHigh(30);
    chart.Scale1Y().SetRangeLow(1.5);
    chart.SetChartColor(clNavy);
    chart.SetGridStyle(gsLines);
    chart.SetGridColor(clSilver);
    chart.SetGridDx(2);
    chart.SetGridDy(2.5);
    chart.SetMouseAction(maDragCrossH);
    chart.CrossHairSetup(1, clWhite, chBoth, psSolid, 1);
    chart.CrossHairSetup(2, clBlack, chVert, psSolid, 3);
    chart.CrossHair2().SetLayer(1);
    chart.Loaded();
    chart.SetSuppressPaint(false);
    chart.SetDataColor(clYellow);
    for (int i = 0; i < 8; ++i) chart.MarkAt(4.5 * i + 1, 7.1, 24);
    chart.ShowGraf();
    chart.OnDataRendered = [this](TObject*, TCanvas&, int, int) { ++renderings; };
  }
  void TearDown() override { SetScreenCursor(crDefault); }

  // A drag with the left button: the first move picks the crosshair, the
  // others move it.
  void drag(std::initializer_list<TPoint> points) {
    for (const TPoint& p : points) chart.MouseMove(ssLeft, p.x, p.y);
  }
  // What the window shows now against what a full rendering shows.
  void expectSameAsFullPaint(const char* what) {
    TBitmap shown;
    shown.Assign(chart.Surface());
    chart.Paint();
    EXPECT_TRUE(SamePixels(shown, chart.Surface())) << what;
  }
  TPoint pixelOf(double x, double y) {
    TPoint p;
    chart.R2M(1, x, y, p.x, p.y);
    return p;
  }

  TRChart chart;
  int renderings = 0;
};

TEST_F(CrossHairChart, AWidthThreeCrossHairOnTheLeftEdgeDrawsOnlyItsHorizontalLine) {
  chart.CrossHairSetup(2, clBlack, chOff, psSolid, 1);
  chart.CrossHairSetup(1, clRed, chBoth, psSolid, 3);
  chart.CrossHairSetPos(1, 0, 15.75);  // column L exactly
  const TPoint c = pixelOf(0, 15.75);
  ASSERT_EQ(c.x, 50);
  const TBitmap& s = chart.Surface();
  for (int x = 50; x <= 52 + 1; ++x) EXPECT_EQ(s.PixelColor(x, c.y) == Rgb(clRed), x >= 52) << x;
  for (int x = 636; x <= 640; ++x) EXPECT_EQ(s.PixelColor(x, c.y) == Rgb(clRed), x <= 638) << x;
  EXPECT_EQ(s.PixelColor(51, c.y - 1), Rgb(clNavy));  // the band ends 2 short of the frame
  EXPECT_EQ(s.PixelColor(52, c.y - 1), Rgb(clRed));
  EXPECT_EQ(s.PixelColor(50, c.y + 20), Rgb(clBlack));  // frame, no vertical line
  EXPECT_EQ(s.PixelColor(51, c.y + 20), Rgb(clNavy));
}

TEST_F(CrossHairChart, LinesStopShortOfTheFrame) {
  chart.CrossHairSetup(2, clBlack, chOff, psSolid, 1);
  chart.CrossHairSetup(1, clRed, chBoth, psSolid, 1);
  double x = 0, y = 0;
  chart.M2R(1, 54, 25, x, y);
  chart.CrossHairSetPos(1, x, y);
  EXPECT_EQ(MaskOf(chart.Surface(), clRed, 48, 18, 12, 12),
            Rows({"............",
                  "............",
                  "............",
                  "......#.....",
                  "......#.....",
                  "......#.....",
                  "......#.....",
                  "...#########",
                  "......#.....",
                  "......#.....",
                  "......#.....",
                  "......#....."}));
}

TEST_F(CrossHairChart, ABoxIsACrossWithAFilledSquare) {
  chart.CrossHairSetup(2, clBlack, chOff, psSolid, 1);
  chart.CrossHairSetup(1, clRed, chBox, psSolid, 1);
  chart.CrossHairSetPos(1, 20, 20);
  const TPoint c = pixelOf(20, 20);
  EXPECT_EQ(MaskOf(chart.Surface(), clRed, c.x - 4, c.y - 4, 10, 10),
            Rows({"....#.....",
                  "....#.....",
                  "..#####...",
                  "..#...#...",
                  "###...####",
                  "..#...#...",
                  "..#####...",
                  "....#.....",
                  "....#.....",
                  "....#....."}));
  EXPECT_EQ(chart.Surface().PixelColor(c.x, c.y), Rgb(clNavy));  // the chart colour inside
  EXPECT_EQ(chart.Surface().PixelColor(c.x - 10, c.y), Rgb(clRed));
  EXPECT_NE(chart.Surface().PixelColor(c.x + 10, c.y), Rgb(clRed));
}

TEST_F(CrossHairChart, TheFirstDragMovePicksTheNearestAndTheNextOnesMoveIt) {
  chart.CrossHairSetPos(1, 10, 10);
  chart.CrossHairSetPos(2, 30, 10);
  std::vector<TCrossHair*> moved;
  chart.OnCrossHairMove = [&](TObject* sender, TCrossHair* ch) {
    EXPECT_EQ(sender, &chart);
    moved.push_back(ch);
  };
  const TPoint near2 = pixelOf(28, 25);  // nearer crosshair 2's vertical line
  const TPoint to = pixelOf(35, 20);
  drag({near2});
  EXPECT_TRUE(moved.empty());
  EXPECT_EQ(chart.CrossHairPosX(2), 30);
  drag({to});
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0], &chart.CrossHair2());
  EXPECT_NEAR(chart.CrossHairPosX(2), 35, 0.07);  // within a pixel
  EXPECT_NEAR(chart.CrossHairPosY(2), 20, 0.09);  // both coordinates, whatever the mode
  // The button is pressed again without a move in between: the same crosshair.
  chart.MouseDown(mbLeft, ssLeft, to.x, to.y);
  drag({pixelOf(12, 20)});
  EXPECT_NEAR(chart.CrossHairPosX(2), 12, 0.07);
  chart.MouseMove(0, to.x, to.y);  // ends the drag
  drag({pixelOf(12, 20), pixelOf(14, 8)});
  EXPECT_EQ(chart.CrossHairPosX(1), 10);  // crosshair 2 is nearest again
  EXPECT_NEAR(chart.CrossHairPosX(2), 14, 0.07);
  chart.MouseMove(0, to.x, to.y);
  drag({pixelOf(20, 10)});  // on crosshair 1's horizontal line
  drag({pixelOf(22, 12)});
  EXPECT_NEAR(chart.CrossHairPosX(1), 22, 0.07);
}

TEST_F(CrossHairChart, WithAllCrossHairsOffTheDragMovesCrossHairOneAndDrawsNothing) {
  chart.CrossHairSetup(1, clWhite, chOff, psSolid, 1);
  chart.CrossHairSetup(2, clBlack, chOff, psSolid, 3);
  TBitmap before;
  before.Assign(chart.Surface());
  int moves = 0;
  chart.OnCrossHairMove = [&](TObject*, TCrossHair* ch) {
    EXPECT_EQ(ch, &chart.CrossHair1());
    ++moves;
  };
  drag({pixelOf(5, 5), pixelOf(20, 12)});
  EXPECT_EQ(moves, 1);
  EXPECT_DOUBLE_EQ(chart.CrossHairPosX(1), 20);
  EXPECT_TRUE(SamePixels(before, chart.Surface()));
}

TEST_F(CrossHairChart, ADragStepShowsWhatAFullPaintShowsWithoutRendering) {
  drag({pixelOf(0, 1.5), pixelOf(13, 9), pixelOf(27.5, 22)});
  EXPECT_EQ(renderings, 0);
  const TPoint c = pixelOf(27.5, 22);
  EXPECT_EQ(chart.Surface().PixelColor(c.x, c.y + 30), Rgb(clWhite));
  expectSameAsFullPaint("after a drag");
  EXPECT_EQ(renderings, 1);  // a full rendering still raises the events
  chart.ShowGraf();
  EXPECT_EQ(renderings, 2);
}

// After each change a drag step must show what a full rendering shows: it
// renders afresh unless the change itself has rendered.
TEST_F(CrossHairChart, EveryOtherChangeMakesTheNextDragStepRenderAfresh) {
  struct Change {
    const char* what;
    std::function<void()> apply;
    int dragRenderings;
  };
  const std::vector<Change> changes = {
      {"an item stored without ShowGraf", [&] { chart.MarkAt(20, 20, 24); }, 1},
      {"an item removed", [&] { chart.Store().RemoveLastItem(); }, 1},
      {"a class hidden", [&] { chart.SetClassVisible(0, false); }, 0},
      {"a caption while AutoRedraw is off",
       [&] {
         chart.SetAutoRedraw(false);
         chart.SetCaption(u"Caption");
         chart.SetChartColor(clTeal);
         chart.SetAutoRedraw(true);
       },
       1},
      {"a range", [&] { chart.Scale1X().SetRangeHigh(50); }, 0},
      {"a grid step", [&] { chart.SetGridDx(5); }, 0},
      {"a margin", [&] { chart.SetMarginLeft(60); }, 0},
      {"the size", [&] { chart.SetBounds(0, 0, 500, 300); }, 1},
      {"a window colour while painting is suppressed",
       [&] {
         chart.SetSuppressPaint(true);
         chart.SetWindColor(clGreen);
         chart.SetSuppressPaint(false);
       },
       0},
      {"ShowGrafNewOnly", [&] { chart.ShowGrafNewOnly(); }, 1},
      {"an export",
       [&] {
         TBitmap copy;
         chart.CopyToBitmap(&copy, true);
       },
       1},
      {"a cleared graph", [&] { chart.ClearGraf(); }, 1},
      {"ShowGraf after the clearing", [&] { chart.ShowGraf(); }, 0},
  };
  double x = 5;
  drag({pixelOf(x, 10)});
  for (const Change& c : changes) {
    c.apply();
    x += 2;
    renderings = 0;
    drag({pixelOf(x, 10)});
    EXPECT_EQ(renderings, c.dragRenderings) << c.what;
    expectSameAsFullPaint(c.what);
  }
}

TEST_F(CrossHairChart, ABoxOutsideTheDataAreaLeavesNoTrace) {
  chart.CrossHairSetup(1, clRed, chBox, psSolid, 1);
  chart.CrossHairSetPos(1, 0, 1.5);  // the corner: the box reaches the axes
  const TPoint corner = pixelOf(0, 1.5);
  EXPECT_EQ(chart.Surface().PixelColor(corner.x - 8, corner.y), Rgb(clRed));
  chart.CrossHairSetPos(1, 20, 15);
  EXPECT_NE(chart.Surface().PixelColor(corner.x - 8, corner.y), Rgb(clRed));
  expectSameAsFullPaint("box moved back inside");
}

// ShowGraf draws the crosshairs straight onto the window, clipped to the
// data area: there the window shows what a full paint shows, and around it
// nothing changes, also where a box reaches over the axes.
TEST_F(CrossHairChart, ShowGrafDrawsTheCrossHairsOnlyIntoTheDataArea) {
  chart.SetSuppressPaint(true);  // crosshair changes repaint nothing
  chart.CrossHairSetup(1, clRed, chBox, psSolid, 1);
  chart.CrossHairSetPos(1, 0, 1.5);    // the corner: the box reaches the axes
  chart.CrossHairSetPos(2, 39.9, 15);  // the wide line next to the right frame
  TBitmap before;
  before.Assign(chart.Surface());
  chart.ShowGraf();
  TBitmap shown;
  shown.Assign(chart.Surface());
  chart.SetSuppressPaint(false);  // a full paint
  const TBitmap& painted = chart.Surface();
  const TPoint corner = pixelOf(0, 1.5);
  ASSERT_EQ(corner, (TPoint{50, 355}));
  EXPECT_EQ(shown.PixelColor(corner.x + 2, corner.y - 1), Rgb(clRed));
  EXPECT_EQ(painted.PixelColor(corner.x - 8, corner.y), Rgb(clRed));
  EXPECT_NE(shown.PixelColor(corner.x - 8, corner.y), Rgb(clRed));
  int differences = 0;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      const bool inside = x >= 50 && x <= 640 && y >= 20 && y <= 355;
      const TBitmap& expected = inside ? painted : before;
      differences += shown.PixelColor(x, y) != expected.PixelColor(x, y);
    }
  }
  EXPECT_EQ(differences, 0);
}

// The chart bitmap holds the picture a paint or a crosshair redraw put on the
// window, crosshairs and a box's trace over the axes included, until the
// next rendering: neither a ShowGraf nor a new size of the window changes it.
TEST_F(CrossHairChart, TheChartBitmapHoldsThePictureLastComposed) {
  const TPoint corner = pixelOf(0, 1.5);
  double x = 10;  // every redraw moves a crosshair, every ShowGraf adds a mark
  const struct {
    const char* what;
    std::function<void()> compose;
    bool trace;
  } cases[] = {
      {"a paint", [&] { chart.Paint(); }, false},
      {"a paint with a box over the axes",
       [&] {
         chart.CrossHairSetup(1, clRed, chBox, psSolid, 1);
         chart.CrossHairSetPos(1, 0, 1.5);
         chart.Paint();
       },
       true},
      {"a crosshair redraw",
       [&] {
         chart.CrossHairSetup(1, clWhite, chBoth, psSolid, 1);
         renderings = 0;
         chart.CrossHairSetPos(2, x += 1, 9);
         EXPECT_EQ(renderings, 0);
       },
       false},
  };
  for (const auto& c : cases) {
    c.compose();
    TBitmap composed;
    composed.Assign(chart.Surface());
    EXPECT_TRUE(SamePixels(chart.ChartBmp(), composed)) << c.what;
    EXPECT_EQ(chart.ChartBmp().PixelColor(corner.x - 8, corner.y) == Rgb(clRed), c.trace) << c.what;

    c.compose();
    composed.Assign(chart.Surface());
    chart.MarkAt(x += 1, 20, 24);
    chart.ShowGraf();
    EXPECT_FALSE(SamePixels(chart.Surface(), composed)) << c.what;
    EXPECT_TRUE(SamePixels(chart.ChartBmp(), composed)) << c.what << ", then a ShowGraf";

    c.compose();
    composed.Assign(chart.Surface());
    chart.SetBounds(0, 0, 600, 300);
    EXPECT_TRUE(SamePixels(chart.ChartBmp(), composed)) << c.what << ", then a new size";
    chart.SetBounds(0, 0, 660, 395);
  }
}

// Without AutoRedraw a crosshair redraw composes the chart bitmap as it is:
// the trace an earlier box left over the axes stays on the window.
TEST_F(CrossHairChart, ARedrawWithoutAutoRedrawKeepsTheChartBitmapsTrace) {
  chart.CrossHairSetup(1, clRed, chBox, psSolid, 1);
  chart.CrossHairSetPos(1, 0, 1.5);
  chart.Paint();
  const TPoint corner = pixelOf(0, 1.5);
  chart.SetAutoRedraw(false);
  chart.CrossHairSetPos(1, 20, 15);
  EXPECT_EQ(chart.Surface().PixelColor(corner.x - 8, corner.y), Rgb(clRed));
  const TPoint c = pixelOf(20, 15);
  EXPECT_EQ(chart.Surface().PixelColor(c.x - 8, c.y), Rgb(clRed));
  EXPECT_TRUE(SamePixels(chart.ChartBmp(), chart.Surface()));
}

TEST_F(CrossHairChart, CrossHairSetPosWithoutAutoRedrawRedrawsOnlyTheCrossHairs) {
  chart.SetAutoRedraw(false);
  chart.SetWindColor(clGreen);  // stored only
  chart.CrossHairSetPos(1, 20, 15);
  EXPECT_EQ(renderings, 0);
  EXPECT_NE(chart.Surface().PixelColor(5, 5), Rgb(clGreen));
  const TPoint c = pixelOf(20, 15);
  EXPECT_EQ(chart.Surface().PixelColor(c.x, c.y - 40), Rgb(clWhite));
}

TEST_F(CrossHairChart, CrossHairNumbersOutsideOneToFourAreIgnored) {
  chart.CrossHairSetPos(1, 3, 4);
  for (int i : {0, 5, -1}) {
    chart.CrossHairSetPos(i, 9, 9);
    chart.SetCrossHairPosX(i, 9);
    chart.SetCrossHairPosY(i, 9);
    chart.CrossHairSetup(i, clRed, chBox, psDot, 4);
    EXPECT_EQ(chart.CrossHairPosX(i), 0);
    EXPECT_EQ(chart.CrossHairPosY(i), 0);
  }
  EXPECT_EQ(chart.CrossHairPosX(1), 3);
  chart.SetCrossHairPosY(1, 6);
  EXPECT_EQ(chart.CrossHairPosX(1), 3);
  EXPECT_EQ(chart.CrossHairPosY(1), 6);
}

TEST_F(CrossHairChart, TheCursorFollowsTheModeInsideTheDataArea) {
  chart.MouseMove(0, 300, 200);
  EXPECT_EQ(ScreenCursor(), crDefault);  // fixed
  chart.SetMouseCursorFixed(false);
  chart.SetMouseAction(maNone);
  chart.MouseMove(0, 300, 200);
  EXPECT_EQ(ScreenCursor(), crCross);
  chart.MouseMove(0, 20, 200);
  EXPECT_EQ(ScreenCursor(), crDefault);
  chart.SetMouseAction(maZoomWind);
  chart.MouseMove(0, 50, 20);  // the corner of the data area is inside
  EXPECT_EQ(ScreenCursor(), crChartZoomWind);
  chart.MouseLeave();
  EXPECT_EQ(ScreenCursor(), crDefault);
}

TEST_F(CrossHairChart, ThePressOfADoubleClickIsNoButtonDown) {
  std::vector<char> events;
  chart.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back('d'); };
  chart.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back('u'); };
  chart.OnDblClick = [&](TObject*) { events.push_back('2'); };
  chart.MouseDown(mbLeft, ssLeft, 100, 100);
  chart.MouseUp(mbLeft, 0, 100, 100);
  chart.DblClick();
  chart.MouseDown(mbLeft, ssLeft | ssDouble, 100, 100);
  chart.MouseUp(mbLeft, 0, 100, 100);
  chart.MouseDown(mbLeft, ssLeft, 100, 100);
  EXPECT_EQ(std::string(events.begin(), events.end()), "du2ud");
}

TEST_F(CrossHairChart, PanningMovesTheAffectedLayersByThePointersTravel) {
  chart.SetMouseAction(maPanHoriz);
  drag({{300, 200}, {359, 150}});  // 590 pixels are 40 units
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), -4);
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeHigh(), 36);
  EXPECT_DOUBLE_EQ(chart.Scale1Y().RangeLow(), 1.5);
  chart.SetMouseAction(maPan);
  chart.MouseMove(0, 359, 150);
  drag({{300, 200}, {241, 200 - 67}});  // 335 pixels are 28.5 units
  EXPECT_DOUBLE_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_NEAR(chart.Scale1Y().RangeLow(), -4.2, 1e-9);  // the values follow the pointer up
  EXPECT_NEAR(chart.Scale1Y().RangeHigh(), 24.3, 1e-9);
  EXPECT_DOUBLE_EQ(chart.ScalePropsX(2).RangeHigh(), 1);  // layer 2 is not affected
}

}  // namespace
