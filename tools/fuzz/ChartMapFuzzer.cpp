// Coverage-guided fuzz target for the chart's per-layer mapping: the
// coefficients that MapHorizontalAxis and MapVerticalAxis compute for any
// frame and any range ends, and the conversions R2M and M2R make with them
// (TAxisMap::ToPixel, and TAxisMap::ToValue on an axis with extent). Checks:
//   - nothing undefined for any input (UBSan: no float-to-int overflow);
//   - a refused logarithmic range leaves the map as it was;
//   - on a resolvable range the ends land on the first and last column (the
//     bottom and top row), pixels stay monotone in the value, and M2R of a
//     pixel inside the data area maps back onto that pixel.
#include <cstdio>
#include <cstdlib>

#include "controls/chart/rules/PLX_ChartMap.h"
#include "tools/fuzz/FuzzInputs.h"

namespace {

[[noreturn]] void fail(const char* what, double lo, double hi, int pixel) {
  std::fprintf(
      stderr, "PROPERTY FAILED: %s\n  range %.17g .. %.17g  pixel %d\n", what, lo, hi, pixel);
  std::abort();
}

TChartFrame consumeFrame(FuzzedDataProvider& fdp) {
  TChartFrame f;
  if (fdp.ConsumeBool()) {  // the sizes a chart can have
    f.W = fdp.ConsumeIntegralInRange(0, 4000);
    f.H = fdp.ConsumeIntegralInRange(0, 4000);
    f.L = fdp.ConsumeIntegralInRange(0, 200);
    f.R = fdp.ConsumeIntegralInRange(0, 200);
    f.T = fdp.ConsumeIntegralInRange(0, 200);
    f.B = fdp.ConsumeIntegralInRange(0, 200);
    f.S = fdp.ConsumeIntegralInRange(0, 20);
  } else {  // anything a caller could set
    f.W = fdp.ConsumeIntegralInRange(-100000, 100000);
    f.H = fdp.ConsumeIntegralInRange(-100000, 100000);
    f.L = fdp.ConsumeIntegralInRange(-100000, 100000);
    f.R = fdp.ConsumeIntegralInRange(-100000, 100000);
    f.T = fdp.ConsumeIntegralInRange(-100000, 100000);
    f.B = fdp.ConsumeIntegralInRange(-100000, 100000);
    f.S = fdp.ConsumeIntegralInRange(-100, 100);
  }
  return f;
}

// A range whose pixels a double can tell apart: finite, not near the limits
// of the type, and wide enough against the size of its ends.
bool resolvable(long double lo, long double hi, int extent) {
  const long double big = std::fmax(std::fabs(lo), std::fabs(hi));
  const long double width = std::fabs(hi - lo);
  return std::isfinite(static_cast<double>(lo)) && std::isfinite(static_cast<double>(hi)) &&
         big < 1e300L && width > 1e-9L * big && width / extent > 1e-280L && extent < 1000000;
}

void checkAxis(const TChartFrame& f, const TAxisRange& r, bool horizontal,
               FuzzedDataProvider& fdp) {
  TAxisMap map;
  map.SetCoefficients(3.0L, 7.0L);
  const bool ok = horizontal ? MapHorizontalAxis(f, r, map) : MapVerticalAxis(f, r, map);
  if (!ok && (map.K() != 3.0L || map.D() != 7.0L))
    fail("refused range changed the map", r.Low, r.High, 0);

  // R2M of any value, M2R of any pixel: defined results, nothing undefined.
  const double probe = consumeCoordinate(fdp);
  const int anyPixel = map.ToPixel(probe);
  if (map.HasExtent()) (void)map.ToValue(fdp.ConsumeIntegral<int>());
  if (probe != probe && !map.Logarithmic() && anyPixel != 0)
    fail("NaN not on pixel 0", r.Low, r.High, anyPixel);
  if (!ok) return;

  const int extent = horizontal ? f.DataWidth() : f.DataHeight();
  if (extent <= 0) return;
  long double lo = r.Low, hi = r.High;
  if (r.Log) {
    lo = std::log(static_cast<long double>(r.Low));
    hi = std::log(static_cast<long double>(r.High));
  }
  if (!resolvable(lo, hi, extent)) return;
  // Values without a logarithm worth drawing go to the edge, not the end.
  // Ends near the top of the double range round out of it on the way back.
  if (r.Log && !(r.Low > SmallPosNum && r.High > SmallPosNum && r.Low < 1e300 && r.High < 1e300))
    return;
  const int first = horizontal ? f.L : f.Bottom();
  const int last = horizontal ? f.Right() : f.T;
  if (map.ToPixel(r.Low) != first) fail("low end off its pixel", r.Low, r.High, map.ToPixel(r.Low));
  if (map.ToPixel(r.High) != last)
    fail("high end off its pixel", r.Low, r.High, map.ToPixel(r.High));

  const int pixel = std::min(first, last) + fdp.ConsumeIntegralInRange(0, extent);
  const double value = map.ToValue(pixel);
  if (r.Log && !(value > SmallPosNum)) return;
  if (map.ToPixel(value) != pixel) fail("M2R does not map back", r.Low, r.High, pixel);

  // Monotone: a value between two others lands between their pixels.
  const double a = consumeCoordinate(fdp), b = consumeCoordinate(fdp);
  if (!(a < b) || (r.Log && !(a > SmallPosNum))) return;
  const long double ratio = (static_cast<long double>(map.ToPixel(b)) - map.ToPixel(a)) * map.K();
  if (ratio < 0) fail("pixels not monotone", a, b, map.ToPixel(a));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider fdp(data, size);
  const TChartFrame frame = consumeFrame(fdp);
  TAxisRange range;
  range.Low = consumeCoordinate(fdp);
  range.High = consumeCoordinate(fdp);
  range.Log = fdp.ConsumeBool();
  const bool horizontal = fdp.ConsumeBool();
  checkAxis(frame, range, horizontal, fdp);
  return 0;
}
