// Time and date axes drawn by a scale: tick rows and columns, label and date
// line positions, the order of the tick events, the messages that stand
// instead of ticks, and the time axis that leaves its range to numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/scale/PLX_Scale.h"
#include "controls/scale/PLX_ScaleCalendar.h"
#include "controls/scale/PLX_ScaleDateTicks.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Locale.h"
#include "support/PixelMask.h"
#include "support/ScaleDrawing.h"

namespace {

constexpr double kFeb1of2015 = 42036;

double hours(double day, double h) { return day + h / 24; }

std::u16string feb(const char16_t* day) { return day + (u"-" + ShortMonthName(2)) + u"-2015"; }

// A date axis below a 400 x 60 image: base line on row 10, 2015-02-01 ..
// 02-08 from column 20 to column 380 (51.43 pixels a day).
class DayAxis : public ::testing::Test {
 protected:
  DayAxis() {
    Fill(bmp, clWhite);
    makeHelper(x, 400, 60);
    x.SetScaleType(sctXT);
    x.SetMarginTop(10);
    x.SetMarginLeft(20);
    x.SetMarginRight(19);
    x.SetLabelType(ftDateTime);
    x.SetRange(kFeb1of2015, kFeb1of2015 + 7);
  }
  TBitmap bmp{400, 60};
  TScale x;
};

TEST_F(DayAxis, TickRowsEverySecondDayLong) {
  x.ForcePaint(bmp.Canvas(), 0, 0);
  const std::vector<int> all{20, 71, 123, 174, 226, 277, 329, 380};
  const std::vector<int> major{71, 174, 277, 380};
  for (int row : {11, 12, 13}) EXPECT_EQ(columnsOf(bmp, clBlack, row), all) << row;
  for (int row : {14, 15, 16}) EXPECT_EQ(columnsOf(bmp, clBlack, row), major) << row;
  EXPECT_TRUE(columnsOf(bmp, clBlack, 17).empty());
  EXPECT_EQ(MaskOf(bmp, clBlack, 68, 9, 7, 9),
            Rows({
                ".......",
                "#######",
                "...#...",
                "...#...",
                "...#...",
                "...#...",
                "...#...",
                "...#...",
                ".......",
            }));
  ASSERT_EQ(x.NumTicks(), 8);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(x.TickPos(i), kFeb1of2015 + i - 1) << i;
}

TEST_F(DayAxis, LabelsCentredBelowTheLongTicks) {
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{feb(u"02"), feb(u"04"), feb(u"06"), feb(u"08")}));
  // Each label between its tick line and the tick event.
  EXPECT_EQ(log.order,
            (std::vector<std::string>{"t42036",
                                      "l42037",
                                      "t42037",
                                      "t42038",
                                      "l42039",
                                      "t42039",
                                      "t42040",
                                      "l42041",
                                      "t42041",
                                      "t42042",
                                      "l42043",
                                      "t42043"}));
  std::vector<TextAt> texts;
  const int columns[] = {71, 174, 277, 380};
  for (size_t i = 0; i < 4; ++i) {
    const int hw = textWidth(x.Font(), log.labels[i]) / 2;
    // The last one is pushed inside the right edge.
    const int left = columns[i] + hw >= 398 ? 400 - 2 * hw - 2 : columns[i] - hw;
    texts.push_back({left, 17, log.labels[i]});
  }
  const int lastHalf = textWidth(x.Font(), log.labels[3]) / 2;
  EXPECT_LT(texts.back().left, 380 - lastHalf) << "pushed inside the right edge";
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(400, 60, x.Font(), texts));
}

TEST_F(DayAxis, InvalidRangeShowsItsMessageInTheMiddle) {
  x.SetRange(kFeb1of2015 + 7, kFeb1of2015);  // inverted
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_TRUE(log.order.empty());
  EXPECT_EQ(x.NumTicks(), 0);
  const std::u16string text = u"invalid DateTime scale";
  EXPECT_EQ(MaskOf(bmp, kInk),
            expectedInk(400, 60, x.Font(), {{200 - textWidth(x.Font(), text) / 2, 17, text}}));
}

TEST_F(DayAxis, TooShortARangeShowsItsMessage) {
  x.SetRange(kFeb1of2015, kFeb1of2015 + 2.0 / 86400);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  const std::u16string text = u"DateTime range is below 1 second";
  EXPECT_EQ(MaskOf(bmp, kInk),
            expectedInk(400, 60, x.Font(), {{200 - textWidth(x.Font(), text) / 2, 17, text}}));
  // Only the base line is black.
  EXPECT_TRUE(columnsOf(bmp, clBlack, 11).empty());
}

// MinTicks 0 counts as one interval: a week per step.
TEST_F(DayAxis, MinTicksZeroDrawsTheCoarsestSteps) {
  x.SetMinTicks(0);
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{feb(u"05")}));
  EXPECT_EQ(x.NumTicks(), 8);
}

TEST_F(DayAxis, DateLinesOneLineBelowTheTimeLabels) {
  x.SetRange(hours(kFeb1of2015, 22), hours(kFeb1of2015 + 1, 4));
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{
                u"22:00", feb(u"01"), u"00:00", feb(u"02"), u"02:00", u"04:00"}));
  const int th = 13;  // Tahoma 11 px
  ASSERT_EQ(bmp.Canvas().TextHeight(u"0"), th);
  std::vector<TextAt> texts;
  for (size_t i = 0; i < log.labels.size(); ++i) {
    const int column = x.ConvertToPixelCoords(log.labelValues[i]);
    const int hw = textWidth(x.Font(), log.labels[i]) / 2;
    const int left = column + hw >= 398 ? 400 - 2 * hw - 2 : std::max(column - hw, 2);
    const bool dateLine = log.labels[i].size() > 5;
    texts.push_back({left, 17 + (dateLine ? th : 0), log.labels[i]});
  }
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(400, 60, x.Font(), texts));
}

// A below-one-day axis left of a 120 x 200 image: base line on column 109,
// 04:00 on row 20 down to 22:00 the day before on row 180.
class HourAxis : public ::testing::Test {
 protected:
  HourAxis() {
    Fill(bmp, clWhite);
    makeHelper(y, 120, 200);
    y.SetScaleType(sctYR);
    y.SetMarginRight(10);
    y.SetMarginTop(20);
    y.SetMarginBottom(19);
    y.SetLabelType(ftDateTime);
    y.SetRange(hours(kFeb1of2015, 22), hours(kFeb1of2015 + 1, 4));
  }
  TBitmap bmp{120, 200};
  TScale y;
};

TEST_F(HourAxis, TickColumnsEveryHourLongEveryTwo) {
  y.ForcePaint(bmp.Canvas(), 0, 0);
  const std::vector<int> major{20, 73, 127, 180};
  const std::vector<int> all{20, 47, 73, 100, 127, 153, 180};
  for (int column : {104, 105}) EXPECT_EQ(rowsOf(bmp, clBlack, column), major) << column;
  for (int column : {106, 107, 108}) EXPECT_EQ(rowsOf(bmp, clBlack, column), all) << column;
  EXPECT_TRUE(rowsOf(bmp, clBlack, 103).empty());
  EXPECT_EQ(MaskOf(bmp, clBlack, 102, 125, 9, 5),
            Rows({
                ".......#.",
                ".......#.",
                "..######.",
                ".......#.",
                ".......#.",
            }));
  EXPECT_EQ(MaskOf(bmp, clBlack, 102, 98, 9, 5),
            Rows({
                ".......#.",
                ".......#.",
                "....####.",
                ".......#.",
                ".......#.",
            }));
}

TEST_F(HourAxis, LabelsRightAlignedAndDateLinesAboveThem) {
  EventLog log;
  log.attach(y);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{
                u"22:00", feb(u"01"), u"00:00", feb(u"02"), u"02:00", u"04:00"}));
  ASSERT_EQ(bmp.Canvas().TextHeight(u"0"), 13);  // Tahoma 11 px
  const int rows[] = {180, 180, 127, 127, 73, 20};
  std::vector<TextAt> texts;
  for (size_t i = 0; i < log.labels.size(); ++i) {
    const bool dateLine = log.labels[i].size() > 5;
    const int top = dateLine ? rows[i] - 3 * (13 / 2) : rows[i] - 13 / 2;
    texts.push_back({109 - 8 - textWidth(y.Font(), log.labels[i]), top, log.labels[i]});
  }
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(120, 200, y.Font(), texts));
}

// Unlike a numeric vertical axis, the tick event follows the label.
TEST_F(HourAxis, TickEventAfterLabelAndDateLine) {
  EventLog log;
  log.attach(y);
  y.SetRange(hours(kFeb1of2015, 23), hours(kFeb1of2015 + 1, 1));
  y.ForcePaint(bmp.Canvas(), 0, 0);
  ASSERT_GE(log.order.size(), 4u);
  EXPECT_EQ(log.order[0].front(), 'l');
  EXPECT_EQ(log.order[1].front(), 'l');  // the date line
  EXPECT_EQ(log.order[2].front(), 't');
  EXPECT_EQ(log.tickPixels.front(), (TPoint{109, 180}));
}

TEST_F(HourAxis, MessagesStandWordByWordBesideTheAxis) {
  y.SetRange(0, 0.005 / 86400);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  const int th = 13;
  const std::u16string lines[] = {u"DateTime", u"range is", u"below 1", u"second"};
  std::vector<TextAt> texts;
  for (int i = 0; i < 4; ++i) {
    texts.push_back({109 - 2 - textWidth(y.Font(), lines[i]), 100 - th + i * th, lines[i]});
  }
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(120, 200, y.Font(), texts));
}

TEST_F(HourAxis, InvalidMessageOnTheRightOfALeftBaseLine) {
  y.SetScaleType(sctYL);  // base line on column 20
  y.SetMarginLeft(20);
  y.SetRange(-700000, 0);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  const std::u16string lines[] = {u"invalid", u"DateTime", u"scale"};
  std::vector<TextAt> texts;
  for (int i = 0; i < 3; ++i) texts.push_back({22, 100 - 13 + i * 13, lines[i]});
  EXPECT_EQ(MaskOf(bmp, kInk), expectedInk(120, 200, y.Font(), texts));
}

TEST_F(HourAxis, HundredthsOfSecondsOnlyHere) {
  const double lo = hours(kFeb1of2015, 10);
  y.SetRange(lo, lo + 1.0 / 86400);
  EventLog log;
  log.attach(y);
  y.ForcePaint(bmp.Canvas(), 0, 0);
  ASSERT_FALSE(log.labels.empty());
  EXPECT_EQ(log.labels.front(), u"10:00:00.00");
}

// --- time axis ------------------------------------------------------------------

// The same image and axis, labelled with times of seconds.
class TimeAxisDrawing : public DayAxis {
 protected:
  TimeAxisDrawing() { x.SetLabelType(ftTime); }
};

TEST_F(TimeAxisDrawing, HalfHoursWithFiveMinuteTicks) {
  x.SetRange(0, 7200);
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  EXPECT_EQ(log.labels,
            (std::vector<std::u16string>{
                u" 00:00:00", u" 00:30:00", u" 01:00:00", u" 01:30:00", u" 02:00:00"}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 15), (std::vector<int>{20, 110, 200, 290, 380}));
  EXPECT_EQ(columnsOf(bmp, clBlack, 12).size(), 25u);
  // Minor ticks first, then the major ones, each labelled before its event.
  EXPECT_EQ(log.order[24], "t7200");
  EXPECT_EQ(log.order[25], "l0");
  EXPECT_EQ(log.order[26], "t0");
  EXPECT_EQ(x.NumTicks(), 25) << "with short ticks only the minor ticks are recorded";
}

TEST_F(TimeAxisDrawing, VerticalLabelsCentredWithTheHeightOfZero) {
  TBitmap tall(120, 200);
  Fill(tall, clWhite);
  TScale y;
  makeHelper(y, 120, 200);
  y.SetScaleType(sctYL);
  y.SetMarginLeft(10);
  y.SetMarginTop(20);
  y.SetMarginBottom(19);
  y.SetLabelType(ftTime);
  y.SetRange(0, 7200);
  EventLog log;
  log.attach(y);
  y.ForcePaint(tall.Canvas(), 0, 0);
  ASSERT_EQ(log.labels.size(), 5u);
  std::vector<TextAt> texts;
  for (size_t i = 0; i < 5; ++i) texts.push_back({18, 180 - 40 * int(i) - 6, log.labels[i]});
  EXPECT_EQ(MaskOf(tall, kInk), expectedInk(120, 200, y.Font(), texts));
  EXPECT_EQ(rowsOf(tall, clBlack, 15), (std::vector<int>{20, 60, 100, 140, 180}));
}

TEST_F(TimeAxisDrawing, DeclinesToNumbersForADayPerInterval) {
  x.SetRange(0, 200000);
  x.SetMinTicks(2);
  EventLog log;
  log.attach(x);
  x.ForcePaint(bmp.Canvas(), 0, 0);
  // Selecting ftTime set four decimals for this numeric fallback; zero on a
  // range this wide reads 0.0.
  EXPECT_EQ(log.labels, (std::vector<std::u16string>{u"0.0", u"100000.0000", u"200000.0000"}));
}

}  // namespace
