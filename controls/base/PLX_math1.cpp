// The numeric helpers and engineering notation. The axis step rule
// (CalcScalePars) lives in a file of its own.
#include "controls/base/PLX_math1.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

#include "controls/base/PLX_stringl.h"
#include "platform/Errors.h"

namespace {

// Out-of-range values saturate (and NaN gives 0) instead of invoking an
// undefined conversion.
int toInt32(double integral) {
  if (std::isnan(integral)) return 0;
  if (integral >= double(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (integral <= double(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return int(integral);
}

// SI prefixes of the groups -6 .. 4 (10^-18 .. 10^12); group 0 has none.
constexpr char16_t kPrefix[] = u"afpnum kMGT";
constexpr int kMinGroup = -6;
constexpr int kMaxGroup = 4;
constexpr int kMaxPrecision = 9;

void placePrefix(std::u16string& text, char16_t prefix, bool inPlaceOfPoint) {
  const size_t point = text.find(u'.');
  if (inPlaceOfPoint && point != std::u16string::npos) {
    text[point] = prefix;
  } else {
    text += prefix;
  }
}

}  // namespace

double lg(double x) {
  if (!(x > 0)) throw EInvalidArgument("logarithm: invalid argument");
  // In extended precision: every power of ten then gives its exact exponent
  // (in double, ln 1000 / ln 10 is 2.9999999999999996).
  return double(std::log(static_cast<long double>(x)) / std::log(10.0L));
}

int IntNeg(double x) {
  double r = std::nearbyint(x);  // the default rounding mode: ties to even
  if (r > x) r -= 1;
  return toInt32(r);
}

int IntPos(double x) {
  double r = std::nearbyint(x);
  if (r < x) r += 1;
  return toInt32(r);
}

void ExChange(int32_t& x, int32_t& y) { std::swap(x, y); }

void ExChange(double& x, double& y) { std::swap(x, y); }

void ExChange(long double& x, long double& y) { std::swap(x, y); }

std::u16string EEngStr(double innum, int precision) {
  // Infinities and NaN have no logarithm: "+Inf", "-Inf" and "Nan".
  if (!std::isfinite(innum)) return strff(innum, 1, 0);
  precision = std::clamp(precision, -kMaxPrecision, kMaxPrecision);
  const int dp = precision > 1 ? precision - 1 : (precision < -1 ? precision + 1 : 0);
  const int decimals = std::abs(dp);  // |dp| + 1 significant digits
  if (innum == 0) return strff(0.0L, 1, decimals);

  const double magnitude = std::fabs(innum);
  const double decades = lg(magnitude);
  const int ex = IntNeg(decades);
  const int group = std::clamp(IntNeg(decades / 3), kMinGroup, kMaxGroup);
  const int places = std::max(decimals - (ex - 3 * group), 0);
  // 10^18 is exact in extended precision, so the scaling rounds only once.
  long double unit = 1;
  for (int k = 0; k < 3 * std::abs(group); ++k) unit *= 10;
  const long double scaled = group >= 0 ? magnitude / unit : magnitude * unit;
  std::u16string text = strff(scaled, 1, places);
  if (group != 0) placePrefix(text, kPrefix[group - kMinGroup], dp < 0);
  if (innum < 0) text.insert(0, 1, u'-');
  return text;
}
