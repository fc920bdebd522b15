// Text on the drawing surface: cell metrics, placement by the top-left
// corner, background and clipping.
#include <gtest/gtest.h>

#include <climits>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

namespace {

struct CanvasText : ::testing::Test {
  TBitmap bmp{80, 30};
  TCanvas& cv = bmp.Canvas();
  void SetUp() override {
    cv.Font().SetColor(clBlack);
    cv.Brush().SetStyle(bsClear);
  }
};

TEST_F(CanvasText, CellIsThirteenPixelsForTahomaAtEleven) {
  EXPECT_EQ(cv.Font().Name(), u"Tahoma");
  EXPECT_EQ(cv.Font().Height(), -11);
  EXPECT_EQ(cv.TextHeight(u"(8g]}\u00DC\u00C4\u00A7"), 13);
  EXPECT_EQ(cv.TextHeight(u""), 13);
}

TEST_F(CanvasText, WidthsAddUpAndEmptyIsZero) {
  EXPECT_EQ(cv.TextWidth(u""), 0);
  const int a = cv.TextWidth(u"7.1");
  const int b = cv.TextWidth(u"00");
  EXPECT_GT(a, 0);
  EXPECT_EQ(cv.TextWidth(u"7.100"), a + b);  // no kerning between the digits
}

TEST_F(CanvasText, PlacedByItsTopLeftCornerOnTheBaseline) {
  cv.TextOut(10, 5, u"H");
  const TRect ink = InkBox(bmp, clBlack);
  // The capital sits on the baseline, 11 pixels (the ascent) below the top.
  EXPECT_EQ(ink.Bottom, 5 + 11);
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Right, 10 + cv.TextWidth(u"H"));
  EXPECT_GE(ink.Top, 5);
}

TEST_F(CanvasText, DescendersStayInTheCell) {
  cv.TextOut(3, 2, u"gjpq");
  const TRect ink = InkBox(bmp, clBlack);
  EXPECT_GT(ink.Bottom, 2 + 11);
  EXPECT_LE(ink.Bottom, 2 + 13);
}

TEST_F(CanvasText, SolidBrushFillsExactlyTheCell) {
  cv.Brush().SetColor(clYellow);
  cv.TextOut(4, 6, u"Feeder");
  const int w = cv.TextWidth(u"Feeder");
  int outside = 0;
  int yellow = 0;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const bool inCell = x >= 4 && x < 4 + w && y >= 6 && y < 6 + 13;
      const TColor p = bmp.PixelColor(x, y);
      if (!inCell) outside += p != clWhite;
      yellow += p == clYellow;
    }
  }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(yellow, w * 13 / 2);
  EXPECT_EQ(cv.PenPos(), (TPoint{0, 0}));  // text leaves the position alone
}

TEST_F(CanvasText, ClearBrushLeavesTheBackground) {
  Fill(bmp, clSilver);
  cv.Brush().SetStyle(bsClear);
  cv.Font().SetColor(clRed);
  cv.TextOut(2, 2, u"MHz");
  EXPECT_EQ(InkBox(bmp, clWhite).Right, 0);  // nothing white appeared
  EXPECT_GT(InkBox(bmp, clRed).Right, 0);
}

TEST_F(CanvasText, TextRectClipsEveryPixel) {
  cv.Brush().SetColor(clYellow);
  const TRect clip{8, 4, 20, 12};
  cv.TextRect(clip, 2, 2, u"WWWWWW");
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const bool inClip = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
      if (!inClip) {
        ASSERT_EQ(bmp.PixelColor(x, y), clWhite) << x << "," << y;
      }
    }
  }
  EXPECT_GT(InkBox(bmp, clBlack).Right, 0);
}

TEST_F(CanvasText, TextAtTheIntegerLimitsDrawsNothing) {
  cv.Brush().SetStyle(bsSolid);
  cv.Brush().SetColor(clRed);
  for (const int y : {INT_MAX, INT_MAX - 5, INT_MIN}) cv.TextOut(2, y, u"Wg");
  cv.TextOut(INT_MAX - 3, 5, u"Wg");
  EXPECT_EQ(MaskOf(bmp, clRed), MaskOf(TBitmap(80, 30), clRed));
  EXPECT_EQ(MaskOf(bmp, clBlack), MaskOf(TBitmap(80, 30), clBlack));
}

TEST_F(CanvasText, BoldIsWiderAndStillThirteenHigh) {
  const int plain = cv.TextWidth(u"Optimum");
  cv.Font().SetStyle(fsBold);
  EXPECT_GT(cv.TextWidth(u"Optimum"), plain);
  EXPECT_EQ(cv.TextHeight(u"O"), 13);
}

}  // namespace
