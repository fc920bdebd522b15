// The value texts of the numeric display label, by display type.
#include "controls/numeric/PLX_NumLabText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/Locale.h"

namespace {

struct TextRow {
  TDisplay type;
  double value;
  int precision;
  std::u16string expected;
  bool comma = false;
  bool plus = false;
};

void expectRows(const std::vector<TextRow>& rows) {
  for (const TextRow& row : rows) {
    TNumLabFormat format;
    format.Precision = row.precision;
    format.Comma = row.comma;
    format.ForcePlusSign = row.plus;
    SCOPED_TRACE(testing::Message()
                 << "type " << int(row.type) << " value " << row.value << " precision "
                 << row.precision << " comma " << row.comma << " plus " << row.plus);
    EXPECT_EQ(NumLabValueText(row.type, row.value, format), row.expected);
  }
}

const std::u16string kIndicator = u"*********";
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

class NumLabTextLocaleTest : public testing::Test {
 protected:
  void TearDown() override { SetLocaleDecimalSeparator(0); }
};

}  // namespace

TEST(NumLabTextTest, FixedPoint) {
  expectRows({
      {dtFixP, 12.3, 2, u"12.30"},
      {dtFixP, 12.3, 2, u"12,30", true},
      {dtFixP, 7.1, 3, u"7.100"},
      {dtFixP, 26.0, 2, u"26.00"},
      {dtFixP, -5.5, 1, u"-5.5"},
      {dtFixP, 2.5, 0, u"3"},  // half up, as every fixed-point text of the library
      {dtFixP, 0.125, 2, u"0.13"},
      {dtFixP, 0.0, 2, u"0.00"},
      {dtFixP, 1.5, 20, u"1.500000000000000"},  // 15 decimals at most
      {dtFixP, 1e-40, 2, u"0.00"},              // tiny values stay fixed point
      {dtFixP, 1e36, 0, u"1000000000000000042420637374017961984"},
  });
}

TEST_F(NumLabTextLocaleTest, SeparatorIsTheLabelsChoiceUnderAnyLocale) {
  for (const char16_t locale : {u'.', u','}) {
    SetLocaleDecimalSeparator(locale);
    SCOPED_TRACE(char(locale));
    expectRows({
        {dtFixP, 12.3, 2, u"12.30"},
        {dtFixP, 12.3, 2, u"12,30", true},
        {dtFloat, 0.5, 6, u"0.5"},
        {dtFloat, 0.5, 6, u"0,5", true},
        {dtExp, 1234.5, 3, u"1.23E+003"},
        {dtExp, 1234.5, 3, u"1,23E+003", true},
    });
  }
}

TEST(NumLabTextTest, ForcePlusSignOnlyAboveZero) {
  expectRows({
      {dtFixP, 0.0, 2, u"0.00", false, true},
      {dtFixP, 0.5, 2, u"+0.50", false, true},
      {dtFixP, -0.5, 2, u"-0.50", false, true},
      {dtFixP, 0.5, 2, u"+0,50", true, true},
      {dtZeroInt, 42, 4, u"+0042", false, true},
      {dtEEng, 4700, 2, u"+4.7k", false, true},
      {dtFixP, kInf, 2, u"+Inf", false, true},  // no second sign
      // Hexadecimal and binary texts take no sign.
      {dtHex, 10, 4, u"000A", false, true},
      {dtBin, 5, 4, u"0101", false, true},
  });
}

TEST(NumLabTextTest, Hexadecimal) {
  expectRows({
      {dtHex, -1, 4, u"FFFF"},
      {dtHex, 5e9, 4, kIndicator},
      {dtHex, 255, 8, u"000000FF"},
      {dtHex, 255, 15, u"000000FF"},  // eight digits at most
      {dtHex, 0x12345, 4, u"2345"},   // the low digits remain
      {dtHex, 4294967295.0, 8, u"FFFFFFFF"},
      {dtHex, -2147483648.0, 8, u"80000000"},
      {dtHex, -2147483649.0, 8, kIndicator},
      {dtHex, 4294967295.4, 8, kIndicator},  // the range test uses the unrounded value
      {dtHex, 2.5, 2, u"02"},                // ties to even
      {dtHex, 3.5, 2, u"04"},
      {dtHex, 255, 0, u""},
      {dtHex, kNaN, 4, kIndicator},
  });
}

TEST(NumLabTextTest, Integers) {
  expectRows({
      {dtZeroInt, 42, 4, u"0042"},
      {dtZeroInt, -42, 4, u"-0042"},
      {dtZeroInt, 42, 0, u"42"},
      {dtZeroInt, 0, 0, u"0"},
      {dtZeroInt, 2.5, 1, u"2"},
      {dtZeroInt, -2.5, 1, u"-2"},
      {dtZeroInt, 2147483647, 1, u"2147483647"},
      {dtZeroInt, 2147483647.4, 1, kIndicator},
      {dtZeroInt, -2147483648.0, 1, u"-2147483648"},
      {dtZeroInt, 5e9, 1, kIndicator},
      {dtInt, 1e15, 2, u"1000000000000000"},
      {dtInt, -3.5, 2, u"-4"},
      {dtInt, 5e9, 2, u"5000000000"},
      {dtInt, 0.4, 2, u"0"},
      {dtInt, 1e19, 2, kIndicator},  // beyond 64 bits
      {dtInt, kNaN, 2, kIndicator},
  });
}

TEST(NumLabTextTest, BinaryAndOctal) {
  expectRows({
      {dtBin, 5, 4, u"0101"},
      {dtBin, 5, 2, u"01"},
      {dtBin, -1, 8, u"11111111"},
      {dtBin, 5e9, 4, kIndicator},
      {dtBin, 5, 0, u""},
      {dtOct, 8, 4, u"0010"},
      {dtOct, -1, 15, u"37777777777"},  // Octal gives 11 digits at most
      {dtOct, 5e9, 4, kIndicator},
      {dtOct, 8, 0, u""},
  });
}

TEST(NumLabTextTest, Degrees) {
  expectRows({
      {dtDeg, 12.5, 1, u"12.5\u00B0"},
      {dtDeg, 12.5, 1, u"12,5\u00B0", true},
      {dtDegMin, 12.5, 1, u"12\u00B0 30.0'"},
      {dtDegMin, 12.5, 1, u"12\u00B0 30,0'", true},
      {dtDegMinSec, 12.5125, 1, u"12\u00B0 30' 45.0\""},
  });
}

TEST(NumLabTextTest, Engineering) {
  expectRows({
      {dtEEng, 4700, 2, u"4.7k"},
      {dtEEngNoDP, 4700, 2, u"4k7"},
      {dtEEng, 4700, 2, u"4,7k", true},
      {dtEEng, 0.0047, 3, u"4.70m"},
      {dtEEng, -0.0047, 3, u"-4.70m"},
  });
}

TEST(NumLabTextTest, GeneralFloat) {
  expectRows({
      {dtFloat, 1234.5678, 4, u"1235"},
      {dtFloat, 1234.5678, 6, u"1234.57"},
      {dtFloat, 0.5, 6, u"0.5"},
      {dtFloat, 100, 6, u"100"},
      {dtFloat, -2.5, 3, u"-2.5"},
      {dtFloat, 0, 3, u"0"},
      {dtFloat, 123456, 3, u"1.23E+005"},  // more integer digits than Precision
      {dtFloat, 99.9, 2, u"1E+002"},       // rounding adds a digit
      {dtFloat, 0.0001234, 3, u"0.000123"},
      {dtFloat, 0.00001, 3, u"0.00001"},
      {dtFloat, 0.000001234, 3, u"1.23E-006"},
      {dtFloat, 1.5e-300, 3, u"1.5E-300"},
      {dtFloat, 1e300, 3, u"1E+300"},
      {dtFloat, 0.1, 15, u"0.1"},
      {dtFloat, 1234, 0, u"1E+003"},  // Precision 0 counts as one digit
      {dtFloat, 7, 0, u"7"},
      {dtFloat, kNaN, 3, u"Nan"},
      {dtFloat, -kInf, 3, u"-Inf"},
  });
}

TEST(NumLabTextTest, Scientific) {
  expectRows({
      {dtExp, 1234.5, 3, u"1.23E+003"},
      {dtExp, -0.00123, 3, u"-1.23E-003"},
      {dtExp, 9.9996, 4, u"1.000E+001"},
      {dtExp, 0, 3, u"0.00E+000"},
      {dtExp, 1e-300, 2, u"1.0E-300"},
      {dtExp, 5, 1, u"5.E+000"},  // the separator stands with no digit after it
      {dtExp, 5, 0, u"5.E+000"},
      {dtExp, 46, 1, u"5.E+001"},
      {dtExp, 46, 1, u"5,E+001", true},
  });
}

TEST(NumLabTextTest, StateTextWhateverTheValue) {
  TNumLabFormat format;
  format.StateText = u"v1.2, off";
  format.Comma = true;
  format.ForcePlusSign = true;
  EXPECT_EQ(NumLabValueText(dtState, 3.5, format), u"v1.2, off");
  EXPECT_EQ(NumLabValueText(dtState, kNaN, format), u"v1.2, off");
  EXPECT_EQ(NumLabValueText(dtState, 0, TNumLabFormat{}), u"undefined");
}

TEST(NumLabTextTest, DateTimeWithItsPattern) {
  TNumLabFormat format;
  format.DTFormat = u"dd.mm.yyyy hh:nn";
  format.Comma = true;  // the pattern's dots stay
  format.ForcePlusSign = true;
  EXPECT_EQ(NumLabValueText(dtDateTime, 45000.5, format), u"15.03.2023 12:00");
  EXPECT_EQ(NumLabValueText(dtDateTime, 45000.5, TNumLabFormat{}),
            ShortMonthName(3) + u"-15, 2023");
  // No date exists for these: the indicator instead of an error.
  EXPECT_EQ(NumLabValueText(dtDateTime, kNaN, format), kIndicator);
  EXPECT_EQ(NumLabValueText(dtDateTime, 1e300, format), kIndicator);
}

TEST(NumLabTextTest, OverflowIndicatorStandsAsGiven) {
  TNumLabFormat format;
  format.OverflowIndicator = u"o.f";
  format.Comma = true;
  format.ForcePlusSign = true;
  EXPECT_EQ(NumLabValueText(dtZeroInt, 5e9, format), u"o.f");
  EXPECT_EQ(NumLabValueText(dtOct, 5e9, format), u"o.f");
  EXPECT_EQ(NumLabValueText(dtInt, 1e30, format), u"o.f");
}

TEST(NumLabTextTest, DegreesWithNoWholeDegreesToWriteOverflow) {
  for (const TDisplay type : {dtDeg, dtDegMin, dtDegMinSec}) {
    for (const double value : {kNaN, kInf, -kInf, -1e308, 1e36}) {
      SCOPED_TRACE(testing::Message() << "type " << int(type) << " value " << value);
      EXPECT_EQ(NumLabValueText(type, value, TNumLabFormat{}), kIndicator);
    }
  }
  EXPECT_EQ(NumLabValueText(dtDegMin, 6e35, TNumLabFormat{}),
            u"599999999999999981000000000000000000\u00B0  0.00'");
}

TEST(NumLabTextTest, NoTypeFailsOnNonFiniteValues) {
  for (int type = dtFloat; type <= dtEEngNoDP; ++type) {
    for (const double value : {kNaN, kInf, -kInf, 1e308, -1e308}) {
      SCOPED_TRACE(testing::Message() << "type " << type << " value " << value);
      EXPECT_NO_THROW(NumLabValueText(TDisplay(type), value, TNumLabFormat{}));
    }
  }
}
