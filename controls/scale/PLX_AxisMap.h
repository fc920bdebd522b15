// The value <-> pixel mapping of one axis, held as its coefficients:
// pixel = K * v + D on a linear axis, K * ln v + D on a logarithmic one.
// The owner computes the coefficients when a range, a margin, the size or
// the logarithmic flag changes; the conversions are short inline functions,
// because the renderers call them for every tick and every point.
#pragma once

#include <cmath>

#include "platform/Errors.h"

// Values at or below this have no logarithm worth drawing.
constexpr double SmallPosNum = 1e-100;

// A pixel position computed in extended precision: stored as a double,
// clamped to +-2147483647, rounded half to even. NaN gives 0.
inline int RoundToPixel(long double t) {
  constexpr double kMaxPixel = 2147483647.0;
  // Adding and taking away 1.5 * 2^52 rounds any double below 2^51 to an
  // integer in the default rounding mode, halves to the even neighbour,
  // without a library call.
  constexpr double kRoundingBias = 6755399441055744.0;
  double v = static_cast<double>(t);
  if (!(v == v)) return 0;
  if (v > kMaxPixel) v = kMaxPixel;
  if (v < -kMaxPixel) v = -kMaxPixel;
  return static_cast<int>((v + kRoundingBias) - kRoundingBias);
}

class TAxisMap {
 public:
  // The logarithmic flag and the pixel that takes values <= SmallPosNum and
  // NaN on a logarithmic axis (they have no logarithm: the edge on the side
  // of the smallest values).
  void SetLogarithmic(bool Logarithmic, int Edge) {
    FLog = Logarithmic;
    FEdge = Edge;
  }
  void SetCoefficients(long double K, long double D) {
    FK = K;
    FD = D;
    FKd = static_cast<double>(K);
    FDd = static_cast<double>(D);
    FGuard = guardFor(FDd);
  }

  long double K() const { return FK; }
  long double D() const { return FD; }
  bool Logarithmic() const { return FLog; }
  // False when the axis has no pixel extent: every value maps to one pixel.
  bool HasExtent() const { return FK != 0; }

  int ToPixel(double v) const {
    int pixel = 0;
    if (!FLog && linearInDouble(v, pixel)) return pixel;
    return exactPixel(v);
  }

  // No clamping, no rounding. Raises EZeroDivide on an axis without extent.
  double ToValue(int Pixel) const {
    const double t = FloatDivide(Pixel - static_cast<double>(FD), static_cast<double>(FK));
    return FLog ? std::exp(t) : t;
  }

 private:
  // Out of line, so that the fast path stays small enough to inline.
  [[gnu::noinline]] int exactPixel(double v) const {
    if (!FLog) return RoundToPixel(FK * v + FD);
    if (!(v > SmallPosNum)) return FEdge;  // not a number either
    return RoundToPixel(FK * std::log(static_cast<long double>(v)) + FD);
  }

  // Fast path of a linear axis, for the renderers' millions of points: the
  // same pixel in double arithmetic wherever that cannot round otherwise.
  // Below 2^30 the double result lies within (2^30 + 2|D| + 1) * 2^-50 of
  // the extended one; FGuard is 16 times that. Unless the double result
  // comes that close to a half between two pixels (or is large, or not a
  // number), both round to the same pixel.
  static constexpr double kMaxFast = 1073741824.0;  // 2^30
  static double guardFor(double D) { return (kMaxFast + 2 * std::fabs(D) + 1) / (1LL << 46); }

  bool linearInDouble(double v, int& pixel) const {
    constexpr double kRoundingBias = 6755399441055744.0;
    const double t = FKd * v + FDd;
    const double nearest = (t + kRoundingBias) - kRoundingBias;
    if (!(std::fabs(t) < kMaxFast) || !(std::fabs(t - nearest) < 0.5 - FGuard)) return false;
    pixel = static_cast<int>(nearest);
    return true;
  }

  long double FK = 1.0L;
  long double FD = 0.0L;
  double FKd = 1.0;  // FK and FD rounded to double, for the fast path
  double FDd = 0.0;
  double FGuard = guardFor(0.0);
  bool FLog = false;
  int FEdge = 0;
};
