// Lines on the drawing surface: end pixels, directions, styles, pen modes and
// wide pens.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

struct LineCase {
  const char* name;
  TPoint from;
  TPoint to;
  std::vector<std::string> mask;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineDirections : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineDirections, LeavesOutTheEndPixel) {
  const LineCase& c = GetParam();
  TBitmap bmp(5, 5);
  TCanvas& cv = bmp.Canvas();
  cv.MoveTo(c.from.x, c.from.y);
  cv.LineTo(c.to.x, c.to.y);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows(c.mask)) << c.name;
  EXPECT_EQ(cv.PenPos(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, LineDirections,
    ::testing::Values(
        LineCase{"right", {1, 1}, {4, 1}, {".....", ".###.", ".....", ".....", "....."}},
        LineCase{"left", {3, 3}, {0, 3}, {".....", ".....", ".....", ".###.", "....."}},
        LineCase{"down", {2, 0}, {2, 4}, {"..#..", "..#..", "..#..", "..#..", "....."}},
        LineCase{"up", {2, 4}, {2, 0}, {".....", "..#..", "..#..", "..#..", "..#.."}},
        LineCase{"down right", {0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
        LineCase{"down left", {4, 0}, {0, 4}, {"....#", "...#.", "..#..", ".#...", "....."}},
        LineCase{"up left", {4, 4}, {0, 0}, {".....", ".#...", "..#..", "...#.", "....#"}},
        LineCase{"up right", {0, 4}, {4, 0}, {".....", "...#.", "..#..", ".#...", "#...."}},
        // Halves go towards the start point's row.
        LineCase{"shallow", {0, 0}, {4, 2}, {"##...", "..##.", ".....", ".....", "....."}},
        LineCase{"shallow back", {4, 2}, {0, 0}, {".....", ".##..", "...##", ".....", "....."}},
        LineCase{"steep", {1, 0}, {3, 4}, {".#...", ".#...", "..#..", "..#..", "....."}},
        LineCase{"zero length", {2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n) ch = ch == ' ' ? '_' : ch;
      return n;
    });

TEST(CanvasLine, ThreePixelLineSetsExactlyThreePixels) {
  TBitmap bmp(4, 1);
  bmp.Canvas().MoveTo(0, 0);
  bmp.Canvas().LineTo(3, 0);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"###."}));
}

TEST(CanvasLine, ConsecutiveLinesJoinWithoutGaps) {
  TBitmap bmp(5, 5);
  TCanvas& cv = bmp.Canvas();
  cv.MoveTo(0, 0);
  cv.LineTo(4, 0);
  cv.LineTo(4, 4);
  cv.LineTo(0, 4);
  cv.LineTo(0, 0);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"#####", "#...#", "#...#", "#...#", "#####"}));
}

TEST(CanvasLine, PolylineLeavesOutItsLastPointAndKeepsThePosition) {
  TBitmap bmp(5, 3);
  TCanvas& cv = bmp.Canvas();
  cv.MoveTo(4, 2);
  cv.Polyline({{0, 0}, {3, 0}, {3, 2}});
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"####.", "...#.", "....."}));
  EXPECT_EQ(cv.PenPos(), (TPoint{4, 2}));
}

TEST(CanvasLine, FarOutsideEndsAreClippedWithoutOverflow) {
  TBitmap bmp(6, 3);
  TCanvas& cv = bmp.Canvas();
  cv.MoveTo(-2000000000, 1);
  cv.LineTo(2000000000, 1);
  cv.MoveTo(2147483647, -2147483647);
  cv.LineTo(-2147483647, 2147483647);  // passes through the surface near (0, 0)
  EXPECT_EQ(MaskOf(bmp, clBlack, 0, 1, 6, 1), Rows({"######"}));
  EXPECT_EQ(bmp.PixelColor(0, 0), clBlack);
}

struct StyleCase {
  const char* name;
  TPenStyle style;
  bool solidBrush;
  std::string pen;  // '#' pen colour, 'g' gap in the brush colour, '.' untouched
};

void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

class LineStyles : public ::testing::TestWithParam<StyleCase> {};

TEST_P(LineStyles, GapsFollowTheBrush) {
  const StyleCase& c = GetParam();
  const int n = int(c.pen.size());
  TBitmap bmp(n + 1, 1);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetStyle(c.style);
  cv.Pen().SetColor(clNavy);
  cv.Brush().SetColor(clRed);
  if (!c.solidBrush) cv.Brush().SetStyle(bsClear);
  cv.MoveTo(0, 0);
  cv.LineTo(n, 0);
  std::string got;
  for (int x = 0; x < n; ++x) {
    const TColor p = bmp.PixelColor(x, 0);
    got += p == clNavy ? '#' : p == clRed ? 'g' : p == clWhite ? '.' : '?';
  }
  EXPECT_EQ(got, c.pen) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, LineStyles,
    ::testing::Values(
        StyleCase{"dash_clear", psDash, false, std::string(18, '#') + "......" + "######"},
        StyleCase{"dash_solid", psDash, true, std::string(18, '#') + "gggggg" + "######"},
        StyleCase{"dot_clear", psDot, false, "###...###...###"},
        StyleCase{"dot_solid", psDot, true, "###ggg###ggg###"},
        StyleCase{"dashdot", psDashDot, false, "#########......###......##"},
        StyleCase{"dashdotdot", psDashDotDot, true, "#########ggg###ggg###ggg##"},
        StyleCase{"alternate", psAlternate, false, "#.#.#.#"},
        StyleCase{"clear", psClear, true, "......"},
        StyleCase{"inside_frame", psInsideFrame, true, "######"},
        StyleCase{"user", psUserStyle, false, "######"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CanvasLine, DashPatternContinuesFromLineToLine) {
  TBitmap bmp(8, 2);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetStyle(bsClear);
  cv.Pen().SetStyle(psDot);
  cv.MoveTo(0, 0);
  cv.LineTo(4, 0);  // ###. then the next line starts in the gap
  cv.LineTo(8, 0);
  cv.MoveTo(0, 1);  // a move starts the pattern again
  cv.LineTo(4, 1);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"###...##", "###....."}));
}

// A pixel written twice in one XOR pass would come back: drawn once in XOR
// with white on white, each shape must blacken exactly the pixels it covers
// in copy mode. (A wide outline over a fill, and a polygon's outline over its
// fill, do overlap in XOR, as on the classic desktop.)
TEST(CanvasLine, XorWritesEachPixelOnceInOnePass) {
  const std::vector<std::function<void(TCanvas&)>> shapes{
      [](TCanvas& cv) { cv.Rectangle(1, 1, 7, 6); },
      [](TCanvas& cv) {
        cv.Pen().SetWidth(3);
        cv.Polyline({{2, 2}, {12, 6}, {2, 11}, {12, 13}});
      },
      [](TCanvas& cv) { cv.Ellipse(1, 2, 13, 12); },
  };
  for (size_t i = 0; i < shapes.size(); ++i) {
    TBitmap copied(14, 14);
    TBitmap xored(14, 14);
    for (TBitmap* bmp : {&copied, &xored}) {
      Fill(*bmp, clWhite);
      TCanvas& cv = bmp->Canvas();
      const bool xorMode = bmp == &xored;
      cv.Pen().SetColor(xorMode ? clWhite : clBlack);
      cv.Brush().SetColor(xorMode ? clWhite : clBlack);
      cv.Pen().SetMode(xorMode ? pmXor : pmCopy);
      shapes[i](cv);
    }
    EXPECT_EQ(MaskOf(xored, clBlack), MaskOf(copied, clBlack)) << "shape " << i;
  }
  TBitmap bmp(8, 7);
  Fill(bmp, clWhite);
  bmp.Canvas().Pen().SetColor(clWhite);
  bmp.Canvas().Pen().SetMode(pmXor);
  bmp.Canvas().Brush().SetStyle(bsClear);
  bmp.Canvas().Rectangle(1, 1, 7, 6);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({
                                      "........",
                                      ".######.",
                                      ".#....#.",
                                      ".#....#.",
                                      ".#....#.",
                                      ".######.",
                                      "........",
                                  }));
}

TEST(CanvasLine, XorDrawnTwiceRestoresThePicture) {
  TBitmap bmp(12, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) bmp.ScanLine(y)[x] = RGBToPixel(uint32_t(x * 20 + y * 3000 + 7));
  }
  TBitmap before;
  before.Assign(bmp);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetMode(pmXor);
  cv.Pen().SetColor(0x3355AA);
  cv.Brush().SetColor(0x10F0F0);
  for (int pass = 0; pass < 2; ++pass) {
    cv.MoveTo(0, 0);
    cv.LineTo(11, 7);
    cv.Rectangle(2, 2, 9, 10);
    cv.Ellipse(1, 3, 10, 11);
    cv.Polygon({{1, 1}, {10, 2}, {5, 10}});
    if (pass == 0) {
      EXPECT_NE(bmp.PixelColor(0, 0), before.PixelColor(0, 0));
    }
  }
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) ASSERT_EQ(bmp.PixelColor(x, y), before.PixelColor(x, y)) << x << "," << y;
  }
}

TEST(CanvasLine, WidePenStaysInsideTheLineExtent) {
  // A 3-pixel pen from column 1 to column 8: columns 1..7, rows 2..4.
  TBitmap bmp(10, 7);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(3);
  cv.MoveTo(1, 3);
  cv.LineTo(8, 3);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"..........", "..........", ".#######..", ".#######..",
                                         ".#######..", "..........", ".........."}));
}

TEST(CanvasLine, WidePenHasRoundEnds) {
  TBitmap bmp(12, 11);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(5);
  cv.MoveTo(2, 5);
  cv.LineTo(9, 5);
  EXPECT_EQ(MaskOf(bmp, clBlack, 0, 2, 12, 7),
            Rows({"............", "...#####....", "..#######...", "..#######...", "..#######...",
                  "...#####....", "............"}));
}

TEST(CanvasLine, WidePenJoinsConnectedLines) {
  TBitmap bmp(9, 8);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(3);
  cv.MoveTo(1, 1);
  cv.LineTo(6, 1);
  cv.LineTo(6, 6);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({".#######.", ".#######.", ".#######.", ".....###.",
                                         ".....###.", ".....###.", ".........", "........."}));
}

TEST(CanvasLine, WidePenIsSolidWhateverItsStyle) {
  TBitmap bmp(30, 3);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(3);
  cv.Pen().SetStyle(psDash);
  cv.MoveTo(0, 1);
  cv.LineTo(30, 1);
  EXPECT_EQ(MaskOf(bmp, clBlack, 1, 0, 28, 3), Rows({std::string(28, '#'), std::string(28, '#'),
                                                      std::string(28, '#')}));
}

}  // namespace
