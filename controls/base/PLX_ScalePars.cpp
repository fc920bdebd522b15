// The axis step rule: a step of 1, 2 or 5 times a power of ten that fits the
// range at least Ntick times, and the first multiple of it inside the range.
#include <cmath>
#include <cstdint>

#include "controls/base/PLX_math1.h"

namespace {

constexpr long double kLg2 = 0.3010299956639812L;
constexpr long double kLg5 = 0.6989700043360189L;
constexpr long double kLn10 = 2.302585092994046L;
// A logarithm this close to an integer counts as that integer.
constexpr long double kSnapLow = 1e-10L;
constexpr long double kSnapHigh = 0.9999999999L;
// A multiple that lies less than this part of a step before the low end
// counts as lying on it.
constexpr long double kAdvanceTolerance = 0.001L;
// The advance needs two or three rounds; the bound keeps a step that is too
// small to change the tick from looping for ever.
constexpr int kMaxAdvanceRounds = 8;

// The largest of 1, 2 and 5 times a power of ten that does not exceed r (the
// smaller step wins at the exact boundaries, except that 10 beats 5 at r = 10).
long double stepFor(long double r, uint16_t& Divi) {
  long double a = std::log(r) / kLn10;
  long double b = a - std::trunc(a);
  if (std::fabs(b) < kSnapLow || std::fabs(b) > kSnapHigh) {
    b = 0.0L;
    a = std::nearbyint(a);
  }
  if (a < 0.0L && b != 0.0L) a -= 1.0L;
  if (b < 0.0L) b += 1.0L;
  const int e = static_cast<int>(std::trunc(a));
  int mantissa = 5;
  Divi = 5;
  if (b < kLg2 + kSnapLow) {
    mantissa = 1;
  } else if (b < kLg5 + kSnapLow) {
    mantissa = 2;
    Divi = 4;
  }
  return ScaledPowerOfTen(mantissa, e);
}

// The first multiple of Distance at or beyond LowVal in the direction of the
// range. Each candidate is k * Distance, so no rounding error accumulates.
long double firstTick(long double LowVal, long double Distance, int sign) {
  long double k = std::trunc(LowVal / Distance) - 1.0L;
  long double tick = k * Distance;
  const long double tolerance = kAdvanceTolerance * std::fabs(Distance);
  for (int round = 0; round < kMaxAdvanceRounds && sign * (LowVal - tick) > tolerance; ++round) {
    k += 1.0L;
    tick = k * Distance;
  }
  return tick;
}

}  // namespace

void CalcScalePars(int Ntick, long double LowVal, long double HighVal, long double& LowTick,
                   long double& Distance, uint16_t& Divi) {
  const long double width = std::fabs(HighVal - LowVal);
  // An empty range has no ticks; so has a range that does not fit the type.
  if (HighVal == LowVal || !std::isfinite(width)) {
    LowTick = LowVal;
    Distance = 0.0L;
    Divi = 1;
    return;
  }
  const int sign = LowVal < HighVal ? 1 : -1;
  if (Ntick == 0) {
    Distance = sign;
    Divi = width > 10.0L ? 1 : 5;
  } else {
    // A negative count has no meaning; it gets the smallest regular one.
    const int intervals = Ntick < 0 ? 2 : Ntick;
    const long double r = width / intervals;
    if (!(r > 0.0L)) {
      LowTick = LowVal;
      Distance = 0.0L;
      Divi = 1;
      return;
    }
    Distance = sign * stepFor(r, Divi);
  }
  LowTick = firstTick(LowVal, Distance, sign);
}

// Powers of ten up to 10^27 are exact in extended precision: one rounding.
long double ScaledPowerOfTen(int mantissa, int e) {
  if (e < -27 || e > 27) return mantissa * std::pow(10.0L, static_cast<long double>(e));
  long double power = 1.0L;
  for (int i = 0; i < (e < 0 ? -e : e); ++i) power *= 10.0L;
  return e < 0 ? mantissa / power : mantissa * power;
}
