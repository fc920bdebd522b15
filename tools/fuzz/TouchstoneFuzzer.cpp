// Coverage-guided fuzz target for the Touchstone reader: any bytes as a
// file's text. Besides running it under ASan/UBSan it checks that
//   - the only refusal is TTouchstoneError, whose message names the file and
//     a line of the text;
//   - what is read holds points, their frequencies finite and strictly
//     ascending, their impedances finite;
//   - the impedance between points is finite, at a point is that point's,
//     and outside the points is refused.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/tuner/Touchstone.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "PROPERTY FAILED: %s\n  %s\n", what, detail.c_str());
  std::abort();
}

bool finite(std::complex<double> z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

void checkRefusal(const TTouchstoneError& e, std::string_view text) {
  const long lines = long(std::count(text.begin(), text.end(), '\n')) + 1;
  const std::string what = e.what();
  const std::string prefix = "fuzz.s1p line " + std::to_string(e.Line()) + ": ";
  if (e.FileName() != "fuzz.s1p" || e.Line() < 1 || e.Line() > lines ||
      what.compare(0, prefix.size(), prefix) != 0 || what.size() == prefix.size()) {
    fail("refusal without the file and a line of the text", what);
  }
}

void checkPoints(const std::vector<TMeasuredPoint>& points) {
  if (points.empty()) fail("no points read", "");
  for (size_t k = 0; k < points.size(); ++k) {
    const TMeasuredPoint& p = points[k];
    if (!std::isfinite(p.frequencyMHz) || !finite(p.impedance))
      fail("a point that is not finite", std::to_string(k));
    if (k > 0 && !(p.frequencyMHz > points[k - 1].frequencyMHz))
      fail("frequencies that do not ascend", std::to_string(k));
    if (MeasuredImpedanceAt(points, p.frequencyMHz) != p.impedance)
      fail("the impedance at a point is not the point's", std::to_string(k));
    if (k > 0) {
      const double between = 0.5 * (p.frequencyMHz + points[k - 1].frequencyMHz);
      if (!finite(MeasuredImpedanceAt(points, between)))
        fail("an impedance between points that is not finite", std::to_string(k));
    }
  }
  for (const double outside : {std::nextafter(points.front().frequencyMHz, -INFINITY),
                               points.back().frequencyMHz * 2 + 1}) {
    try {
      MeasuredImpedanceAt(points, outside);
      fail("a frequency outside the points is not refused", std::to_string(outside));
    } catch (const std::out_of_range&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    checkPoints(ParseTouchstone(text, "fuzz.s1p"));
  } catch (const TTouchstoneError& e) {
    checkRefusal(e, text);
  }
  return 0;
}
