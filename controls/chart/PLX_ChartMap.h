// The per-layer value <-> pixel mapping of the chart: pixel = k * v + d on a
// linear axis and k * ln v + d on a logarithmic one, with k and d in extended
// precision. Plain arithmetic, no drawing; the chart recomputes the
// coefficients only when a range, the size, a margin or the rim changes.
#pragma once

#include <cmath>

#include "controls/scale/PLX_ScaleMap.h"

// Where the data area lies in the control: W x H pixels, margins L, R, T, B
// and the rim depth S. The data area spans columns L..W-R-S and rows
// T..H-B-S, both ends included.
struct TChartFrame {
  int W = 280;
  int H = 200;
  int L = 50;
  int R = 20;
  int T = 20;
  int B = 40;
  int S = 0;

  int Right() const { return W - R - S; }
  int Bottom() const { return H - B - S; }
  // W' and H' of the mapping: the distance from the first to the last column
  // (row) of the data area.
  int DataWidth() const { return Right() - L; }
  int DataHeight() const { return Bottom() - T; }
};

// One axis of one layer.
struct TAxisMap {
  long double k = 0;
  long double d = 0;
  bool Log = false;
  // Where values without a logarithm go: the control edge on the side of the
  // smallest values.
  int Edge = 0;

  // Rounded half to even and limited to the 32-bit range.
  int ToPixel(double v) const {
    if (!Log) return RoundToPixel(k * v + d);
    if (!(v > SmallPosNum)) return Edge;
    return RoundToPixel(k * std::log(static_cast<long double>(v)) + d);
  }
  // Neither clamped nor rounded; an axis without extent (k = 0) gives an
  // infinity or NaN.
  double ToValue(int p) const {
    const double t = static_cast<double>((p - d) / k);
    return Log ? std::exp(t) : t;
  }
};

struct TAxisRange {
  double Low = 0.0;
  double High = 1.0;
  bool Log = false;
};

// Recomputes one axis for the given frame. Returns false, leaving Map as it
// was, for a logarithmic axis with an end at or below zero while the axis has
// an extent.
bool MapHorizontalAxis(const TChartFrame& f, const TAxisRange& r, TAxisMap& Map);
bool MapVerticalAxis(const TChartFrame& f, const TAxisRange& r, TAxisMap& Map);
