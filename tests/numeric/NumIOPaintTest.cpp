// Painting of the numeric input field with the main window's settings:
// value box, caret, warning and disabled looks, captions, buttons, gauge and
// the inverted selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/numeric/PLX_NumIO.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "support/PixelMask.h"

namespace {

class Field : public TNumIO2 {
 public:
  using TNumIO2::CaretTimer;
};

int countColor(const TBitmap& bmp, const TRect& r, TColor color) {
  const TColor rgb = TColor(ColorToRGB(color));
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) n += bmp.PixelColor(x, y) == rgb ? 1 : 0;
  }
  return n;
}

// The first column at or right of x0 with a pixel of the colour; -1 if none.
int firstColumnWith(const TBitmap& bmp, int x0, TColor color) {
  const TColor rgb = TColor(ColorToRGB(color));
  for (int x = x0; x < bmp.Width(); ++x) {
    for (int y = 0; y < bmp.Height(); ++y) {
      if (bmp.PixelColor(x, y) == rgb) return x;
    }
  }
  return -1;
}

// The main window's field: 201 x 25, caption area 75, box 80 (x 75 .. 157).
class NumIOPaintTest : public testing::Test {
 protected:
  static constexpr int LS = 75;
  static constexpr int TB = 80;

  void SetUp() override {
    field.SetBounds(0, 0, 201, 25);
    field.SetLeftSpace(LS);
    field.SetTextBoxWidth(TB);
    field.SetFixPointDecPlaces(3);
    field.SetNioText(u"");  // the new precision reformatted the empty text to "0.000"
    field.SetLeftText(u"Frequency");
    field.SetRightText(u"MHz");
    field.HandleNeeded();
    field.Paint();
  }

  const TBitmap& surface() const { return field.Surface(); }
  TRect boxInside() const { return {LS + 3, 2, LS + TB - 1, 22}; }
  // Hides the caret: a tick without the focus.
  void hideCaret() { field.CaretTimer().OnTimer(1); }
  int fontHeight() {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(field.Font());
    return scratch.Canvas().TextHeight(u"E0");
  }
  int textWidth(const std::u16string& text) {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(field.Font());
    return scratch.Canvas().TextWidth(text);
  }

  Field field;
};

TEST_F(NumIOPaintTest, ValueBoxOutlineAndLoweredEdges) {
  // Columns 73 .. 78: the box's left side. Gray outline over rows 0 .. 23,
  // black edge inside it, white edge below it, white inside.
  std::vector<std::string> gray{"..####"};
  gray.insert(gray.end(), 22, "..#...");
  gray.insert(gray.end(), {"..####", "......"});
  EXPECT_EQ(MaskOf(surface(), clGray, 73, 0, 6, 25), Rows(gray));

  std::vector<std::string> black{"......", "...###"};
  black.insert(black.end(), 21, "...#..");
  black.insert(black.end(), {"......", "......"});
  EXPECT_EQ(MaskOf(surface(), clBlack, 73, 0, 6, 25), Rows(black));

  std::vector<std::string> white{"......", "......"};
  white.insert(white.end(), 21, "....##");
  white.insert(white.end(), {"......", "...###"});
  EXPECT_EQ(MaskOf(surface(), clWhite, 73, 0, 6, 25), Rows(white));

  // Columns 153 .. 159: the right side, one pixel wider at x = LS + 82.
  std::vector<std::string> rightGray{"####..."};
  rightGray.insert(rightGray.end(), 22, "...#...");
  rightGray.insert(rightGray.end(), {"####...", "......."});
  EXPECT_EQ(MaskOf(surface(), clGray, 153, 0, 7, 25), Rows(rightGray));

  std::vector<std::string> rightWhite{".......", "....#.."};
  rightWhite.insert(rightWhite.end(), 21, "###.#..");
  rightWhite.insert(rightWhite.end(), {"....#..", "#####.."});
  EXPECT_EQ(MaskOf(surface(), clWhite, 153, 0, 7, 25), Rows(rightWhite));

  EXPECT_EQ(countColor(surface(), boxInside(), clWhite),
            (boxInside().Width() * boxInside().Height()) - 19)
      << "the box is white apart from the caret";
}

TEST_F(NumIOPaintTest, EmptyCentredFieldHasItsCaretAtTheMiddle) {
  // c = TB div 2 + 1 = 41: column 116, rows 3 .. 21.
  std::vector<std::string> expected{".............", "#############", "............."};
  expected.insert(expected.end(), 19, "......#......");
  expected.insert(expected.end(), 3, ".............");
  EXPECT_EQ(MaskOf(surface(), clBlack, 110, 0, 13, 25), Rows(expected));

  hideCaret();
  EXPECT_EQ(countColor(surface(), {116, 3, 117, 22}, clBlack), 0) << "blink phase off";
  EXPECT_FALSE(field.CaretTimer().TimerRunning(1));
}

// "7.100" in Tahoma 11 px: digits 6 px, the point 4 px, 28 px in all;
// centred in the 80 px box it starts at x = 75 + (80 - 28) div 2 + 2 = 103.
// The caret takes the column left of the character after it, rows 3 .. 21.
struct CaretCase {
  int caret;
  int column;
};

class CaretColumn : public NumIOPaintTest, public testing::WithParamInterface<CaretCase> {};

TEST_P(CaretColumn, CaretStandsLeftOfTheCharacterAfterIt) {
  field.SetNioValue(7.1);
  field.SetSelBegin(GetParam().caret);
  const int x = GetParam().column;
  TBitmap shown;
  shown.Assign(surface());
  hideCaret();
  // Row 1 is the box's black edge.
  std::vector<std::string> column{".", "#", "."};
  column.insert(column.end(), 19, "#");
  column.insert(column.end(), 3, ".");
  EXPECT_EQ(MaskOf(shown, clBlack, x, 0, 1, 25), Rows(column));
  // Only that column changes when the caret blinks off.
  for (int y = 0; y < 25; ++y) {
    for (int px = 0; px < 201; ++px) {
      if (px == x) continue;
      ASSERT_EQ(shown.PixelColor(px, y), surface().PixelColor(px, y)) << px << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(NumIOPaint, CaretColumn,
                         testing::Values(CaretCase{0, 102}, CaretCase{1, 108}, CaretCase{2, 112},
                                         CaretCase{4, 124}, CaretCase{5, 130}),
                         [](const auto& test) {
                           return "caret_" + std::to_string(test.param.caret);
                         });

TEST_F(NumIOPaintTest, TextIsCentredAtItsTopLeftCorner) {
  field.SetNioValue(7.1);
  hideCaret();
  const int tw = textWidth(u"7.100");
  const int ty = (25 - fontHeight()) / 2;
  TBitmap expected(201, 25);
  Fill(expected, clWhite);
  TCanvas& cv = expected.Canvas();
  cv.Font().Assign(field.Font());
  cv.Font().SetColor(clBlack);
  cv.TextOut(LS + (TB - tw) / 2 + 2, ty, u"7.100");
  const TRect r = boxInside();
  EXPECT_GT(countColor(expected, r, clBlack), 0);
  EXPECT_EQ(MaskOf(surface(), clBlack, r.Left, r.Top, r.Width(), r.Height()),
            MaskOf(expected, clBlack, r.Left, r.Top, r.Width(), r.Height()));
}

struct CaptionRow {
  TAlignment alignment;
  int leftX;   // expected x of "Frequency" (lw = its width)
  int rightX;  // expected x of "MHz" (rw = its width)
};

TEST_F(NumIOPaintTest, CaptionsFollowTheirAlignment) {
  const int lw = textWidth(u"Frequency");
  const int rw = textWidth(u"MHz");
  const int ty = (25 - fontHeight()) / 2;
  const std::vector<CaptionRow> rows{
      {taLeftJustify, 7, LS + TB + 7},
      {taRightJustify, LS - lw - 5, 201 - rw - 6},
      {taCenter, (LS - lw) / 2, (201 - (LS + TB + rw)) / 2 + LS + TB + 1},
  };
  for (const CaptionRow& row : rows) {
    SCOPED_TRACE(int(row.alignment));
    field.SetLeftTextAlignment(row.alignment);
    field.SetRightTextAlignment(row.alignment);
    TBitmap expected(201, 25);
    Fill(expected, clBtnFace);
    TCanvas& cv = expected.Canvas();
    cv.Font().Assign(field.Font());
    cv.Font().SetColor(clBlack);
    cv.TextOut(row.leftX, ty, u"Frequency");
    cv.TextOut(row.rightX, ty, u"MHz");
    const int right = LS + TB + 3;
    EXPECT_EQ(MaskOf(surface(), clBlack, 0, 0, LS - 1, 25),
              MaskOf(expected, clBlack, 0, 0, LS - 1, 25));
    EXPECT_EQ(MaskOf(surface(), clBlack, right, 0), MaskOf(expected, clBlack, right, 0));
  }
}

TEST_F(NumIOPaintTest, OutOfRangeShowsTheWarningColours) {
  field.SetNioValue(7.1);
  const TRect r = boxInside();
  EXPECT_EQ(countColor(surface(), r, clRed), 0);
  EXPECT_GT(countColor(surface(), r, clBlack), 19);

  field.SetRangeHigh(5.0);
  // The top byte of 0x6088FFF0 is ignored when drawing.
  EXPECT_EQ(surface().PixelColor(LS + 5, 10), TColor(0x88FFF0));
  EXPECT_EQ(surface().PixelColor(LS + TB - 2, 20), TColor(0x88FFF0));
  EXPECT_GT(countColor(surface(), r, clRed), 0);
  EXPECT_EQ(surface().PixelColor(LS, 10), TColor(0x808080)) << "the outline stays gray";

  field.SetRangeHigh(7.1);
  EXPECT_EQ(surface().PixelColor(LS + 5, 10), clWhite) << "the bound itself is in range";
}

TEST_F(NumIOPaintTest, DisabledLooksSilverAndGrayWithEmbossedCaptions) {
  field.SetNioValue(7.1);
  field.SetRangeHigh(5.0);  // out of range: not shown while disabled
  hideCaret();
  const TRect captions{0, 0, LS - 1, 25};
  EXPECT_GT(countColor(surface(), captions, clBlack), 0);
  EXPECT_EQ(countColor(surface(), captions, clWhite), 0);

  field.SetEnabled(false);
  const TRect r = boxInside();
  EXPECT_EQ(surface().PixelColor(LS + 5, 10), clSilver);
  EXPECT_EQ(countColor(surface(), r, clRed), 0);
  EXPECT_EQ(countColor(surface(), r, clBlack), 0);
  EXPECT_GT(countColor(surface(), r, clGray), 0);
  EXPECT_EQ(countColor(surface(), captions, clBlack), 0);
  EXPECT_GT(countColor(surface(), captions, clWhite), 0);
  EXPECT_GT(countColor(surface(), captions, clGray), 0);

  field.SetEnabled(true);
  EXPECT_EQ(surface().PixelColor(LS + 5, 10), TColor(0x88FFF0));
}

TEST_F(NumIOPaintTest, ButtonsPushTheRightTextByTheirWidthAndSpace) {
  field.SetBounds(0, 0, 240, 25);
  field.Paint();
  const int without = firstColumnWith(surface(), LS + TB + 3, clBlack);
  field.SetButVisible(true);
  const int with = firstColumnWith(surface(), LS + TB + 3 + 18 + 3, clBlack);
  ASSERT_GT(without, 0);
  EXPECT_EQ(with - without, field.ButWidth() + field.ButSpace());
}

TEST_F(NumIOPaintTest, ButtonsRectangleDividerHighlightsAndArrows) {
  field.SetButVisible(true);  // X0 = LS + TB + 3 = 158, ButHeight 25: hb = 12
  // Columns 156 .. 179.
  EXPECT_EQ(MaskOf(surface(), clBlack, 156, 0, 24, 25),
            Rows({
                "........................", "........................", ".....................#..",
                ".....................#..", ".....................#..", "...........##........#..",
                "..........####.......#..", ".........######......#..", ".....................#..",
                ".....................#..", ".....................#..", ".....................#..",
                ".....................#..", ".....................#..", ".....................#..",
                ".....................#..", ".........######......#..", "..........####.......#..",
                "...........##........#..", ".....................#..", ".....................#..",
                ".....................#..", ".....................#..", "...###################..",
                "........................",
            }));
  EXPECT_EQ(MaskOf(surface(), clGray, 156, 0, 24, 25),
            Rows({
                "#.###################...", "#.#.................#...", "#.#.................#...",
                "#.#.................#...", "#.#.................#...", "#.#.................#...",
                "#.#.................#...", "#.#.................#...", "#.#.................#...",
                "#.#.................#...", "#.#.................#...", "#.###################...",
                "#.#.................#...", "#.#.................#...", "#.#.................#...",
                "#.#.................#...", "#.#.................#...", "#.#.................#...",
                "#.#.................#...", "#.#.................#...", "#.#.................#...",
                "#.#.................#...", "#.###################...", "#.......................",
                "........................",
            }));
  EXPECT_EQ(MaskOf(surface(), clWhite, 156, 0, 24, 25),
            Rows({
                "........................", ".#.#################....", ".#.#....................",
                ".#.#....................", ".#.#....................", ".#.#....................",
                ".#.#....................", ".#.#....................", ".#.#....................",
                ".#.#....................", ".#.#....................", ".#......................",
                ".#.#################....", ".#.#....................", ".#.#....................",
                ".#.#....................", ".#.#....................", ".#.#....................",
                ".#.#....................", ".#.#....................", ".#.#....................",
                ".#.#....................", ".#......................", ".#......................",
                "##......................",
            }));

  field.SetEnabled(false);
  EXPECT_EQ(countColor(surface(), {165, 5, 171, 8}, clGray), 12) << "gray arrows";
  field.SetEnabled(true);
  field.SetBut3D(false);
  EXPECT_EQ(countColor(surface(), {159, 1, 176, 22}, clWhite), 0);
  EXPECT_EQ(countColor(surface(), {177, 0, 178, 25}, clBlack), 0);
}

struct GaugeRow {
  double low;
  double high;
  double value;
  std::string barRow;  // columns 33 .. 47 of rows 33 .. 37
};

TEST_F(NumIOPaintTest, GaugeBarFollowsTheValueAndIsFullForAnEmptyRange) {
  field.SetBounds(0, 0, 201, 40);
  field.SetLeftText(u"");
  field.SetGaugeWidth(10);
  field.SetGaugeVisible(true);  // x 35 .. 45, rows 31 .. 39
  const std::vector<GaugeRow> rows{
      {5.0, 5.0, 7.1, "....#######...."},
      {0.0, 10.0, 5.0, "....###........"},
      {0.0, 10.0, -3.0, "..............."},
      {0.0, 10.0, 20.0, "....#######...."},
  };
  for (const GaugeRow& row : rows) {
    SCOPED_TRACE(row.value);
    field.SetRangeLow(row.low);
    field.SetRangeHigh(row.high);
    field.SetNioValue(row.value);
    std::vector<std::string> navy(4, "...............");
    navy.insert(navy.end(), 5, row.barRow);
    navy.insert(navy.end(), 2, "...............");
    EXPECT_EQ(MaskOf(surface(), clNavy, 33, 29, 15, 11), Rows(navy));
  }
  // The frame over the bar: gray outline, black and white edges.
  EXPECT_EQ(MaskOf(surface(), clGray, 33, 30, 15, 10),
            Rows({"...............",
                  "..##########...",
                  "..#........#...",
                  "..#........#...",
                  "..#........#...",
                  "..#........#...",
                  "..#........#...",
                  "..#........#...",
                  "..##########...",
                  "..............."}));
  EXPECT_EQ(MaskOf(surface(), clWhite, 33, 30, 15, 10),
            Rows({"...............",
                  "...............",
                  "............#..",
                  "............#..",
                  "............#..",
                  "............#..",
                  "............#..",
                  "............#..",
                  "............#..",
                  "...##########.."}));
  EXPECT_EQ(countColor(surface(), {0, 28, 201, 40}, clWhite), 17) << "the value box ends above";
}

TEST_F(NumIOPaintTest, SelectionIsInvertedOnlyWhenShown) {
  field.SetNioValue(7.1);
  field.SetSelBegin(5);
  TBitmap plain;
  plain.Assign(surface());

  field.SetSelBegin(0);
  field.SetSelEnd(5);  // caret back at 5, selection hidden: not focused
  TBitmap hidden;
  hidden.Assign(surface());
  EXPECT_EQ(MaskOf(hidden, clBlack), MaskOf(plain, clBlack));

  field.SetHideSelection(false);
  const int left = field.CharPosToXCoords(0);
  const int right = field.CharPosToXCoords(5);
  ASSERT_LT(left, right);
  int inverted = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 201; ++x) {
      const bool inside = x >= left && x < right && y >= 3 && y < 22;
      const TColor before = plain.PixelColor(x, y);
      const TColor after = surface().PixelColor(x, y);
      if (inside) {
        inverted += after == (before ^ 0xFFFFFF) ? 1 : 0;
      } else {
        ASSERT_EQ(after, before) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(inverted, (right - left) * 19);
}

TEST_F(NumIOPaintTest, ColorSchemeChangesTheGrayAndWhiteLines) {
  field.SetColorScheme(csSystem);
  EXPECT_EQ(surface().PixelColor(LS, 10), TColor(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(surface().PixelColor(LS + 82, 10), TColor(ColorToRGB(clBtnHighlight)));
  EXPECT_EQ(surface().PixelColor(LS + 1, 10), clBlack);
  field.SetColorScheme(csBWG);
  EXPECT_EQ(surface().PixelColor(LS, 10), clGray);
  EXPECT_EQ(surface().PixelColor(LS + 82, 10), clWhite);
}

TEST_F(NumIOPaintTest, AutoSizeTakesTheFontHeightWithoutTheMinimum) {
  field.SetAutoSize(true);
  EXPECT_EQ(field.Height(), fontHeight() + 6);
  EXPECT_EQ(field.ButHeight(), 25);
}

TEST(NumIOPaintLifecycle, NothingIsPaintedBeforeTheWindowExistsOrWhileInvisible) {
  TNumIO2 field;
  field.Canvas().SetPixel(100, 10, clRed);
  field.SetNioValue(5.0);
  field.Paint();
  EXPECT_EQ(field.Surface().PixelColor(100, 10), clRed);

  field.HandleNeeded();
  field.SetVisible(false);
  field.Paint();
  EXPECT_EQ(field.Surface().PixelColor(100, 10), clRed);
  field.SetVisible(true);
  field.Paint();
  EXPECT_NE(field.Surface().PixelColor(100, 10), clRed);
}

}  // namespace
