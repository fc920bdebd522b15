#include "controls/base/PLX_stringl.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct StrffRow {
  long double value;
  int fieldWidth;
  int decP;
  std::u16string expected;
};

void expectRows(const std::vector<StrffRow>& rows) {
  for (const StrffRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "strff(" << double(row.value) << ", " << row.fieldWidth
                                    << ", " << row.decP << ")");
    EXPECT_EQ(strff(row.value, row.fieldWidth, row.decP), row.expected);
  }
}

constexpr long double kInf = std::numeric_limits<long double>::infinity();

}  // namespace

TEST(StrffTest, FixedPointWithExactDecimals) {
  expectRows({
      {7.1, 1, 3, u"7.100"},
      {0.125, 1, 2, u"0.13"},
      {85.3, 8, 2, u"   85.30"},
      {0, 1, 0, u"0"},
      {0, 1, 2, u"0.00"},
      {0.4, 1, 0, u"0"},
      {1234.5678, 1, 2, u"1234.57"},
      {-1234.5678, 10, 1, u"   -1234.6"},
      {2.5, 1, 0, u"3"},  // halves round up, not to even
      {-2.5, 1, 0, u"-3"},
      {0.05, 1, 3, u"0.050"},
      {123456.789, 3, 1, u"123456.8"},  // never cut to the width
  });
}

// Whole numbers below 10^18 take their digits without the C library; at and
// above it, and next to whole numbers, the digits come as before.
TEST(StrffTest, WholeNumbersHaveAllTheirDigits) {
  expectRows({
      {5, 1, 1, u"5.0"},
      {-40, 1, 2, u"-40.00"},
      {1000, 26, -1, u" 1.00000000000000000E+0003"},
      {999999999999999999.0L, 1, 0, u"999999999999999999"},
      {1e18L, 1, 0, u"1000000000000000000"},
      {1e18L + 1, 1, 0, u"1000000000000000000"},  // 19 digits: the last is lost
      {123456789012345678.0L, 26, -1, u" 1.23456789012345678E+0017"},
      {7.5, 1, 0, u"8"},
      {std::nextafter(3.0L, 4.0L), 1, 18, u"3.000000000000000000"},
  });
}

TEST(StrffTest, NegativeValuesKeepTheirSignWhenRoundedToZero) {
  expectRows({
      {-0.001, 1, 2, u"-0.00"},
      {-0.4, 4, 0, u"  -0"},
      {-1e-30, 1, 3, u"-0.000"},
  });
}

TEST(StrffTest, RoundingCarriesThroughAllDigits) {
  expectRows({
      {9.995L, 1, 2, u"10.00"},  // 18 digits: 9.99500000000000000
      {99.5, 1, 0, u"100"},
      {999.96875, 1, 1, u"1000.0"},
      {9.9921875, 1, 2, u"9.99"},
      {-0.96875, 1, 1, u"-1.0"},
      {0.96875, 6, 0, u"     1"},
  });
}

TEST(StrffTest, RoundsTheEighteenDigitFormNotTheExactValue) {
  // 0.125 - 2^-67 is 0.12499999999999999999..., 1.25000000000000000e-1 with
  // 18 digits, so two decimals give 0.13 (the exact value would give 0.12).
  const long double justBelowEighth = 0.125L - std::ldexp(1.0L, -67);
  // 1 + 5 * 2^-63 = 1.00000000000000000054...: the 19th digit is lost
  // before the rounding at 18 decimals.
  const long double justAboveOne = 1.0L + std::ldexp(5.0L, -63);
  expectRows({
      {justBelowEighth, 1, 2, u"0.13"},
      {justAboveOne, 1, 18, u"1.000000000000000000"},
      {std::ldexp(1.0L, 70), 1, 0, u"1180591620717411300000"},  // 2^70 = 1180591620717411303424
  });
}

TEST(StrffTest, SwitchesToScientificForHugeAndTinyMagnitudes) {
  expectRows({
      // 2^119 lies just below the limit: still fixed, with 18 significant digits
      {std::ldexp(1.0L, 119), 1, 2, u"664613997892457936000000000000000000.00"},
      {6.6461399789246e35, 1, 2, u" 6.6E+0035"},
      {1e36, 1, 0, u" 1.0E+0036"},
      {-1e40, 12, 3, u"-1.000E+0040"},
      {1e-35, 1, 2, u"0.00"},
      {1e-36, 1, 2, u" 1.0E-0036"},
      {-1.5e-40, 1, 5, u"-1.5E-0040"},
  });
}

// The fixed form without the switch: what the number field writes.
TEST(FixedFormTextTest, KeepsTheFixedFormAtEveryMagnitude) {
  EXPECT_EQ(FixedFormText(7.1L, 3), u"7.100");
  EXPECT_EQ(FixedFormText(std::ldexp(1.0L, 119), 2), strff(std::ldexp(1.0L, 119), 1, 2));
  EXPECT_EQ(FixedFormText(1e36L, 0), u"1000000000000000000000000000000000000");
  EXPECT_EQ(FixedFormText(-2.5e40L, 1), u"-25000000000000000000000000000000000000000.0");
  EXPECT_EQ(FixedFormText(1e-36L, 2), u"0.00");
  EXPECT_EQ(FixedFormText(-1.5e-40L, 5), u"-0.00000");
  EXPECT_EQ(FixedFormText(kInf, 2), u"+Inf");
}

TEST(StrffTest, InfinitiesAndNaN) {
  expectRows({
      {kInf, 1, 2, u"+Inf"},
      {-kInf, 6, 2, u"  -Inf"},
      {std::numeric_limits<long double>::quiet_NaN(), 5, 2, u"  Nan"},
      {kInf, 12, -2, u"        +Inf"},
      {-kInf, 12, -1, u"        -Inf"},
      {kInf, -6, 2, u"  +Inf"},  // no zeros in front of a non-number
  });
}

TEST(StrffTest, ScientificLayout) {
  expectRows({
      {123.456, 14, -1, u" 1.23456E+0002"},
      {123456, 12, -2, u" 1.23456E+05"},
      {-0.00125, 12, -2, u"-1.25000E-03"},
      {0, 12, -2, u" 0.00000E+00"},
      {123456, 0, -2, u" 1.2E+05"},                      // at least ten characters before the cut
      {1.5, 30, -1, u"     1.50000000000000000E+0000"},  // at most 18 digits
  });
}

TEST(StrffTest, ScientificCarryRaisesTheExponent) {
  expectRows({
      {999999.5, 12, -2, u" 1.00000E+06"},
      {-9.96, 10, -1, u"-1.0E+0001"},
      {9.99996e99, 10, -2, u"**********"},  // carried into a three-digit exponent
  });
}

TEST(StrffTest, ThreeDigitExponentsBecomeAsterisks) {
  expectRows({
      {1e150, 12, -2, u"************"},
      {1e-100, 12, -2, u"************"},
      {-2e200, 8, -2, u"********"},
      {9.9e99, 8, -2, u" 9.9E+99"},
  });
}

TEST(StrffTest, NegativeFieldWidthPadsWithZeros) {
  expectRows({
      {-5.5, -8, 2, u"-0005.50"},
      {5.5, -8, 2, u"00005.50"},
      {-5.5, -1, 2, u"-5.50"},
      {0, -3, 0, u"000"},
      {123456, -12, -2, u"01.23456E+05"},                 // the blank of the sign position too
      {-123456, -26, -2, u"-001.23456000000000000E+05"},  // the sign moves to the front
  });
}

TEST(StrffTest, ExtremeWidthsAndDecimalsAreBounded) {
  const std::u16string wide = strff(1, 100000, 0);
  EXPECT_EQ(wide.size(), 255u);
  EXPECT_EQ(wide.back(), u'1');
  const std::u16string zeros = strff(-1, INT_MIN, 0);
  ASSERT_EQ(zeros.size(), 255u);
  EXPECT_EQ(zeros.front(), u'-');
  EXPECT_EQ(zeros.find_first_not_of(u'0', 1), 254u);
  const std::u16string decimals = strff(0.5, 1, INT_MAX);
  EXPECT_EQ(decimals.size(), 257u);
  EXPECT_EQ(decimals.substr(0, 4), u"0.50");
  EXPECT_EQ(strff(123456, INT_MAX, -2).size(), 255u);
}

TEST(ReplaceCharInStringTest, ReplacesEveryOccurrence) {
  EXPECT_EQ(ReplaceCharInString(u"1.234.5", u'.', u','), u"1,234,5");
  EXPECT_EQ(ReplaceCharInString(u"abc", u'x', u'y'), u"abc");
  EXPECT_EQ(ReplaceCharInString(u"", u'.', u','), u"");
  EXPECT_EQ(ReplaceCharInString(u"\u00B0\u00B0", u'\u00B0', u'd'), u"dd");
}
