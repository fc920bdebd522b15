// Off-screen bitmaps: sizes, copies combined plainly, by AND or inverted,
// stretching, and files.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <climits>
#include <sstream>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Errors.h"
#include "platform/QtText.h"
#include "support/PixelMask.h"

namespace {

void Paint(TBitmap& bmp, std::initializer_list<uint32_t> rgb) {
  auto it = rgb.begin();
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) bmp.ScanLine(y)[x] = RGBToPixel(*it++);
  }
}

TEST(Bitmap, NewPixelsAreWhiteAndResizeKeepsTheOverlap) {
  TBitmap bmp(2, 2);
  EXPECT_EQ(bmp.PixelColor(1, 1), clWhite);
  bmp.Canvas().SetPixel(1, 1, clRed);
  bmp.SetSize(3, 1);
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(bmp.Height(), 1);
  bmp.SetSize(3, 3);
  EXPECT_EQ(bmp.PixelColor(1, 1), clWhite);  // row 1 was cut, then came back white
  bmp.SetSize(-4, 2);
  EXPECT_EQ(bmp.Width(), 0);
}

// Rows come into being when first reached; until then a bitmap is white at
// every size, and copies, resizes and text keep working across the change.
bool AnyInk(const TBitmap& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      if (bmp.PixelColor(x, y) != clWhite) return true;
    }
  }
  return false;
}

TEST(Bitmap, RowsNotYetReachedAreWhiteThroughResizesCopiesAndText) {
  TBitmap unreached(4, 3);
  unreached.SetSize(30, 16);
  TBitmap drawn(30, 16);
  drawn.Canvas().TextOut(1, 1, u"Hg");
  ASSERT_TRUE(AnyInk(drawn));
  drawn.Assign(unreached);  // same size: white again, its text surface kept
  EXPECT_FALSE(AnyInk(drawn));
  drawn.Canvas().TextOut(1, 1, u"Hg");
  EXPECT_TRUE(AnyInk(drawn));
  drawn.Assign(TBitmap(8, 8));  // another size, never reached
  EXPECT_EQ(drawn.Width(), 8);
  EXPECT_FALSE(AnyInk(drawn));
  drawn.SetSize(30, 16);
  drawn.Canvas().TextOut(1, 1, u"Hg");
  EXPECT_TRUE(AnyInk(drawn));
  unreached.Assign(drawn);
  EXPECT_TRUE(AnyInk(unreached));
  EXPECT_FALSE(AnyInk(TBitmap(5, 5)));
}

// A size whose rows would not fit is refused before any memory is taken,
// and the bitmap keeps its size and pixels.
TEST(Bitmap, ASizeBeyondItsPixelLimitIsRefusedAndChangesNothing) {
  TBitmap bmp(4, 3);
  bmp.ScanLine(1)[2] = RGBToPixel(clRed);
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{
           {1 << 14, 1 << 13}, {1 << 30, 1 << 30}, {INT_MAX, 2}, {(1 << 26) + 1, 1}}) {
    EXPECT_THROW(bmp.SetSize(width, height), EOutOfMemory) << width << " x " << height;
    EXPECT_THROW(TBitmap(width, height), EOutOfMemory) << width << " x " << height;
  }
  EXPECT_EQ(bmp.Width(), 4);
  EXPECT_EQ(bmp.Height(), 3);
  EXPECT_EQ(bmp.PixelColor(2, 1), clRed);
  // At the limit itself: sized, its rows still to come.
  TBitmap largest;
  largest.SetSize(1 << 13, 1 << 13);
  EXPECT_EQ(1LL * largest.Width() * largest.Height(), TBitmap::MaxPixels);
}

TEST(Bitmap, PixelsAreAlwaysOpaque) {
  TBitmap bmp(2, 1);
  bmp.Canvas().Pen().SetMode(pmXor);
  bmp.Canvas().Pen().SetColor(clWhite);
  bmp.Canvas().MoveTo(0, 0);
  bmp.Canvas().LineTo(2, 0);
  EXPECT_EQ(bmp.ScanLine(0)[0], 0xFF000000u);
}

struct CopyCase {
  TCopyMode mode;
  uint32_t expected[4];
};

void PrintTo(const CopyCase& c, std::ostream* os) {
  *os << (c.mode == cmSrcCopy ? "copy" : c.mode == cmSrcAnd ? "and" : "inverted");
}

class BitmapCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(BitmapCopy, CombinesBySourceMode) {
  TBitmap src(2, 2);
  Paint(src, {0x00FF00, 0x0F0F0F, 0xFFFFFF, 0x000000});
  TBitmap dst(4, 3);
  Paint(dst,
        {0x123456,
         0x123456,
         0x123456,
         0x123456,
         0x123456,
         0x00FFFF,
         0xF0F0F0,
         0x123456,
         0x123456,
         0x808080,
         0xABCDEF,
         0x123456});
  dst.Canvas().SetCopyMode(GetParam().mode);
  dst.Canvas().Draw(1, 1, src);
  const uint32_t* e = GetParam().expected;
  EXPECT_EQ(uint32_t(dst.PixelColor(1, 1)), e[0]);
  EXPECT_EQ(uint32_t(dst.PixelColor(2, 1)), e[1]);
  EXPECT_EQ(uint32_t(dst.PixelColor(1, 2)), e[2]);
  EXPECT_EQ(uint32_t(dst.PixelColor(2, 2)), e[3]);
  EXPECT_EQ(uint32_t(dst.PixelColor(0, 0)), 0x123456u);  // outside the copy
  EXPECT_EQ(uint32_t(dst.PixelColor(3, 2)), 0x123456u);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, BitmapCopy,
    ::testing::Values(CopyCase{cmSrcCopy, {0x00FF00, 0x0F0F0F, 0xFFFFFF, 0x000000}},
                      CopyCase{cmSrcAnd, {0x00FF00, 0x000000, 0x808080, 0x000000}},
                      CopyCase{cmNotSrcCopy, {0xFF00FF, 0xF0F0F0, 0x000000, 0xFFFFFF}}),
    [](const auto& test) {
      std::ostringstream name;
      PrintTo(test.param, &name);
      return name.str();
    });

TEST(Bitmap, InvertingARegionOntoItselfSwapsColours) {
  TBitmap bmp(4, 1);
  Paint(bmp, {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF});
  bmp.Canvas().SetCopyMode(cmNotSrcCopy);
  bmp.Canvas().CopyRect({1, 0, 3, 1}, bmp, {1, 0, 3, 1});
  EXPECT_EQ(MaskOf(bmp, clBlack), Rows({"##.."}));
}

TEST(Bitmap, CopiesOverlappingTheEdgesAreClipped) {
  TBitmap src(3, 3);
  Fill(src, clRed);
  TBitmap dst(4, 4);
  dst.Canvas().Draw(-2, 2, src);
  dst.Canvas().Draw(3, -1, src);
  EXPECT_EQ(MaskOf(dst, clRed), Rows({"...#", "...#", "#...", "#..."}));
}

TEST(Bitmap, StretchDrawTakesTheNearestPixel) {
  TBitmap src(2, 1);
  Paint(src, {0x0000FF, 0x00FF00});
  TBitmap dst(5, 2);
  dst.Canvas().StretchDraw({0, 0, 4, 2}, src);
  EXPECT_EQ(MaskOf(dst, clRed), Rows({"##...", "##..."}));
  EXPECT_EQ(MaskOf(dst, clLime), Rows({"..##.", "..##."}));
}

TEST(Bitmap, SavesABmpFileThatLoadsBack) {
  QTemporaryDir dir;
  const std::u16string name = FromQString(QDir(dir.path()).filePath("picture.bmp"));
  TBitmap bmp(3, 2);
  Paint(bmp, {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF, 0x000000});
  bmp.SaveToFile(name);
  TBitmap back;
  back.LoadFromFile(name);
  ASSERT_EQ(back.Width(), 3);
  ASSERT_EQ(back.Height(), 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(back.PixelColor(x, y), bmp.PixelColor(x, y));
  }
}

TEST(Bitmap, UnreadableFilesRaiseAndChangeNothing) {
  TBitmap bmp(2, 2);
  EXPECT_THROW(bmp.LoadFromFile(u"no such file.png"), EFileError);
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_THROW(bmp.SaveToFile(u"/nonexistent-folder/x.bmp"), EFileError);
}

TEST(Colors, SystemAndPlainValues) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(clBtnFace), ColorToRGB(SystemColor(15)));
  EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFFu);
  EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
  EXPECT_EQ(ColorToRGB(clGrayText), 0x808080u);
  // A top byte that is neither 0 nor 0xFF: the low three bytes.
  EXPECT_EQ(ColorToRGB(0x6088FFF0), 0x88FFF0u);
  EXPECT_EQ(int32_t(clBtnFace), -16777201);
}

}  // namespace
