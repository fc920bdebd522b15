// The value <-> pixel mapping of a scale, as plain arithmetic and through the
// scale's range, margin and mode setters.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "controls/scale/PLX_AxisMap.h"
#include "controls/scale/PLX_Scale.h"
#include "controls/scale/PLX_ScaleMap.h"
#include "platform/Errors.h"

namespace {

TScaleGeometry horizontal(int width, int left, int right, double lo, double hi) {
  TScaleGeometry g;
  g.ScaleType = sctXT;
  g.Width = width;
  g.MarginLeft = left;
  g.MarginRight = right;
  g.RangeLow = lo;
  g.RangeHigh = hi;
  return g;
}

TScaleGeometry vertical(int height, int top, int bottom, double lo, double hi) {
  TScaleGeometry g;
  g.ScaleType = sctYR;
  g.Height = height;
  g.MarginTop = top;
  g.MarginBottom = bottom;
  g.RangeLow = lo;
  g.RangeHigh = hi;
  return g;
}

int pixel(const TScaleGeometry& g, double v) {
  TAxisMap m;
  AdjustScalePars(g, m);
  return m.ToPixel(v);
}

// --- the pure mapping --------------------------------------------------------

TEST(ScaleMap, NewScaleHorizontal) {
  const TScaleGeometry g;  // 400 x 400, 0 .. 100, margins 20
  TAxisMap m;
  AdjustScalePars(g, m);
  EXPECT_DOUBLE_EQ(m.K(), 3.59);
  EXPECT_DOUBLE_EQ(m.D(), 20.0);
  EXPECT_EQ(m.ToPixel(0.0), 20);
  EXPECT_EQ(m.ToPixel(100.0), 379);
  EXPECT_DOUBLE_EQ(m.ToValue(379), 100.0);
}

TEST(ScaleMap, NewScaleVerticalPutsTheHighEndAtTheTop) {
  TScaleGeometry g;
  g.ScaleType = sctYL;
  TAxisMap m;
  AdjustScalePars(g, m);
  EXPECT_DOUBLE_EQ(m.K(), -3.59);
  EXPECT_DOUBLE_EQ(m.D(), 379.0);
  EXPECT_EQ(m.ToPixel(100.0), 20);
  EXPECT_EQ(m.ToPixel(0.0), 379);
}

// The first chart's axes: 660 x 395, data area columns 50..640, rows 20..355.
TEST(ScaleMap, FirstChartAxes) {
  const TScaleGeometry x = horizontal(660, 50, 19, 0.0, 40.0);
  EXPECT_EQ(pixel(x, 0.0), 50);
  EXPECT_EQ(pixel(x, 20.0), 345);
  EXPECT_EQ(pixel(x, 40.0), 640);
  const TScaleGeometry y = vertical(395, 20, 39, 1.5, 30.0);
  EXPECT_EQ(pixel(y, 30.0), 20);
  EXPECT_EQ(pixel(y, 1.5), 355);
  EXPECT_EQ(pixel(y, 5.0), 314);
  EXPECT_EQ(pixel(y, 10.0), 255);
  EXPECT_EQ(pixel(y, 14.0), 208);
}

TEST(ScaleMap, TiesRoundToEven) {
  // 14.75 pixels per metre: 10 m lies on 197.5, 30 m on 492.5.
  const TScaleGeometry x = horizontal(660, 50, 19, 0.0, 40.0);
  EXPECT_EQ(pixel(x, 10.0), 198);
  EXPECT_EQ(pixel(x, 30.0), 492);
  // Half a pixel per unit from column 0.
  const TScaleGeometry half = horizontal(52, 0, 1, 0.0, 100.0);
  EXPECT_EQ(pixel(half, 1.0), 0);
  EXPECT_EQ(pixel(half, 3.0), 2);
  EXPECT_EQ(pixel(half, 5.0), 2);
  EXPECT_EQ(pixel(half, -1.0), 0);
  EXPECT_EQ(pixel(half, -3.0), -2);
}

TEST(ScaleMap, RoundToPixelClampsToThe32BitRange) {
  EXPECT_EQ(RoundToPixel(1e300L), 2147483647);
  EXPECT_EQ(RoundToPixel(-1e300L), -2147483647);
  EXPECT_EQ(RoundToPixel(2147483647.4L), 2147483647);
  EXPECT_EQ(RoundToPixel(-2147483648.0L), -2147483647);
  EXPECT_EQ(RoundToPixel(std::numeric_limits<long double>::infinity()), 2147483647);
  EXPECT_EQ(RoundToPixel(std::numeric_limits<long double>::quiet_NaN()), 0);
  EXPECT_EQ(RoundToPixel(-0.5L), 0);
  EXPECT_EQ(RoundToPixel(-1.5L), -2);
}

TEST(ScaleMap, HugeValuesClampInsteadOfOverflowing) {
  const TScaleGeometry g;
  EXPECT_EQ(pixel(g, 1e300), 2147483647);
  EXPECT_EQ(pixel(g, -1e300), -2147483647);
}

TEST(ScaleMap, NoExtentMapsEverythingToTheMiddle) {
  const TScaleGeometry x = horizontal(30, 20, 20, 0.0, 100.0);
  TAxisMap m;
  AdjustScalePars(x, m);
  EXPECT_EQ(m.K(), 0.0);
  for (double v : {-1e6, 0.0, 50.0, 100.0, 1e9}) EXPECT_EQ(m.ToPixel(v), 15);
  EXPECT_THROW(m.ToValue(15), EZeroDivide);

  // Exactly one pixel of extent is no extent either (L = 0); the middle of
  // an odd height rounds to even.
  const TScaleGeometry y = vertical(41, 20, 20, 0.0, 100.0);
  EXPECT_EQ(pixel(y, 70.0), 20);
}

TEST(ScaleMap, EmptyRangeKeepsTheMapping) {
  TAxisMap m;
  m.SetCoefficients(2.0, 7.0);
  AdjustScalePars(horizontal(400, 20, 20, 5.0, 5.0), m);
  EXPECT_EQ(m.K(), 2.0);
  EXPECT_EQ(m.D(), 7.0);
}

TEST(ScaleMap, ReversedRangeMirrorsTheAxis) {
  const TScaleGeometry g = horizontal(400, 20, 20, 100.0, 0.0);
  EXPECT_EQ(pixel(g, 100.0), 20);
  EXPECT_EQ(pixel(g, 0.0), 379);
}

TEST(ScaleMap, LogarithmicDecadesAreEvenlySpaced) {
  TScaleGeometry g = horizontal(640, 20, 19, 1.0, 1000.0);  // 600 pixels
  g.Logarithmic = true;
  TAxisMap m;
  AdjustScalePars(g, m);
  EXPECT_EQ(m.ToPixel(1.0), 20);
  EXPECT_EQ(m.ToPixel(10.0), 220);
  EXPECT_EQ(m.ToPixel(100.0), 420);
  EXPECT_EQ(m.ToPixel(1000.0), 620);
  EXPECT_NEAR(m.ToValue(220), 10.0, 1e-12);

  TScaleGeometry v = vertical(640, 20, 19, 1.0, 1000.0);
  v.Logarithmic = true;
  AdjustScalePars(v, m);
  EXPECT_EQ(m.ToPixel(1000.0), 20);
  EXPECT_EQ(m.ToPixel(10.0), 420);
}

TEST(ScaleMap, LogarithmicWithoutPositiveRangeKeepsTheMapping) {
  for (double lo : {0.0, -5.0}) {
    TScaleGeometry g = horizontal(400, 20, 20, lo, 100.0);
    g.Logarithmic = true;
    TAxisMap m;
    m.SetCoefficients(3.0, 4.0);
    AdjustScalePars(g, m);
    EXPECT_EQ(m.K(), 3.0);
    EXPECT_EQ(m.D(), 4.0);
  }
}

// Values without a logarithm go to the edge on the side of the smallest
// values.
TEST(ScaleMap, LogarithmicNonPositiveValuesGoToTheLowEdge) {
  TScaleGeometry x = horizontal(640, 20, 19, 1.0, 1000.0);
  x.Logarithmic = true;
  TScaleGeometry y = vertical(300, 20, 19, 1.0, 1000.0);
  y.Logarithmic = true;
  for (double v : {0.0, -5.0, 1e-100}) {
    EXPECT_EQ(pixel(x, v), 0);
    EXPECT_EQ(pixel(y, v), 300);
  }
  std::swap(x.RangeLow, x.RangeHigh);
  std::swap(y.RangeLow, y.RangeHigh);
  EXPECT_EQ(pixel(x, 0.0), 640);
  EXPECT_EQ(pixel(y, 0.0), 0);
  EXPECT_NE(pixel(x, 1e-99), 640) << "just above the limit has a logarithm";
}

// --- through the scale's setters ---------------------------------------------

TEST(ScaleMapping, NewScale) {
  TScale s;
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.ConvertToPixelCoords(0.0), 20);
  EXPECT_EQ(s.ConvertToPixelCoords(100.0), 379);
  EXPECT_EQ(s.ConvertToPixelCoords(1e300), 2147483647);
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(379), 100.0);
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(20 + 359 / 2), 49.86072423398329);
}

TEST(ScaleMapping, BoundsMarginsAndTypeRemap) {
  TScale s;
  s.SetBounds(0, 0, 30, 400);
  EXPECT_EQ(s.ConvertToPixelCoords(77.0), 15);
  EXPECT_THROW(s.ConvertPixelToScale(15), EZeroDivide);

  s.SetWidth(400);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);
  EXPECT_EQ(s.ConvertToPixelCoords(0.0), 0);
  s.SetMarginRight(0);
  EXPECT_EQ(s.ConvertToPixelCoords(100.0), 399);

  s.SetScaleType(sctYL);  // now the height and the top and bottom margins count
  s.SetMarginTop(10);
  s.SetMarginBottom(-1);
  EXPECT_EQ(s.MarginBottom(), 0);
  EXPECT_EQ(s.ConvertToPixelCoords(100.0), 10);
  EXPECT_EQ(s.ConvertToPixelCoords(0.0), 399);
}

TEST(ScaleMapping, EqualEndsNeverStay) {
  TScale s;
  s.SetRangeHigh(0.0);  // RangeLow is 0: reversed 1 .. 0
  EXPECT_EQ(s.RangeLow(), 1.0);
  EXPECT_EQ(s.RangeHigh(), 0.0);
  EXPECT_EQ(s.ConvertToPixelCoords(1.0), 20);

  TScale t;
  t.SetRangeLow(100.0);  // RangeHigh is 100
  EXPECT_EQ(t.RangeLow(), 100.0);
  EXPECT_EQ(t.RangeHigh(), 101.0);
  EXPECT_EQ(t.ConvertToPixelCoords(101.0), 379);

  t.SetRange(5.0, 5.0);
  EXPECT_EQ(t.RangeLow(), 5.0);
  EXPECT_EQ(t.RangeHigh(), 6.0);

  // Beyond 2^53 adding 1 changes nothing: the next value above serves.
  const double inf = std::numeric_limits<double>::infinity();
  for (double end : {1e20, 9007199254740992.0, -1e300}) {
    t.SetRange(0.0, 1.0);
    const int stale = t.ConvertToPixelCoords(end);
    t.SetRange(end, end);
    EXPECT_EQ(t.RangeLow(), end);
    EXPECT_EQ(t.RangeHigh(), std::nextafter(end, inf));
    EXPECT_NE(t.ConvertToPixelCoords(end), stale) << end << ": the mapping follows";
    t.SetRangeLow(5.0);
    t.SetRangeHigh(end);
    t.SetRangeLow(end);
    EXPECT_GT(t.RangeHigh(), end);
    t.SetRangeHigh(end);
    EXPECT_EQ(t.RangeHigh(), end);
    EXPECT_GT(t.RangeLow(), end) << "reversed, as with + 1";
  }
  t.SetRange(30.0, -10.0);  // order is free
  EXPECT_EQ(t.RangeLow(), 30.0);
  EXPECT_EQ(t.RangeHigh(), -10.0);
  EXPECT_DOUBLE_EQ(t.Center(), 10.0);
  EXPECT_EQ(t.ConvertToPixelCoords(30.0), 20);
}

TEST(ScaleMapping, LogarithmicSwitchOnALoadedScale) {
  TScale s;
  s.BeginLoading();
  s.Loaded();
  s.SetLogarithmic(true);  // range 0 .. 100
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.ConvertToPixelCoords(40.0), 164);

  s.SetRange(1.0, 1000.0);
  s.SetLabelType(ftDateTime);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic()) << "date-time labels stay linear";

  s.SetLabelType(ftNum);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  EXPECT_EQ(s.ConvertToPixelCoords(10.0), 140);  // 20 + 359 / 3

  s.SetLogarithmic(false);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.ConvertToPixelCoords(1.0), 20);
}

TEST(ScaleMapping, LogarithmicSwitchOnAScaleMadeInCode) {
  TScale s;
  const int at40 = s.ConvertToPixelCoords(40.0);
  s.SetLogarithmic(true);  // range 0 .. 100
  EXPECT_TRUE(s.Logarithmic());
  EXPECT_EQ(s.ConvertToPixelCoords(std::exp(40.0)), at40)
      << "the linear k and d stay and now apply to ln v";
  EXPECT_EQ(s.ConvertToPixelCoords(0.0), 0);

  s.SetRange(1.0, 1000.0);
  EXPECT_EQ(s.ConvertToPixelCoords(10.0), 140);
  EXPECT_EQ(s.ConvertToPixelCoords(1000.0), 379);
  EXPECT_NEAR(s.ConvertPixelToScale(140), 10.0, 0.2);

  s.SetRangeLow(-1.0);  // not positive: the mapping stays
  EXPECT_EQ(s.ConvertToPixelCoords(10.0), 140);
}

TEST(ScaleMapping, LoadingDefersTheMapping) {
  TScale s;
  s.BeginLoading();
  s.SetRange(0.0, 10.0);
  EXPECT_EQ(s.ConvertToPixelCoords(10.0), 56) << "still the mapping of 0 .. 100";
  s.Loaded();
  EXPECT_EQ(s.ConvertToPixelCoords(10.0), 379);
}

TEST(ScaleMapping, LabelTypeRules) {
  TScale s;
  s.SetDecPlaces(12);
  s.SetLabelType(ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);

  s.SetRange(1.0, 1000.0);
  s.SetLogarithmic(true);
  ASSERT_TRUE(s.Logarithmic());
  s.SetLabelType(ftDateTime);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_EQ(s.ConvertToPixelCoords(10.0), 23) << "remapped linearly";
}

// The linear mapping takes a double-precision shortcut; it must give the
// pixel of the extended-precision formula everywhere, above all at values
// that map to a half between two pixels or within a hair of one.
TEST(AxisMap, LinearPixelsEqualTheExtendedFormula) {
  struct Coefficients {
    long double K;
    long double D;
  };
  const Coefficients cases[] = {
      {14.75L, 50.0L},                                    // the first chart's feeder axis, 0..40 m
      {-335.0L / 28.5L, 355.0L + 335.0L * 1.5L / 28.5L},  // its frequency axis, 1.5..30 MHz
      {1.0L, 0.5L},                                       // every integer lands on a half
      {0.1L, 0.0L},    // halves just missed in extended precision
      {1e-7L, -3e4L},  // tiny scale, large offset
      {3e8L, 1e9L},    // results beyond the shortcut's reach
  };
  for (const Coefficients& c : cases) {
    TAxisMap m;
    m.SetCoefficients(c.K, c.D);
    const auto exact = [&](double v) { return RoundToPixel(c.K * v + c.D); };
    for (int n = -700; n <= 700; ++n) {
      // The value whose pixel is the half above n, and its neighbours.
      const double half = static_cast<double>((n + 0.5L - c.D) / c.K);
      for (double v : {half,
                       std::nextafter(half, -1e300),
                       std::nextafter(half, 1e300),
                       half * (1 + 1e-15),
                       static_cast<double>((n - c.D) / c.K),
                       n * 0.37}) {
        ASSERT_EQ(m.ToPixel(v), exact(v))
            << "K " << double(c.K) << " D " << double(c.D) << " v " << v;
      }
    }
  }
  TAxisMap m;
  m.SetCoefficients(2.0L, 0.0L);
  EXPECT_EQ(m.ToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(m.ToPixel(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(m.ToPixel(-1e300), -2147483647);
  EXPECT_EQ(m.ToPixel(1.25), 2) << "2.5 rounds to the even pixel";
  EXPECT_EQ(m.ToPixel(1.75), 4) << "3.5 rounds to the even pixel";
}

}  // namespace
