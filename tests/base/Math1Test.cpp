#include "controls/base/PLX_math1.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/Errors.h"

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(LgTest, DecimalLogarithm) {
  EXPECT_EQ(lg(1), 0.0);
  EXPECT_NEAR(lg(2), 0.30102999566398120, 1e-16);
  EXPECT_NEAR(lg(0.5), -0.30102999566398120, 1e-16);
  EXPECT_EQ(lg(kInf), kInf);
}

TEST(LgTest, PowersOfTenGiveExactExponents) {
  // Engineering notation takes the floor of lg: 1000 must give 3, not
  // 2.9999999999999996.
  for (int k = -307; k <= 308; ++k) {
    const double power = std::stod("1e" + std::to_string(k));
    EXPECT_EQ(lg(power), double(k)) << "10^" << k;
  }
}

TEST(LgTest, NonPositiveArgumentsRaise) {
  for (const double x : {0.0, -0.0, -1.0, -kInf, kNaN}) {
    SCOPED_TRACE(x);
    try {
      lg(x);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidArgument& e) {
      EXPECT_STREQ(e.what(), "logarithm: invalid argument");
    }
  }
}

TEST(IntNegIntPosTest, FloorAndCeiling) {
  struct Row {
    double x;
    int floor;
    int ceiling;
  };
  const std::vector<Row> rows = {
      {2.0, 2, 2},
      {-2.0, -2, -2},
      {2.5, 2, 3},
      {3.5, 3, 4},
      {-2.5, -3, -2},
      {-3.5, -4, -3},
      {2.7, 2, 3},
      {-2.7, -3, -2},
      {0.5, 0, 1},
      {-0.5, -1, 0},
      {0.0, 0, 0},
      {-0.0, 0, 0},
      {1e-300, 0, 1},
      {-1e-300, -1, 0},
      {2147483646.5, 2147483646, 2147483647},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.x);
    EXPECT_EQ(IntNeg(row.x), row.floor);
    EXPECT_EQ(IntPos(row.x), row.ceiling);
  }
}

TEST(IntNegIntPosTest, OutOfRangeSaturates) {
  EXPECT_EQ(IntNeg(1e10), INT_MAX);
  EXPECT_EQ(IntPos(1e10), INT_MAX);
  EXPECT_EQ(IntNeg(-1e10), INT_MIN);
  EXPECT_EQ(IntPos(-1e10), INT_MIN);
  EXPECT_EQ(IntNeg(kInf), INT_MAX);
  EXPECT_EQ(IntPos(-kInf), INT_MIN);
  EXPECT_EQ(IntNeg(kNaN), 0);
  EXPECT_EQ(IntPos(kNaN), 0);
}

TEST(ExChangeTest, SwapsEachType) {
  int32_t i1 = 1, i2 = -2;
  ExChange(i1, i2);
  EXPECT_EQ(i1, -2);
  EXPECT_EQ(i2, 1);
  double d1 = 1.5, d2 = -2.5;
  ExChange(d1, d2);
  EXPECT_EQ(d1, -2.5);
  EXPECT_EQ(d2, 1.5);
  long double e1 = 1.0L / 3, e2 = 7;
  ExChange(e1, e2);
  EXPECT_EQ(e1, 7.0L);
  EXPECT_EQ(e2, 1.0L / 3);
}

TEST(EEngStrTest, Formats) {
  struct Row {
    double value;
    int precision;
    std::u16string expected;
  };
  const std::vector<Row> rows = {
      {4700, 2, u"4.7k"},
      {4700, -2, u"4k7"},
      {0.0047, 3, u"4.70m"},
      {12, 3, u"12.0"},  // group 0: no prefix, no blank
      {-4700, 2, u"-4.7k"},
      {-4700, -2, u"-4k7"},
      {1000, 2, u"1.0k"},
      {999, 2, u"999"},
      {0.001, 3, u"1.00m"},
      {4.7e-6, 2, u"4.7u"},
      {2.2e-9, 2, u"2.2n"},
      {3.3e-12, 2, u"3.3p"},
      {1e-15, 2, u"1.0f"},
      {1e-18, 2, u"1.0a"},
      {2.2e6, 2, u"2.2M"},
      {3.3e9, 3, u"3.30G"},
      {1e12, 2, u"1.0T"},
      {47000, -2, u"47k"},  // no point to replace: the prefix is appended
      {123, 3, u"123"},
      {4700, 1, u"5k"},  // precision -1 .. 1: one significant digit
      {4500, 0, u"5k"},
      {4700, -1, u"5k"},
      {4700, 20, u"4.70000000k"},  // precision clamped to 9
      {4700, -20, u"4k70000000"},
      {0, 3, u"0.00"},
      {0, 1, u"0"},
      {0, -3, u"0.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "EEngStr(" << row.value << ", " << row.precision << ")");
    EXPECT_EQ(EEngStr(row.value, row.precision), row.expected);
  }
}

TEST(EEngStrTest, MagnitudesBeyondThePrefixTableKeepTheOutermostPrefix) {
  EXPECT_EQ(EEngStr(1e15, 3), u"1000T");
  EXPECT_EQ(EEngStr(2.5e16, 3), u"25000T");
  EXPECT_EQ(EEngStr(-2.5e16, -3), u"-25000T");
  EXPECT_EQ(EEngStr(1e-20, 3), u"0.0100a");
  EXPECT_EQ(EEngStr(4.7e-19, 2), u"0.47a");
  EXPECT_EQ(EEngStr(4.7e-19, -2), u"0a47");
}

TEST(EEngStrTest, NonFiniteValuesDoNotRaise) {
  EXPECT_EQ(EEngStr(kInf, 2), u"+Inf");
  EXPECT_EQ(EEngStr(-kInf, 2), u"-Inf");
  EXPECT_EQ(EEngStr(kNaN, 2), u"Nan");
}
