#include "controls/scale/PLX_ScaleMap.h"

#include <climits>
#include <cmath>

void AdjustScaleMode(const TScaleGeometry& g, TAxisMap& m) {
  // Values without logarithm go to the edge on the side of the smallest
  // values (the left or bottom edge of an ascending range).
  const bool ascending = g.RangeHigh >= g.RangeLow;
  const int edge =
      IsHorizontalScale(g.ScaleType) ? (ascending ? 0 : g.Width) : (ascending ? g.Height : 0);
  m.SetLogarithmic(g.Logarithmic, edge);
}

void AdjustScalePars(const TScaleGeometry& g, TAxisMap& m) {
  AdjustScaleMode(g, m);
  if (g.RangeLow == g.RangeHigh) return;
  const bool horizontal = IsHorizontalScale(g.ScaleType);
  // 64-bit sums: margins and sizes are free 32-bit values.
  const long long extent =
      horizontal ? static_cast<long long>(g.Width) - g.MarginLeft - g.MarginRight - 1
                 : static_cast<long long>(g.Height) - g.MarginTop - g.MarginBottom - 1;
  if (extent <= 0) {
    m.SetCoefficients(0.0L, (horizontal ? g.Width : g.Height) / 2.0);
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
  // k and d are doubles; d is formed from the rounded k.
  double k = 0.0;
  double d = 0.0;
  if (horizontal) {
    k = static_cast<double>(L / (hi - lo));
    d = static_cast<double>(g.MarginLeft - static_cast<long double>(k) * lo);
  } else {
    k = static_cast<double>(L / (lo - hi));
    d = static_cast<double>(g.MarginTop - static_cast<long double>(k) * hi);
  }
  m.SetCoefficients(k, d);
}
