// Numeric axes drawn by a scale: tick lines, labels and their placement, the
// caption, the base line, the tick events and the recorded tick positions.
// Most cases use the two axes of the program's first chart: helpers that draw
// transparently onto a 660 x 395 image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"
#include "support/ScaleDrawing.h"

namespace {

const char16_t kFeederCaption[] = u"Feeder length in meters (x - current max point)";

class FirstChart : public ::testing::Test {
 protected:
  FirstChart() {
    Fill(bmp, clWhite);
    for (TScale* s : {&x, &y}) {
      makeHelper(*s, 660, 395);
      s->SetMinTicks(3);
      s->SetDecPlaces(-2);
      s->SetShortTicks(true);
    }
    x.SetScaleType(sctXT);
    x.SetMarginLeft(50);
    x.SetMarginRight(19);
    x.SetMarginTop(355);
    x.SetRange(0.0, 40.0);
    x.SetCaption(kFeederCaption);
    x.SetCaptionPosX(0);
    x.SetCaptionPosY(22);
    x.SetCaptionAlignment(taCenter);
    x.SetCaptionAnchor(uaSclCenter);

    y.SetScaleType(sctYR);
    y.SetMarginTop(20);
    y.SetMarginBottom(39);
    y.SetMarginRight(609);
    y.SetRange(1.5, 30.0);
    y.SetCaption(u"Frequency (MHz)");
    y.SetCaptionPosX(-40);
    y.SetCaptionPosY(-16);
    y.SetCaptionAlignment(taLeftJustify);
    y.SetCaptionAnchor(uaSclTopLft);
  }

  static void blankLabels(TScale& s) {
    s.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::u16string& label) {
      label.clear();
    };
  }

  TBitmap bmp{660, 395};
  TScale x;
  TScale y;
};

// --- the x axis -----------------------------------------------------------------

TEST_F(FirstChart, HelpersDrawOnlyWhenForced) {
  x.SetCaption(u"again");  // a setter of a suppressed helper paints nothing
  EXPECT_EQ(countOf(bmp, clBlack), 0);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_GT(countOf(bmp, clBlack), 0);
  EXPECT_TRUE(x.SuppressPaint());
}

TEST_F(FirstChart, XTicksAndBaseLine) {
  x.ForcePaint(bmp.Canvas(), 0, 0);
  // Minor ticks every 2 m (14.75 pixels per metre, ties to even), 4 pixels
  // from the base line; the major ticks every 10 m, 7 pixels.
  const std::vector<int> minor{50,  80,  109, 138, 168, 198, 227, 256, 286, 316, 345,
                               374, 404, 434, 463, 492, 522, 552, 581, 610, 640};
  const std::vector<int> major{50, 198, 345, 492, 640};
  for (int row : {356, 357, 358}) EXPECT_EQ(columnsOf(bmp, clBlack, row), minor) << row;
  for (int row : {359, 360, 361}) EXPECT_EQ(columnsOf(bmp, clBlack, row), major) << row;
  EXPECT_TRUE(columnsOf(bmp, clBlack, 362).empty());
  EXPECT_TRUE(columnsOf(bmp, clBlack, 354).empty());

  // The base line runs from column 50 up to (not including) 640, where the
  // last tick begins.
  const std::vector<int> base = columnsOf(bmp, clBlack, 355);
  ASSERT_EQ(base.size(), 591u);
  EXPECT_EQ(base.front(), 50);
  EXPECT_EQ(base.back(), 640);

  EXPECT_EQ(MaskOf(bmp, clBlack, 196, 353, 5, 10),
            Rows({
                ".....",
                ".....",
                "#####",
                "..#..",
                "..#..",
                "..#..",
                "..#..",
                "..#..",
                "..#..",
                ".....",
            }));
}

TEST_F(FirstChart, XRecordsItsMinorTicks) {
  x.ForcePaint(bmp.Canvas(), 0, 0);
  ASSERT_EQ(x.NumTicks(), 21);
  for (int i = 1; i <= 21; ++i) EXPECT_DOUBLE_EQ(x.TickPos(i), 2.0 * (i - 1)) << i;
  EXPECT_EQ(x.TickPos(0), 0.0);
  EXPECT_EQ(x.TickPos(22), 0.0);
}

TEST_F(FirstChart, XLabelsAndTheirPlace) {
  EventLog log;
  log.attach(x);
  x.SetCaption(u"");
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"0.0", u"10.0", u"20.0", u"30.0", u"40.0"}));
  EXPECT_EQ(log.labelValues, (std::vector<double>{0, 10, 20, 30, 40}));
  EXPECT_EQ(log.canvas, &bmp.Canvas());

  // Centred under the tick (half width truncated), top 7 rows below the base
  // line.
  std::vector<TextAt> texts;
  const int columns[] = {50, 198, 345, 492, 640};
  for (size_t i = 0; i < 5; ++i) {
    texts.push_back({columns[i] - textWidth(x.Font(), log.labels[i]) / 2, 362, log.labels[i]});
  }
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(660, 395, x.Font(), texts));
}

TEST_F(FirstChart, XCaptionCentredBelowTheLabels) {
  blankLabels(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  const int tw = textWidth(x.Font(), kFeederCaption);
  EXPECT_EQ(MaskOf(bmp, kInk),
            expectedInk(660, 395, x.Font(), {{345 - tw / 2, 377, kFeederCaption}}));
  const TRect ink = InkBox(bmp, kInk);
  EXPECT_GE(ink.Top, 377);
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 345, 3);
}

TEST_F(FirstChart, XEventsCarryTheTickPixelOnTheBaseLine) {
  EventLog log;
  log.attach(x);
  x.SetShortTicks(false);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.tickPixels,
            (std::vector<TPoint>{{50, 355}, {198, 355}, {345, 355}, {492, 355}, {640, 355}}));
  ASSERT_EQ(x.NumTicks(), 5) << "without short ticks the major ticks are recorded";
  EXPECT_EQ(x.TickPos(5), 40.0);
}

// --- the y axis -----------------------------------------------------------------

TEST_F(FirstChart, YTicks) {
  y.ForcePaint(bmp.Canvas(), 0, 0);
  // 5 MHz on row 314 and 10 MHz on row 255: 6 pixels from column 50 leftwards;
  // the minor tick of 2 MHz on row 349: 4 pixels.
  EXPECT_EQ(MaskOf(bmp, clBlack, 42, 312, 10, 5),
            Rows({
                "........#.",
                "........#.",
                "...######.",
                "........#.",
                "........#.",
            }));
  EXPECT_EQ(columnsOf(bmp, clBlack, 255), (std::vector<int>{45, 46, 47, 48, 49, 50}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 349), (std::vector<int>{47, 48, 49, 50}));
  // The base line: column 50 from row 20 down to (not including) row 355.
  const std::vector<int> base = rowsOf(bmp, clBlack, 50);
  EXPECT_EQ(base.front(), 20);
  EXPECT_EQ(base.back(), 354);
  EXPECT_EQ(base.size(), 335u);
}

TEST_F(FirstChart, YRecordsMinorTicksInsideTheRange) {
  y.ForcePaint(bmp.Canvas(), 0, 0);
  ASSERT_EQ(y.NumTicks(), 29);  // 0 and 1 lie below 1.5
  for (int i = 1; i <= 29; ++i) EXPECT_DOUBLE_EQ(y.TickPos(i), 1.0 + i) << i;
}

TEST_F(FirstChart, YLabelsRightAlignedBeforeTheTicksAndTheCaption) {
  EventLog log;
  log.attach(y);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{u"5.0", u"10.0", u"15.0", u"20.0", u"25.0", u"30.0"}));
  // Right-aligned 8 pixels left of the base line, centred on the tick with
  // half the height of "0" (13 div 2); the caption at column 10, row 4.
  std::vector<TextAt> texts{{10, 4, u"Frequency (MHz)"}};
  for (size_t i = 0; i < log.labels.size(); ++i) {
    const int row = y.ConvertToPixelCoords(log.labelValues[i]);
    texts.push_back({50 - 6 - textWidth(y.Font(), log.labels[i]) - 2, row - 6, log.labels[i]});
  }
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(660, 395, y.Font(), texts));
  EXPECT_EQ(log.tickPixels.back(), (TPoint{50, 20}));
}

// The height of "0" that centres the labels is taken after the minor ticks:
// their events may change the font the labels are drawn in.
TEST_F(FirstChart, YLabelHeightIsTakenAfterTheMinorTicks) {
  TFont big;
  big.Assign(y.Font());
  big.SetHeight(-24);
  std::vector<std::u16string> labels;
  std::vector<double> values;
  y.OnScaleTickDrawn = [&](TObject*, TCanvas& cv, TScaleType, double, int, int) {
    cv.Font().Assign(big);
  };
  y.OnBeforeTickLabel = [&](TObject*, TScaleType, double v, std::u16string& label) {
    labels.push_back(label);
    values.push_back(v);
  };
  y.SetCaption(u"");
  y.ForcePaint(bmp.Canvas(), 0, 0);
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(big);
  const int th = probe.Canvas().TextHeight(u"0");
  ASSERT_GT(th, 13);
  std::vector<TextAt> texts;
  for (size_t i = 0; i < labels.size(); ++i) {
    const int row = y.ConvertToPixelCoords(values[i]);
    texts.push_back({50 - 6 - textWidth(big, labels[i]) - 2, row - th / 2, labels[i]});
  }
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(660, 395, big, texts));
}

TEST_F(FirstChart, BothAxesTogetherOnOneImage) {
  x.ForcePaint(bmp.Canvas(), 0, 0);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(bmp.PixelColor(50, 355), clBlack);  // the corner
  EXPECT_EQ(columnsOf(bmp, clBlack, 314).size(), 6u);
  EXPECT_EQ(rowsOf(bmp, clBlack, 345), (std::vector<int>{355, 356, 357, 358, 359, 360, 361}));
}

// --- label rules ---------------------------------------------------------------------

TEST_F(FirstChart, RightEndLabelIsPushedInsideTheEdge) {
  const std::u16string longLabel = u"40.0 metres of ladder line";
  x.SetCaption(u"");
  x.OnBeforeTickLabel = [&](TObject*, TScaleType, double v, std::u16string& label) {
    label = v == 40.0 ? longLabel : u"";  // measured and placed after the handler
  };
  x.ForcePaint(bmp.Canvas(), 0, 0);
  const int hw = textWidth(x.Font(), longLabel) / 2;
  ASSERT_GE(640 + hw, 658);
  EXPECT_EQ(MaskOf(bmp, kInk),
            expectedInk(660, 395, x.Font(), {{660 - 2 * hw - 2, 362, longLabel}}));
  EXPECT_LE(InkBox(bmp, kInk).Right, 658);
}

TEST(AxisLabels, StayTwoPixelsInsideANarrowScale) {
  TBitmap bmp(120, 30);
  Fill(bmp, clWhite);
  TScale s;
  makeHelper(s, 120, 30);
  s.SetScaleType(sctXT);
  s.SetMarginLeft(1);
  s.SetMarginRight(2);
  s.SetMarginTop(2);
  s.SetRange(0.0, 10.0);
  s.SetShortTicks(false);
  s.SetMinTicks(2);
  EventLog log;
  log.attach(s);
  s.ForcePaint(bmp.Canvas(), 0, 0);
  ASSERT_EQ(log.tickPixels.front().x, 1);
  ASSERT_EQ(log.tickPixels.back().x, 117);
  std::vector<TextAt> texts;
  for (size_t i = 0; i < log.labels.size(); ++i) {
    const int x = log.tickPixels[i].x;
    const int hw = textWidth(s.Font(), log.labels[i]) / 2;
    int left = std::max(x - hw, 2);
    if (x + hw >= 118) left = 120 - 2 * hw - 2;
    texts.push_back({left, 9, log.labels[i]});
  }
  EXPECT_EQ(texts.front().left, 2);
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(120, 30, s.Font(), texts));
}

TEST_F(FirstChart, Inscriptions) {
  EventLog log;
  log.attach(x);
  x.SetDecPlaces(0);
  x.SetScaleInscript(u"$");
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"$0", u"$10", u"$20", u"$30", u"$40"}));

  log.labels.clear();
  x.SetScaleInscript(u"&%");
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"0%", u"10%", u"20%", u"30%", u"40%"}));
}

TEST_F(FirstChart, UserTickTexts) {
  EventLog log;
  log.attach(x);
  x.SetLabelType(ftUserText);
  x.SetUserTickText(u"a|b");
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"a", u"b", u"b", u"b", u"b"}));
}

TEST_F(FirstChart, NoFiguresDrawsTicksWithoutLabels) {
  EventLog log;
  log.attach(x);
  x.SetLabelType(ftNoFigs);
  x.SetCaption(u"");
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.order.size(), 26u);  // 21 minor and 5 major tick events
  EXPECT_TRUE(log.labels.empty());
  EXPECT_EQ(countOf(bmp, kInk), 0);
  EXPECT_EQ(columnsOf(bmp, clBlack, 360), (std::vector<int>{50, 198, 345, 492, 640}));
}

TEST_F(FirstChart, ZeroLabelsOfWideRanges) {
  EventLog log;
  log.attach(x);
  x.SetRange(0.0, 200000.0);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{u"0", u"50000", u"100000", u"150000", u"200000"}));
  log.labels.clear();
  x.SetRange(0.0, 2000000.0);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(
      log.labels,
      (std::vector<std::u16string>{u"0.0", u" 5.0E+05", u" 1.0E+06", u" 1.5E+06", u" 2.0E+06"}));
}

TEST_F(FirstChart, NoDecimalsLabelsOnlyIntegerTicks) {
  EventLog log;
  log.attach(x);
  x.SetRange(0.0, 2.5);
  x.SetDecPlaces(0);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"0", u"", u"1", u"", u"2", u""}));
  EXPECT_EQ(log.labelValues, (std::vector<double>{0, 0.5, 1, 1.5, 2, 2.5}));
}

TEST_F(FirstChart, ReversedRangeRunsTheLabelsBackwards) {
  EventLog log;
  log.attach(x);
  x.SetRange(40.0, 0.0);
  x.SetShortTicks(false);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"40.0", u"30.0", u"20.0", u"10.0", u"0.0"}));
  EXPECT_EQ(log.tickPixels.front().x, 50);
  EXPECT_EQ(log.tickPixels.back().x, 640);
}

// --- event order of the four routines -------------------------------------------

TEST_F(FirstChart, LinearXRaisesTheTickEventAfterTheLabel) {
  EventLog log;
  log.attach(x);
  x.SetRange(0.0, 20.0);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  // Minor ticks first (every 1 m here: step 5 in 5 parts), then the majors.
  ASSERT_EQ(log.order.size(), 21u + 10u);
  for (int i = 0; i <= 20; ++i) EXPECT_EQ(log.order[size_t(i)], "t" + num(i));
  EXPECT_EQ(
      std::vector<std::string>(log.order.begin() + 21, log.order.end()),
      (std::vector<std::string>{"l0", "t0", "l5", "t5", "l10", "t10", "l15", "t15", "l20", "t20"}));
}

TEST_F(FirstChart, LinearYRaisesTheTickEventBeforeTheLabel) {
  EventLog log;
  log.attach(y);
  y.SetShortTicks(false);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.order,
            (std::vector<std::string>{
                "t5", "l5", "t10", "l10", "t15", "l15", "t20", "l20", "t25", "l25", "t30", "l30"}));
}

class LogAxes : public ::testing::Test {
 protected:
  LogAxes() {
    Fill(bmp, clWhite);
    for (TScale* s : {&x, &y}) {
      makeHelper(*s, 640, 640);
      s->SetRange(1.0, 1000.0);
      s->SetLogarithmic(true);
    }
    x.SetScaleType(sctXT);  // columns 20..620, base line row 20
    x.SetMarginRight(19);
    y.SetScaleType(sctYL);  // rows 20..620, base line column 20
    y.SetMarginBottom(19);
  }
  TBitmap bmp{640, 640};
  TScale x;
  TScale y;
};

TEST_F(LogAxes, DecadesOnly) {
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"1", u"10", u"100", u"1000"}));
  EXPECT_EQ(log.order,
            (std::vector<std::string>{"t1", "l1", "t10", "l10", "t100", "l100", "t1000", "l1000"}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 26), (std::vector<int>{20, 220, 420, 620}));
  ASSERT_EQ(x.NumTicks(), 4);
  EXPECT_EQ(x.TickPos(2), 10.0);
  EXPECT_EQ(x.TickPos(4), 1000.0);
}

TEST_F(LogAxes, ExponentLabels) {
  EventLog log;
  log.attach(x);
  x.SetDecPlaces(-3);
  x.SetMinTicks(10);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{u"0", u"", u"", u"1", u"", u"", u"2", u"", u"", u"3"}));
}

TEST_F(LogAxes, HorizontalIntermediateTicks) {
  EventLog log;
  log.attach(x);
  x.SetMinTicks(10);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{
                u"1", u"2", u"5", u"10", u"20", u"50", u"100", u"200", u"500", u"1000"}));
  EXPECT_EQ(x.NumTicks(), 28);
  const int at3 = x.ConvertToPixelCoords(3.0);
  const int at5 = x.ConvertToPixelCoords(5.0);
  EXPECT_EQ(rowsOf(bmp, clBlack, at3), (std::vector<int>{20, 21, 22, 23}));
  EXPECT_EQ(rowsOf(bmp, clBlack, at5), (std::vector<int>{20, 21, 22, 23, 24, 25, 26}));

  // Without short ticks the minor ticks draw no line and are not recorded,
  // but their event is still raised, before the next label.
  Fill(bmp, clWhite);
  log = EventLog();
  log.attach(x);
  x.SetShortTicks(false);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(x.NumTicks(), 10);
  EXPECT_EQ(rowsOf(bmp, clBlack, at3), (std::vector<int>{20}));
  EXPECT_EQ(std::vector<std::string>(log.order.begin(), log.order.begin() + 10),
            (std::vector<std::string>{"t1", "l1", "t2", "l2", "t3", "t4", "t5", "l5", "t6", "t7"}));
}

TEST_F(LogAxes, VerticalTicksAreAllSixPixels) {
  EventLog log;
  log.attach(y);
  y.SetMinTicks(10);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  const int at3 = y.ConvertToPixelCoords(3.0);
  const int at10 = y.ConvertToPixelCoords(10.0);
  EXPECT_EQ(at10, 420);
  EXPECT_EQ(columnsOf(bmp, clBlack, at3), (std::vector<int>{20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(columnsOf(bmp, clBlack, at10), (std::vector<int>{20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(y.NumTicks(), 28);

  // Without short ticks the minor ticks are not generated at all.
  log = EventLog();
  log.attach(y);
  y.SetShortTicks(false);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(std::vector<std::string>(log.order.begin(), log.order.begin() + 8),
            (std::vector<std::string>{"t1", "l1", "t2", "l2", "t5", "l5", "t10", "l10"}));
  EXPECT_EQ(y.NumTicks(), 10);
}

TEST_F(LogAxes, VerticalLabelsStartEightPixelsRightOfTheBaseLine) {
  EventLog log;
  log.attach(y);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  std::vector<TextAt> texts;
  for (size_t i = 0; i < log.labels.size(); ++i) {
    texts.push_back({28, y.ConvertToPixelCoords(log.labelValues[i]) - 6, log.labels[i]});
  }
  EXPECT_EQ(texts.size(), 4u);
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(640, 640, y.Font(), texts));
}

TEST_F(LogAxes, LessThanADecadeIsLabelledLinearly) {
  EventLog log;
  log.attach(x);
  x.SetRange(2.0, 16.0);
  x.SetShortTicks(false);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  // Steps of 2 with one decimal, as on a linear axis of this width...
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{
                u"2.0", u"4.0", u"6.0", u"8.0", u"10.0", u"12.0", u"14.0", u"16.0"}));
  // ...placed on the logarithmic mapping: 2, 4, 8, 16 are evenly spaced.
  EXPECT_EQ(log.tickPixels[0].x, 20);
  EXPECT_EQ(log.tickPixels[1].x, 220);
  EXPECT_EQ(log.tickPixels[3].x, 420);
  EXPECT_EQ(log.tickPixels.back().x, 620);
}

// --- other sides, caption anchors, offsets ----------------------------------------

TEST(AxisSides, BottomBaseLineHasItsTicksAndLabelsAbove) {
  TBitmap bmp(100, 40);
  Fill(bmp, clWhite);
  TScale s;
  makeHelper(s, 100, 40);
  s.SetScaleType(sctXB);  // base line on row 40 - 5 - 1
  s.SetMarginBottom(5);
  s.SetMarginLeft(10);
  s.SetMarginRight(9);
  s.SetRange(0.0, 8.0);
  s.SetShortTicks(false);
  s.SetMinTicks(2);
  EventLog log;
  log.attach(s);
  s.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.tickPixels.front(), (TPoint{10, 34}));
  EXPECT_EQ(rowsOf(bmp, clBlack, 10), (std::vector<int>{28, 29, 30, 31, 32, 33, 34}));
  std::vector<TextAt> texts;
  for (size_t i = 0; i < log.labels.size(); ++i) {
    const int x = log.tickPixels[i].x;
    const int hw = textWidth(s.Font(), log.labels[i]) / 2;
    const int left = x + hw >= 98 ? 100 - 2 * hw - 2 : std::max(x - hw, 2);
    texts.push_back({left, 34 - 7 - 13, log.labels[i]});
  }
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(100, 40, s.Font(), texts));
}

// As every line, the base line leaves out its end pixel: the last pixel of
// the axis stays empty where no tick starts.
TEST(AxisSides, BaseLineEndsBeforeTheLastPixelOfTheAxis) {
  TBitmap bmp(20, 20);
  Fill(bmp, clWhite);
  TScale x;
  makeHelper(x, 20, 20);
  x.SetScaleType(sctXT);
  x.SetMarginLeft(2);
  x.SetMarginRight(3);
  x.SetMarginTop(1);
  x.SetRange(0.0, 9.0);
  x.SetMinTicks(2);
  x.SetShortTicks(false);
  x.SetLabelType(ftNoFigs);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(MaskOf(bmp, clBlack, 0, 0, 20, 9),
            Rows({
                "....................",
                "..##############....",
                "..#..#..#..#..#.....",
                "..#..#..#..#..#.....",
                "..#..#..#..#..#.....",
                "..#..#..#..#..#.....",
                "..#..#..#..#..#.....",
                "..#..#..#..#..#.....",
                "....................",
            }));

  Fill(bmp, clWhite);
  TScale y;
  makeHelper(y, 20, 20);
  y.SetScaleType(sctYL);
  y.SetMarginTop(2);
  y.SetMarginBottom(3);
  y.SetMarginLeft(1);
  y.SetRange(1.0, 10.0);  // ticks at 2 .. 10, none at the low end
  y.SetMinTicks(2);
  y.SetShortTicks(false);
  y.SetLabelType(ftNoFigs);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(rowsOf(bmp, clBlack, 1),
            (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 14), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 2), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(AxisSides, TransparentOffsetMovesOnlyTheBaseLine) {
  TBitmap bmp(100, 80);
  Fill(bmp, clWhite);
  TScale s;
  makeHelper(s, 100, 40);
  s.SetScaleType(sctXT);
  s.SetMarginTop(3);
  s.SetLabelType(ftNoFigs);
  s.SetShortTicks(false);
  EventLog log;
  log.attach(s);
  s.ForcePaint(bmp.Canvas(), 7, 30);
  // Across the axis the row offset counts; along it the mapping alone.
  EXPECT_EQ(log.tickPixels.front(), (TPoint{20, 33}));
  EXPECT_EQ(log.tickPixels.back(), (TPoint{79, 33}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 33).front(), 20);
  EXPECT_TRUE(columnsOf(bmp, clBlack, 3).empty());
}

TEST_F(FirstChart, CaptionAtTheBottomRightEndsAtTheRightMargin) {
  blankLabels(x);
  x.SetCaptionAnchor(uaSclBotRgt);
  x.SetCaptionAlignment(taRightJustify);
  x.SetCaptionPosX(-5);
  x.SetCaption(u"m");
  x.ForcePaint(bmp.Canvas(), 0, 0);
  const int tw = textWidth(x.Font(), u"m");
  // Ends at column Width - MarginRight + CaptionPosX = 636.
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(660, 395, x.Font(), {{636 - tw, 377, u"m"}}));
  EXPECT_LE(InkBox(bmp, kInk).Right, 636);
}

TEST_F(FirstChart, VerticalCaptionAnchors) {
  blankLabels(y);
  y.SetCaption(u"f");
  y.SetCaptionPosX(12);  // clear of the base line, which is drawn last
  y.SetCaptionPosY(3);
  y.SetCaptionAlignment(taLeftJustify);
  const int tw = textWidth(y.Font(), u"f");
  struct {
    TScaleUnitAnchor anchor;
    TAlignment align;
    TextAt at;
  } const cases[] = {
      {uaSclTopLft, taLeftJustify, {62, 23, u"f"}},
      // 20 + (395 - 20 - 39) div 2 = 188
      {uaSclCenter, taCenter, {62 - tw / 2, 191, u"f"}},
      {uaSclBotRgt, taRightJustify, {62 - tw, 359, u"f"}},
  };
  for (const auto& c : cases) {
    Fill(bmp, clWhite);
    y.SetCaptionAnchor(c.anchor);
    y.SetCaptionAlignment(c.align);
    y.ForcePaint(bmp.Canvas(), 0, 0);
    EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(660, 395, y.Font(), {c.at})) << int(c.anchor);
  }
}

TEST_F(FirstChart, NoBaseLineWhenSwitchedOff) {
  x.SetShowBaseLine(false);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(columnsOf(bmp, clBlack, 355).size(), 21u) << "only the tick starts remain";
}

}  // namespace
