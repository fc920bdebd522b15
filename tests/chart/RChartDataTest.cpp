// The data pass, pixel by pixel: a chart without margins whose data area
// maps one real unit to one pixel, (x, y) -> column x, row 20 - y.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/PixelChart.h"
#include "controls/chart/PLX_rchart.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

class RChartData : public ::testing::Test {
 protected:
  void SetUp() override { MakePixelChart(chart); }
  std::string Mask(TColor color, int x0, int y0, int w, int h) {
    chart.ShowGraf();
    return MaskOf(chart.GrafBmp(), color, x0, y0, w, h);
  }
  TRChart chart;
};

TEST_F(RChartData, DataAreaIsFramedAndCleared) {
  chart.ShowGraf();
  EXPECT_EQ(chart.GrafBmp().Width(), 81);
  EXPECT_EQ(chart.GrafBmp().Height(), 21);
  EXPECT_EQ(Mask(clBlack, 77, 0, 4, 3), Rows({"####", "...#", "...#"}));
  EXPECT_EQ(MaskOf(chart.GrafBmp(), clWhite, 0, 0, 3, 3), Rows({"...", ".##", ".##"}));
}

TEST_F(RChartData, LongLinesAreDrawnAsPolylinesOf200Points) {
  chart.MoveTo(2, 10);
  for (int i = 1; i <= 450; ++i) chart.DrawTo(2 + i * 70.0 / 450, 10);
  int drawings = 0;
  chart.GrafBmp().Canvas().SetOnChange([&] { ++drawings; });
  EXPECT_EQ(Mask(clRed, 2, 10, 72, 1), std::string(70, '#') + "..\n");
  // The background, polylines of 200, 200 and 53 points, the four frame lines.
  EXPECT_EQ(drawings, 1 + 3 + 4);
}

TEST_F(RChartData, ColourChangeContinuesWhereTheLineEnded) {
  chart.MoveTo(2, 10);
  chart.DrawTo(7, 10);
  chart.SetDataColor(clBlue);
  chart.DrawTo(12, 10);
  EXPECT_EQ(Mask(clRed, 2, 10, 12, 1), "#####.......\n");
  EXPECT_EQ(Mask(clBlue, 2, 10, 12, 1), ".....#####..\n");
}

TEST_F(RChartData, InvisibleItemsAreSkippedWithoutBreakingTheLine) {
  chart.MoveTo(2, 10);
  chart.DrawTo(6, 10);
  chart.Store().SetClassDefault(1);
  chart.DrawTo(8, 14);
  chart.Store().SetClassDefault(0);
  chart.DrawTo(10, 10);
  chart.Store().SetClassVisible(1, false);
  EXPECT_EQ(
      Mask(clRed, 2, 5, 10, 6),
      Rows({"..........", "..........", "..........", "..........", "..........", "########.."}));
}

// Line items alike in layer, width and pen are drawn as one run; a change of
// any of them ends the polyline, and the line goes on from its end.
TEST_F(RChartData, LineGoesOnFromItsEndWhenLayerWidthOrPenChange) {
  struct Case {
    const char* name;
    std::function<void(TRChart&)> change;
    double x;          // the last point, drawn after the change
    std::string rows;  // rows 9..11, columns 0..21
  };
  const std::vector<Case> cases{
      {"layer",
       [](TRChart& c) {
         c.ScalePropsX(2).SetRangeHigh(40);
         c.ScalePropsY(2).SetRangeHigh(20);
         c.SetActiveLayer(2);
       },
       10,
       Rows({std::string(22, '.'), "..##################..", std::string(22, '.')})},
      {"width",
       [](TRChart& c) { c.SetLineWidth(3); },
       20,
       Rows({"......##############..", "..##################..", "......##############.."})},
      {"pen",
       [](TRChart& c) { c.SetPenStyle(psDot); },
       20,
       Rows({std::string(22, '.'), "..#######...###...##..", std::string(22, '.')})},
  };
  for (const Case& k : cases) {
    TRChart c;
    MakePixelChart(c);
    c.MoveTo(2, 10);
    c.DrawTo(4, 10);
    c.DrawTo(6, 10);
    k.change(c);
    c.DrawTo(k.x, 10);
    c.ShowGraf();
    EXPECT_EQ(MaskOf(c.GrafBmp(), clRed, 0, 9, 22, 3), k.rows) << k.name;
  }
}

TEST_F(RChartData, RelativeLineStartsAtTheLineEndButTheNextLineDoesNot) {
  chart.MoveTo(2, 10);
  chart.DrawTo(6, 10);
  chart.DrawToRelPix(0, -3);
  chart.DrawTo(10, 10);
  EXPECT_EQ(Mask(clRed, 2, 6, 10, 5),
            Rows({"..........", "....#.....", "....#.....", "....#.....", "########.."}));
}

TEST_F(RChartData, RelativeMoveIsMeasuredFromTheLineEnd) {
  chart.MoveTo(2, 10);
  chart.DrawTo(6, 10);
  chart.MoveToRelPix(5, 5);
  chart.DrawTo(17, 5);
  EXPECT_EQ(Mask(clRed, 2, 10, 16, 6),
            Rows({"####............",
                  "................",
                  "................",
                  "................",
                  "................",
                  ".........######."}));
}

TEST_F(RChartData, MarksOnTheRangeEndAreDrawnJustOutsideAreNot) {
  chart.MarkAt(80, 10, 24);
  EXPECT_EQ(
      Mask(clRed, 76, 6, 5, 9),
      Rows({".....", "...#.", "..##.", ".###.", ".###.", ".###.", "..##.", "...#.", "....."}));
  chart.ClearGraf();
  chart.MarkAt(80.001, 10, 24);
  chart.MarkAt(40, -0.001, 24);
  chart.MarkAt(NAN, 10, 24);
  EXPECT_EQ(Mask(clRed, 0, 0, 81, 21), MaskOf(TBitmap(81, 21), clRed));
}

TEST_F(RChartData, AvoidDuplicateMarksSkipsTheSameMarkWithinTwoPixels) {
  chart.SetAvoidDuplicateMarks(true);
  chart.MarkAt(10, 10, 24);
  chart.SetDataColor(clBlue);
  chart.MarkAt(12, 12, 24);
  EXPECT_EQ(Mask(clBlue, 0, 0, 81, 21), MaskOf(TBitmap(81, 21), clBlue));
  chart.MarkAt(30, 10, 24);
  chart.MarkAt(33, 13, 0);  // another mark number in the same cells
  chart.SetDataColor(clLime);
  chart.MarkAt(33, 13, 24);  // three pixels away
  chart.MarkAt(30, 10, 0);
  chart.ShowGraf();
  EXPECT_EQ(chart.GrafBmp().PixelColor(33, 7), TColor(ColorToRGB(clLime)));
  EXPECT_EQ(chart.GrafBmp().PixelColor(30, 10), TColor(ColorToRGB(clLime)));
  chart.SetAvoidDuplicateMarks(false);
  chart.ShowGraf();
  EXPECT_EQ(chart.GrafBmp().PixelColor(12, 8), TColor(ColorToRGB(clBlue)));
}

TEST_F(RChartData, RectangleOfOnePixelSetsItInThePenColour) {
  chart.SetFillColor(clBlue);
  chart.Rectangle(10, 10, 10.2, 10.2);
  EXPECT_EQ(Mask(clRed, 9, 9, 3, 3), Rows({"...", ".#.", "..."}));
  chart.ClearGraf();
  chart.Rectangle(10, 10, 13, 7);  // both corners inside the shape
  EXPECT_EQ(Mask(clRed, 9, 9, 6, 6),
            Rows({"......", ".####.", ".#..#.", ".#..#.", ".####.", "......"}));
  EXPECT_EQ(Mask(clBlue, 9, 9, 6, 6),
            Rows({"......", "......", "..##..", "..##..", "......", "......"}));
}

TEST_F(RChartData, TransparentRectangleKeepsWhatLiesBelow) {
  chart.MoveTo(0, 8);
  chart.DrawTo(20, 8);
  chart.Store().SetTransparentItems(true);
  chart.SetDataColor(clBlue);
  chart.Rectangle(10, 10, 13, 7);
  EXPECT_EQ(Mask(clRed, 9, 11, 6, 2), Rows({"......", "#.##.#"}));
}

TEST_F(RChartData, BlackAndWhitePass) {
  chart.SetFillColor(clGreen);
  chart.MoveTo(0, 15);
  chart.DrawTo(8, 15);
  chart.Rectangle(10, 10, 13, 7);
  chart.RectFrame(20, 10, 23, 7, fsLowered, clRed, clBlue);
  chart.MarkAt(40, 10, 0);
  TBitmap picture;
  chart.CopyToBitmap(&picture, true);
  EXPECT_EQ(MaskOf(picture, clBlack, 0, 5, 9, 1), "########.\n");
  EXPECT_EQ(MaskOf(picture, clBlack, 10, 10, 4, 4), Rows({"####", "#..#", "#..#", "####"}));
  EXPECT_EQ(MaskOf(picture, clSilver, 10, 10, 4, 4), Rows({"....", ".##.", ".##.", "...."}));
  EXPECT_EQ(MaskOf(picture, clSilver, 21, 11, 2, 2), Rows({"##", "##"}));
  EXPECT_EQ(picture.PixelColor(40, 10), TColor(ColorToRGB(clBlack)));
  EXPECT_EQ(picture.PixelColor(60, 3), TColor(ColorToRGB(clWhite)));
  // The colours are back afterwards.
  chart.ShowGraf();
  EXPECT_EQ(chart.GrafBmp().PixelColor(2, 5), TColor(ColorToRGB(clRed)));
  EXPECT_EQ(chart.ChartColor(), clWhite);
}

TEST_F(RChartData, GridLinesLieBelowTheItems) {
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(clGray);
  chart.SetGridDx(20);
  chart.SetGridDy(5);
  chart.MoveTo(0, 5);
  chart.DrawTo(30, 5);
  EXPECT_EQ(Mask(clGray, 18, 6, 4, 3), Rows({"..#.", "..#.", "..#."}));
  EXPECT_EQ(Mask(clGray, 18, 4, 4, 3), Rows({"..#.", "####", "..#."}));
  EXPECT_EQ(Mask(clRed, 18, 15, 4, 1), "####\n");
  EXPECT_EQ(Mask(clGray, 40, 10, 2, 1), "##\n");
}

// With nothing between the background and the grid, the grid's vertical
// lines are drawn together with the background; a handler before the data
// makes them be drawn afterwards, line by line. Both give the same picture.
TEST_F(RChartData, GridDrawnWithTheBackgroundIsTheGridDrawnAfterIt) {
  const struct {
    const char* what;
    std::function<void()> set;
  } cases[] = {
      {"lines", [&] { chart.SetGridStyle(gsLines); }},
      {"vertical lines", [&] { chart.SetGridStyle(gsVertLines); }},
      {"reversed vertical range",
       [&] {
         chart.Scale1Y().SetRangeLow(20);
         chart.Scale1Y().SetRangeHigh(0);
       }},
      {"lines on the frame", [&] { chart.SetGridDx(10); }},
      {"a wide pen left on the data bitmap", [&] { chart.GrafBmp().Canvas().Pen().SetWidth(3); }},
  };
  chart.SetGridColor(clGray);
  chart.SetGridDx(7);
  chart.SetGridDy(5);
  chart.MoveTo(0, 5);
  chart.DrawTo(30, 12);
  for (const auto& c : cases) {
    c.set();
    chart.OnBeforeRenderData = nullptr;
    chart.ShowGraf();
    TBitmap together;
    together.Assign(chart.GrafBmp());
    c.set();  // a pen width left over is used up by the rendering
    chart.OnBeforeRenderData = [](TObject*, TCanvas&, int, int) {};
    chart.ShowGraf();
    EXPECT_TRUE(SamePixels(together, chart.GrafBmp())) << c.what;
    EXPECT_NE(MaskOf(together, clGray).find('#'), std::string::npos) << c.what;
  }
}

TEST_F(RChartData, DottedGridShowsTheChartColourInItsGaps) {
  chart.SetChartColor(clYellow);
  chart.SetGridColor(clGray);
  chart.SetGridStyle(gsVertDotLines);
  chart.SetGridDx(20);
  const std::string dots = Mask(clGray, 20, 1, 1, 8);
  const std::string gaps = MaskOf(chart.GrafBmp(), clYellow, 20, 1, 1, 8);
  EXPECT_NE(dots.find('#'), std::string::npos);
  EXPECT_NE(dots.find('.'), std::string::npos);
  for (size_t i = 0; i < dots.size(); i += 2) EXPECT_NE(dots[i], gaps[i]) << "row " << i / 2 + 1;
}

TEST_F(RChartData, RectangleRelPixIsSizedInPixelsAroundItsPoint) {
  chart.SetFillColor(clBlue);
  chart.RectangleRelPix(10, 10, 2, 1);
  EXPECT_EQ(Mask(clRed, 7, 8, 7, 5), Rows({".......", ".#####.", ".#...#.", ".#####.", "......."}));
}

TEST_F(RChartData, TextWithOffsetIsMovedByItsPixels) {
  chart.Text(40, 10, 8, u"T");
  chart.ShowGraf();
  TBitmap plain;
  plain.Assign(chart.GrafBmp());
  chart.ClearGraf();
  chart.Text(40, 10, 8, u"T", 3, -2, taCenter);
  EXPECT_EQ(Mask(clRed, 23, 0, 40, 21), MaskOf(plain, clRed, 20, 2, 40, 21));
}

// A character mark is drawn in the surface's font face at the default size
// and style, whatever the text items of an earlier pass left: the same store
// gives the same picture on every ShowGraf and in the export.
TEST_F(RChartData, CharacterMarksLookTheSameOnEveryPass) {
  chart.MarkAt(30, 10, 65);
  chart.Store().SetTextFontStyle(fsBold);
  chart.Text(70, 10, 20, u"Big");
  const std::string first = Mask(clRed, 20, 0, 21, 21);
  EXPECT_NE(first.find('#'), std::string::npos);
  EXPECT_EQ(Mask(clRed, 20, 0, 21, 21), first);
  TBitmap area;
  chart.CopyToBitmapDAOnly(&area, false);
  EXPECT_EQ(MaskOf(area, clRed, 20, 0, 21, 21), first);
  chart.Paint();
  EXPECT_EQ(MaskOf(chart.GrafBmp(), clRed, 20, 0, 21, 21), first);
  // The picture of the mark alone, on a fresh chart.
  TRChart alone;
  MakePixelChart(alone);
  alone.MarkAt(30, 10, 65);
  alone.ShowGraf();
  EXPECT_EQ(MaskOf(alone.GrafBmp(), clRed, 20, 0, 21, 21), first);
}

TEST_F(RChartData, RenderEventsGetTheOffsetOfTheDataArea) {
  chart.SetMarginLeft(10);
  chart.SetMarginTop(5);
  int dx = -1, dy = -1, before = 0, after = 0;
  chart.OnBeforeRenderData = [&](TObject*, TCanvas&, int x, int y) {
    dx = x;
    dy = y;
    ++before;
  };
  chart.OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++after; };
  chart.ShowGraf();
  EXPECT_EQ(dx, 10);
  EXPECT_EQ(dy, 5);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
}

}  // namespace

// A line towards a point far outside keeps its direction: its ends are not
// limited coordinate by coordinate, the canvas clips the line exactly.
TEST_F(RChartData, FarAwayLineEndsDoNotBendTheLine) {
  chart.MoveTo(4, 18);                                // pixel (4, 2)
  chart.DrawTo(4 + 4 * 100000.0, 18 - 1 * 100000.0);  // 100000 times (4, 1) on
  const std::string line = Mask(clRed, 0, 0, 81, 21);
  for (int k = 0; k <= 17; ++k) {
    EXPECT_EQ(chart.GrafBmp().PixelColor(4 + 4 * k, 2 + k), clRed) << "step " << k;
  }
  chart.ClearGraf();
  chart.Line(4, 18, 4 + 4 * 100000.0, 18 - 1 * 100000.0);
  EXPECT_EQ(Mask(clRed, 0, 0, 81, 21), line);
}
