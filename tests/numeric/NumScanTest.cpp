#include "controls/numeric/PLX_NumScan.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "platform/Locale.h"

#include "support/Utf16Text.h"

namespace {

// Runs a test body under a locale with the given decimal separator and
// returns to the real locale afterwards.
class LocaleSeparatorTest : public testing::Test {
 protected:
  void TearDown() override { SetLocaleDecimalSeparator(0); }
};

// ---- IsValidFPNum ----

struct FPNumRow {
  std::u16string text;
  TDecPSep sep;
  bool valid;
};

void expectFPNumRows(const std::vector<FPNumRow>& rows) {
  for (const FPNumRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "'" << Utf8(row.text) << "' sep " << int(row.sep));
    EXPECT_EQ(IsValidFPNum(row.text, row.sep), row.valid);
  }
}

}  // namespace

TEST(IsValidFPNumTest, PhaseTable) {
  expectFPNumRows({
      {u"", dsDot, false},      {u"-", dsDot, true},      {u"+", dsDot, true},
      {u".", dsDot, true},      {u"5.", dsDot, true},     {u"-.", dsDot, true},
      {u"-.5", dsDot, true},    {u"+12.75", dsDot, true}, {u"0012", dsDot, true},
      {u"1.2.3", dsDot, false}, {u"1e5", dsDot, false},   {u"1E5", dsDot, false},
      {u"--1", dsDot, false},   {u"+-1", dsDot, false},   {u"1-", dsDot, false},
      {u"1.-", dsDot, false},   {u" 1", dsDot, false},    {u"1 ", dsDot, false},
      {u"..", dsDot, false},    {u"x", dsDot, false},     {u"1\u00B0", dsDot, false},
  });
}

TEST(IsValidFPNumTest, SeparatorModes) {
  expectFPNumRows({
      {u",", dsDot, false},
      {u"1,5", dsDot, false},
      {u"1.5", dsDot, true},
      {u",", dsComma, true},
      {u"1,5", dsComma, true},
      {u"1.5", dsComma, false},
      {u",", dsBoth, true},
      {u"1,5", dsBoth, true},
      {u"1.5", dsBoth, true},
      {u"1.5,", dsBoth, false},  // one separator only, whichever it is
      {u"-,25", dsBoth, true},
  });
}

TEST_F(LocaleSeparatorTest, SystemSeparatorFollowsTheLocale) {
  SetLocaleDecimalSeparator(u',');
  expectFPNumRows({
      {u"1,5", dsSystem, true},
      {u"1.5", dsSystem, false},
  });
  EXPECT_TRUE(IsValidDouble(u"1,5E3", true, dsSystem));
  EXPECT_FALSE(IsValidDouble(u".5", true, dsSystem));
  SetLocaleDecimalSeparator(u'.');
  expectFPNumRows({
      {u"1,5", dsSystem, false},
      {u"1.5", dsSystem, true},
  });
  EXPECT_FALSE(IsValidDouble(u",5", true, dsSystem));
}

// ---- IsValidDouble ----

TEST(IsValidDoubleTest, PhaseTable) {
  struct Row {
    std::u16string text;
    bool allowExp;
    TDecPSep sep;
    bool valid;
  };
  const std::vector<Row> rows = {
      {u"", true, dsDot, false},
      {u"12", true, dsDot, true},
      {u"  12", true, dsDot, true},  // leading blanks are skipped
      {u"12x", true, dsDot, true},   // anything may follow a complete number
      {u"1 2", true, dsDot, true},
      {u".", true, dsDot, true},
      {u"-.5", true, dsDot, true},
      {u"1E", true, dsDot, true},
      {u"1e-", true, dsDot, true},
      {u"2.5E+3", true, dsDot, true},
      {u"1E5", false, dsDot, true},  // the E just ends the number
      {u"-", true, dsDot, false},
      {u"+", true, dsDot, false},
      {u"   ", true, dsDot, false},
      {u"- 1", true, dsDot, false},
      {u"x1", true, dsDot, false},
      {u"E5", true, dsDot, false},
      {u"1..2", true, dsDot, false},
      {u"1.5.", true, dsDot, false},
      {u"1E.", true, dsDot, false},
      {u"1E 5", true, dsDot, false},
      {u"1E--5", true, dsDot, false},
      {u"1E-E", true, dsDot, false},
      {u"1EE", true, dsDot, false},
      {u"1E5.", true, dsDot, true},  // a separator ends the exponent
      {u"1,5", true, dsDot, true},   // "," is no separator here: 1 then other
      {u",5", true, dsDot, false},
      {u",5", true, dsComma, true},
      {u"1,5.", true, dsComma, true},
      {u"1.5,", true, dsBoth, false},
      {u"--1", true, dsBoth, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << "'" << Utf8(row.text) << "' exp " << row.allowExp << " sep " << int(row.sep));
    EXPECT_EQ(IsValidDouble(row.text, row.allowExp, row.sep), row.valid);
  }
}

TEST(IsValidDoubleTest, ExponentGuard) {
  EXPECT_TRUE(IsValidDouble(u"1E4200", true, dsDot));
  EXPECT_FALSE(IsValidDouble(u"1E4201", true, dsDot));
  EXPECT_TRUE(IsValidDouble(u"1E-4200", true, dsDot));
  EXPECT_FALSE(IsValidDouble(u"1E-4201", true, dsDot));
  EXPECT_FALSE(IsValidDouble(u"1E9999", true, dsDot));
  EXPECT_TRUE(IsValidDouble(u"1E00004200", true, dsDot));  // the value counts, not the length
  EXPECT_FALSE(IsValidDouble(u"1E99999999999999999999", true, dsDot));
}

// ---- IsValidDecInt and the base validators ----

TEST(IsValidDecIntTest, SignedDecimalIntegers) {
  const std::vector<std::pair<std::u16string, bool>> rows = {
      {u"", false},
      {u"7", true},
      {u"-", false},
      {u"+", false},
      {u"-5", true},
      {u"+05", true},
      {u"123", true},
      {u"1-2", false},
      {u"1.0", false},
      {u" 1", false},
      {u"--1", false},
      {u"a", false},
  };
  for (const auto& [text, valid] : rows) {
    EXPECT_EQ(IsValidDecInt(text), valid) << Utf8(text);
  }
}

TEST(IsValidBaseTest, OnlyDigitsOfTheBase) {
  struct Row {
    std::u16string text;
    bool hex;
    bool oct;
    bool bin;
  };
  const std::vector<Row> rows = {
      {u"", false, false, false},
      {u"0101", true, true, true},
      {u"777", true, true, false},
      {u"89", true, false, false},
      {u"aBcDeF", true, false, false},
      {u"G", false, false, false},
      {u"$FF", false, false, false},
      {u"-1", false, false, false},
      {u"1 0", false, false, false},
      {u"0x1", false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8(row.text));
    EXPECT_EQ(IsValidHex(row.text), row.hex);
    EXPECT_EQ(IsValidOct(row.text), row.oct);
    EXPECT_EQ(IsValidBin(row.text), row.bin);
  }
}

// ---- ScanFPNum ----

TEST(ScanFPNumTest, ValuesAndEndPositions) {
  struct Row {
    std::u16string text;
    bool allowExp;
    int decPChar;
    int startIdx;
    double value;
    int endIdx;
  };
  const std::vector<Row> rows = {
      {u"12.5", true, 3, 1, 12.5, 5},
      {u"1,5", true, 3, 1, 1.5, 4},
      {u"12.", true, 3, 1, 12, 4},
      {u".5", true, 3, 1, 0.5, 3},
      {u"-", true, 3, 1, 0, 2},
      {u"", true, 3, 1, 0, 1},
      {u"12abc", true, 3, 1, 12, 3},
      {u"2.5E3", true, 3, 1, 2500, 6},
      {u"2.5e-3", true, 3, 1, 0.0025, 7},
      {u"  -7.25 m", true, 3, 1, -7.25, 8},
      {u"+.75", true, 3, 1, 0.75, 5},
      {u".", true, 3, 1, 0, 2},
      {u"1.5", true, 1, 1, 1.5, 4},
      {u"1,5", true, 1, 1, 1, 2},  // "," is not accepted by code 1
      {u"1,5", true, 2, 1, 1.5, 4},
      {u"1.5", true, 2, 1, 1, 2},
      {u"1.5", true, 0, 1, 1, 2},  // no separator at all
      {u"1,5", true, 7, 1, 1, 2},
      {u"2.5E3", false, 3, 1, 2.5, 4},  // without exponents the E ends the number
      {u"1E", true, 3, 1, 1, 3},        // an exponent without digits adds nothing
      {u"1E-", true, 3, 1, 1, 4},
      {u"1E+x", true, 3, 1, 1, 4},
      {u"5.E2", true, 3, 1, 500, 5},
      {u".E5", true, 3, 1, 0, 4},
      {u"1E5.5", true, 3, 1, 1e5, 4},
      {u"1.2.3", true, 3, 1, 0, 4},  // a second separator is bad
      {u"x12", true, 3, 1, 0, 1},
      {u"- 1", true, 3, 1, 0, 2},
      {u"a=3.5;", true, 3, 3, 3.5, 6},  // scanning from the middle
      {u"3.5", true, 3, 4, 0, 4},       // already beyond the end
      {u"3.5", true, 3, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "'" << Utf8(row.text) << "' exp " << row.allowExp << " code "
                                    << row.decPChar << " from " << row.startIdx);
    int idx = row.startIdx;
    EXPECT_EQ(ScanFPNum(row.text, row.allowExp, row.decPChar, idx), row.value);
    EXPECT_EQ(idx, row.endIdx);
  }
}

TEST(ScanFPNumTest, ExponentGuardAndClamp) {
  struct Row {
    std::u16string text;
    double value;
    int endIdx;
  };
  const std::vector<Row> rows = {
      {u"1.5E9999", 1.7e308, 9},  // builds 1.5E999
      {u"-1.5E9999", -1.7e308, 10},
      {u"1E4200", 1.7e308, 7},
      {u"1E308", 1e308, 6},
      {u"1.75E308", 1.7e308, 9},  // a double, but above the bound
      {u"1E-310", 1e-310, 7},
      {u"1E-4201", 0, 8},
      {u"123456789E-3000E", 0, 16},  // -3000 passes the guard; the second E ends it
      // The longest leading part of the exponent digits up to 4200 is built:
      // 500 of 5000 and 425 of 4250.
      {u"1" + std::u16string(500, u'0') + u"E-5000", 1, 508},
      {u"0." + std::u16string(400, u'0') + u"1E4250", 1e24, 409},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8(row.text.substr(0, 20)));
    int idx = 1;
    EXPECT_EQ(ScanFPNum(row.text, true, 3, idx), row.value);
    EXPECT_EQ(idx, row.endIdx);
  }
}

TEST_F(LocaleSeparatorTest, ScanFPNumIgnoresTheLocale) {
  SetLocaleDecimalSeparator(u',');
  int idx = 1;
  EXPECT_EQ(ScanFPNum(u"1.25", true, 3, idx), 1.25);
  idx = 1;
  EXPECT_EQ(ScanFPNum(u"1,25", true, 3, idx), 1.25);
}

// ---- ScanHex, ScanOctal, ScanBin ----

TEST(ScanBaseTest, ValuesAndEndPositions) {
  using TScanner = int32_t (*)(const std::u16string&, int&);
  struct Row {
    const char* name;
    TScanner scan;
    std::u16string text;
    int startIdx;
    int32_t value;
    int endIdx;
  };
  const std::vector<Row> rows = {
      {"hex", ScanHex, u"FF", 1, 255, 3},
      {"hex", ScanHex, u"$FF", 1, 255, 4},  // "$" is skipped at position 1
      {"hex", ScanHex, u"  ff", 1, 255, 5},
      {"hex", ScanHex, u"  $FF", 1, 0, 3},  // ... but nowhere else
      {"hex", ScanHex, u"1$F", 1, 1, 2},
      {"hex", ScanHex, u"7fG1", 1, 127, 3},
      {"hex", ScanHex, u"FFFFFFFF", 1, -1, 9},
      {"hex", ScanHex, u"100000001", 1, 1, 10},  // wraps in 32 bits
      {"hex", ScanHex, u"80000000", 1, INT32_MIN, 9},
      {"hex", ScanHex, u"", 1, 0, 1},
      {"hex", ScanHex, u"   ", 1, 0, 3},  // the last blank is not skipped
      {"hex", ScanHex, u"x=1A", 3, 26, 5},
      {"hex", ScanHex, u"1A", 0, 0, 0},
      {"octal", ScanOctal, u"777", 1, 511, 4},
      {"octal", ScanOctal, u" 178", 1, 15, 4},
      {"octal", ScanOctal, u"37777777777", 1, -1, 12},
      {"octal", ScanOctal, u"$7", 1, 0, 1},
      {"bin", ScanBin, u"0101", 1, 5, 5},
      {"bin", ScanBin, u"1012", 1, 5, 4},
      {"bin", ScanBin, u" 11111111111111111111111111111111", 1, -1, 34},
      {"bin", ScanBin, u"100000000000000000000000000000011", 1, 3, 34},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << row.name << " '" << Utf8(row.text) << "' from " << row.startIdx);
    int idx = row.startIdx;
    EXPECT_EQ(row.scan(row.text, idx), row.value);
    EXPECT_EQ(idx, row.endIdx);
  }
}

// ---- Hex, Octal, Bin ----

TEST(BaseFormatTest, DigitsFromTheLowEnd) {
  struct Row {
    std::u16string actual;
    std::u16string expected;
  };
  const std::vector<Row> rows = {
      {Hex(255, 0), u"F"},  // places 0 counts as 1
      {Hex(255, 2), u"FF"},
      {Hex(255, 4), u"00FF"},
      {Hex(0x12345, 4), u"2345"},
      {Hex(-1, 8), u"FFFFFFFF"},
      {Hex(-1, 200), u"FFFFFFFF"},
      {Hex(INT32_MIN, 8), u"80000000"},
      {Hex(0xABCDEF, 6), u"ABCDEF"},
      {Octal(8, 3), u"010"},
      {Octal(-1, 11), u"37777777777"},
      {Octal(-1, 12), u"37777777777"},
      {Octal(511, 0), u"7"},
      {Bin(5, 4), u"0101"},
      {Bin(5, 0), u"1"},
      {Bin(-2, 32), u"11111111111111111111111111111110"},
      {Bin(-2, 255), u"11111111111111111111111111111110"},
  };
  for (size_t k = 0; k < rows.size(); ++k) {
    EXPECT_EQ(rows[k].actual, rows[k].expected) << "row " << k;
  }
}

// ---- DegreeToStr ----

TEST(DegreeToStrTest, Formats) {
  struct Row {
    double value;
    TDegreeFormat format;
    int precision;
    std::u16string expected;
  };
  const std::vector<Row> rows = {
      {12.5125, dfDegMinSec, 1, u"12\u00B0 30' 45.0\""},
      {12.5125, dfDegMin, 2, u"12\u00B0 30.75'"},
      {12.5125, dfDeg, 2, u"12.51\u00B0"},
      {12.25, dfNumeric, 1, u"12.3"},
      {12.5, dfDegMin, 0, u"12\u00B0  30'"},
      {12.0 + 1.0 / 60, dfDegMinSec, 0, u"12\u00B0  1'   0\""},  // snapped, not 0' 60"
      {12.0 + 1.0 / 60, dfDegMin, 1, u"12\u00B0  1.0'"},
      {359.9999999, dfDegMinSec, 1, u"360\u00B0  0'  0.0\""},
      {-12.5125, dfDegMinSec, 1, u"-12\u00B0 30' 45.0\""},
      {-12.5125, dfDegMin, 2, u"-12\u00B0 30.75'"},
      {-0.5, dfDegMin, 1, u"-0\u00B0 30.0'"},  // the sign stays below one degree
      {-0.0125, dfDegMinSec, 1, u"-0\u00B0  0' 45.0\""},
      {0.0125, dfDegMinSec, 1, u"0\u00B0  0' 45.0\""},
      {-0.0125, dfDeg, 2, u"-0.01\u00B0"},
      {0, dfDegMinSec, 2, u"0\u00B0  0'  0.00\""},
      // Halves away from zero: 2^-11 degrees are exactly 1.7578125 seconds,
      // 0.125 degrees exactly 7.5 minutes.
      {0x1p-11, dfDegMinSec, 6, u"0\u00B0  0'  1.757813\""},
      {-0x1p-11, dfDegMinSec, 6, u"-0\u00B0  0'  1.757813\""},
      {0.125, dfDegMin, 0, u"0\u00B0   8'"},
      {-0.125, dfDegMin, 0, u"-0\u00B0   8'"},
      {1.0 + 1e-13, dfDegMin, 3, u"1\u00B0  0.000'"},
      {45, dfDegMin, 12, u"45\u00B0  0.00000000'"},  // precision clamped to 8
      {45.5, dfDeg, -3, u"46\u00B0"},                // ... and to 0
      // Large angles: the seconds came out just below 60 and showed as 60.
      {512 + 11.0 / 60, dfDegMinSec, 1, u"512\u00B0 11'  0.0\""},
      {167772.15, dfDegMinSec, 0, u"167772\u00B0  9'   0\""},
      // No whole degrees to write: every degree format writes as dfDeg does.
      {std::numeric_limits<double>::infinity(), dfDegMinSec, 1, u"+Inf\u00B0"},
      {-std::numeric_limits<double>::infinity(), dfDegMin, 1, u"-Inf\u00B0"},
      {std::numeric_limits<double>::quiet_NaN(), dfDegMin, 1, u"Nan\u00B0"},
      {std::numeric_limits<double>::quiet_NaN(), dfDeg, 1, u"Nan\u00B0"},
      {-1e308, dfDegMin, 2, u"-1.0E+0308\u00B0"},  // minutes overflowed: "-+Inf°   Nan'"
      {1e300, dfDegMinSec, 0, u" 1.0E+0300\u00B0"},
      {6e35, dfDegMin, 0, u"599999999999999981000000000000000000\u00B0   0'"},  // 18 digits
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "DegreeToStr(" << row.value << ", " << int(row.format)
                                    << ", " << row.precision << ")");
    EXPECT_EQ(DegreeToStr(row.value, row.format, row.precision), row.expected);
  }
}
