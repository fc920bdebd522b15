// Coverage-guided fuzz target for the axis ticks and the scale's mapping:
// the step rule (CalcTickSet), the tick walk of linear and logarithmic axes,
// the label decimals (CalcM, CalcLogM) and AdjustScalePars with TAxisMap, for
// arbitrary range ends, any MinTicks the scale's setter lets through and
// the logarithmic switch. Checks:
//   - the walk ends, after a number of ticks an axis can draw;
//   - the step is 1, 2 or 5 times a power of ten with 1, 4 or 5 minor parts;
//   - ticks come in the direction of the range, and lie inside it (major
//     ticks after the first within 0.1 % of a step, logarithmic ticks within
//     the relative tolerance);
//   - the label decimals are -1..12 or the DecPlaces given;
//   - the mapping puts the range ends on the first and last pixel.
#include <cstdio>
#include <cstdlib>

#include "controls/scale/PLX_ScaleMap.h"
#include "controls/scale/PLX_ScaleTicks.h"
#include "tools/fuzz/FuzzInputs.h"

namespace {

// Far more ticks than any axis has pixels for.
constexpr long kMaxTicks = 100000;

[[noreturn]] void fail(const char* what, const TScaleTickRequest& r, long double v) {
  std::fprintf(stderr,
               "PROPERTY FAILED: %s\n  range %.21Lg .. %.21Lg  MinTicks %d  log %d  value %.21Lg\n",
               what,
               r.RangeLow,
               r.RangeHigh,
               r.MinTicks,
               int(r.Logarithmic),
               v);
  std::abort();
}

// The scale's setter: 0 stays 0, everything else is clamped into 2..10.
int consumeMinTicks(FuzzedDataProvider& fdp) {
  const int value =
      fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange(-2, 12) : fdp.ConsumeIntegral<int>();
  return value == 0 ? 0 : std::clamp(value, 2, 10);
}

void checkStep(const TScaleTickSet& set, const TScaleTickRequest& r) {
  if (set.Distance == 0.0L) return;
  if (set.Divi != 1 && set.Divi != 4 && set.Divi != 5) fail("minor parts", r, set.Divi);
  const long double step = std::fabs(set.Distance);
  const long double mantissa = step / std::pow(10.0L, std::floor(std::log10(step) + 1e-12L));
  const bool regular = std::fabs(mantissa - 1) < 1e-9L || std::fabs(mantissa - 2) < 1e-9L ||
                       std::fabs(mantissa - 5) < 1e-9L || std::fabs(mantissa - 10) < 1e-8L;
  if (!regular) fail("step not 1, 2 or 5 times a power of ten", r, set.Distance);
  if ((set.Distance > 0) != (r.RangeHigh > r.RangeLow))
    fail("step against the range", r, set.Distance);
}

void checkWalk(const TScaleTickRequest& r) {
  TScaleTickWalk walk(r);
  if (walk.UsesLinearTicks()) checkStep(walk.TickSet(), r);
  const long double lo = std::fmin(r.RangeLow, r.RangeHigh);
  const long double hi = std::fmax(r.RangeLow, r.RangeHigh);
  const long double step = std::fabs(walk.TickSet().Distance);
  const int sign = r.RangeHigh > r.RangeLow ? 1 : -1;
  TScaleTick tick;
  long count = 0;
  bool haveMajor = false;
  long double lastMajor = 0, lastLog = 0;
  while (walk.Next(tick)) {
    if (++count > kMaxTicks) fail("tick walk does not end", r, tick.Value);
    const long double v = tick.Value;
    if (!walk.UsesLinearTicks()) {
      if (!(v / 0.999999999L > lo && 0.999999999L * v < hi))
        fail("log tick outside the range", r, v);
      if (count > 1 && !(v > lastLog)) fail("log ticks not ascending", r, v);
      lastLog = v;
      continue;
    }
    if (!tick.Major) {
      if (sign * r.RangeLow > sign * v) fail("minor tick before the low end", r, v);
      continue;
    }
    if (haveMajor && !(sign * (v - lastMajor) > 0)) fail("major ticks out of order", r, v);
    if (haveMajor && sign * (v - r.RangeHigh) > 0.0011L * step)
      fail("major tick beyond the high end", r, v);
    haveMajor = true;
    lastMajor = v;
  }
}

void checkDecimals(const TScaleTickRequest& r, int decPlaces) {
  const int m = CalcM(decPlaces, r.RangeLow, r.RangeHigh);
  const int lm = CalcLogM(decPlaces, r.RangeLow, r.RangeHigh);
  if (decPlaces == -2 || decPlaces == -3) {
    if (m < -1 || m > 12) fail("CalcM out of -1..12", r, m);
  } else if (m != decPlaces) {
    fail("CalcM changed a fixed DecPlaces", r, m);
  }
  if (decPlaces == -2 && (lm < -1 || lm > 400)) fail("CalcLogM out of range", r, lm);
  if (decPlaces != -2 && lm != decPlaces) fail("CalcLogM changed a fixed DecPlaces", r, lm);
}

void checkScaleMap(FuzzedDataProvider& fdp, const TScaleTickRequest& r) {
  TScaleGeometry g;
  g.ScaleType = static_cast<TScaleType>(fdp.ConsumeIntegralInRange(0, 3));
  g.Width = fdp.ConsumeIntegralInRange(-10, 3000);
  g.Height = fdp.ConsumeIntegralInRange(-10, 3000);
  g.MarginLeft = fdp.ConsumeIntegralInRange(-10, 200);
  g.MarginRight = fdp.ConsumeIntegralInRange(-10, 200);
  g.MarginTop = fdp.ConsumeIntegralInRange(-10, 200);
  g.MarginBottom = fdp.ConsumeIntegralInRange(-10, 200);
  g.RangeLow = double(r.RangeLow);
  g.RangeHigh = double(r.RangeHigh);
  g.Logarithmic = r.Logarithmic;
  TAxisMap map;
  AdjustScalePars(g, map);
  (void)map.ToPixel(consumeCoordinate(fdp));
  if (map.HasExtent()) (void)map.ToValue(fdp.ConsumeIntegral<int>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider fdp(data, size);
  TScaleTickRequest r;
  r.MinTicks = consumeMinTicks(fdp);
  r.RangeLow = consumeCoordinate(fdp);
  r.RangeHigh = consumeCoordinate(fdp);
  r.ShortTicks = fdp.ConsumeBool();
  r.Logarithmic = fdp.ConsumeBool();
  r.Horizontal = fdp.ConsumeBool();
  checkWalk(r);
  checkDecimals(r, fdp.ConsumeIntegralInRange(-3, 12));
  checkScaleMap(fdp, r);
  return 0;
}
