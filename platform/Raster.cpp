#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace raster {
namespace {

__extension__ using Wide = __int128;  // GCC's own type: ISO C++ has no 128-bit integer

// Largest r with r*r <= v.
uint64_t iSqrt(uint64_t v) {
  uint64_t r = uint64_t(std::sqrt(double(v)));
  while (r > 0 && Wide(r) * r > Wide(v)) --r;
  while (Wide(r + 1) * (r + 1) <= Wide(v)) ++r;
  return r;
}

// ceil(n / d) for d > 0.
int64_t ceilDiv(Wide n, Wide d) {
  Wide q = n / d;
  if (n % d != 0 && n > 0) ++q;
  return int64_t(q);
}

int64_t floorDiv(int64_t n, int64_t d) {
  int64_t q = n / d;
  if (n % d != 0 && ((n < 0) != (d < 0))) --q;
  return q;
}

}  // namespace

std::vector<RowSpan> EllipseRows(int x1, int y1, int x2, int y2, int from, int to) {
  // In doubled units around the centre, pixel (x1 + j, y1 + k) has its centre
  // at u = 2j + 1 - W, v = 2k + 1 - H; it is inside when
  // u^2 H^2 + v^2 W^2 <= W^2 H^2.
  const int64_t W = int64_t(x2) - x1;
  const int64_t H = int64_t(y2) - y1;
  from = std::max(from, y1);
  to = std::min(to, y2);
  std::vector<RowSpan> rows(size_t(std::max(to - from, 0)), RowSpan{x1, x1});
  for (int64_t k = from - int64_t(y1); k < to - int64_t(y1); ++k) {
    const int64_t v = 2 * k + 1 - H;
    const Wide room = Wide(W) * W * (Wide(H) * H - Wide(v) * v);
    if (room < 0) continue;
    const uint64_t uMax = iSqrt(uint64_t(room / (Wide(H) * H)));
    // |2j + 1 - W| <= uMax
    const int64_t jLo = ceilDiv(Wide(W) - 1 - Wide(uMax), 2);
    const int64_t jHi = floorDiv(W - 1 + int64_t(uMax), 2);
    if (jLo > jHi) continue;
    rows[size_t(k - (from - int64_t(y1)))] = RowSpan{int(x1 + jLo), int(x1 + jHi + 1)};
  }
  return rows;
}

void SplitOutline(const std::vector<RowSpan>& rows, int y1, std::vector<Span>& outline,
                  std::vector<Span>& interior) {
  const RowSpan none{0, 0};
  for (size_t k = 0; k < rows.size(); ++k) {
    const RowSpan row = rows[k];
    if (row.left >= row.right) continue;
    const RowSpan up = k > 0 ? rows[k - 1] : none;
    const RowSpan down = k + 1 < rows.size() ? rows[k + 1] : none;
    const int y = y1 + int(k);
    // Inside pixels have all four neighbours in the ellipse.
    int in0 = row.left + 1;
    int in1 = row.right - 1;
    if (up.left >= up.right || down.left >= down.right) in1 = in0;
    in0 = std::max({in0, up.left, down.left});
    in1 = std::min({in1, up.right, down.right});
    if (in0 >= in1) {
      outline.push_back({y, row.left, row.right});
      continue;
    }
    outline.push_back({y, row.left, in0});
    interior.push_back({y, in0, in1});
    outline.push_back({y, in1, row.right});
  }
}

std::vector<Span> PolygonSpans(const std::vector<TPoint>& points, const Box& box) {
  std::vector<Span> spans;
  if (points.size() < 3) return spans;
  int top = points[0].y;
  int bottom = points[0].y;
  for (const TPoint& p : points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  top = std::max(top, box.y0);
  bottom = std::min(bottom, box.y1);
  std::vector<int64_t> crossings;
  for (int y = top; y < bottom; ++y) {
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      const TPoint p = points[i];
      const TPoint q = points[(i + 1) % points.size()];
      if (p.y == q.y) continue;
      const TPoint lo = p.y < q.y ? p : q;
      const TPoint hi = p.y < q.y ? q : p;
      if (y < lo.y || y >= hi.y) continue;
      // x = lo.x + (y - lo.y) * (hi.x - lo.x) / (hi.y - lo.y), taken up.
      const Wide num = Wide(y - int64_t(lo.y)) * (int64_t(hi.x) - lo.x);
      const int64_t den = int64_t(hi.y) - lo.y;
      const Wide q0 = num / den;
      const bool up = num % den != 0 && num > 0;
      crossings.push_back(int64_t(lo.x) + int64_t(q0) + (up ? 1 : 0));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t c = 0; c + 1 < crossings.size(); c += 2) {
      const int64_t x0 = std::max<int64_t>(crossings[c], box.x0);
      const int64_t x1 = std::min<int64_t>(crossings[c + 1], box.x1);
      if (x0 < x1) spans.push_back({y, int(x0), int(x1)});
    }
  }
  return spans;
}

void MergeSpans(std::vector<Span>& spans) {
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
  size_t out = 0;
  for (size_t i = 0; i < spans.size(); ++i) {
    if (out > 0 && spans[out - 1].y == spans[i].y && spans[i].x0 <= spans[out - 1].x1) {
      spans[out - 1].x1 = std::max(spans[out - 1].x1, spans[i].x1);
    } else {
      spans[out++] = spans[i];
    }
  }
  spans.resize(out);
}

std::vector<NibRow> Nib(int width) {
  // Odd widths centre the circle on a pixel, even ones between four pixels.
  const int c = width % 2 == 0 ? 1 : 0;
  const int lo = -(width / 2);
  const int hi = (width - 1) / 2;
  std::vector<NibRow> nib;
  for (int dy = lo; dy <= hi; ++dy) {
    int dx0 = hi + 1;
    int dx1 = lo;
    for (int dx = lo; dx <= hi; ++dx) {
      const int u = 2 * dx + c;
      const int v = 2 * dy + c;
      if (u * u + v * v <= width * width) {
        dx0 = std::min(dx0, dx);
        dx1 = std::max(dx1, dx + 1);
      }
    }
    if (dx0 < dx1) nib.push_back({dy, dx0, dx1});
  }
  return nib;
}

}  // namespace raster
