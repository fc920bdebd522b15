// The rule of the chart's per-layer mapping: each axis of a layer is a
// TAxisMap (pixel = K * v + D, or K * ln v + D on a logarithmic axis) whose
// coefficients, in extended precision, send the range onto the data area.
// Plain arithmetic, no drawing; the chart recomputes the coefficients only
// when a range, the size, a margin or the rim changes.
#pragma once

#include <cmath>

#include "controls/scale/PLX_AxisMap.h"

// Where the data area lies in the control: W x H pixels, margins L, R, T, B
// and the rim depth S. The data area spans columns L..W-R-S and rows
// T..H-B-S, both ends included.
//
// Margins stay within +-MaxMargin and the size within MaxFrameSize, so that
// every sum of them fits in an int. Item pixels are limited to +-30000 when
// drawn (LimitPixel): a margin beyond the 16-bit range would place no item anyway.
struct TChartFrame {
  static constexpr int MaxMargin = 32767;
  static constexpr int MaxFrameSize = 1 << 24;  // beyond the largest window

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
  // The margins and the rim of another frame; the size stays.
  void TakeMargins(const TChartFrame& f) {
    L = f.L;
    R = f.R;
    T = f.T;
    B = f.B;
    S = f.S;
  }
};

// The limit of item pixels: far outside any surface, and still safe to offset
// by a margin or a pixel distance in an int.
constexpr int PixelLimit = 30000;

// A control pixel, or a sum of pixels taken in 64 bits, limited to
// +-PixelLimit.
inline int LimitPixel(long long v) {
  return int(v < -PixelLimit ? -PixelLimit : v > PixelLimit ? PixelLimit : v);
}

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
