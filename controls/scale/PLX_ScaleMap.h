// The value <-> pixel mapping of a scale: p = k * v + d on a linear scale,
// p = k * ln v + d on a logarithmic one. Plain arithmetic, no drawing.
#pragma once

#include "controls/scale/PLX_ScaleTypes.h"

// Values at or below this have no logarithm worth drawing.
constexpr double SmallPosNum = 1e-100;

// What the mapping depends on.
struct TScaleGeometry {
  TScaleType ScaleType = sctXB;
  int Width = 400;
  int Height = 400;
  int MarginLeft = 20;
  int MarginRight = 20;
  int MarginTop = 20;
  int MarginBottom = 20;
  double RangeLow = 0.0;
  double RangeHigh = 100.0;
  bool Logarithmic = false;
};

struct TScaleMapping {
  double k = 1.0;
  double d = 0.0;
};

// Recomputes the mapping so that RangeLow lands on the first pixel of the
// axis (column MarginLeft, or row Height - MarginBottom - 1) and RangeHigh on
// the last. Leaves Mapping as it was for an empty range, and on a logarithmic
// scale whose range is not positive. An axis without extent maps everything
// to the middle of the scale (k = 0).
void AdjustScalePars(const TScaleGeometry& Geometry, TScaleMapping& Mapping);

// Value to pixel, clamped to +-2147483647 and rounded half to even.
int R2M(const TScaleGeometry& Geometry, const TScaleMapping& Mapping, double Value);

// Pixel to value. Raises EZeroDivide when k is 0.
double M2R(const TScaleMapping& Mapping, bool Logarithmic, int Pixel);

// A sum of pixel coordinates taken in 64 bits and clamped back to int:
// positions and margins are free 32-bit values, and tick pixels reach
// +-2147483647.
int ClampPixel(long long Sum);

// A pixel position computed in extended precision: stored as a double,
// clamped to +-2147483647, rounded half to even. NaN gives 0.
int RoundToPixel(long double t);
