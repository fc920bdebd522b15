#include "controls/scale/PLX_ScaleMap.h"

#include <climits>
#include <cmath>

#include "platform/Errors.h"

namespace {

constexpr double MaxPixel = 2147483647.0;

}  // namespace

void AdjustScalePars(const TScaleGeometry& g, TScaleMapping& m) {
  if (g.RangeLow == g.RangeHigh) return;
  const bool horizontal = IsHorizontalScale(g.ScaleType);
  // 64-bit sums: margins and sizes are free 32-bit values.
  const long long extent =
      horizontal ? static_cast<long long>(g.Width) - g.MarginLeft - g.MarginRight - 1
                 : static_cast<long long>(g.Height) - g.MarginTop - g.MarginBottom - 1;
  if (extent <= 0) {
    m.k = 0.0;
    m.d = (horizontal ? g.Width : g.Height) / 2.0;
    return;
  }
  long double lo = g.RangeLow;
  long double hi = g.RangeHigh;
  if (g.Logarithmic) {
    if (!(g.RangeLow > 0.0 && g.RangeHigh > 0.0)) return;
    lo = std::log(lo);
    hi = std::log(hi);
  }
  const long double L = static_cast<long double>(extent);
  if (horizontal) {
    m.k = static_cast<double>(L / (hi - lo));
    m.d = static_cast<double>(g.MarginLeft - static_cast<long double>(m.k) * lo);
  } else {
    m.k = static_cast<double>(L / (lo - hi));
    m.d = static_cast<double>(g.MarginTop - static_cast<long double>(m.k) * hi);
  }
}

int ClampPixel(long long Sum) {
  if (Sum > INT_MAX) return INT_MAX;
  if (Sum < INT_MIN) return INT_MIN;
  return static_cast<int>(Sum);
}

int RoundToPixel(long double t) {
  double v = static_cast<double>(t);
  if (std::isnan(v)) return 0;
  if (v > MaxPixel) v = MaxPixel;
  if (v < -MaxPixel) v = -MaxPixel;
  // The default rounding mode rounds ties to the even neighbour.
  return static_cast<int>(std::nearbyint(v));
}

int R2M(const TScaleGeometry& g, const TScaleMapping& m, double v) {
  const long double k = m.k;
  const long double d = m.d;
  if (!g.Logarithmic) return RoundToPixel(k * v + d);
  if (v <= SmallPosNum) {
    // No logarithm: the value goes to the edge on the side of the smallest
    // values (the left or bottom edge of an ascending range).
    const bool ascending = g.RangeHigh >= g.RangeLow;
    if (IsHorizontalScale(g.ScaleType)) return ascending ? 0 : g.Width;
    return ascending ? g.Height : 0;
  }
  return RoundToPixel(k * std::log(static_cast<long double>(v)) + d);
}

double M2R(const TScaleMapping& m, bool Logarithmic, int Pixel) {
  const double t = FloatDivide(Pixel - m.d, m.k);
  return Logarithmic ? std::exp(t) : t;
}
