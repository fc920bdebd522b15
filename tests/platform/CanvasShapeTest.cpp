// Rectangles, ellipses, polygons and pixels on the drawing surface.
#include <gtest/gtest.h>

#include <functional>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

// Pen red, brush blue, on white.
struct ShapeFixture : ::testing::Test {
  TBitmap bmp{9, 9};
  TCanvas& cv = bmp.Canvas();
  void SetUp() override {
    cv.Pen().SetColor(clRed);
    cv.Brush().SetColor(clBlue);
  }
  std::string Pen() { return MaskOf(bmp, clRed); }
  std::string Fill() { return MaskOf(bmp, clBlue); }
};

using CanvasRectangle = ShapeFixture;

TEST_F(CanvasRectangle, CoversColumnsX1ToX2MinusOne) {
  cv.Rectangle(0, 0, 3, 3);
  EXPECT_EQ(MaskOf(bmp, clRed, 0, 0, 4, 4), Rows({"###.", "#.#.", "###.", "...."}));
  EXPECT_EQ(MaskOf(bmp, clBlue, 0, 0, 4, 4), Rows({"....", ".#..", "....", "...."}));
}

TEST_F(CanvasRectangle, WithoutPenTheFillCoversTheWholeBox) {
  cv.Pen().SetStyle(psClear);
  cv.Rectangle(1, 1, 4, 3);
  EXPECT_EQ(MaskOf(bmp, clBlue, 0, 0, 5, 4), Rows({".....", ".###.", ".###.", "....."}));
}

TEST_F(CanvasRectangle, ClearBrushDrawsTheOutlineOnly) {
  cv.Brush().SetStyle(bsClear);
  cv.Rectangle(4, 4, 1, 1);  // reversed corners are swapped
  EXPECT_EQ(MaskOf(bmp, clRed, 0, 0, 5, 5), Rows({".....", ".###.", ".#.#.", ".###.", "....."}));
  EXPECT_EQ(bmp.PixelColor(2, 2), clWhite);
}

TEST_F(CanvasRectangle, OnePixelAndEmptyBoxes) {
  cv.Rectangle(2, 2, 3, 3);
  cv.Rectangle(5, 5, 5, 8);  // empty: nothing
  EXPECT_EQ(Pen(),
            Rows({".........",
                  ".........",
                  "..#......",
                  ".........",
                  ".........",
                  ".........",
                  ".........",
                  ".........",
                  "........."}));
}

// The canvas of bmp with pen red and brush blue, drawing inside clip.
TCanvas& clippedRedOnBlue(TBitmap& bmp, const TRect& clip) {
  TCanvas& cv = bmp.Canvas();
  cv.SetClipRect(clip);
  cv.Pen().SetColor(clRed);
  cv.Brush().SetColor(clBlue);
  return cv;
}

// A filled rectangle is drawn row by row; it must come out as its outline
// drawn over its fill, also where the clip rectangle cuts through it.
TEST(CanvasFramedRectangle, IsTheOutlineOverTheFill) {
  const struct {
    const char* what;
    TRect box;
    TRect clip;
  } cases[] = {
      {"inside", {2, 3, 9, 8}, {0, 0, 12, 12}},
      {"one pixel", {4, 4, 5, 5}, {0, 0, 12, 12}},
      {"one column", {4, 1, 5, 9}, {0, 0, 12, 12}},
      {"one row", {1, 4, 9, 5}, {0, 0, 12, 12}},
      {"two by two", {4, 4, 6, 6}, {0, 0, 12, 12}},
      {"the whole surface", {0, 0, 12, 12}, {0, 0, 12, 12}},
      {"clipped on the left and top", {1, 1, 9, 9}, {2, 2, 12, 12}},
      {"clipped on the right and bottom", {1, 1, 9, 9}, {0, 0, 8, 6}},
      {"clip inside the box", {0, 0, 12, 12}, {3, 3, 8, 8}},
      {"clip beside the box", {0, 0, 5, 5}, {6, 6, 12, 12}},
  };
  for (const auto& c : cases) {
    TBitmap framed(12, 12);
    TBitmap layered(12, 12);
    clippedRedOnBlue(framed, c.clip).Rectangle(c.box);
    TCanvas& cv = clippedRedOnBlue(layered, c.clip);
    cv.FillRect({c.box.Left + 1, c.box.Top + 1, c.box.Right - 1, c.box.Bottom - 1});
    cv.Brush().SetStyle(bsClear);
    cv.Rectangle(c.box);
    EXPECT_EQ(MaskOf(framed, clRed), MaskOf(layered, clRed)) << c.what;
    EXPECT_EQ(MaskOf(framed, clBlue), MaskOf(layered, clBlue)) << c.what;
  }
}

// A ruled rectangle is the rectangle with the rules drawn over it as lines,
// wherever the rules run and whatever the pen and clip rectangle.
TEST(CanvasRuledRectangle, IsTheRectangleWithLinesOverIt) {
  const std::vector<TVerticalRule> rules{
      {4, 10, 1},    // upwards, inside the box
      {6, 1, 10},    // downwards
      {2, 0, 12},    // on the left outline, beyond the box both ways
      {10, 9, 11},   // below the box only
      {7, 5, 5},     // no length
      {11, -3, 4},   // right of the box
      {8, 10, -40},  // from the bottom row to far above
  };
  const struct {
    const char* what;
    TRect clip;
    std::function<void(TCanvas&)> pen;
  } cases[] = {
      {"solid pen", {0, 0, 12, 12}, [](TCanvas&) {}},
      {"clipped", {3, 2, 9, 8}, [](TCanvas&) {}},
      {"dotted pen", {0, 0, 12, 12}, [](TCanvas& cv) { cv.Pen().SetStyle(psDot); }},
      {"wide pen", {0, 0, 12, 12}, [](TCanvas& cv) { cv.Pen().SetWidth(2); }},
      {"clear brush", {0, 0, 12, 12}, [](TCanvas& cv) { cv.Brush().SetStyle(bsClear); }},
  };
  for (const auto& c : cases) {
    TBitmap ruled(12, 12);
    TBitmap drawn(12, 12);
    for (TBitmap* bmp : {&ruled, &drawn}) c.pen(clippedRedOnBlue(*bmp, c.clip));
    const TRect box{2, 2, 10, 9};
    ruled.Canvas().RuledRectangle(box, rules, clLime);
    TCanvas& cv = drawn.Canvas();
    cv.Rectangle(box);
    cv.Pen().SetColor(clLime);
    cv.Pen().SetStyle(psSolid);
    cv.Pen().SetWidth(1);
    for (const TVerticalRule& v : rules) {
      cv.MoveTo(v.x, v.y0);
      cv.LineTo(v.x, v.y1);
    }
    for (TColor colour : {clRed, clBlue, clLime})
      EXPECT_EQ(MaskOf(ruled, colour), MaskOf(drawn, colour)) << c.what << ", colour " << colour;
  }
}

TEST_F(CanvasRectangle, BrushColourMakesAClearBrushSolid) {
  cv.Brush().SetStyle(bsClear);
  cv.Brush().SetColor(clGreen);
  EXPECT_EQ(cv.Brush().Style(), bsSolid);
}

TEST_F(CanvasRectangle, InsideFramePenStaysInTheBox) {
  cv.Pen().SetWidth(3);
  cv.Pen().SetStyle(psInsideFrame);
  cv.Rectangle(1, 1, 8, 8);
  EXPECT_EQ(Pen(),
            Rows({".........",
                  ".#######.",
                  ".#######.",
                  ".#######.",
                  ".###.###.",
                  ".#######.",
                  ".#######.",
                  ".#######.",
                  "........."}));
  EXPECT_EQ(MaskOf(bmp, clBlue, 4, 4, 1, 1), Rows({"#"}));
}

using CanvasEllipse = ShapeFixture;

TEST_F(CanvasEllipse, SevenPixelDisc) {
  // The filled circle of the chart's feeder marks: (x-3, y-3)-(x+4, y+4).
  cv.Pen().SetColor(clYellow);
  cv.Brush().SetColor(clYellow);
  cv.Ellipse(4 - 3, 4 - 3, 4 + 4, 4 + 4);
  EXPECT_EQ(MaskOf(bmp, clYellow),
            Rows({".........",
                  "...###...",
                  "..#####..",
                  ".#######.",
                  ".#######.",
                  ".#######.",
                  "..#####..",
                  "...###...",
                  "........."}));
}

TEST_F(CanvasEllipse, OutlineAndFillSplit) {
  cv.Ellipse(1, 1, 8, 8);
  EXPECT_EQ(Pen(),
            Rows({".........",
                  "...###...",
                  "..#...#..",
                  ".#.....#.",
                  ".#.....#.",
                  ".#.....#.",
                  "..#...#..",
                  "...###...",
                  "........."}));
  EXPECT_EQ(Fill(),
            Rows({".........",
                  ".........",
                  "...###...",
                  "..#####..",
                  "..#####..",
                  "..#####..",
                  "...###...",
                  ".........",
                  "........."}));
}

TEST_F(CanvasEllipse, SmallCircles) {
  cv.Pen().SetColor(clBlack);
  cv.Brush().SetColor(clBlack);
  cv.Ellipse(0, 0, 5, 5);  // 5 x 5
  cv.Ellipse(5, 5, 9, 9);  // 4 x 4
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({".###.....",
                  "#####....",
                  "#####....",
                  "#####....",
                  ".###.....",
                  "......##.",
                  ".....####",
                  ".....####",
                  "......##."}));
}

TEST_F(CanvasEllipse, WidePenOutlineGrowsOutwards) {
  cv.Pen().SetWidth(3);
  cv.Ellipse(2, 2, 7, 7);
  // The 5 x 5 circle's outline with a 3 x 3 nib on every outline pixel.
  EXPECT_EQ(Pen(),
            Rows({".........",
                  "..#####..",
                  ".#######.",
                  ".#######.",
                  ".###.###.",
                  ".#######.",
                  ".#######.",
                  "..#####..",
                  "........."}));
  EXPECT_EQ(MaskOf(bmp, clBlue, 4, 4, 1, 1), Rows({"#"}));
}

using CanvasPolygon = ShapeFixture;

TEST_F(CanvasPolygon, FilledDiamond) {
  cv.Pen().SetColor(clBlue);
  cv.Polygon({{2, 4}, {4, 6}, {6, 4}, {4, 2}});
  EXPECT_EQ(Fill(),
            Rows({".........",
                  ".........",
                  "....#....",
                  "...###...",
                  "..#####..",
                  "...###...",
                  "....#....",
                  ".........",
                  "........."}));
}

TEST_F(CanvasPolygon, FillLeavesOutRightAndBottomEdges) {
  cv.Pen().SetStyle(psClear);
  cv.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
  EXPECT_EQ(Fill(),
            Rows({".........",
                  ".####....",
                  ".####....",
                  ".####....",
                  ".........",
                  ".........",
                  ".........",
                  ".........",
                  "........."}));
}

// Shapes that tile the surface cover every pixel exactly once.
void ExpectTiling(int size, const std::vector<std::function<void(TCanvas&)>>& tiles) {
  std::vector<int> count(size_t(size * size), 0);
  for (const auto& draw : tiles) {
    TBitmap bmp(size, size);
    TCanvas& cv = bmp.Canvas();
    cv.Pen().SetStyle(psClear);
    cv.Brush().SetColor(clBlack);
    draw(cv);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) count[size_t(y * size + x)] += bmp.PixelColor(x, y) == clBlack;
    }
  }
  for (int i = 0; i < size * size; ++i)
    ASSERT_EQ(count[size_t(i)], 1) << "pixel " << i % size << "," << i / size;
}

TEST(CanvasTiling, RectanglesCoverEachPixelOnce) {
  ExpectTiling(16,
               {[](TCanvas& c) { c.Rectangle(0, 0, 5, 7); },
                [](TCanvas& c) { c.Rectangle(5, 0, 16, 7); },
                [](TCanvas& c) { c.Rectangle(0, 16, 9, 7); },
                [](TCanvas& c) { c.Rectangle(16, 16, 9, 7); }});
}

TEST(CanvasTiling, PolygonsCoverEachPixelOnce) {
  // A fan of triangles and a quadrilateral around an inner point.
  const TPoint m{6, 9};
  ExpectTiling(16,
               {[&](TCanvas& c) {
                  c.Polygon({{0, 0}, {16, 0}, m});
                },
                [&](TCanvas& c) {
                  c.Polygon({{16, 0}, {16, 16}, m});
                },
                [&](TCanvas& c) {
                  c.Polygon({{16, 16}, {3, 16}, {0, 12}, m});
                },
                [&](TCanvas& c) {
                  c.Polygon({{0, 12}, {0, 0}, m});
                },
                [&](TCanvas& c) {
                  c.Polygon({{0, 12}, {3, 16}, {0, 16}});
                }});
}

TEST(CanvasTiling, FillRectsCoverEachPixelOnce) {
  ExpectTiling(16,
               {[](TCanvas& c) {
                  c.FillRect({0, 0, 16, 1});
                },
                [](TCanvas& c) {
                  c.FillRect({0, 1, 3, 16});
                },
                [](TCanvas& c) {
                  c.FillRect({3, 1, 16, 16});
                }});
}

TEST(CanvasPixel, SetAndReadBack) {
  TBitmap bmp(3, 3);
  TCanvas& cv = bmp.Canvas();
  cv.SetPixel(1, 2, 0x123456);
  cv.SetPixel(-1, 0, clBlack);  // outside: ignored
  EXPECT_EQ(cv.Pixel(1, 2), 0x123456);
  EXPECT_EQ(cv.Pixel(0, 0), clWhite);
  EXPECT_EQ(cv.Pixel(3, 0), -1);
}

TEST(CanvasPixel, ShapesFarOutsideAreClipped) {
  TBitmap bmp(4, 4);
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(clBlack);
  cv.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
  cv.Ellipse(-2000000000, 1, 2000000000, 3);
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"####", "####", "####", "####"}));
}

}  // namespace
