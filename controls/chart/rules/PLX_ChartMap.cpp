#include "controls/chart/rules/PLX_ChartMap.h"

namespace {

// The transform that sends lo to pixel a and hi to pixel b, with lo and hi
// already in the axis's own units (logarithms on a logarithmic axis).
void mapEnds(long double lo, long double hi, long double a, long double b, TAxisMap& Map) {
  Map.SetCoefficients((b - a) / (hi - lo), (a * hi - b * lo) / (hi - lo));
}

void setLog(const TAxisRange& r, bool horizontal, const TChartFrame& f, TAxisMap& Map) {
  const bool ascending = r.High >= r.Low;
  if (horizontal) {
    Map.SetLogarithmic(r.Log, ascending ? 0 : f.W);
  } else {
    Map.SetLogarithmic(r.Log, ascending ? f.H : 0);
  }
}

bool mapAxis(const TChartFrame& f, const TAxisRange& r, bool horizontal, TAxisMap& Map) {
  const int extent = horizontal ? f.DataWidth() : f.DataHeight();
  const int size = horizontal ? f.W : f.H;
  if (extent <= 0) {
    Map.SetCoefficients(0, size / 2.0L);
    setLog(r, horizontal, f, Map);
    return true;
  }
  long double lo = r.Low;
  long double hi = r.High;
  if (r.Log) {
    if (!(r.Low > 0.0 && r.High > 0.0)) return false;
    lo = std::log(lo);
    hi = std::log(hi);
  }
  // RangeLow goes to the left column or the bottom row.
  if (horizontal) {
    mapEnds(lo, hi, f.L, f.Right(), Map);
  } else {
    mapEnds(lo, hi, f.Bottom(), f.T, Map);
  }
  setLog(r, horizontal, f, Map);
  return true;
}

}  // namespace

bool MapHorizontalAxis(const TChartFrame& f, const TAxisRange& r, TAxisMap& Map) {
  return mapAxis(f, r, true, Map);
}

bool MapVerticalAxis(const TChartFrame& f, const TAxisRange& r, TAxisMap& Map) {
  return mapAxis(f, r, false, Map);
}
