#include "controls/chart/rules/PLX_ChartGrid.h"

#include <cmath>

namespace {

double log10Of(double v) { return std::log(v) / std::log(10.0); }

double rnd(double v) { return std::nearbyint(v); }

double power10(double k) { return std::pow(10.0, k); }

// Decimal exponent and mantissa of x; exponents a hair off an integer count
// as that integer, so 100 is 10^2 and not 9.99...*10^1.
void splitDecade(double x, double& k, double& m) {
  double h = log10Of(x);
  if (std::fabs(h - rnd(h)) < 1e-14) h = rnd(h);
  k = std::floor(h);
  m = rnd(power10(h - k));
}

double logStart(const TGridAxis& a) {
  const double lo = a.Lo();
  if (a.Spacing == -1) return power10(std::ceil(log10Of(lo)));
  if (a.Spacing == -2 || a.Spacing == -3) {
    const double k = std::floor(log10Of(lo));
    const double m = rnd(power10(log10Of(lo) - k));
    if (a.Spacing == -3) return power10(k) * m;
    if (m <= 2) return power10(k) * 2;
    if (m <= 5) return power10(k) * 5;
    return power10(k) * 10;
  }
  return lo;
}

}  // namespace

double GridStart(const TGridAxis& a) {
  if (a.Spacing == 0) return a.Ticks.NumTicks() >= 1 ? a.Ticks.TickPos(1) : a.Lo();
  if (!a.Log || a.Spacing > 0) {
    const double d = std::fabs(a.Spacing);
    return std::ceil(a.Lo() / d) * d;
  }
  return logStart(a);
}

double NextGridLocation(const TGridAxis& a, int index, double x) {
  if (a.Spacing == 0) {
    return index >= 1 && index <= a.Ticks.NumTicks() ? a.Ticks.TickPos(index) : a.Hi();
  }
  if (!a.Log || a.Spacing > 0) return x + std::fabs(a.Spacing);
  if (a.Spacing == -1) return 10 * x;
  double k = 0;
  double m = 0;
  splitDecade(x, k, m);
  if (a.Spacing == -2) {
    if (m == 1) return power10(k) * 2;
    if (m == 2) return power10(k) * 5;
    return power10(k) * 10;
  }
  return power10(k) * (m + 1);
}
