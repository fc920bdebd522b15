// Frames, colour schemes and the box frame of the value box and the gauge.
#include "controls/base/PLX_Frames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "support/PixelMask.h"

namespace {

// The bitmap's pixels as letters: w white, s silver, g gray, k black,
// y yellow (box background), r red, n navy; the fuchsia background reads '.'
// and any other colour '?'.
std::string Letters(const TBitmap& bmp) {
  static const std::map<TColor, char> kLetters = {{clWhite, 'w'},
                                                  {clSilver, 's'},
                                                  {clGray, 'g'},
                                                  {clBlack, 'k'},
                                                  {clYellow, 'y'},
                                                  {clRed, 'r'},
                                                  {clNavy, 'n'},
                                                  {clFuchsia, '.'}};
  std::string out;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const auto it = kLetters.find(bmp.PixelColor(x, y));
      out += it == kLetters.end() ? '?' : it->second;
    }
    out += '\n';
  }
  return out;
}

// A one-pixel-wide mask of `rows` rows with '#' from row `first` to `last`.
std::string Column(int rows, int first, int last) {
  std::string out;
  for (int y = 0; y < rows; ++y) out += (y >= first && y <= last) ? "#\n" : ".\n";
  return out;
}

struct FrameFixture : ::testing::Test {
  TBitmap bmp;
  TCanvas& cv = bmp.Canvas();
  void Start(int w, int h) {
    bmp.SetSize(w, h);
    Fill(bmp, clFuchsia);
  }
};

}  // namespace

TEST(SchemeLinesTest, BWGAndSystemDifferInGrayAndWhiteOnly) {
  const TFrameLines bwg = SchemeLines(csBWG);
  EXPECT_EQ(bwg.Black, 0x000000);
  EXPECT_EQ(bwg.Gray, 0x808080);
  EXPECT_EQ(bwg.White, 0xFFFFFF);
  EXPECT_EQ(bwg, TFrameLines{});  // the initial state of every control

  const TFrameLines sys = SchemeLines(csSystem);
  EXPECT_EQ(sys.Black, 0x000000);
  EXPECT_EQ(uint32_t(sys.Gray), 0xFF000010u);   // button shadow
  EXPECT_EQ(uint32_t(sys.White), 0xFF000014u);  // button highlight
}

using DrawRectangleTest = FrameFixture;

TEST_F(DrawRectangleTest, ClosedOutlineThroughAllFourCorners) {
  Start(7, 6);
  cv.Pen().SetColor(clBlack);
  DrawRectangle(cv, 1, 1, 5, 4);
  EXPECT_EQ(Letters(bmp), Rows({".......", ".kkkkk.", ".k...k.", ".k...k.", ".kkkkk.", "......."}));
  EXPECT_EQ(cv.PenPos(), (TPoint{1, 1}));
}

using DrawFrameTest = FrameFixture;

TEST_F(DrawFrameTest, NoneLeavesTheCanvasUntouched) {
  Start(8, 8);
  cv.Pen().SetColor(clRed);
  DrawFrame(cv, fsNone, 1, 1, 6, 6, clWhite, clSilver, clGray, clBlack, clNavy);
  EXPECT_EQ(MaskOf(bmp, clFuchsia), Rows(std::vector<std::string>(8, "########")));
}

TEST_F(DrawFrameTest, SimpleIsAnOutlineInSimpleFCol) {
  Start(7, 6);
  DrawFrame(cv, fsSimple, 1, 1, 5, 4, clWhite, clSilver, clGray, clBlack, clNavy);
  EXPECT_EQ(Letters(bmp), Rows({".......", ".nnnnn.", ".n...n.", ".n...n.", ".nnnnn.", "......."}));
}

// Outer ring: top-left colour along the left column and the top row, the
// bottom-right colour down the right column and along the bottom row, which
// also takes the bottom-left corner; the inner ring alike, a pixel inside.
TEST_F(DrawFrameTest, ThreeDimensionalStyles) {
  struct Row {
    TFrameStyle fs;
    std::vector<std::string> mask;
  };
  const std::vector<Row> rows = {
      {fsLowered,
       {"........",
        ".gggggg.",
        ".gkkkkw.",
        ".gk..sw.",
        ".gk..sw.",
        ".gssssw.",
        ".wwwwww.",
        "........"}},
      {fsRaised,
       {"........",
        ".wwwwww.",
        ".wssssk.",
        ".ws..gk.",
        ".ws..gk.",
        ".wggggk.",
        ".kkkkkk.",
        "........"}},
      {fsEmbossed,
       {"........",
        ".wwwwww.",
        ".wggggg.",
        ".wg..wg.",
        ".wg..wg.",
        ".wwwwwg.",
        ".gggggg.",
        "........"}},
      {fsEngraved,
       {"........",
        ".gggggg.",
        ".gwwwww.",
        ".gw..gw.",
        ".gw..gw.",
        ".gggggw.",
        ".wwwwww.",
        "........"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.fs));
    Start(8, 8);
    DrawFrame(cv, row.fs, 1, 1, 6, 6, clWhite, clSilver, clGray, clBlack, clNavy);
    EXPECT_EQ(Letters(bmp), Rows(row.mask));
  }
}

// On a 2 x 2 rectangle the rings overlap, so each pixel shows which call
// drew it last: the inner bottom-right line even leaves the rectangle.
TEST_F(DrawFrameTest, PartsOnATinyRectangleFollowTheCallOrder) {
  Start(4, 4);
  DrawFrameParts(cv, 1, 1, 2, 2, clRed, clNavy, clYellow, clBlack);
  EXPECT_EQ(Letters(bmp), Rows({"....", ".ry.", ".kn.", ".k.."}));
}

namespace {

struct ValueBoxFixture : FrameFixture {
  const TFrameLines lines;
  void Box(TFrameStyle fs, int X1, int boxWidth, int bottom) {
    DrawValueBox(cv,
                 fs,
                 X1,
                 X1 + boxWidth + 2,
                 bottom,
                 ValueBoxOutline(fs, clYellow, lines),
                 clYellow,
                 lines);
  }
};

}  // namespace

using ValueBoxTest = ValueBoxFixture;

TEST_F(ValueBoxTest, OutlineColourByStyle) {
  EXPECT_EQ(ValueBoxOutline(fsNone, clYellow, lines), clYellow);
  EXPECT_EQ(ValueBoxOutline(fsSimple, clYellow, lines), clGray);
  EXPECT_EQ(ValueBoxOutline(fsLowered, clYellow, lines), clGray);
  EXPECT_EQ(ValueBoxOutline(fsRaised, clYellow, lines), clGray);
  EXPECT_EQ(ValueBoxOutline(fsEmbossed, clYellow, lines), clWhite);
  EXPECT_EQ(ValueBoxOutline(fsEngraved, clYellow, lines), clGray);
}

// Height 25 without gauge: gray outline over rows 0..23, black down column
// X1 + 1 from row 22 to row 2 and along row 1, white along row 24 and up
// column X2 to row 1.
TEST_F(ValueBoxTest, LoweredBoxOfHeight25) {
  Start(14, 25);
  Box(fsLowered, 2, 8, 25);  // X1 = 2, X2 = 12
  std::vector<std::string> mask = {"..gggggggggg..", "..gkkkkkkkkgw."};
  for (int y = 2; y <= 22; ++y) mask.push_back("..gkyyyyyyygw.");
  mask.push_back("..ggggggggggw.");
  mask.push_back("...wwwwwwwwww.");
  EXPECT_EQ(Letters(bmp), Rows(mask));

  // The claims about single lines, column by column and row by row.
  const int X1 = 2;
  const int X2 = 12;
  EXPECT_EQ(MaskOf(bmp, clGray, X1, 0, 1, 25), Column(25, 0, 23));
  EXPECT_EQ(MaskOf(bmp, clBlack, X1 + 1, 0, 1, 25), Column(25, 1, 22));
  EXPECT_EQ(MaskOf(bmp, clBlack, 0, 1, 14, 1), Rows({"...########..."}));
  EXPECT_EQ(MaskOf(bmp, clWhite, X2, 0, 1, 25), Column(25, 1, 24));
  EXPECT_EQ(MaskOf(bmp, clWhite, 0, 24, 14, 1), Rows({"...##########."}));
}

TEST_F(ValueBoxTest, OtherStyles) {
  struct Row {
    TFrameStyle fs;
    std::vector<std::string> mask;
  };
  // X1 = 1, box width 4 (X2 = 7), bottom 6; row 6 stays untouched.
  const std::vector<Row> rows = {
      {fsNone,
       {".yyyyyy..", ".yyyyyy..", ".yyyyyy..", ".yyyyyy..", ".yyyyyy..", ".yyyyyy..", "........."}},
      {fsSimple,
       {".gggggg..", ".gyyyyg..", ".gyyyyg..", ".gyyyyg..", ".gyyyyg..", ".gggggg..", "........."}},
      {fsRaised,
       {".gggggg..", ".gwwwwgk.", ".gwyyygk.", ".gwyyygk.", ".ggggggk.", "..kkkkkk.", "........."}},
      {fsEmbossed,
       {".wwwwww..", ".wggggwg.", ".wgyyywg.", ".wgyyywg.", ".wwwwwwg.", "..gggggg.", "........."}},
      {fsEngraved,
       {".gggggg..", ".gwwwwgw.", ".gwyyygw.", ".gwyyygw.", ".ggggggw.", "..wwwwww.", "........."}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.fs));
    Start(9, 7);
    Box(row.fs, 1, 4, 6);
    EXPECT_EQ(Letters(bmp), Rows(row.mask));
  }
}

TEST_F(ValueBoxTest, SchemeLinesColourTheEdges) {
  Start(9, 7);
  TFrameLines custom;
  custom.Black = clNavy;
  custom.White = clRed;
  DrawValueBox(cv, fsLowered, 1, 7, 6, clSilver, clYellow, custom);
  EXPECT_EQ(Letters(bmp),
            Rows({".ssssss..",
                  ".snnnnsr.",
                  ".snyyysr.",
                  ".snyyysr.",
                  ".ssssssr.",
                  "..rrrrrr.",
                  "........."}));
}

using GaugeBoxTest = FrameFixture;

// Background, then a bar, then the frame over it: the outline goes gray over
// the navy first outline, the edges follow, the bottom-right one on row Y2.
TEST_F(GaugeBoxTest, LoweredGaugeAroundABar) {
  Start(10, 7);
  const TFrameLines lines;
  DrawGaugeBackground(cv, fsLowered, 1, 1, 8, 5, clNavy, clSilver);
  cv.Brush().SetColor(clRed);
  cv.FillRect({2, 2, 5, 4});
  DrawGaugeFrame(cv, fsLowered, 1, 1, 8, 5, clNavy, lines);
  EXPECT_EQ(Letters(bmp),
            Rows({"..........",
                  ".ggggggg..",
                  ".gkkkkkgw.",
                  ".gkrrssgw.",
                  ".gggggggw.",
                  "..wwwwwww.",
                  ".........."}));
  EXPECT_EQ(cv.Brush().Style(), bsClear);
}

TEST_F(GaugeBoxTest, FlatStyles) {
  const TFrameLines lines;
  Start(10, 7);
  DrawGaugeBackground(cv, fsNone, 1, 1, 8, 5, clNavy, clSilver);
  DrawGaugeFrame(cv, fsNone, 1, 1, 8, 5, clNavy, lines);
  EXPECT_EQ(Letters(bmp),
            Rows({"..........",
                  ".sssssss..",
                  ".sssssss..",
                  ".sssssss..",
                  ".sssssss..",
                  "..........",
                  ".........."}));

  Start(10, 7);
  DrawGaugeBackground(cv, fsSimple, 1, 1, 8, 5, clNavy, clSilver);
  cv.Brush().SetColor(clRed);
  cv.FillRect({2, 2, 4, 4});
  DrawGaugeFrame(cv, fsSimple, 1, 1, 8, 5, clNavy, lines);
  EXPECT_EQ(Letters(bmp),
            Rows({"..........",
                  ".nnnnnnn..",
                  ".nrrsssn..",
                  ".nrrsssn..",
                  ".nnnnnnn..",
                  "..........",
                  ".........."}));
}

TEST_F(GaugeBoxTest, EmbossedOutlineIsWhite) {
  const TFrameLines lines;
  Start(10, 7);
  DrawGaugeBackground(cv, fsEmbossed, 1, 1, 8, 5, clNavy, clSilver);
  DrawGaugeFrame(cv, fsEmbossed, 1, 1, 8, 5, clNavy, lines);
  EXPECT_EQ(Letters(bmp),
            Rows({"..........",
                  ".wwwwwww..",
                  ".wgggggwg.",
                  ".wgsssswg.",
                  ".wwwwwwwg.",
                  "..ggggggg.",
                  ".........."}));
}
