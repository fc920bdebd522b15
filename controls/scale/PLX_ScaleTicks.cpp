#include "controls/scale/PLX_ScaleTicks.h"

#include <algorithm>
#include <cmath>

#include "controls/base/PLX_math1.h"

namespace {

// Range widths at or beyond these get exponent-form labels. They are the
// doubles a caller writes, so a range of exactly 0.0001 counts as narrow.
constexpr long double kExpFormLow = 1e-4;
constexpr long double kExpFormHigh = 1e6;
// A tick up to this part of a step beyond the high end still belongs to it.
constexpr long double kEndTolerance = 0.001L;
// Relative tolerance of the logarithmic range test (the scale unit's QSave).
constexpr long double QSave = 0.999999999L;

}  // namespace

int CalcM(int DecPlaces, long double lo, long double hi) {
  if (DecPlaces != -2 && DecPlaces != -3) return DecPlaces;
  const long double h = std::fabs(hi - lo);
  if (!(h > kExpFormLow && h < kExpFormHigh)) return -1;
  if (h >= 100.0L) return 0;
  return 2 - static_cast<int>(std::nearbyint(std::log(h) / 2.5L));
}

int CalcLogM(int DecPlaces, long double lo, long double hi) {
  if (DecPlaces != -2) return DecPlaces;
  if (lo > hi) std::swap(lo, hi);
  const long double h = hi - lo;
  if (!(h > kExpFormLow && h < kExpFormHigh)) return -1;
  if (lo >= 1.0L) return 0;
  // A logarithmic axis never has a non-positive end; exponent form is the
  // safe answer for a caller that passes one anyway.
  if (!(lo > 0.0L)) return -1;
  return 1 - static_cast<int>(std::nearbyint(std::log10(lo)));
}

TScaleTickSet CalcTickSet(int MinTicks, long double RangeLow, long double RangeHigh) {
  TScaleTickSet set;
  CalcScalePars(MinTicks, RangeLow, RangeHigh, set.LowTick, set.Distance, set.Divi);
  set.Sign = RangeHigh > RangeLow ? 1 : -1;
  return set;
}

TScaleTickWalk::TScaleTickWalk(const TScaleTickRequest& Request) : FRequest(Request) {
  const long double lo = Request.RangeLow;
  const long double hi = Request.RangeHigh;
  if (Request.Logarithmic && lo > 0.0L && hi > 0.0L && std::isfinite(lo) && std::isfinite(hi) &&
      std::fabs(std::log10(hi / lo)) >= 1.0L) {
    FLinear = false;
    startLog();
    return;
  }
  FSet = CalcTickSet(Request.MinTicks, lo, hi);
  if (FSet.Distance == 0.0L) return;
  FMinorStep = FSet.Distance / FSet.Divi;
  FPhase = Request.ShortTicks ? phMinor : phMajor;
}

bool TScaleTickWalk::UsesLinearTicks() const { return FLinear; }

const TScaleTickSet& TScaleTickWalk::TickSet() const { return FSet; }

bool TScaleTickWalk::Next(TScaleTick& Tick) {
  switch (FPhase) {
    case phMinor:
      return nextMinor(Tick);
    case phMajor:
      return nextMajor(Tick);
    case phLog:
      return nextLog(Tick);
    case phDone:
      break;
  }
  return false;
}

// Minor tick i lies at (i - Divi) * TTSpace + LowTick: the sequence starts one
// major step before the first major tick, and counting from that tick makes
// the minor tick on it exactly equal to it, so a first major tick on the low
// end is never lost to a rounding error below the end.
bool TScaleTickWalk::nextMinor(TScaleTick& Tick) {
  const int sign = FSet.Sign;
  const long double tolerance = kEndTolerance * std::fabs(FMinorStep);
  auto minorValue = [this](int64_t i) {
    return static_cast<long double>(i - FSet.Divi) * FMinorStep + FSet.LowTick;
  };
  while (FPhase == phMinor) {
    const int64_t i = FIndex++;
    const long double p = minorValue(i);
    if (!(sign * (minorValue(i + 1) - FRequest.RangeHigh) <= tolerance)) {
      FPhase = phMajor;
      FIndex = 0;
    }
    // Ticks before the low end are skipped, without tolerance.
    if (sign * FRequest.RangeLow > sign * p) continue;
    Tick = TScaleTick{};
    Tick.Value = p;
    Tick.Recorded = true;
    return true;
  }
  return nextMajor(Tick);
}

// Major tick i lies at i * Distance + LowTick; tick 0 is always drawn, even
// when it lies beyond the high end.
bool TScaleTickWalk::nextMajor(TScaleTick& Tick) {
  if (FPhase != phMajor) return false;
  const int sign = FSet.Sign;
  const int64_t i = FIndex++;
  auto majorValue = [this](int64_t n) {
    return static_cast<long double>(n) * FSet.Distance + FSet.LowTick;
  };
  const long double tolerance = kEndTolerance * std::fabs(FSet.Distance);
  if (!(sign * (majorValue(i + 1) - FRequest.RangeHigh) <= tolerance)) FPhase = phDone;
  Tick = TScaleTick{};
  Tick.Value = majorValue(i);
  Tick.Major = true;
  Tick.Recorded = !FRequest.ShortTicks;
  Tick.Counter = static_cast<int>(i + 1);
  return true;
}

void TScaleTickWalk::startLog() {
  FRcLo = std::min(FRequest.RangeLow, FRequest.RangeHigh);
  FRcHi = std::max(FRequest.RangeLow, FRequest.RangeHigh);
  const long double lgRange = std::log10(FRequest.RangeHigh / FRequest.RangeLow);
  // Intermediate ticks when more intervals are wanted than there are decades.
  FUse2510 = FRequest.MinTicks > std::fabs(lgRange) + 0.5L;
  FDecadeExp = static_cast<int>(std::floor(std::log10(FRcLo * QSave)));
  FDecade = 0;
  FMultiP = 1;
  FPhase = phLog;
}

// Emits, decade by decade, the multiples 1 (and 2..9 with FUse2510) of each
// decade from the one below the low end until the decade beyond the high end;
// only ticks strictly inside the range (within QSave) are returned.
bool TScaleTickWalk::nextLog(TScaleTick& Tick) {
  while (FPhase == phLog) {
    const int multiP = FMultiP;
    const long double value = ScaledPowerOfTen(multiP, FDecadeExp + FDecade);
    if (FUse2510 && FMultiP < 9) {
      ++FMultiP;
    } else {
      FMultiP = 1;
      ++FDecade;
      if (!(QSave * ScaledPowerOfTen(1, FDecadeExp + FDecade) <= FRcHi)) FPhase = phDone;
    }
    if (!(value / QSave > FRcLo && QSave * value < FRcHi)) continue;
    const bool major = multiP == 1 || multiP == 2 || multiP == 5;
    // Without ShortTicks a vertical axis does not generate its minor ticks; a
    // horizontal one generates them (its tick event is raised) but draws and
    // records nothing.
    if (!major && !FRequest.ShortTicks && !FRequest.Horizontal) continue;
    Tick = TScaleTick{};
    Tick.Value = value;
    Tick.Major = major;
    Tick.LineDrawn = major || FRequest.ShortTicks;
    Tick.Recorded = major || FRequest.ShortTicks;
    Tick.Counter = major ? ++FLabelCounter : 0;
    Tick.MultiP = multiP;
    return true;
  }
  return false;
}

void TScaleTickList::Clear() { FTickCount = 0; }

void TScaleTickList::Record(double Pos) {
  if (FTickCount < MaxTicks) FScaleTickPos[FTickCount++] = Pos;
}

int TScaleTickList::NumTicks() const { return FTickCount; }

double TScaleTickList::TickPos(int ix) const {
  if (ix < 1 || ix > FTickCount) return 0.0;
  return FScaleTickPos[ix - 1];
}
