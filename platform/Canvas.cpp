#include "Canvas.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "Bitmap.h"
#include "Colors.h"
#include "Raster.h"
#include "TextPainter.h"

namespace {

using raster::Box;
using raster::Span;

// Dash patterns of one-pixel pens as alternating on/off runs, in pixels along
// the line's major axis.
struct DashPattern {
  int runs[6];
  int count;
  int period;

  bool on(int64_t pos) const {
    int64_t p = pos % period;
    for (int i = 0; i < count; ++i) {
      if (p < runs[i]) return i % 2 == 0;
      p -= runs[i];
    }
    return false;
  }
};

constexpr DashPattern kDash{{18, 6}, 2, 24};
constexpr DashPattern kDot{{3, 3}, 2, 6};
constexpr DashPattern kDashDot{{9, 6, 3, 6}, 4, 24};
constexpr DashPattern kDashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
constexpr DashPattern kAlternate{{1, 1}, 2, 2};

// Null for solid pens (and for every pen wider than one pixel).
const DashPattern* patternOf(TPenStyle style, int width) {
  if (width > 1) return nullptr;
  switch (style) {
    case psDash:
      return &kDash;
    case psDot:
      return &kDot;
    case psDashDot:
      return &kDashDot;
    case psDashDotDot:
      return &kDashDotDot;
    case psAlternate:
      return &kAlternate;
    default:
      return nullptr;
  }
}

TRect normalized(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left),
          std::max(a.Top, b.Top),
          std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

bool hasNoArea(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

// Closed shapes are drawn from coordinates limited to this magnitude, far
// beyond any surface, so that products of their extents stay exact.
constexpr int kShapeLimit = 1 << 24;
int limitShape(int v) { return std::clamp(v, -kShapeLimit, kShapeLimit); }

}  // namespace

TCanvas::TCanvas(TBitmap& target) : FTarget(target), FText(std::make_unique<TextPainter>(target)) {}

TCanvas::~TCanvas() = default;

void TCanvas::TargetResized() { FText->Release(); }

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = {new TCanvas(*this), [](TCanvas* canvas) { delete canvas; }};
    FRowsMoved = [](TCanvas& canvas) { canvas.TargetResized(); };
  }
  return *FCanvas;
}

void TCanvas::SetClipRect(const TRect& r) {
  FClip = normalized(r.Left, r.Top, r.Right, r.Bottom);
  FClipped = true;
}

TRect TCanvas::ClipRect() const {
  const TRect surface{0, 0, FTarget.Width(), FTarget.Height()};
  return FClipped ? intersect(FClip, surface) : surface;
}

uint32_t TCanvas::penPixel() const { return ColorToPixel(FPen.Color()); }

uint32_t TCanvas::brushPixel() const { return ColorToPixel(FBrush.Color()); }

void TCanvas::changed() {
  if (FOnChange) FOnChange();
}

// ---- exclusive-or passes -------------------------------------------------

// Open for the length of one drawing call. In copy mode it does nothing, so
// the copy paths keep writing straight into the surface.
class TCanvas::XorPass {
 public:
  explicit XorPass(TCanvas& canvas) : FCanvas(canvas), FOpen(canvas.FPen.Mode() == pmXor) {
    if (FOpen) FCanvas.FXorDeferred = true;
  }
  ~XorPass() {
    if (!FOpen) return;
    FCanvas.FXorDeferred = false;
    FCanvas.flushXorSpans();
  }
  XorPass(const XorPass&) = delete;
  XorPass& operator=(const XorPass&) = delete;

 private:
  TCanvas& FCanvas;
  bool FOpen;
};

void TCanvas::flushXorSpans() {
  // Row by row, later spans cover earlier ones as they would in copy mode;
  // then every covered pixel is flipped once with its final colour.
  constexpr uint32_t kUnwritten = 0xFF000000u;  // no 24-bit colour has these bits
  std::stable_sort(FXorSpans.begin(), FXorSpans.end(), [](const XorSpan& a, const XorSpan& b) {
    return a.y < b.y;
  });
  std::vector<uint32_t> colours;
  for (size_t first = 0; first < FXorSpans.size();) {
    const int y = FXorSpans[first].y;
    size_t end = first;
    int left = INT_MAX;
    int right = INT_MIN;
    for (; end < FXorSpans.size() && FXorSpans[end].y == y; ++end) {
      left = std::min(left, FXorSpans[end].x0);
      right = std::max(right, FXorSpans[end].x1);
    }
    colours.assign(size_t(right - left), kUnwritten);
    for (size_t i = first; i < end; ++i) {
      const XorSpan& s = FXorSpans[i];
      std::fill(colours.begin() + (s.x0 - left), colours.begin() + (s.x1 - left), s.bits);
    }
    uint32_t* row = FTarget.ScanLine(y) + left;
    for (size_t x = 0; x < colours.size(); ++x) {
      if (colours[x] != kUnwritten) row[x] ^= colours[x];
    }
    first = end;
  }
  FXorSpans.clear();
}

void TCanvas::writeSpan(int y, int x0, int x1, uint32_t pixel, TPenMode mode) {
  const TRect clip = ClipRect();
  if (y < clip.Top || y >= clip.Bottom) return;
  x0 = std::max(x0, clip.Left);
  x1 = std::min(x1, clip.Right);
  if (x0 >= x1) return;
  uint32_t* row = FTarget.ScanLine(y);
  if (mode == pmXor) {
    const uint32_t bits = pixel & 0x00FFFFFFu;
    if (FXorDeferred) {
      FXorSpans.push_back({y, x0, x1, bits});
      return;
    }
    for (int x = x0; x < x1; ++x) row[x] ^= bits;
  } else {
    std::fill(row + x0, row + x1, pixel);
  }
}

// ---- lines ---------------------------------------------------------------

void TCanvas::MoveTo(int x, int y) {
  FPenPos = {x, y};
  FStylePos = 0;
  FPathContinues = false;
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = FPenPos;
  const TPoint to{x, y};
  if (penVisible()) {
    if (widePen()) {
      strokeWideOpen({from, to}, !FPathContinues, true);
    } else {
      thinLine(from, to);
    }
  }
  FPenPos = to;
  FPathContinues = true;
  changed();
}

void TCanvas::thinLine(TPoint a, TPoint b) {
  const TRect clip = ClipRect();
  const Box box{clip.Left, clip.Top, clip.Right, clip.Bottom};
  const DashPattern* pattern = patternOf(FPen.Style(), FPen.Width());
  const uint32_t pen = penPixel();
  const TPenMode mode = FPen.Mode();
  if (!pattern) {
    // Fast path: a horizontal line is one span; other solid lines store
    // straight into the pixels the walker has already clipped.
    if (a.y == b.y && a.x != b.x) {
      // In 64 bits: an end next to the integer limit must not overflow.
      const int64_t x0 = a.x < b.x ? a.x : int64_t(b.x) + 1;
      const int64_t x1 = a.x < b.x ? b.x : int64_t(a.x) + 1;
      writeSpan(
          a.y, int(std::max<int64_t>(x0, -1)), int(std::min<int64_t>(x1, INT32_MAX)), pen, mode);
    } else if (a.x == b.x && mode == pmCopy) {
      verticalRun(a.x, a.y, b.y, pen);
    } else if (mode == pmXor && FXorDeferred) {
      raster::WalkLine(
          a, b, box, [&](int x, int y, int64_t) { writeSpan(y, x, x + 1, pen, mode); });
    } else if (mode == pmXor) {
      raster::WalkLine(
          a, b, box, [&](int x, int y, int64_t) { FTarget.ScanLine(y)[x] ^= pen & 0x00FFFFFFu; });
    } else {
      raster::WalkLine(a, b, box, [&](int x, int y, int64_t) { FTarget.ScanLine(y)[x] = pen; });
    }
    return;
  }
  const bool gaps = FBrush.Style() == bsSolid;
  const uint32_t gap = brushPixel();
  const int64_t start = FStylePos;
  raster::WalkLine(a, b, box, [&](int x, int y, int64_t i) {
    if (pattern->on(start + i)) {
      writeSpan(y, x, x + 1, pen, mode);
    } else if (gaps) {
      writeSpan(y, x, x + 1, gap, mode);
    }
  });
  FStylePos = (start + raster::LineLength(a, b)) % pattern->period;
}

// A vertical solid line: the rows from y0 towards y1 (y1 left out), clipped,
// stored down the column without the walker.
void TCanvas::verticalRun(int x, int y0, int y1, uint32_t pixel) {
  const RowSpan rows = runRows(y0, y1);
  column(x, rows.top, rows.bottom, pixel);
}

// The rows a vertical line from y0 towards y1 covers, y1 left out; in 64 bits,
// as an end next to the integer limit must not overflow.
TCanvas::RowSpan TCanvas::runRows(int y0, int y1) {
  return y0 < y1 ? RowSpan{y0, y1} : RowSpan{int64_t(y1) + 1, int64_t(y0) + 1};
}

// Rows top..bottom-1 of column x, clipped.
void TCanvas::column(int x, int64_t top, int64_t bottom, uint32_t pixel) {
  const TRect clip = ClipRect();
  if (x < clip.Left || x >= clip.Right) return;
  top = std::max<int64_t>(top, clip.Top);
  bottom = std::min<int64_t>(bottom, clip.Bottom);
  if (top >= bottom) return;
  const size_t stride = size_t(FTarget.Width());
  uint32_t* p = FTarget.ScanLine(int(top)) + x;
  for (int64_t y = top; y < bottom; ++y, p += stride) *p = pixel;
}

void TCanvas::thinPath(std::span<const TPoint> path, bool closed) {
  FStylePos = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i) thinLine(path[i], path[i + 1]);
  if (closed && path.size() > 2) thinLine(path.back(), path.front());
  FStylePos = 0;
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  if (penVisible()) {
    const XorPass pass(*this);
    if (widePen()) {
      strokeWideOpen({points.begin(), points.end()}, true, true);
    } else if (FPen.Style() == psSolid && FPen.Mode() == pmCopy) {
      solidPath(points);
    } else {
      thinPath(points, false);
    }
  }
  changed();
}

// Fast path of the data pass's polylines: clip box and colour taken once for
// the whole path, every pixel stored directly. The same pixels as thinPath.
void TCanvas::solidPath(std::span<const TPoint> path) {
  const TRect clip = ClipRect();
  const raster::Box box{clip.Left, clip.Top, clip.Right, clip.Bottom};
  const uint32_t pen = penPixel();
  uint32_t* const pixels = FTarget.ScanLine(0);
  const size_t stride = size_t(FTarget.Width());
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    raster::WalkLine(path[i], path[i + 1], box, [&](int x, int y, int64_t) {
      pixels[size_t(y) * stride + size_t(x)] = pen;
    });
  }
}

// ---- wide pens -----------------------------------------------------------

void TCanvas::stampNibs(const std::vector<TPoint>& centres) {
  const std::vector<raster::NibRow> nib = raster::Nib(FPen.Width());
  std::vector<Span> spans;
  spans.reserve(centres.size() * nib.size());
  for (const TPoint& c : centres) {
    for (const raster::NibRow& row : nib)
      spans.push_back({c.y + row.dy, c.x + row.dx0, c.x + row.dx1});
  }
  // Merged first, so that overlapping nibs write each pixel once (XOR).
  raster::MergeSpans(spans);
  const uint32_t pen = penPixel();
  for (const Span& s : spans) writeSpan(s.y, s.x0, s.x1, pen, FPen.Mode());
}

void TCanvas::strokeWideOpen(const std::vector<TPoint>& path, bool shortenStart, bool shortenEnd) {
  // The nib stays inside the centre line's extent at a free end: the first
  // and last h centre pixels carry no nib of their own.
  const int w = FPen.Width();
  const int64_t h = (w - 1) / 2;
  int64_t total = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i) total += raster::LineLength(path[i], path[i + 1]);
  if (total == 0) return;
  const int64_t first = shortenStart ? h : 0;
  int64_t last = shortenEnd ? total - 1 - h : total - 1;
  // Nibs centred up to a pen width outside the clip still reach into it.
  const TRect clip = ClipRect();
  const Box reach{clip.Left - w, clip.Top - w, clip.Right + w, clip.Bottom + w};
  std::vector<TPoint> centres;
  int64_t base = 0;
  const int64_t middle = total / 2;
  const bool tooShort = first > last;
  for (size_t s = 0; s + 1 < path.size(); ++s) {
    raster::WalkLine(path[s], path[s + 1], reach, [&](int x, int y, int64_t i) {
      const int64_t k = base + i;
      if (tooShort ? k == middle : (k >= first && k <= last)) centres.push_back({x, y});
    });
    base += raster::LineLength(path[s], path[s + 1]);
  }
  stampNibs(centres);
}

// ---- shapes --------------------------------------------------------------

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  std::vector<TPoint> pts(points);
  for (TPoint& p : pts) p = {limitShape(p.x), limitShape(p.y)};
  {
    const XorPass pass(*this);
    polygonShape(pts);
  }
  changed();
}

void TCanvas::polygonShape(const std::vector<TPoint>& pts) {
  if (FBrush.Style() == bsSolid) {
    const uint32_t brush = brushPixel();
    const TRect clip = ClipRect();
    for (const Span& s :
         raster::PolygonSpans(pts, {clip.Left, clip.Top, clip.Right, clip.Bottom})) {
      writeSpan(s.y, s.x0, s.x1, brush, FPen.Mode());
    }
  }
  if (penVisible()) {
    if (widePen()) {
      std::vector<TPoint> ring(pts);
      ring.push_back(pts.front());
      strokeWideOpen(ring, false, false);
    } else {
      thinPath(pts, true);
    }
  }
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TRect box = normalized(limitShape(x1), limitShape(y1), limitShape(x2), limitShape(y2));
  if (hasNoArea(box)) return;
  {
    const XorPass pass(*this);
    rectangleShape(box);
  }
  changed();
}

void TCanvas::rectangleShape(const TRect& box) {
  TRect ring = box;
  if (penVisible() && widePen() && FPen.Style() == psInsideFrame) {
    const int w = FPen.Width();
    ring = {box.Left + w / 2, box.Top + w / 2, box.Right - (w - 1) / 2, box.Bottom - (w - 1) / 2};
    if (hasNoArea(ring)) {
      fillBlock(box, penPixel(), FPen.Mode());  // the pen fills the whole box
      return;
    }
  }
  if (framedBlockFits()) {
    framedBlock(box, {}, 0);
    return;
  }
  if (FBrush.Style() == bsSolid) {
    const TRect inner =
        penVisible() ? TRect{ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1} : box;
    fillBlock(inner, brushPixel(), FPen.Mode());
  }
  if (penVisible()) rectangleOutline(ring);
}

void TCanvas::RuledRectangle(const TRect& r, std::span<const TVerticalRule> rules,
                             TColor ruleColor) {
  assert(FPen.Mode() == pmCopy);
  const uint32_t rule = ColorToPixel(ruleColor);
  const TRect box =
      normalized(limitShape(r.Left), limitShape(r.Top), limitShape(r.Right), limitShape(r.Bottom));
  if (hasNoArea(box) || !framedBlockFits()) {
    Rectangle(r);
    for (const TVerticalRule& v : rules) verticalRun(v.x, v.y0, v.y1, rule);
    changed();
    return;
  }
  framedBlock(box, rules, rule);
  // The parts of the rules above and below the box.
  for (const TVerticalRule& v : rules) {
    const RowSpan rows = runRows(v.y0, v.y1);
    column(v.x, rows.top, std::min<int64_t>(rows.bottom, box.Top), rule);
    column(v.x, std::max<int64_t>(rows.top, box.Bottom), rows.bottom, rule);
  }
  changed();
}

// A solid one-pixel outline round a solid fill, in copy mode.
bool TCanvas::framedBlockFits() const {
  return FBrush.Style() == bsSolid && penVisible() && !widePen() && !patternOf(FPen.Style(), 1) &&
         FPen.Mode() == pmCopy;
}

// The box's outline and fill, and the rules' pixels on the box's rows: each
// row is written once, while it is in the cache.
void TCanvas::framedBlock(const TRect& box, std::span<const TVerticalRule> rules,
                          uint32_t rulePixel) {
  const TRect clip = ClipRect();
  const TRect rows = intersect(box, clip);
  if (hasNoArea(rows)) return;
  const uint32_t pen = penPixel();
  const auto brush = static_cast<wchar_t>(brushPixel());
  const int right = box.Right - 1;
  const int bottom = box.Bottom - 1;
  const bool leftEdge = box.Left >= rows.Left;
  const bool rightEdge = right > box.Left && right < rows.Right;
  const int innerLeft = std::max(box.Left + 1, rows.Left);
  const int innerRight = std::min(right, rows.Right);
  struct Rule {
    int x;
    RowSpan rows;
  };
  std::vector<Rule> inside;
  for (const TVerticalRule& v : rules) {
    if (v.x >= clip.Left && v.x < clip.Right) inside.push_back({v.x, runRows(v.y0, v.y1)});
  }
  for (int y = rows.Top; y < rows.Bottom; ++y) {
    uint32_t* row = FTarget.ScanLine(y);
    if (y == box.Top || y == bottom) {
      std::fill(row + rows.Left, row + rows.Right, pen);
    } else {
      if (leftEdge) row[box.Left] = pen;
      if (innerLeft < innerRight)
        std::wmemset(
            reinterpret_cast<wchar_t*>(row + innerLeft), brush, size_t(innerRight - innerLeft));
      if (rightEdge) row[right] = pen;
    }
    for (const Rule& v : inside) {
      if (v.rows.top <= y && y < v.rows.bottom) row[v.x] = rulePixel;
    }
  }
}

void TCanvas::rectangleOutline(const TRect& ring) {
  const int right = ring.Right - 1;
  const int bottom = ring.Bottom - 1;
  const std::vector<TPoint> corners{
      {ring.Left, ring.Top}, {right, ring.Top}, {right, bottom}, {ring.Left, bottom}};
  if (widePen()) {
    std::vector<TPoint> path(corners);
    path.push_back(corners.front());
    strokeWideOpen(path, false, false);
    if (ring.Width() == 1 && ring.Height() == 1) stampNibs({corners.front()});
    return;
  }
  if (patternOf(FPen.Style(), 1)) {
    thinPath(corners, true);
    if (ring.Width() == 1 && ring.Height() == 1) writePixel(ring.Left, ring.Top, penPixel());
    return;
  }
  // Solid one-pixel outline: top and bottom rows, then the two columns.
  const uint32_t pen = penPixel();
  writeSpan(ring.Top, ring.Left, ring.Right, pen, FPen.Mode());
  if (bottom > ring.Top) writeSpan(bottom, ring.Left, ring.Right, pen, FPen.Mode());
  const TRect clip = ClipRect();
  const int y0 = std::max(ring.Top + 1, clip.Top);
  const int y1 = std::min(bottom, clip.Bottom);
  for (int y = y0; y < y1; ++y) {
    writePixel(ring.Left, y, pen);
    if (right > ring.Left) writePixel(right, y, pen);
  }
}

void TCanvas::FillRect(const TRect& r) {
  if (FBrush.Style() != bsSolid) return;
  fillBlock(normalized(r.Left, r.Top, r.Right, r.Bottom), brushPixel(), pmCopy);
  changed();
}

void TCanvas::fillBlock(const TRect& r, uint32_t pixel, TPenMode mode) {
  const TRect fill = intersect(r, ClipRect());
  if (hasNoArea(fill)) return;
  if (mode == pmXor) {
    for (int y = fill.Top; y < fill.Bottom; ++y) writeSpan(y, fill.Left, fill.Right, pixel, mode);
    return;
  }
  // Fast path: the C library's wide-character fill writes 32-bit words with
  // its widest stores; whole rows are one contiguous run.
  static_assert(sizeof(wchar_t) == sizeof(uint32_t));
  const auto value = static_cast<wchar_t>(pixel);
  if (fill.Left == 0 && fill.Right == FTarget.Width()) {
    std::wmemset(reinterpret_cast<wchar_t*>(FTarget.ScanLine(fill.Top)),
                 value,
                 size_t(fill.Width()) * size_t(fill.Height()));
    return;
  }
  for (int y = fill.Top; y < fill.Bottom; ++y) {
    std::wmemset(
        reinterpret_cast<wchar_t*>(FTarget.ScanLine(y) + fill.Left), value, size_t(fill.Width()));
  }
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const TRect box = normalized(limitShape(x1), limitShape(y1), limitShape(x2), limitShape(y2));
  if (hasNoArea(box)) return;
  {
    const XorPass pass(*this);
    ellipseShape(box.Left, box.Top, box.Right, box.Bottom);
  }
  changed();
}

void TCanvas::ellipseShape(int x1, int y1, int x2, int y2) {
  TRect ring{x1, y1, x2, y2};
  const int w = FPen.Width();
  if (penVisible() && widePen() && FPen.Style() == psInsideFrame) {
    const TRect inset{x1 + w / 2, y1 + w / 2, x2 - (w - 1) / 2, y2 - (w - 1) / 2};
    if (!hasNoArea(inset)) ring = inset;
  }
  // Only rows near the surface matter; the margin keeps the outline test and
  // the nibs of the rows just outside exact. The surface, not the clip
  // rectangle: the dashes of an outline count its pixels from the ones on
  // the surface, and a clip must not shift them.
  const int margin = w + 2;
  const int from = std::max(ring.Top, -margin);
  const int to = std::min(ring.Bottom, FTarget.Height() + margin);
  if (from >= to) return;
  const std::vector<raster::RowSpan> rows =
      raster::EllipseRows(ring.Left, ring.Top, ring.Right, ring.Bottom, from, to);
  std::vector<Span> outline;
  std::vector<Span> interior;
  raster::SplitOutline(rows, from, outline, interior);
  if (FBrush.Style() == bsSolid) {
    for (const Span& s : interior) writeSpan(s.y, s.x0, s.x1, brushPixel(), FPen.Mode());
    if (!penVisible()) {
      for (const Span& s : outline) writeSpan(s.y, s.x0, s.x1, brushPixel(), FPen.Mode());
    }
  }
  if (!penVisible()) return;
  const Box reach{-w, -w, FTarget.Width() + w, FTarget.Height() + w};
  std::vector<TPoint> pixels;
  for (const Span& s : outline) {
    if (s.y < reach.y0 || s.y >= reach.y1) continue;
    for (int x = std::max(s.x0, reach.x0); x < std::min(s.x1, reach.x1); ++x)
      pixels.push_back({x, s.y});
  }
  if (widePen()) {
    stampNibs(pixels);
  } else if (patternOf(FPen.Style(), 1)) {
    // Dashes follow the outline around the centre.
    const double cx = (ring.Left + ring.Right - 1) / 2.0;
    const double cy = (ring.Top + ring.Bottom - 1) / 2.0;
    std::sort(pixels.begin(), pixels.end(), [&](TPoint a, TPoint b) {
      return std::atan2(a.y - cy, a.x - cx) < std::atan2(b.y - cy, b.x - cx);
    });
    thinPixels(pixels);
  } else {
    for (const Span& s : outline) writeSpan(s.y, s.x0, s.x1, penPixel(), FPen.Mode());
  }
}

void TCanvas::thinPixels(const std::vector<TPoint>& ordered) {
  const DashPattern* pattern = patternOf(FPen.Style(), 1);
  const bool gaps = FBrush.Style() == bsSolid;
  for (size_t i = 0; i < ordered.size(); ++i) {
    if (pattern->on(int64_t(i))) {
      writePixel(ordered[i].x, ordered[i].y, penPixel());
    } else if (gaps) {
      writePixel(ordered[i].x, ordered[i].y, brushPixel());
    }
  }
}

// ---- pixels and text -----------------------------------------------------

TColor TCanvas::Pixel(int x, int y) const { return FTarget.PixelColor(x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  writeSpan(y, x, x + 1, ColorToPixel(color), pmCopy);
  changed();
}

int TCanvas::TextWidth(const std::u16string& text) { return TextPainter::Width(FFont, text); }

int TCanvas::TextHeight(const std::u16string&) {
  const TextMetrics m = TextPainter::Metrics(FFont);
  return m.ascent + m.descent;
}

void TCanvas::TextOut(int x, int y, const std::u16string& text) {
  drawClippedText(ClipRect(), x, y, text);
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::u16string& text) {
  drawClippedText(
      intersect(normalized(clip.Left, clip.Top, clip.Right, clip.Bottom), ClipRect()), x, y, text);
}

void TCanvas::drawClippedText(const TRect& clip, int x, int y, const std::u16string& text) {
  const TextMetrics m = TextPainter::Metrics(FFont);
  if (FBrush.Style() == bsSolid && !text.empty()) {
    // The cell is clipped first, so text near the integer limits cannot overflow.
    const int64_t right = int64_t(x) + TextPainter::Width(FFont, text);
    const int64_t bottom = int64_t(y) + m.ascent + m.descent;
    const TRect cell = intersect(
        {x, y, int(std::min<int64_t>(right, INT32_MAX)), int(std::min<int64_t>(bottom, INT32_MAX))},
        clip);
    for (int row = cell.Top; row < cell.Bottom; ++row) {
      writeSpan(row, cell.Left, cell.Right, brushPixel(), pmCopy);
    }
  }
  // A baseline beyond the integer range lies far outside any clip: kept at
  // its end, the text still draws nothing.
  const int baseline = int(std::min<int64_t>(int64_t(y) + m.ascent, INT32_MAX));
  FText->Draw(FFont, ColorToRGB(FFont.Color()), x, baseline, text, clip);
  changed();
}
