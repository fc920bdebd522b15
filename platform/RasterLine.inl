// The line walker of Raster.h (a template, so the per-pixel visit inlines).
#pragma once

#include <algorithm>
#include <cstdlib>

namespace raster {
namespace detail {

__extension__ using Wide = __int128;  // GCC's own type: ISO C++ has no 128-bit integer

// Minor-axis offset of pixel i: i*dmin/dmaj rounded to nearest, halves down.
inline int64_t minorOffset(int64_t i, int64_t dmin, int64_t dmaj) {
  return int64_t((Wide(2) * i * dmin + dmaj - 1) / (Wide(2) * dmaj));
}

// First i in [lo, hi) with minorOffset(i) >= k (offsets never decrease).
inline int64_t firstOffsetAtLeast(int64_t lo, int64_t hi, int64_t k, int64_t dmin, int64_t dmaj) {
  while (lo < hi) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (minorOffset(mid, dmin, dmaj) >= k) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

inline bool inBox(TPoint p, const Box& box) {
  return p.x >= box.x0 && p.x < box.x1 && p.y >= box.y0 && p.y < box.y1;
}

// Narrows [iLo, iHi) to the pixels of the line inside the box; false when
// none is.
inline bool clipToBox(int64_t maj0, int64_t min0, int sMaj, int sMin, int64_t dmin, int64_t dmaj,
                      bool xMajor, const Box& box, int64_t& iLo, int64_t& iHi) {
  const int64_t majLo = xMajor ? box.x0 : box.y0;
  const int64_t majHi = xMajor ? box.x1 : box.y1;
  const int64_t minLo = xMajor ? box.y0 : box.x0;
  const int64_t minHi = xMajor ? box.y1 : box.x1;

  // Pixels whose major coordinate lies in the box.
  iLo = std::max<int64_t>(sMaj > 0 ? majLo - maj0 : maj0 - majHi + 1, 0);
  iHi = std::min<int64_t>(sMaj > 0 ? majHi - maj0 : maj0 - majLo + 1, dmaj);
  if (iLo >= iHi) return false;

  // ... and whose minor coordinate does too: offsets in [offLo, offHi].
  const int64_t offLo = sMin > 0 ? minLo - min0 : min0 - minHi + 1;
  const int64_t offHi = sMin > 0 ? minHi - 1 - min0 : min0 - minLo;
  iLo = firstOffsetAtLeast(iLo, iHi, offLo, dmin, dmaj);
  iHi = firstOffsetAtLeast(iLo, iHi, offHi + 1, dmin, dmaj);
  return iLo < iHi;
}

}  // namespace detail

inline int64_t LineLength(TPoint a, TPoint b) {
  return std::max(std::llabs(int64_t(b.x) - a.x), std::llabs(int64_t(b.y) - a.y));
}

template <class Visit>
void WalkLine(TPoint a, TPoint b, const Box& box, Visit&& visit) {
  const int64_t dx = int64_t(b.x) - a.x;
  const int64_t dy = int64_t(b.y) - a.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t dmaj = xMajor ? std::llabs(dx) : std::llabs(dy);
  const int64_t dmin = xMajor ? std::llabs(dy) : std::llabs(dx);
  if (dmaj == 0) return;
  const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t maj0 = xMajor ? a.x : a.y;
  const int64_t min0 = xMajor ? a.y : a.x;
  int64_t iLo = 0;
  int64_t iHi = dmaj;
  int64_t offset = 0;
  int64_t rem = dmaj - 1;
  // Both ends in the box (the usual case): so is every pixel between them,
  // and the walk starts at pixel 0 without searching or dividing.
  if (!detail::inBox(a, box) || !detail::inBox(b, box)) {
    if (!detail::clipToBox(maj0, min0, sMaj, sMin, dmin, dmaj, xMajor, box, iLo, iHi)) return;
    // Bresenham from the first visible pixel on; the remainder stays below 2*dmaj.
    const detail::Wide num = detail::Wide(2) * iLo * dmin + dmaj - 1;
    offset = int64_t(num / (detail::Wide(2) * dmaj));
    rem = int64_t(num % (detail::Wide(2) * dmaj));
  }
  for (int64_t i = iLo; i < iHi; ++i) {
    const int64_t major = maj0 + sMaj * i;
    const int64_t minor = min0 + sMin * offset;
    if (xMajor) {
      visit(int(major), int(minor), i);
    } else {
      visit(int(minor), int(major), i);
    }
    rem += 2 * dmin;
    if (rem >= 2 * dmaj) {
      rem -= 2 * dmaj;
      ++offset;
    }
  }
}

}  // namespace raster
