// The clip rectangle of the drawing surface: every primitive draws inside it
// exactly what it draws without it, and nothing outside.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

// Columns 2..6 and rows 1..4 of a 9 x 6 surface.
const TRect kClip{2, 1, 7, 5};

TBitmap& whiteSurface(TBitmap& bmp) {
  Fill(bmp, clWhite);
  bmp.Canvas().Pen().SetColor(clBlack);
  return bmp;
}

TEST(CanvasClip, LineHalfOutside) {
  TBitmap bmp(9, 6);
  TCanvas& cv = whiteSurface(bmp).Canvas();
  cv.SetClipRect(kClip);
  cv.MoveTo(0, 0);
  cv.LineTo(8, 4);
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({
                ".........",
                "..##.....",
                "....##...",
                "......#..",
                ".........",
                ".........",
            }));
  EXPECT_EQ(cv.PenPos(), (TPoint{8, 4}));
}

TEST(CanvasClip, RectangleOutlineHalfOutside) {
  TBitmap bmp(9, 6);
  TCanvas& cv = whiteSurface(bmp).Canvas();
  cv.SetClipRect(kClip);
  cv.Brush().SetStyle(bsClear);
  cv.Rectangle(4, 2, 12, 10);
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({
                ".........",
                ".........",
                "....###..",
                "....#....",
                "....#....",
                ".........",
            }));
}

TEST(CanvasClip, BlockFillAndCopyStayInside) {
  TBitmap bmp(9, 6);
  TCanvas& cv = whiteSurface(bmp).Canvas();
  cv.SetClipRect(kClip);
  cv.Brush().SetColor(clRed);
  cv.FillRect({0, 0, 9, 6});
  TBitmap black(4, 4);
  Fill(black, clBlack);
  cv.Draw(5, 3, black);
  EXPECT_EQ(MaskOf(bmp, clRed),
            Rows({
                ".........",
                "..#####..",
                "..#####..",
                "..###....",
                "..###....",
                ".........",
            }));
  EXPECT_EQ(MaskOf(bmp, clBlack),
            Rows({
                ".........",
                ".........",
                ".........",
                ".....##..",
                ".....##..",
                ".........",
            }));
}

TEST(CanvasClip, ClipRectIsLimitedToTheSurfaceAndCanBeReset) {
  TBitmap bmp(9, 6);
  TCanvas& cv = bmp.Canvas();
  EXPECT_EQ(cv.ClipRect(), (TRect{0, 0, 9, 6}));
  cv.SetClipRect({7, 8, -3, 2});  // reversed corners are ordered
  EXPECT_EQ(cv.ClipRect(), (TRect{0, 2, 7, 6}));
  cv.ResetClipRect();
  EXPECT_EQ(cv.ClipRect(), (TRect{0, 0, 9, 6}));
}

// Each primitive drawn once with the clip and once without: inside the clip
// the two pictures agree, outside it the clipped one is untouched.
struct ClipCase {
  const char* name;
  std::function<void(TCanvas&)> draw;
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

class ClippedPrimitives : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClippedPrimitives, DrawInsideWhatTheyDrawWithoutClip) {
  const ClipCase& c = GetParam();
  TBitmap whole(30, 24);
  TBitmap clipped(30, 24);
  const TRect clip{6, 5, 21, 17};
  for (TBitmap* bmp : {&whole, &clipped}) {
    Fill(*bmp, clWhite);
    TCanvas& cv = bmp->Canvas();
    cv.Pen().SetColor(clBlack);
    cv.Brush().SetColor(clRed);
    cv.Font().SetColor(clBlue);
    if (bmp == &clipped) cv.SetClipRect(clip);
    c.draw(cv);
  }
  int inside = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 30; ++x) {
      const bool in = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
      const TColor expected = in ? whole.PixelColor(x, y) : clWhite;
      ASSERT_EQ(clipped.PixelColor(x, y), expected) << c.name << " at " << x << "," << y;
      inside += in && expected != clWhite;
    }
  }
  EXPECT_GT(inside, 0) << "the case must draw into the clip rectangle";
}

TBitmap& checkerSource() {
  static TBitmap source(12, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) source.ScanLine(y)[x] = (x + y) % 3 ? 0xFF00FF00u : 0xFF000000u;
  }
  return source;
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, ClippedPrimitives,
    ::testing::Values(
        ClipCase{"steep line",
                 [](TCanvas& cv) {
                   cv.MoveTo(3, 0);
                   cv.LineTo(12, 23);
                 }},
        ClipCase{"line far away",
                 [](TCanvas& cv) {
                   cv.MoveTo(-2000000000, 11);
                   cv.LineTo(2000000000, 9);
                 }},
        ClipCase{"dashed line",
                 [](TCanvas& cv) {
                   cv.Pen().SetStyle(psDot);
                   cv.MoveTo(0, 8);
                   cv.LineTo(29, 14);
                 }},
        ClipCase{"xor line",
                 [](TCanvas& cv) {
                   cv.Pen().SetColor(clRed);
                   cv.Pen().SetMode(pmXor);
                   cv.MoveTo(0, 10);
                   cv.LineTo(29, 10);
                 }},
        ClipCase{"wide polyline",
                 [](TCanvas& cv) {
                   cv.Pen().SetWidth(3);
                   cv.Polyline({{2, 2}, {25, 7}, {4, 20}});
                 }},
        ClipCase{"filled rectangle", [](TCanvas& cv) { cv.Rectangle(1, 3, 14, 12); }},
        ClipCase{"ellipse", [](TCanvas& cv) { cv.Ellipse(10, 8, 29, 23); }},
        ClipCase{"dotted ellipse",
                 [](TCanvas& cv) {
                   cv.Pen().SetStyle(psDot);
                   cv.Ellipse(0, 0, 18, 14);
                 }},
        ClipCase{"polygon",
                 [](TCanvas& cv) {
                   cv.Polygon({{0, 0}, {28, 6}, {12, 22}});
                 }},
        ClipCase{"pixels",
                 [](TCanvas& cv) {
                   for (int i = 0; i < 30; ++i) cv.SetPixel(i, i * 23 / 29, clBlack);
                 }},
        ClipCase{"text with background", [](TCanvas& cv) { cv.TextOut(1, 2, u"Wq8"); }},
        ClipCase{"clear text",
                 [](TCanvas& cv) {
                   cv.Brush().SetStyle(bsClear);
                   cv.TextOut(12, 10, u"MHz");
                 }},
        ClipCase{"text in a rectangle",
                 [](TCanvas& cv) {
                   cv.TextRect({0, 0, 14, 24}, 4, 4, u"mW");
                 }},
        ClipCase{"bitmap copy", [](TCanvas& cv) { cv.Draw(14, 11, checkerSource()); }},
        ClipCase{"inverted copy",
                 [](TCanvas& cv) {
                   cv.SetCopyMode(cmNotSrcCopy);
                   cv.Draw(-4, -3, checkerSource());
                 }},
        ClipCase{"stretched copy",
                 [](TCanvas& cv) {
                   cv.StretchDraw({3, 2, 27, 20}, checkerSource());
                 }},
        ClipCase{"part of a bitmap",
                 [](TCanvas& cv) {
                   cv.CopyRect({15, 12, 25, 22}, checkerSource(), {1, 1, 11, 11});
                 }}),
    [](const auto& test) {
      std::string n = test.param.name;
      for (char& ch : n) ch = ch == ' ' ? '_' : ch;
      return n;
    });

}  // namespace
