// Where the chart's grid lines lie on one axis: a fixed spacing in real
// units, the tick positions the axis recorded at its last drawing, or on a
// logarithmic axis decades, 1-2-5 steps or integer mantissas. Plain
// arithmetic, no drawing.
#pragma once

#include <algorithm>

#include "controls/scale/PLX_ScaleTicks.h"

// One axis of the grid's layer.
struct TGridAxis {
  bool Log = false;
  // GridDx or GridDy: > 0 a spacing; 0 the recorded ticks; -1, -2, -3 and
  // other negative values choose the logarithmic sequences.
  double Spacing = 0;
  double RangeLow = 0;
  double RangeHigh = 1;
  // The tick positions the axis recorded at its last drawing.
  TScaleTickList Ticks;

  double Lo() const { return std::min(RangeLow, RangeHigh); }
  double Hi() const { return std::max(RangeLow, RangeHigh); }
};

// No loop draws more lines (or dots) than this, whatever the spacing.
constexpr int MaxGridLines = 1000;

double GridStart(const TGridAxis& Axis);
// The position after x; index is the 1-based number of the position wanted.
double NextGridLocation(const TGridAxis& Axis, int index, double x);

// Calls Draw(position) for every grid position below the axis's upper end,
// at most MaxGridLines times. A logarithmic axis reaching zero has no grid.
template <class Fn>
void ForEachGridPosition(const TGridAxis& Axis, Fn&& Draw) {
  if (Axis.Log && !(Axis.Lo() > 0)) return;
  double x = GridStart(Axis);
  for (int j = 0; x < Axis.Hi() && j < MaxGridLines; ++j) {
    Draw(x);
    x = NextGridLocation(Axis, j + 2, x);
  }
}

// gsPoints: a dot at every crossing, column by column, at most MaxGridLines
// dots in all (Count counts them).
template <class Fn>
void ForEachGridPoint(const TGridAxis& X, const TGridAxis& Y, int& Count, Fn&& Draw) {
  if ((X.Log && !(X.Lo() > 0)) || (Y.Log && !(Y.Lo() > 0))) return;
  double x = GridStart(X);
  for (int i = 2; x < X.Hi() && Count < MaxGridLines; ++i) {
    double y = GridStart(Y);
    for (int j = 2; y < Y.Hi() && Count < MaxGridLines; ++j) {
      ++Count;
      Draw(x, y);
      y = NextGridLocation(Y, j, y);
    }
    x = NextGridLocation(X, i, x);
  }
}
