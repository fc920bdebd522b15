// Input decoders shared by the chart and scale fuzz targets.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

// A coordinate or range end: the awkward doubles (NaN, infinities, +-1e300,
// subnormals, the largest values) as often as plain ones.
inline double consumeCoordinate(FuzzedDataProvider& fdp) {
  static const double kSpecial[] = {0.0,
                                    -0.0,
                                    1.0,
                                    -1.0,
                                    std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    1e300,
                                    -1e300,
                                    1.7e308,
                                    -1.7e308,
                                    std::numeric_limits<double>::max(),
                                    std::numeric_limits<double>::denorm_min(),
                                    -std::numeric_limits<double>::denorm_min(),
                                    std::numeric_limits<double>::min(),
                                    1e-300,
                                    1e-100,
                                    2147483647.0,
                                    -2147483648.0,
                                    9007199254740993.0};
  switch (fdp.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return kSpecial[fdp.ConsumeIntegralInRange<std::size_t>(0, std::size(kSpecial) - 1)];
    case 1: {  // any bit pattern
      const uint64_t bits = fdp.ConsumeIntegral<uint64_t>();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case 2:  // small integers: items that coincide, windows with items on the border
      return fdp.ConsumeIntegralInRange(-20, 20);
    default:
      return fdp.ConsumeFloatingPoint<double>();
  }
}

// Doubles compared as stored: NaN equals NaN, 0.0 differs from -0.0.
inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
