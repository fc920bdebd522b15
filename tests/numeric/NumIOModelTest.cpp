// The numeric input field's model: value read and write per input format,
// the validity rules, range, reformatting and separator setters, the
// selection setters; and the field's properties, defaults and errors.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "controls/numeric/PLX_NumIO.h"
#include "controls/numeric/PLX_NumIOModel.h"
#include "platform/Locale.h"
#include "platform/Timer.h"

#include "support/Utf16Text.h"

namespace {

TNumIOModel modelWith(TInFormat format, int decP = 2) {
  TNumIOModel m;
  m.SetInputFormat(format);
  m.SetFixPointDecPlaces(decP);
  return m;
}

// ---- value write ----

struct WriteRow {
  TInFormat format;
  int decP;
  double value;
  std::u16string text;
  double readBack;
};

TEST(NumIOModelValue, WriteFormatsByInputFormatAndReadsBackTheRoundedNumber) {
  const std::vector<WriteRow> rows{
      {itFloat, 3, 7.1, u"7.100", 7.1},
      {itFloat, 2, 85.3, u"85.30", 85.3},
      {itFloat, 2, 26.0999, u"26.10", 26.1},
      {itFloat, 2, -0.001, u"-0.00", 0.0},
      {itFixPoint, 2, 1.5, u"1.50", 1.5},
      {itExp, 2, 123456.0, u" 1.23456E+05", 123456.0},
      {itInt, 2, 2.5, u"2", 2.0},
      {itInt, 2, 3.5, u"4", 4.0},
      {itInt, 2, -7.6, u"-8", -8.0},
      {itDynamic, 2, 2.5, u"2", 2.0},
      {itHex, 2, -1.0, u"FFFFFFFF", -1.0},
      {itHex, 2, 255.0, u"000000FF", 255.0},
      {itHex, 2, 4294967295.0, u"FFFFFFFF", -1.0},
      {itOct, 2, 8.0, u"00000000010", 8.0},
      {itBin, 2, 5.0, u"00000000000000000000000000000101", 5.0},
  };
  for (const WriteRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "format " << int(row.format) << " value " << row.value);
    TNumIOModel m = modelWith(row.format, row.decP);
    m.SetValue(row.value);
    EXPECT_EQ(m.Text(), row.text);
    EXPECT_DOUBLE_EQ(m.Value(), row.readBack);
  }
}

// Beyond 64 bits the integer formats write every digit of the value, so the
// text stays one the field reads and edits; beyond the scanners' bound and
// for the infinities they write the bound, for not-a-number 0.
TEST(NumIOModelValue, HugeValuesInTheIntegerFormatsGiveTextsTheFieldReads) {
  struct Row {
    TInFormat format;
    double value;
    double readBack;
  };
  const Row rows[] = {
      {itDynamic, 1e300, 1e300},
      {itDynamic, -1e300, -1e300},
      {itDynamic, 1e19, 1e19},
      {itDynamic, HUGE_VAL, 1.7e308},
      {itDynamic, -HUGE_VAL, -1.7e308},
      {itDynamic, NAN, 0.0},
      {itInt, 1e300, 2147483647.0},
      {itInt, -1e300, -2147483648.0},
      {itInt, HUGE_VAL, 2147483647.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "format " << int(row.format) << " value " << row.value);
    TNumIOModel m = modelWith(row.format);
    m.SetValue(row.value);
    EXPECT_TRUE(m.CheckValidity(m.Text())) << Utf8(m.Text());
    EXPECT_EQ(m.Value(), row.readBack);
    // Keys are taken again: a digit appended at the end is kept.
    m.PlaceCaret(int(m.Text().size()));
    const std::u16string before = m.Text();
    m.KeyDown('5', 0, {});
    EXPECT_EQ(m.Text(), before + u"5");
  }
  TNumIOModel m = modelWith(itDynamic);
  m.SetValue(HUGE_VAL);
  EXPECT_EQ(m.Text().size(), 309u);
  EXPECT_EQ(m.Text().substr(0, 8), u"16999999");
}

// The float formats keep the fixed form where strff would switch to the
// scientific one: a mirrored huge length used to give " 1.0E+0300", a text
// the field then refused to edit.
TEST(NumIOModelValue, HugeAndTinyValuesInTheFloatFormatsGiveTextsTheFieldReads) {
  struct Row {
    TInFormat format;
    double value;
    const char16_t* start;  // the text begins so
    double readBack;
  };
  const Row rows[] = {
      {itFloat, 1e300, u"10000000000000000", 1e300},  // 18 significant digits, then zeros
      {itFloat, -7e36, u"-", -7e36},
      {itFloat, 1e-40, u"0.00", 0.0},
      {itFloat, -1e-40, u"-0.00", 0.0},
      {itFloat, HUGE_VAL, u"16999999", 1.7e308},
      {itFloat, -HUGE_VAL, u"-16999999", -1.7e308},
      {itFloat, NAN, u"0.00", 0.0},
      {itFixPoint, 1e300, u"10000000000000000", 1e300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "format " << int(row.format) << " value " << row.value);
    TNumIOModel m = modelWith(row.format);
    m.SetValue(row.value);
    EXPECT_TRUE(m.CheckValidity(m.Text())) << Utf8(m.Text());
    EXPECT_EQ(m.Text().substr(0, std::u16string(row.start).size()), row.start);
    EXPECT_DOUBLE_EQ(m.Value(), row.readBack);
    // The field edits it: Backspace at the end takes the last digit (a
    // fixed-point text must keep its decimals, so it refuses that).
    if (row.format != itFloat) continue;
    m.PlaceCaret(int(m.Text().size()));
    const std::u16string before = m.Text();
    m.KeyDown(8, 0, {});
    EXPECT_EQ(m.Text(), before.substr(0, before.size() - 1));
  }
  TNumIOModel m = modelWith(itFloat);
  m.SetValue(1e300);
  EXPECT_EQ(m.Text().size(), 301u + 3u);  // 301 integer digits, ".00"
}

TEST(NumIOModelValue, WriteKeepsCaretAndSelectionEvenBeyondTheShorterText) {
  TNumIOModel m;
  ASSERT_TRUE(m.SetText(u"1234.50"));
  m.SetSelBegin(2);
  m.SetSelEnd(7);
  m.SetValue(1.0);
  EXPECT_EQ(m.Text(), u"1.00");
  EXPECT_EQ(m.CaretPos(), 7);
  EXPECT_EQ(m.SelBegin(), 2);
  EXPECT_EQ(m.SelEnd(), 7);
  EXPECT_EQ(m.CaretClamped(), 4);
  EXPECT_EQ(m.SelEndClamped(), 4);
}

TEST(NumIOModelValue, CommaFieldIsWrittenWithADotAndStillReads) {
  TNumIOModel m;
  m.SetDecPlaceSep(dsComma);
  m.SetValue(1.5);
  EXPECT_EQ(m.Text(), u"1.50");
  EXPECT_DOUBLE_EQ(m.Value(), 1.5);
  EXPECT_FALSE(m.CheckValidity(m.Text())) << "the dot is refused by every keystroke";
}

// ---- value read ----

struct ReadRow {
  TInFormat format;
  std::u16string text;
  double value;
};

TEST(NumIOModelValue, ReadFollowsTheInputFormat) {
  const std::vector<ReadRow> rows{
      {itFloat, u"", 0.0},
      {itFloat, u"-", 0.0},
      {itFloat, u"+", 0.0},
      {itFloat, u"1,5", 1.5},
      {itFloat, u"-.5", -0.5},
      {itExp, u"2.5E3", 2500.0},
      {itExp, u"1,5e2", 150.0},
      {itInt, u"", 0.0},
      {itInt, u"+12", 12.0},
      {itInt, u"-2147483648", -2147483648.0},
      {itInt, u"99999999999", 2147483647.0},
      {itInt, u"-99999999999", -2147483648.0},
      {itHex, u"ff", 255.0},
      {itHex, u"FFFFFFFF", -1.0},
      {itOct, u"17", 15.0},
      {itBin, u"101", 5.0},
      {itDynamic, u"", 0.0},
      {itDynamic, u"$FF", 255.0},
      {itDynamic, u"%101", 5.0},
      {itDynamic, u"&17", 15.0},
      {itDynamic, u"$", 0.0},
      {itDynamic, u"12.5", 12.5},
      {itDynamic, u"-3", -3.0},
  };
  for (const ReadRow& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << "format " << int(row.format) << " '" << Utf8(row.text) << "'");
    TNumIOModel m = modelWith(row.format);
    ASSERT_TRUE(m.SetText(row.text));
    EXPECT_DOUBLE_EQ(m.Value(), row.value);
  }
}

// ---- validity ----

struct ValidityRow {
  TInFormat format;
  TDecPSep sep;
  std::u16string text;
  bool valid;
};

TEST(NumIOModelValidity, RulesPerInputFormat) {
  const std::vector<ValidityRow> rows{
      {itFloat, dsBoth, u"1,5", true},
      {itFloat, dsBoth, u"1.5", true},
      {itFloat, dsComma, u"1.5", false},
      {itFloat, dsBoth, u"1e5", false},
      {itFloat, dsBoth, u"1-", false},
      {itExp, dsBoth, u"1E5", true},
      {itExp, dsBoth, u"-", false},
      // Fixed point with two places: exactly two characters after the dot,
      // or exactly two characters without one.
      {itFixPoint, dsBoth, u"1.50", true},
      {itFixPoint, dsBoth, u"1.5", false},
      {itFixPoint, dsBoth, u"1.500", false},
      {itFixPoint, dsBoth, u"12", true},
      {itFixPoint, dsBoth, u"1", false},
      {itInt, dsBoth, u"-12", true},
      {itInt, dsBoth, u"-", false},
      {itInt, dsBoth, u"1.0", false},
      {itHex, dsBoth, u"aF09", true},
      {itHex, dsBoth, u"G", false},
      {itOct, dsBoth, u"78", false},
      {itBin, dsBoth, u"102", false},
      {itDynamic, dsBoth, u"", false},
      {itDynamic, dsBoth, u"$", true},
      {itDynamic, dsBoth, u"$1F", true},
      {itDynamic, dsBoth, u"$1G", false},
      {itDynamic, dsBoth, u"%102", false},
      {itDynamic, dsBoth, u"&78", false},
      {itDynamic, dsBoth, u"-1,5", true},
      {itDynamic, dsDot, u"1,5", false},
  };
  for (const ValidityRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "format " << int(row.format) << " sep " << int(row.sep)
                                    << " '" << Utf8(row.text) << "'");
    TNumIOModel m = modelWith(row.format);
    m.SetDecPlaceSep(row.sep);
    EXPECT_EQ(m.CheckValidity(row.text), row.valid);
  }
}

TEST(NumIOModelText, InvalidTextIsIgnoredEmptyTextAccepted) {
  TNumIOModel m;
  ASSERT_TRUE(m.SetText(u"85.30"));
  m.SetSelBegin(1);
  m.SetSelEnd(3);

  EXPECT_FALSE(m.SetText(u"abc"));
  EXPECT_EQ(m.Text(), u"85.30");
  EXPECT_EQ(m.SelBegin(), 1);
  EXPECT_EQ(m.SelEnd(), 3);

  EXPECT_TRUE(m.SetText(u""));
  EXPECT_EQ(m.Text(), u"");
  EXPECT_DOUBLE_EQ(m.Value(), 0.0);

  EXPECT_TRUE(m.SetText(u"12.5"));
  EXPECT_EQ(m.CaretPos(), 0);
  EXPECT_EQ(m.SelBegin(), 0);
  EXPECT_EQ(m.SelEnd(), 0);
}

// ---- range ----

TEST(NumIOModelRange, EachBoundPushesTheOtherAlong) {
  TNumIOModel m;
  m.SetRangeHigh(1.0);
  m.SetRangeLow(5.0);
  EXPECT_DOUBLE_EQ(m.RangeLow(), 5.0);
  EXPECT_DOUBLE_EQ(m.RangeHigh(), 5.0);

  TNumIOModel n;
  n.SetRangeLow(5.0);
  n.SetRangeHigh(1.0);
  EXPECT_DOUBLE_EQ(n.RangeLow(), 1.0);
  EXPECT_DOUBLE_EQ(n.RangeHigh(), 1.0);

  EXPECT_FALSE(n.SetRangeHigh(1.0)) << "unchanged";
}

TEST(NumIOModelRange, BoundsThemselvesAreInRange) {
  TNumIOModel m;
  m.SetRangeLow(1.0);
  m.SetRangeHigh(10.0);
  const std::vector<std::pair<double, bool>> rows{
      {1.0, false}, {10.0, false}, {0.99, true}, {10.01, true}, {5.0, false}};
  for (const auto& [value, out] : rows) {
    m.SetValue(value);
    EXPECT_EQ(m.OutOfRange(), out) << value;
  }
  ASSERT_TRUE(m.SetText(u""));
  EXPECT_TRUE(m.OutOfRange()) << "an empty text reads 0, below RangeLow 1";
}

// ---- reformatting setters ----

TEST(NumIOModelReformat, DecimalPlacesLoseDigitsBeyondTheNewPrecision) {
  TNumIOModel m = modelWith(itFloat, 3);
  ASSERT_TRUE(m.SetText(u"7.125"));
  EXPECT_TRUE(m.SetFixPointDecPlaces(1));
  EXPECT_EQ(m.Text(), u"7.1");
  EXPECT_TRUE(m.SetFixPointDecPlaces(3));
  EXPECT_EQ(m.Text(), u"7.100");

  EXPECT_FALSE(m.SetFixPointDecPlaces(0));
  EXPECT_FALSE(m.SetFixPointDecPlaces(-2));
  EXPECT_FALSE(m.SetFixPointDecPlaces(3));
  EXPECT_EQ(m.FixPointDecPlaces(), 3);
  EXPECT_TRUE(m.SetFixPointDecPlaces(40));
  EXPECT_EQ(m.FixPointDecPlaces(), 15);
}

TEST(NumIOModelReformat, MoreThanFifteenAtFifteenStillReformats) {
  TNumIOModel fix = modelWith(itFloat, 15);
  ASSERT_TRUE(fix.SetText(u"7.5"));  // as typed
  EXPECT_TRUE(fix.SetFixPointDecPlaces(20));
  EXPECT_EQ(fix.Text(), u"7.500000000000000");
  EXPECT_EQ(fix.FixPointDecPlaces(), 15);

  TNumIOModel exp = modelWith(itExp);
  ASSERT_TRUE(exp.SetSignificantDigits(15));
  ASSERT_TRUE(exp.SetText(u"7.5"));
  EXPECT_TRUE(exp.SetSignificantDigits(16));
  EXPECT_EQ(exp.Text(), u" 7.50000000000000E+00");
  EXPECT_EQ(exp.SignificantDigits(), 15);
}

TEST(NumIOModelReformat, SignificantDigitsAndInputFormatKeepTheValue) {
  TNumIOModel m = modelWith(itExp);
  m.SetValue(123456.0);
  EXPECT_TRUE(m.SetSignificantDigits(3));
  EXPECT_EQ(m.Text(), u" 1.23E+05");
  EXPECT_EQ(m.SignificantDigits(), 3);
  EXPECT_FALSE(m.SetSignificantDigits(0));

  TNumIOModel h;
  h.SetValue(255.0);
  EXPECT_TRUE(h.SetInputFormat(itHex));
  EXPECT_EQ(h.Text(), u"000000FF");
  EXPECT_TRUE(h.SetInputFormat(itFloat));
  EXPECT_EQ(h.Text(), u"255.00");
}

// ---- decimal separator ----

struct SepRow {
  std::vector<TDecPSep> path;  // modes set one after another, from dsBoth
  std::u16string before;
  std::u16string after;
};

class NumIOModelSeparator : public testing::Test {
 protected:
  void TearDown() override { SetLocaleDecimalSeparator(0); }
};

TEST_F(NumIOModelSeparator, SwitchingConvertsTheSeparatorsInTheText) {
  SetLocaleDecimalSeparator(u',');
  const std::vector<SepRow> rows{
      {{dsComma}, u"1.5", u"1,5"},
      {{dsDot}, u"1,5", u"1.5"},
      {{dsComma, dsDot}, u"1,5", u"1.5"},
      {{dsDot, dsBoth}, u"1.5", u"1.5"},
      {{dsSystem}, u"1.5", u"1,5"},
      {{dsSystem, dsDot}, u"2,5", u"2.5"},
      {{dsSystem, dsComma}, u"2,5", u"2,5"},
  };
  for (const SepRow& row : rows) {
    SCOPED_TRACE(Utf8(row.before) + " -> " + Utf8(row.after));
    TNumIOModel m;
    ASSERT_TRUE(m.SetText(row.before));
    for (const TDecPSep sep : row.path) EXPECT_TRUE(m.SetDecPlaceSep(sep));
    EXPECT_EQ(m.Text(), row.after);
    EXPECT_EQ(m.DecPlaceSep(), row.path.back());
  }
}

TEST_F(NumIOModelSeparator, UnchangedModeDoesNothing) {
  TNumIOModel m;
  ASSERT_TRUE(m.SetText(u"1,5"));
  EXPECT_FALSE(m.SetDecPlaceSep(dsBoth));
  EXPECT_EQ(m.Text(), u"1,5");
}

// ---- selection setters ----

TEST(NumIOModelSelection, SettersClampMoveTheCaretAndPushTheOtherEnd) {
  TNumIOModel m;
  ASSERT_TRUE(m.SetText(u"85.30"));
  m.SetSelBegin(2);
  EXPECT_EQ(m.SelBegin(), 2);
  EXPECT_EQ(m.SelEnd(), 2);
  EXPECT_EQ(m.CaretPos(), 2);
  m.SetSelEnd(4);
  EXPECT_EQ(m.SelBegin(), 2);
  EXPECT_EQ(m.SelEnd(), 4);
  EXPECT_EQ(m.CaretPos(), 4);
  m.SetSelBegin(9);
  EXPECT_EQ(m.SelBegin(), 5);
  EXPECT_EQ(m.SelEnd(), 5);
  EXPECT_EQ(m.CaretPos(), 5);
  m.SetSelEnd(-3);
  EXPECT_EQ(m.SelBegin(), 0);
  EXPECT_EQ(m.SelEnd(), 0);
  EXPECT_EQ(m.CaretPos(), 0);
}

// ---- the field: defaults, setter rules, errors ----

class NumIOFieldTest : public testing::Test {
 protected:
  void TearDown() override { TTimerWindow::SetTimersAvailable(true); }
  TNumIO2 field;
};

TEST_F(NumIOFieldTest, Defaults) {
  EXPECT_EQ(field.Width(), 160);
  EXPECT_EQ(field.Height(), 28);
  EXPECT_EQ(field.InputFormat(), itFloat);
  EXPECT_EQ(field.FixPointDecPlaces(), 2);
  EXPECT_EQ(field.SignificantDigits(), 6);
  EXPECT_EQ(field.DecPlaceSep(), dsBoth);
  EXPECT_DOUBLE_EQ(field.RangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(field.RangeHigh(), 1000.0);
  EXPECT_EQ(field.Text(), u"");
  EXPECT_EQ(field.LeftSpace(), 35);
  EXPECT_EQ(field.TextBoxWidth(), 80);
  EXPECT_EQ(field.Alignment(), taCenter);
  EXPECT_EQ(field.LeftTextAlignment(), taRightJustify);
  EXPECT_EQ(field.RightTextAlignment(), taLeftJustify);
  EXPECT_EQ(field.FrameStyle(), fsLowered);
  EXPECT_EQ(field.ColorScheme(), csBWG);
  EXPECT_EQ(field.ColorOutBG(), clBtnFace);
  EXPECT_EQ(field.ColorWarnBG(), TColor(0x6088FFF0));
  EXPECT_EQ(field.ColorWarnText(), clRed);
  EXPECT_EQ(field.ButHeight(), 28);
  EXPECT_EQ(field.ButWidth(), 18);
  EXPECT_EQ(field.GaugeWidth(), 82);
  EXPECT_TRUE(field.HideSelection());
  EXPECT_FALSE(field.Beep());
  EXPECT_FALSE(field.ReadOnly());
  EXPECT_TRUE(field.ButtonPivots.empty());
}

TEST_F(NumIOFieldTest, HeightHasAMinimumAndCutsTheButtonHeight) {
  field.SetHeight(10);
  EXPECT_EQ(field.Height(), 18);
  EXPECT_EQ(field.ButHeight(), 18);
  field.SetHeight(40);
  EXPECT_EQ(field.ButHeight(), 18) << "only cut, never raised";
  field.SetButHeight(60);
  EXPECT_EQ(field.ButHeight(), 40);
  field.SetButHeight(5);
  EXPECT_EQ(field.ButHeight(), 18);
}

struct ClampRow {
  const char* name;
  void (TNumIO2::*set)(int);
  int (TNumIO2::*get)() const;
  int value;
  int expected;
};

TEST_F(NumIOFieldTest, LayoutSettersClamp) {
  // The field is 160 x 28: the gauge may take 28 - 18 rows with its margin.
  const std::vector<ClampRow> rows{
      {"ButWidth low", &TNumIO2::SetButWidth, &TNumIO2::ButWidth, 2, 8},
      {"ButWidth high", &TNumIO2::SetButWidth, &TNumIO2::ButWidth, 99, 50},
      {"ButSpace low", &TNumIO2::SetButSpace, &TNumIO2::ButSpace, -4, 0},
      {"ButSpace high", &TNumIO2::SetButSpace, &TNumIO2::ButSpace, 70, 50},
      {"LeftSpace beyond width", &TNumIO2::SetLeftSpace, &TNumIO2::LeftSpace, 500, 160},
      {"LeftSpace negative ignored", &TNumIO2::SetLeftSpace, &TNumIO2::LeftSpace, -1, 160},
      {"GaugeHeight high", &TNumIO2::SetGaugeHeight, &TNumIO2::GaugeHeight, 30, 7},
      {"GaugeHeight low", &TNumIO2::SetGaugeHeight, &TNumIO2::GaugeHeight, 1, 3},
      {"GaugeTopMargin high", &TNumIO2::SetGaugeTopMargin, &TNumIO2::GaugeTopMargin, 30, 7},
      {"GaugeTopMargin low", &TNumIO2::SetGaugeTopMargin, &TNumIO2::GaugeTopMargin, -5, 0},
      {"GaugeWidth high", &TNumIO2::SetGaugeWidth, &TNumIO2::GaugeWidth, 500, 125},
      {"GaugeWidth low", &TNumIO2::SetGaugeWidth, &TNumIO2::GaugeWidth, 2, 10},
      {"GaugeLeftMargin high", &TNumIO2::SetGaugeLeftMargin, &TNumIO2::GaugeLeftMargin, 500, 150},
      {"GaugeLeftMargin low", &TNumIO2::SetGaugeLeftMargin, &TNumIO2::GaugeLeftMargin, -5, 0},
  };
  for (const ClampRow& row : rows) {
    (field.*row.set)(row.value);
    EXPECT_EQ((field.*row.get)(), row.expected) << row.name;
  }
}

TEST_F(NumIOFieldTest, ValueAndTextSettersReachTheModel) {
  field.SetFixPointDecPlaces(3);
  field.SetNioValue(7.1);
  EXPECT_EQ(field.Text(), u"7.100");
  EXPECT_DOUBLE_EQ(field.GetNioValue(), 7.1);
  field.SetNioText(u"abc");
  EXPECT_EQ(field.Text(), u"7.100");
  field.SetNioText(u"");
  EXPECT_EQ(field.Text(), u"");
  field.SetRangeLow(5.0);
  EXPECT_TRUE(field.OutOfRange());
  EXPECT_TRUE(field.CheckValidity(u"1,5"));
}

TEST_F(NumIOFieldTest, IntegerValueRoundsAndReportsOverflowWithTheComponentName) {
  field.SetName(u"nioFreq");
  field.SetNioValue(2.5);
  EXPECT_EQ(field.GetNioIntValue(), 2);
  field.SetNioValue(-2147483648.0);
  EXPECT_EQ(field.GetNioIntValue(), -2147483647 - 1);

  field.SetNioValue(3e9);
  try {
    (void)field.GetNioIntValue();
    FAIL() << "no error";
  } catch (const EPLXNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"nioFreq\": integer overflow");
  }
  field.SetNioValue(-2147483649.0);
  EXPECT_THROW((void)field.GetNioIntValue(), EPLXError);
}

TEST_F(NumIOFieldTest, RefusedTimerRaisesNoTimerAvailable) {
  field.SetName(u"nioFreq");
  field.SetReadOnly(true);
  TTimerWindow::SetTimersAvailable(false);
  try {
    field.SetReadOnly(false);
    FAIL() << "no error";
  } catch (const EPLXNumIO2Error& e) {
    EXPECT_STREQ(e.what(), "Component \"nioFreq\": no timer available");
  }
  EXPECT_THROW(TNumIO2 other, EPLXNumIO2Error) << "the constructor starts the timer";
}

TEST_F(NumIOFieldTest, ErrorMessageCarriesTheNameAsUtf8) {
  const EPLXNumIO2Error e(u"n\u00E4me", "integer overflow");
  EXPECT_STREQ(e.what(), "Component \"n\xC3\xA4me\": integer overflow");
}

TEST_F(NumIOFieldTest, AssignToCopiesIntoTheOtherField) {
  field.SetInputFormat(itFixPoint);
  field.SetNioValue(2.5);
  field.SetLeftText(u"Step");
  field.SetButVisible(true);
  TNumIO2 dest;
  field.AssignTo(dest);
  EXPECT_EQ(dest.InputFormat(), itFixPoint);
  EXPECT_EQ(dest.Text(), u"2.50");
  EXPECT_EQ(dest.LeftText(), u"Step");
  EXPECT_FALSE(dest.ButVisible());
}

TEST_F(NumIOFieldTest, AssignCopiesTextFormatsAndRangeButNotButtonsOrGauge) {
  TNumIO2 source;
  source.SetInputFormat(itFixPoint);
  source.SetFixPointDecPlaces(3);
  source.SetNioValue(2.5);
  source.SetRangeHigh(4.0);
  source.SetRangeLow(1.0);
  source.SetLeftText(u"Step");
  source.SetRightText(u"m");
  source.SetLeftSpace(50);
  source.SetDecPlaceSep(dsDot);
  source.SetColorWarnBG(clYellow);
  source.SetBeep(true);
  source.SetButVisible(true);
  source.SetGaugeVisible(true);
  source.ButtonPivots = {1.0, 2.0};

  field.Assign(source);
  EXPECT_EQ(field.InputFormat(), itFixPoint);
  EXPECT_EQ(field.FixPointDecPlaces(), 3);
  EXPECT_EQ(field.Text(), u"2.500");
  EXPECT_DOUBLE_EQ(field.RangeLow(), 1.0);
  EXPECT_DOUBLE_EQ(field.RangeHigh(), 4.0);
  EXPECT_EQ(field.LeftText(), u"Step");
  EXPECT_EQ(field.RightText(), u"m");
  EXPECT_EQ(field.LeftSpace(), 50);
  EXPECT_EQ(field.DecPlaceSep(), dsDot);
  EXPECT_EQ(field.ColorWarnBG(), clYellow);
  EXPECT_TRUE(field.Beep());
  EXPECT_FALSE(field.ButVisible());
  EXPECT_FALSE(field.GaugeVisible());
  EXPECT_TRUE(field.ButtonPivots.empty());
}

}  // namespace
