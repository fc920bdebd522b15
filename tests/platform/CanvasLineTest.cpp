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
    [](const auto& test) {
      std::string n = test.param.name;
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

// A solid polyline (drawn in one pass over its points) sets exactly the
// pixels of its segments drawn one by one, also where the clip rectangle cuts
// it and where points repeat.
TEST(CanvasLine, SolidPolylineMatchesItsSegments) {
  const std::vector<TPoint> path{
      {-5, 3}, {4, 4}, {4, 4}, {9, 12}, {30, 2}, {12, 25}, {12, 6}, {-3, -8}, {20, 9}, {21, 9}};
  for (const TRect clip : {TRect{0, 0, 24, 20}, TRect{3, 2, 15, 11}}) {
    TBitmap polyline(24, 20);
    TBitmap segments(24, 20);
    for (TBitmap* bmp : {&polyline, &segments}) {
      bmp->Canvas().SetClipRect(clip);
      bmp->Canvas().Pen().SetColor(clRed);
    }
    polyline.Canvas().Polyline(path);
    segments.Canvas().MoveTo(path[0].x, path[0].y);
    for (const TPoint& p : path) segments.Canvas().LineTo(p.x, p.y);
    EXPECT_EQ(MaskOf(polyline, clRed), MaskOf(segments, clRed));
  }
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

// Vertical lines take a path of their own: clipped at both ends in either
// direction, outside columns untouched, ends at the integer limits.
TEST(CanvasLine, VerticalLinesAreClippedInBothDirections) {
  TBitmap bmp(6, 6);
  TCanvas& cv = bmp.Canvas();
  cv.SetClipRect({1, 1, 5, 5});
  const TPoint lines[][2] = {{{1, -3}, {1, 9}},  // through the clip
                             {{2, 4}, {2, 0}},   // upwards
                             {{3, 2}, {3, 3}},   // one pixel
                             {{4, 2147483647}, {4, -2147483647}},
                             {{0, 0}, {0, 6}},   // left of the clip
                             {{5, 0}, {5, 6}}};  // right of it
  for (const auto& line : lines) {
    cv.MoveTo(line[0].x, line[0].y);
    cv.LineTo(line[1].x, line[1].y);
  }
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({"......", ".##.#.", ".####.", ".##.#.", ".##.#.", "......"}));
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
    [](const auto& test) { return std::string(test.param.name); });

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

// The picture as rows of '#' (red, the pen), 'o' (blue, the brush), '.'
// (black) and '?' (anything else, such as a pixel flipped twice).
std::string PenAndBrush(const TBitmap& bmp) {
  std::string out;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const TColor c = bmp.PixelColor(x, y);
      out += c == clRed ? '#' : c == clBlue ? 'o' : c == clBlack ? '.' : '?';
    }
    out += '\n';
  }
  return out;
}

// Red pen, blue brush, on black: a pixel flipped once in XOR takes exactly
// the colour copy mode writes there, one flipped twice goes back to black.
TCanvas& OnBlack(TBitmap& bmp, TPenMode mode) {
  Fill(bmp, clBlack);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetColor(clRed);
  cv.Brush().SetColor(clBlue);
  cv.Pen().SetMode(mode);
  return cv;
}

std::string DrawnOnBlack(TPenMode mode, const std::function<void(TCanvas&)>& draw) {
  TBitmap bmp(14, 14);
  draw(OnBlack(bmp, mode));
  return PenAndBrush(bmp);
}

struct XorShape {
  const char* name;
  std::function<void(TCanvas&)> draw;
};

void PrintTo(const XorShape& s, std::ostream* os) { *os << s.name; }

class XorSinglePass : public ::testing::TestWithParam<XorShape> {};

TEST_P(XorSinglePass, XorWritesEachPixelOnceInOnePass) {
  const XorShape& shape = GetParam();
  EXPECT_EQ(DrawnOnBlack(pmXor, shape.draw), DrawnOnBlack(pmCopy, shape.draw));
}

void Dotted(TCanvas& cv) { cv.Pen().SetStyle(psDot); }
void Wide(TCanvas& cv) { cv.Pen().SetWidth(3); }

INSTANTIATE_TEST_SUITE_P(
    Canvas, XorSinglePass,
    ::testing::Values(XorShape{"rectangle", [](TCanvas& cv) { cv.Rectangle(1, 1, 7, 6); }},
                      XorShape{"wide_rectangle_over_fill",
                               [](TCanvas& cv) {
                                 Wide(cv);
                                 cv.Rectangle(1, 2, 12, 11);
                               }},
                      XorShape{"inside_frame_rectangle",
                               [](TCanvas& cv) {
                                 Wide(cv);
                                 cv.Pen().SetStyle(psInsideFrame);
                                 cv.Rectangle(1, 1, 12, 9);
                               }},
                      XorShape{"dotted_rectangle",
                               [](TCanvas& cv) {
                                 Dotted(cv);
                                 cv.Rectangle(1, 1, 12, 10);
                               }},
                      XorShape{"dotted_one_column_rectangle",
                               [](TCanvas& cv) {
                                 Dotted(cv);
                                 cv.Rectangle(3, 1, 4, 12);
                               }},
                      XorShape{"polygon_over_fill",
                               [](TCanvas& cv) {
                                 cv.Polygon({{1, 1}, {12, 3}, {6, 12}});
                               }},
                      XorShape{"dotted_polygon_over_fill",
                               [](TCanvas& cv) {
                                 Dotted(cv);
                                 cv.Polygon({{1, 1}, {12, 3}, {6, 12}, {2, 9}});
                               }},
                      XorShape{"wide_polygon_over_fill",
                               [](TCanvas& cv) {
                                 Wide(cv);
                                 cv.Polygon({{2, 2}, {11, 4}, {5, 11}});
                               }},
                      XorShape{"crossing_polygon",
                               [](TCanvas& cv) {
                                 cv.Polygon({{1, 1}, {12, 12}, {12, 1}, {1, 12}});
                               }},
                      XorShape{"crossing_polyline",
                               [](TCanvas& cv) {
                                 cv.Polyline({{1, 1}, {12, 12}, {12, 1}, {1, 12}});
                               }},
                      XorShape{"dotted_crossing_polyline",
                               [](TCanvas& cv) {
                                 Dotted(cv);
                                 cv.Polyline({{1, 1}, {12, 12}, {12, 1}, {1, 12}});
                               }},
                      XorShape{"wide_polyline",
                               [](TCanvas& cv) {
                                 Wide(cv);
                                 cv.Polyline({{2, 2}, {12, 6}, {2, 11}, {12, 13}});
                               }},
                      XorShape{"ellipse", [](TCanvas& cv) { cv.Ellipse(1, 2, 13, 12); }},
                      XorShape{"wide_ellipse_over_fill",
                               [](TCanvas& cv) {
                                 Wide(cv);
                                 cv.Ellipse(1, 1, 13, 12);
                               }},
                      XorShape{"dotted_ellipse",
                               [](TCanvas& cv) {
                                 Dotted(cv);
                                 cv.Ellipse(1, 1, 13, 12);
                               }},
                      XorShape{"clipped_wide_rectangle",
                               [](TCanvas& cv) {
                                 cv.SetClipRect({3, 3, 10, 10});
                                 Wide(cv);
                                 cv.Rectangle(1, 1, 12, 12);
                               }}),
    [](const auto& test) { return std::string(test.param.name); });

// The shapes whose pen and fill overlap, by hand: pen where copy mode shows
// the pen, the fill elsewhere, nothing flipped twice.
TEST(CanvasXor, WideOutlineOverTheFill) {
  TBitmap bmp(11, 11);
  TCanvas& cv = OnBlack(bmp, pmXor);
  cv.Pen().SetWidth(3);
  cv.Rectangle(1, 1, 10, 10);  // a 3 x 3 nib on every pixel of the ring 1..9
  EXPECT_EQ(PenAndBrush(bmp),
            Rows({"###########",
                  "###########",
                  "###########",
                  "###ooooo###",
                  "###ooooo###",
                  "###ooooo###",
                  "###ooooo###",
                  "###ooooo###",
                  "###########",
                  "###########",
                  "###########"}));
}

TEST(CanvasXor, PolygonOutlineOverItsFill) {
  // The fill covers columns 1..7 and rows 1..5; the outline runs on columns
  // 1 and 8 and rows 1 and 6.
  TBitmap bmp(10, 8);
  OnBlack(bmp, pmXor).Polygon({{1, 1}, {8, 1}, {8, 6}, {1, 6}});
  EXPECT_EQ(PenAndBrush(bmp),
            Rows({"..........",
                  ".########.",
                  ".#oooooo#.",
                  ".#oooooo#.",
                  ".#oooooo#.",
                  ".#oooooo#.",
                  ".########.",
                  ".........."}));
}

TEST(CanvasXor, DottedOutlineWithGapsInTheBrushColour) {
  // Three on, three off along the path from (1, 1) clockwise: x 1..7 of the
  // top, y 1..5 down the right, x 8..2 of the bottom, y 6..2 up the left;
  // the gaps over the fill stay brush-coloured.
  TBitmap bmp(10, 8);
  TCanvas& cv = OnBlack(bmp, pmXor);
  cv.Pen().SetStyle(psDot);
  cv.Polygon({{1, 1}, {8, 1}, {8, 6}, {1, 6}});
  EXPECT_EQ(PenAndBrush(bmp),
            Rows({"..........",
                  ".###ooo##.",
                  ".ooooooo#.",
                  ".oooooooo.",
                  ".oooooooo.",
                  ".#ooooooo.",
                  ".##ooo###.",
                  ".........."}));
}

TEST(CanvasXor, OutlineWithoutFill) {
  TBitmap bmp(8, 7);
  Fill(bmp, clWhite);
  bmp.Canvas().Pen().SetColor(clWhite);
  bmp.Canvas().Pen().SetMode(pmXor);
  bmp.Canvas().Brush().SetStyle(bsClear);
  bmp.Canvas().Rectangle(1, 1, 7, 6);
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({
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
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(bmp.PixelColor(x, y), before.PixelColor(x, y)) << x << "," << y;
  }
}

TEST(CanvasLine, WidePenStaysInsideTheLineExtent) {
  // A 3-pixel pen from column 1 to column 8: columns 1..7, rows 2..4.
  TBitmap bmp(10, 7);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(3);
  cv.MoveTo(1, 3);
  cv.LineTo(8, 3);
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({"..........",
                  "..........",
                  ".#######..",
                  ".#######..",
                  ".#######..",
                  "..........",
                  ".........."}));
}

TEST(CanvasLine, WidePenHasRoundEnds) {
  TBitmap bmp(12, 11);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(5);
  cv.MoveTo(2, 5);
  cv.LineTo(9, 5);
  EXPECT_EQ(MaskOf(bmp, clBlack, 0, 2, 12, 7),
            Rows({"............",
                  "...#####....",
                  "..#######...",
                  "..#######...",
                  "..#######...",
                  "...#####....",
                  "............"}));
}

TEST(CanvasLine, WidePenJoinsConnectedLines) {
  TBitmap bmp(9, 8);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(3);
  cv.MoveTo(1, 1);
  cv.LineTo(6, 1);
  cv.LineTo(6, 6);
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({".#######.",
                  ".#######.",
                  ".#######.",
                  ".....###.",
                  ".....###.",
                  ".....###.",
                  ".........",
                  "........."}));
}

TEST(CanvasLine, WidePenIsSolidWhateverItsStyle) {
  TBitmap bmp(30, 3);
  TCanvas& cv = bmp.Canvas();
  cv.Pen().SetWidth(3);
  cv.Pen().SetStyle(psDash);
  cv.MoveTo(0, 1);
  cv.LineTo(30, 1);
  EXPECT_EQ(MaskOf(bmp, clBlack, 1, 0, 28, 3),
            Rows({std::string(28, '#'), std::string(28, '#'), std::string(28, '#')}));
}

}  // namespace
