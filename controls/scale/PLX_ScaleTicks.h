// The tick engine of an axis: label decimals, the tick sequences of linear and
// logarithmic axes, and the list of tick positions a scale keeps after each
// rendering. Plain arithmetic, no drawing.
//
// An axis renderer walks the ticks of one rendering in drawing order:
//
//   TScaleTickWalk walk({MinTicks, RangeLow, RangeHigh, ShortTicks, Logarithmic, Horizontal});
//   TScaleTick tick;
//   while (walk.Next(tick)) {
//     if (tick.Recorded) tickList.Record(double(tick.Value));
//     if (tick.LineDrawn) ...draw a major or minor tick line...
//     ...raise the tick event; label a major tick using tick.Counter...
//   }
//
// Every tick Next returns is one at which the tick event is raised; ticks
// outside the range are never returned. A linear axis gives its minor ticks
// (only with ShortTicks) and then its major ticks. A logarithmic axis gives
// its decade sequence in ascending value, or the linear sequences when its
// range spans less than one decade (UsesLinearTicks() then tells the renderer
// to label the linear way).
#pragma once

#include <array>
#include <cstdint>

// Decimals of the labels of a linear axis: DecPlaces itself unless it is -2
// or -3, which choose by the width of the range (-1 means exponent form).
int CalcM(int DecPlaces, long double lo, long double hi);
// Decimals of the labels of a logarithmic axis: DecPlaces itself unless it is
// -2, which chooses by the range.
int CalcLogM(int DecPlaces, long double lo, long double hi);

// The step rule's result for one rendering of a linear axis.
struct TScaleTickSet {
  long double LowTick = 0.0L;   // first major tick
  long double Distance = 0.0L;  // signed major step; 0 for an empty range
  uint16_t Divi = 1;            // minor intervals per major step
  int Sign = 1;                 // +1 when RangeHigh > RangeLow, else -1
};

TScaleTickSet CalcTickSet(int MinTicks, long double RangeLow, long double RangeHigh);

struct TScaleTickRequest {
  int MinTicks = 3;
  long double RangeLow = 0.0L;
  long double RangeHigh = 100.0L;
  bool ShortTicks = true;
  bool Logarithmic = false;
  bool Horizontal = true;
};

struct TScaleTick {
  long double Value = 0.0L;
  // Major ticks are exactly the labelled ones: on a linear axis the steps of
  // the step rule, on a logarithmic one the decades and the 2 and 5 ticks.
  bool Major = false;
  // False only for a logarithmic minor tick of a horizontal axis without
  // ShortTicks: it draws no line, but its tick event is still raised.
  bool LineDrawn = true;
  bool Recorded = false;
  // Label counter of a major tick: i + 1 for major tick i of a linear axis;
  // on a logarithmic axis the number of major ticks returned so far. 0 for
  // minor ticks.
  int Counter = 0;
  // Logarithmic ticks: the multiple 1..9 of the decade. 0 on linear axes.
  int MultiP = 0;
};

class TScaleTickWalk {
 public:
  explicit TScaleTickWalk(const TScaleTickRequest& Request);
  // Fills Tick with the next tick in drawing order; false after the last.
  bool Next(TScaleTick& Tick);
  bool UsesLinearTicks() const;
  // The step rule's result (linear sequences only).
  const TScaleTickSet& TickSet() const;

 private:
  enum TPhase : uint8_t { phMinor, phMajor, phLog, phDone };

  bool nextMinor(TScaleTick& Tick);
  bool nextMajor(TScaleTick& Tick);
  bool nextLog(TScaleTick& Tick);
  void startLog();

  TScaleTickRequest FRequest;
  TScaleTickSet FSet;
  TPhase FPhase = phDone;
  bool FLinear = true;
  long double FMinorStep = 0.0L;
  int64_t FIndex = 0;
  // Logarithmic state: decade exponent FDecadeExp + FDecade, multiple FMultiP.
  int FDecadeExp = 0;
  int FDecade = 0;
  int FMultiP = 1;
  bool FUse2510 = false;
  long double FRcLo = 0.0L;
  long double FRcHi = 0.0L;
  int FLabelCounter = 0;
};

// The positions of the ticks recorded during the last rendering of a scale.
class TScaleTickList {
 public:
  static constexpr int MaxTicks = 250;

  // Called at the start of every rendering.
  void Clear();
  // Positions beyond the 250th are dropped.
  void Record(double Pos);
  int NumTicks() const;
  // 1-based; 0.0 outside 1..NumTicks().
  double TickPos(int ix) const;

 private:
  std::array<double, MaxTicks> FScaleTickPos{};
  int FTickCount = 0;
};
