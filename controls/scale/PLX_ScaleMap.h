// The mapping of a scale: what it depends on, and the rule that computes its
// coefficients. Plain arithmetic, no drawing.
#pragma once

#include <climits>

#include "controls/scale/PLX_AxisMap.h"
#include "controls/scale/PLX_ScaleTypes.h"

// What the mapping and the drawing of an axis depend on.
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

// Recomputes the mapping so that RangeLow lands on the first pixel of the
// axis (column MarginLeft, or row Height - MarginBottom - 1) and RangeHigh on
// the last. The coefficients are held as doubles, the scale's precision. The
// logarithmic flag and the edge for values without logarithm always follow
// the geometry; the coefficients stay as they were for an empty range and on
// a logarithmic scale whose range is not positive. An axis without extent
// maps everything to the middle of the scale (K = 0).
void AdjustScalePars(const TScaleGeometry& Geometry, TAxisMap& Map);

// The logarithmic flag and edge alone, for a scale that keeps its
// coefficients while it is being loaded.
void AdjustScaleMode(const TScaleGeometry& Geometry, TAxisMap& Map);

// A sum of pixel coordinates taken in 64 bits and clamped back to int:
// positions and margins are free 32-bit values, and tick pixels reach
// +-2147483647. Inline: the data pass clamps every point.
inline int ClampPixel(long long Sum) {
  if (Sum > INT_MAX) return INT_MAX;
  if (Sum < INT_MIN) return INT_MIN;
  return static_cast<int>(Sum);
}
