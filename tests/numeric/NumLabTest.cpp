// The numeric display label: properties, repaint rules and painting.
#include "controls/numeric/PLX_NumLab.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "support/PixelMask.h"

namespace {

// The default label: 160 x 28, value box from LeftSpace 35, 80 wide, so its
// frame spans X1 = 35 .. X2 = 117 and its value text is clipped to columns
// 38..113 and rows 2..24.
constexpr int kW = 160;
constexpr int kH = 28;
constexpr int kLS = 35;
constexpr int kLW = 80;
// Every pixel inside the frame's lines: columns 37..115, rows 2..25.
constexpr TRect kBoxInside{kLS + 2, 2, kLS + kLW + 1, kH - 2};

class CountingLab : public TNumLab {
 public:
  int paints = 0;
  void Paint() override {
    ++paints;
    TNumLab::Paint();
  }
};

TColor rgb(TColor color) { return TColor(ColorToRGB(color)); }

// Text metrics in a font (the label's default unless given).
int textWidth(const std::u16string& text, const TFont& font = TFont()) {
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(font);
  return probe.Canvas().TextWidth(text);
}

int textTop(const TFont& font = TFont()) {
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(font);
  return (kH - probe.Canvas().TextHeight(u"(8g]}\u00DC\u00C4\u00A7")) / 2;
}

// A picture of what the label should show in a region, built from plain
// surface calls.
class Reference {
 public:
  explicit Reference(TColor background, int w = kW, int h = kH)
      : FBmp(std::make_unique<TBitmap>(w, h)) {
    Fill(*FBmp, background);
  }
  // Text in `color` on a solid `brush`, or without background.
  Reference& Text(int x, int y, const std::u16string& text, TColor color,
                  std::optional<TColor> brush, const TFont& font = TFont()) {
    prepare(color, brush, font);
    FBmp->Canvas().TextOut(x, y, text);
    return *this;
  }
  Reference& ClippedText(const TRect& clip, int x, int y, const std::u16string& text, TColor color,
                         TColor brush) {
    prepare(color, brush, TFont());
    FBmp->Canvas().TextRect(clip, x, y, text);
    return *this;
  }
  const TBitmap& Bitmap() const { return *FBmp; }

 private:
  void prepare(TColor color, std::optional<TColor> brush, const TFont& font) {
    TCanvas& cv = FBmp->Canvas();
    cv.Font().Assign(font);
    cv.Font().SetColor(color);
    if (brush) {
      cv.Brush().SetColor(*brush);
    } else {
      cv.Brush().SetStyle(bsClear);
    }
  }
  std::unique_ptr<TBitmap> FBmp;  // TBitmap cannot move
};

// Pixels of the region that differ between the two pictures.
int differences(const TBitmap& a, const TBitmap& b, const TRect& r) {
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) count += a.PixelColor(x, y) != b.PixelColor(x, y);
  }
  return count;
}

int pixelsOf(const TBitmap& bmp, TColor color, const TRect& r) {
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) count += bmp.PixelColor(x, y) == rgb(color);
  }
  return count;
}

int centredX(int tw) { return kLS + (kLW - tw) / 2 + 2; }

// The value text as an opaque label shows it: on the box background.
Reference valueReference(int x, const std::u16string& text, TColor color = clBlack) {
  Reference ref(clBtnFace);
  ref.Text(x, textTop(), text, color, clBtnFace);
  return ref;
}

struct NumLabFixture : ::testing::Test {
  CountingLab lab;
  const TBitmap& Surface() { return lab.Surface(); }
};

}  // namespace

using NumLabPropertiesTest = NumLabFixture;

TEST_F(NumLabPropertiesTest, Defaults) {
  EXPECT_EQ(lab.Width(), 160);
  EXPECT_EQ(lab.Height(), 28);
  EXPECT_EQ(lab.Value(), 0.0);
  EXPECT_EQ(lab.DisplayType(), dtFixP);
  EXPECT_EQ(lab.Precision(), 2);
  EXPECT_FALSE(lab.Comma());
  EXPECT_FALSE(lab.ForcePlusSign());
  EXPECT_FALSE(lab.Empty());
  EXPECT_EQ(lab.OverflowIndicator(), u"*********");
  EXPECT_EQ(lab.StateText(), u"undefined");
  EXPECT_EQ(lab.DTFormat(), u"mmm-dd, yyyy");
  EXPECT_EQ(lab.LeftText(), u"");
  EXPECT_EQ(lab.RightText(), u"");
  EXPECT_EQ(lab.LeftSpace(), 35);
  EXPECT_EQ(lab.LabelWidth(), 80);
  EXPECT_EQ(lab.Alignment(), taCenter);
  EXPECT_EQ(lab.LeftTextAlignment(), taRightJustify);
  EXPECT_EQ(lab.RightTextAlignment(), taLeftJustify);
  EXPECT_EQ(lab.FrameStyle(), fsLowered);
  EXPECT_EQ(lab.ColorScheme(), csBWG);
  EXPECT_EQ(uint32_t(lab.ColorLabBakG()), 0xFF00000Fu);
  EXPECT_EQ(lab.ColorLabText(), 0x000000);
  EXPECT_EQ(uint32_t(lab.ColorOutBakG()), 0xFF00000Fu);
  EXPECT_EQ(lab.ColorOutText(), 0x000000);
  EXPECT_FALSE(lab.Transparent());
  EXPECT_TRUE(lab.Enabled());
  EXPECT_EQ(lab.FrameLines(), SchemeLines(csBWG));
  EXPECT_EQ(lab.paints, 0);
}

// Each setter repaints once on a change and not at all without one.
TEST_F(NumLabPropertiesTest, SettersRepaintOnlyOnChange) {
  lab.SetLabValue(1.5);
  lab.SetLabValue(1.5);
  EXPECT_EQ(lab.paints, 1);
  lab.SetLabValue(std::numeric_limits<double>::quiet_NaN());
  lab.SetLabValue(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(lab.paints, 2);

  lab.paints = 0;
  lab.SetDisplayType(dtFixP);
  lab.SetLeftText(u"");
  lab.SetFrameStyle(fsLowered);
  lab.SetColorLabBakG(clBtnFace);
  lab.SetAlignment(taCenter);
  EXPECT_EQ(lab.paints, 0);
  lab.SetDisplayType(dtHex);
  lab.SetLeftText(u"f");
  lab.SetFrameStyle(fsRaised);
  lab.SetColorLabBakG(clWhite);
  lab.SetAlignment(taLeftJustify);
  lab.SetDTFormat(u"yyyy");
  lab.SetEnabled(false);
  lab.SetEnabled(false);
  EXPECT_EQ(lab.paints, 7);
  EXPECT_FALSE(lab.Enabled());
}

TEST_F(NumLabPropertiesTest, PrecisionAndLeftSpaceLimits) {
  lab.SetPrecision(-1);  // ignored
  lab.SetPrecision(2);   // unchanged
  EXPECT_EQ(lab.paints, 0);
  lab.SetPrecision(20);
  EXPECT_EQ(lab.Precision(), 15);
  lab.SetPrecision(30);  // 15 again: no change
  EXPECT_EQ(lab.paints, 1);
  lab.SetPrecision(0);
  EXPECT_EQ(lab.Precision(), 0);

  lab.paints = 0;
  lab.SetLeftSpace(-5);
  EXPECT_EQ(lab.LeftSpace(), 35);
  lab.SetLeftSpace(500);
  EXPECT_EQ(lab.LeftSpace(), 160);
  lab.SetLeftSpace(0);
  EXPECT_EQ(lab.LeftSpace(), 0);
  lab.SetLabelWidth(-1);  // stored and painted like any other width
  EXPECT_EQ(lab.LabelWidth(), -1);
  EXPECT_EQ(lab.paints, 3);
}

// Switching the scheme changes only the gray and white frame lines.
TEST_F(NumLabPropertiesTest, ColorSchemeSwitch) {
  lab.SetColorScheme(csSystem);
  EXPECT_EQ(lab.paints, 1);
  EXPECT_EQ(lab.FrameLines().Black, 0x000000);
  EXPECT_EQ(lab.FrameLines().Gray, clBtnShadow);
  EXPECT_EQ(lab.FrameLines().White, clBtnHighlight);
  EXPECT_EQ(lab.ColorLabBakG(), clBtnFace);
  EXPECT_EQ(lab.ColorLabText(), clBlack);
  EXPECT_EQ(lab.ColorOutBakG(), clBtnFace);
  EXPECT_EQ(lab.ColorOutText(), clBlack);

  lab.SetColorScheme(csSystem);
  EXPECT_EQ(lab.paints, 1);

  lab.SetColorScheme(csBWG);
  EXPECT_EQ(lab.paints, 2);
  EXPECT_EQ(lab.FrameLines().Gray, 0x808080);
  EXPECT_EQ(lab.FrameLines().White, 0xFFFFFF);
}

TEST_F(NumLabPropertiesTest, MouseAreaCodeIsSetBeforeTheEvent) {
  std::vector<int> seen;
  lab.OnMouseMove = [&](TObject* Sender, TShiftState, int, int) {
    EXPECT_EQ(Sender, &lab);
    seen.push_back(lab.MouseAreaCode());
  };
  for (const int x : {0, 35, 36, 115, 116, 159}) lab.MouseMove(0, x, 5);
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 1, 1, 2, 2}));
}

TEST_F(NumLabPropertiesTest, AssignCopiesAllButCommaPlusSignFormatAndEnabled) {
  TNumLab source;
  source.SetLeftSpace(60);
  source.SetEmpty(true);
  source.SetLabelWidth(70);
  source.SetPrecision(3);
  source.SetLeftText(u"Frequency");
  source.SetRightText(u"MHz");
  source.SetFrameStyle(fsEngraved);
  source.SetAlignment(taRightJustify);
  source.SetLeftTextAlignment(taCenter);
  source.SetRightTextAlignment(taCenter);
  source.SetOverflowIndicator(u"##");
  source.SetLabValue(7.1);
  source.SetStateText(u"off");
  source.SetColorLabBakG(clWhite);
  source.SetColorLabText(clRed);
  source.SetColorOutBakG(clSilver);
  source.SetColorOutText(clNavy);
  source.SetColorScheme(csSystem);
  source.SetDisplayType(dtEEng);
  source.SetComma(true);
  source.SetForcePlusSign(true);
  source.SetDTFormat(u"yyyy");
  source.SetEnabled(false);

  lab.Assign(source);
  EXPECT_EQ(lab.paints, 1);
  EXPECT_EQ(lab.LeftSpace(), 60);
  EXPECT_TRUE(lab.Empty());
  EXPECT_EQ(lab.LabelWidth(), 70);
  EXPECT_EQ(lab.Precision(), 3);
  EXPECT_EQ(lab.LeftText(), u"Frequency");
  EXPECT_EQ(lab.RightText(), u"MHz");
  EXPECT_EQ(lab.FrameStyle(), fsEngraved);
  EXPECT_EQ(lab.Alignment(), taRightJustify);
  EXPECT_EQ(lab.LeftTextAlignment(), taCenter);
  EXPECT_EQ(lab.RightTextAlignment(), taCenter);
  EXPECT_EQ(lab.OverflowIndicator(), u"##");
  EXPECT_EQ(lab.Value(), 7.1);
  EXPECT_EQ(lab.StateText(), u"off");
  EXPECT_EQ(lab.ColorLabBakG(), clWhite);
  EXPECT_EQ(lab.ColorLabText(), clRed);
  EXPECT_EQ(lab.ColorOutBakG(), clSilver);
  EXPECT_EQ(lab.ColorOutText(), clNavy);
  EXPECT_EQ(lab.ColorScheme(), csSystem);
  EXPECT_EQ(lab.FrameLines(), SchemeLines(csSystem));
  EXPECT_EQ(lab.DisplayType(), dtEEng);
  EXPECT_FALSE(lab.Comma());
  EXPECT_FALSE(lab.ForcePlusSign());
  EXPECT_EQ(lab.DTFormat(), u"mmm-dd, yyyy");
  EXPECT_TRUE(lab.Enabled());

  TNumLab copy;
  lab.AssignTo(copy);
  EXPECT_EQ(copy.LeftText(), u"Frequency");
}

using NumLabPaintTest = NumLabFixture;

TEST_F(NumLabPaintTest, TextTopIsCentredOnTheProbeHeight) {
  EXPECT_EQ(textTop(), 7);  // (28 - 13) div 2 in the default font
}

// 7.100 centred in the box of 80: x = LeftSpace + (LabelWidth - tw) div 2 + 2.
TEST_F(NumLabPaintTest, CentredValueAndLoweredBox) {
  lab.SetPrecision(3);
  lab.SetLabValue(7.1);
  const int x = centredX(textWidth(u"7.100"));
  EXPECT_GT(pixelsOf(Surface(), clBlack, kBoxInside), 0);
  EXPECT_EQ(differences(Surface(), valueReference(x, u"7.100").Bitmap(), kBoxInside), 0);
  EXPECT_GT(differences(Surface(), valueReference(x + 1, u"7.100").Bitmap(), kBoxInside), 0);

  // X1 = 35, X2 = 117, Bottom 28: gray outline over rows 0..26, black edge
  // down column 36 and along row 1, white edge along row 27 and column 117.
  EXPECT_EQ(MaskOf(Surface(), clGray, 33, 0, 6, 4), Rows({"..####", "..#...", "..#...", "..#..."}));
  EXPECT_EQ(MaskOf(Surface(), clBlack, 33, 0, 6, 4),
            Rows({"......", "...###", "...#..", "...#.."}));
  EXPECT_EQ(MaskOf(Surface(), clGray, 113, 24, 7, 4),
            Rows({"...#...", "...#...", "####...", "......."}));
  EXPECT_EQ(MaskOf(Surface(), clWhite, 113, 24, 7, 4),
            Rows({"....#..", "....#..", "....#..", "#####.."}));
  EXPECT_EQ(pixelsOf(Surface(), clBtnFace, {0, 0, kLS, kH}), kLS * kH);
}

TEST_F(NumLabPaintTest, OverflowIndicatorCentredByItsOwnWidth) {
  std::u16string seen;
  lab.OnBeforeDisplay = [&](TObject* Sender, std::u16string& Text) {
    EXPECT_EQ(Sender, &lab);
    seen = Text;
  };
  lab.SetLabValue(1e20);
  EXPECT_EQ(seen, u"100000000000000000000.00");  // before the width check
  const std::u16string stars = u"*********";
  const int x = centredX(textWidth(stars));
  EXPECT_EQ(differences(Surface(), valueReference(x, stars).Bitmap(), kBoxInside), 0);

  // A value out of its type's range shows the indicator the same way.
  lab.SetDisplayType(dtHex);
  lab.SetLabValue(5e9);
  EXPECT_EQ(seen, stars);
  EXPECT_EQ(differences(Surface(), valueReference(x, stars).Bitmap(), kBoxInside), 0);
}

// The text may be LabelWidth - 6 pixels wide; one pixel more overflows.
TEST_F(NumLabPaintTest, WidthLimitIsLabelWidthLessSix) {
  const std::u16string text = u"0000";  // dtZeroInt, Precision 4, Value 0
  const int tw = textWidth(text);
  lab.SetDisplayType(dtZeroInt);
  lab.SetPrecision(4);
  lab.SetLabelWidth(tw + 6);
  const TRect inside{kLS + 2, 2, kLS + tw + 7, kH - 2};
  EXPECT_EQ(differences(Surface(), valueReference(kLS + 3 + 2, text).Bitmap(), inside), 0);

  lab.SetLabelWidth(tw + 5);
  const std::u16string stars = u"*********";
  const int overX = kLS + (tw + 5 - textWidth(stars)) / 2 + 2;
  const TRect clip{kLS + 3, 2, kLS + tw + 4, kH - 3};
  Reference ref(clBtnFace);
  ref.ClippedText(clip, overX, textTop(), stars, clBlack, clBtnFace);
  EXPECT_EQ(differences(Surface(), ref.Bitmap(), {kLS + 2, 2, kLS + tw + 6, kH - 2}), 0);
}

// A state text is never replaced, only clipped to columns 38..113.
TEST_F(NumLabPaintTest, StateTextWiderThanTheBoxIsClipped) {
  const std::u16string state = u"a state text far wider than the value box";
  lab.SetStateText(state);
  lab.SetDisplayType(dtState);
  const int tw = textWidth(state);
  ASSERT_GT(tw, kLW);
  const TRect clip{kLS + 3, 2, kLS + kLW - 1, kH - 3};
  Reference ref(clBtnFace);
  ref.ClippedText(clip, centredX(tw), textTop(), state, clBlack, clBtnFace);
  EXPECT_EQ(differences(Surface(), ref.Bitmap(), kBoxInside), 0);
  EXPECT_GT(pixelsOf(Surface(), clBlack, {kLS + 3, 2, kLS + 6, kH - 3}), 0);
  EXPECT_GT(pixelsOf(Surface(), clBlack, {kLS + kLW - 4, 2, kLS + kLW - 1, kH - 3}), 0);
  // Outside the clip the box keeps its background.
  EXPECT_EQ(pixelsOf(Surface(), clBtnFace, {kLS + 2, 2, kLS + 3, kH - 2}), kH - 4);
  EXPECT_EQ(pixelsOf(Surface(), clBtnFace, {kLS + kLW - 1, 2, kLS + kLW + 1, kH - 2}),
            2 * (kH - 4));
}

TEST_F(NumLabPaintTest, EmptyShowsNoValue) {
  bool asked = false;
  lab.OnBeforeDisplay = [&](TObject*, std::u16string&) { asked = true; };
  lab.SetLabValue(7.1);
  ASSERT_TRUE(asked);
  asked = false;
  lab.SetEmpty(true);
  EXPECT_FALSE(asked);
  EXPECT_EQ(pixelsOf(Surface(), clBtnFace, kBoxInside), kBoxInside.Width() * kBoxInside.Height());
  EXPECT_EQ(Surface().PixelColor(kLS, 0), clGray);  // the frame stays
}

TEST_F(NumLabPaintTest, OnBeforeDisplayMayReplaceTheText) {
  lab.OnBeforeDisplay = [](TObject*, std::u16string& Text) { Text = u"<" + Text + u">"; };
  lab.SetLabValue(2.5);
  const std::u16string shown = u"<2.50>";
  EXPECT_EQ(differences(
                Surface(), valueReference(centredX(textWidth(shown)), shown).Bitmap(), kBoxInside),
            0);
}

TEST_F(NumLabPaintTest, ValueAlignments) {
  const std::u16string text = u"12.30";
  const int tw = textWidth(text);
  lab.SetLabValue(12.3);
  lab.SetAlignment(taLeftJustify);
  EXPECT_EQ(differences(Surface(), valueReference(kLS + 4, text).Bitmap(), kBoxInside), 0);
  lab.SetAlignment(taRightJustify);
  EXPECT_EQ(differences(Surface(), valueReference(kLS + kLW - tw - 2, text).Bitmap(), kBoxInside),
            0);
}

// Captions in the label of the program's feeder read-out: LeftSpace 75 in a
// label 177 wide.
TEST_F(NumLabPaintTest, CaptionPositionsForTheThreeAlignments) {
  const int W = 177;
  const int LS = 75;
  lab.SetBounds(0, 0, W, kH);
  lab.SetLeftSpace(LS);
  lab.SetLeftText(u"Feeder length");
  lab.SetRightText(u"m");
  const int lw = textWidth(u"Feeder length");
  const int rw = textWidth(u"m");
  const int boxEnd = LS + kLW;
  struct Row {
    TAlignment alignment;
    int leftX;
    int rightX;
  };
  const std::vector<Row> rows = {
      {taLeftJustify, 7, boxEnd + 7},
      {taRightJustify, LS - lw - 5, W - rw - 6},
      {taCenter, (LS - lw) / 2, (W - (boxEnd + rw)) / 2 + boxEnd + 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.alignment));
    lab.SetLeftTextAlignment(row.alignment);
    lab.SetRightTextAlignment(row.alignment);
    Reference ref(clBtnFace, W);
    ref.Text(row.leftX, textTop(), u"Feeder length", clBlack, clBtnFace);
    ref.Text(row.rightX, textTop(), u"m", clBlack, clBtnFace);
    EXPECT_GT(pixelsOf(Surface(), clBlack, {0, 0, LS, kH}), 0);
    EXPECT_EQ(differences(Surface(), ref.Bitmap(), {0, 0, LS, kH}), 0);
    EXPECT_EQ(differences(Surface(), ref.Bitmap(), {boxEnd + 3, 0, W, kH}), 0);
  }
}

// Disabled: captions embossed (white copy a pixel off, then gray), the value
// in gray on the unchanged box background.
TEST_F(NumLabPaintTest, DisabledLook) {
  lab.SetLeftText(u"Abc");
  lab.SetRightText(u"mV");
  lab.SetLabValue(7.1);
  lab.SetEnabled(false);
  const int y = textTop();
  const int leftX = kLS - textWidth(u"Abc") - 5;
  const int rightX = kLS + kLW + 7;
  Reference ref(clBtnFace);
  ref.Text(leftX + 1, y + 1, u"Abc", clWhite, std::nullopt)
      .Text(leftX, y, u"Abc", clGray, std::nullopt)
      .Text(rightX + 1, y + 1, u"mV", clWhite, std::nullopt)
      .Text(rightX, y, u"mV", clGray, std::nullopt)
      .Text(centredX(textWidth(u"7.10")), y, u"7.10", clGray, clBtnFace);
  EXPECT_GT(pixelsOf(Surface(), clWhite, {0, 0, kLS, kH}), 0);
  EXPECT_EQ(pixelsOf(Surface(), clBlack, {0, 0, kLS, kH}), 0);
  EXPECT_EQ(differences(Surface(), ref.Bitmap(), {0, 0, kLS, kH}), 0);
  EXPECT_EQ(differences(Surface(), ref.Bitmap(), {kLS + kLW + 3, 0, kW, kH}), 0);
  EXPECT_EQ(differences(Surface(), ref.Bitmap(), kBoxInside), 0);

  // A right-justified caption puts its white copy a pixel to the left.
  lab.SetRightTextAlignment(taRightJustify);
  const int rx = kW - textWidth(u"mV") - 6;
  Reference right(clBtnFace);
  right.Text(rx - 1, y + 1, u"mV", clWhite, std::nullopt).Text(rx, y, u"mV", clGray, std::nullopt);
  EXPECT_EQ(differences(Surface(), right.Bitmap(), {kLS + kLW + 3, 0, kW, kH}), 0);
}

TEST_F(NumLabPaintTest, TextTopFollowsTheLabelsFont) {
  lab.Font().SetHeight(-16);
  lab.SetLabValue(3);
  TFont big;
  big.SetHeight(-16);
  const int y = textTop(big);
  EXPECT_NE(y, textTop());
  Reference ref(clBtnFace);
  ref.Text(centredX(textWidth(u"3.00", big)), y, u"3.00", clBlack, clBtnFace, big);
  EXPECT_EQ(differences(Surface(), ref.Bitmap(), kBoxInside), 0);
}

TEST_F(NumLabPaintTest, InvisibleLabelDoesNotPaint) {
  lab.SetVisible(false);
  lab.SetLabValue(7.1);
  EXPECT_EQ(pixelsOf(Surface(), clBtnFace, {0, 0, kW, kH}), kW * kH);
  lab.SetVisible(true);
  lab.Paint();
  EXPECT_GT(pixelsOf(Surface(), clBlack, kBoxInside), 0);
}

// Transparent: the bitmap is white where nothing is drawn and is combined
// with what the surface shows by AND; the box inside is prepared first.
TEST_F(NumLabPaintTest, TransparentCombinesByAnd) {
  constexpr TColor behind = 0x3366CC;
  lab.SetLeftText(u"Abc");
  lab.SetTransparent(true);
  EXPECT_EQ(lab.paints, 1);  // the left text; switching on only invalidates
  Fill(const_cast<TBitmap&>(Surface()), behind);
  lab.SetLabValue(7.1);

  EXPECT_EQ(Surface().PixelColor(2, 2), behind);               // white AND behind
  EXPECT_EQ(Surface().PixelColor(kLS, 0), 0x000080);           // gray 0x808080 AND 0x3366CC
  EXPECT_EQ(Surface().PixelColor(kLS + kLW + 2, 10), behind);  // the white edge
  EXPECT_EQ(Surface().PixelColor(kLS + 1, 10), clBlack);
  EXPECT_GT(pixelsOf(Surface(), clBlack, {0, 0, kLS, kH}), 0);  // caption ink
  // Black value text: the prepared rectangle (columns 37..114, rows 2..25)
  // was filled with the box background; the box's last inner column was not.
  const TRect prepared{kLS + 2, 2, kLS + kLW, kH - 2};
  const int x = centredX(textWidth(u"7.10"));
  EXPECT_EQ(differences(Surface(), valueReference(x, u"7.10").Bitmap(), prepared), 0);
  EXPECT_EQ(Surface().PixelColor(kLS + kLW, 10), rgb(clBtnFace) & behind);
  EXPECT_EQ(lab.Canvas().CopyMode(), cmSrcCopy);

  // A coloured value text: the inside is filled white first, so the box
  // background and the text come through unchanged.
  lab.SetColorLabText(clRed);
  EXPECT_EQ(differences(Surface(), valueReference(x, u"7.10", clRed).Bitmap(), prepared), 0);
  // Outside the prepared rectangle the AND keeps darkening what is there.
  EXPECT_EQ(Surface().PixelColor(kLS + 1, 1), clBlack);
  EXPECT_EQ(lab.Canvas().CopyMode(), cmSrcCopy);
}

// A parent that paints itself red: a transparent label on it shows red
// wherever its own picture is white.
class RedParent : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

TEST(NumLabWindowTest, TransparentShowsWhatTheParentPaints) {
  RedParent parent;
  parent.resize(200, 40);
  TNumLab lab;
  lab.SetParentWidget(&parent);
  lab.SetBounds(10, 5, kW, kH);
  lab.SetLeftText(u"Abc");
  lab.SetTransparent(true);
  parent.show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const TBitmap& surface = lab.Surface();
  EXPECT_EQ(surface.PixelColor(2, 2), clRed);  // white AND red
  EXPECT_EQ(surface.PixelColor(kW - 2, kH - 2), clRed);
  EXPECT_EQ(surface.PixelColor(kLS + kLW + 2, 10), clRed);  // the white edge
  EXPECT_EQ(surface.PixelColor(kLS, 0), 0x000080);          // gray AND red
  // On the screen too.
  const QImage shown = lab.Widget()->grab().toImage();
  EXPECT_EQ(shown.pixel(2, 2), qRgb(255, 0, 0));
}

TEST_F(NumLabPaintTest, OpaqueCopyIgnoresTheSurfaceCopyMode) {
  lab.Canvas().SetCopyMode(cmSrcAnd);
  Fill(const_cast<TBitmap&>(Surface()), clBlack);
  lab.SetLabValue(7.1);
  EXPECT_EQ(Surface().PixelColor(0, 0), rgb(clBtnFace));
  EXPECT_EQ(lab.Canvas().CopyMode(), cmSrcAnd);
}
