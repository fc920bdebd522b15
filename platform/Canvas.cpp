#include "Canvas.h"

#include <algorithm>
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

  bool On(int64_t pos) const {
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
const DashPattern* PatternOf(TPenStyle style, int width) {
  if (width > 1) return nullptr;
  switch (style) {
    case psDash: return &kDash;
    case psDot: return &kDot;
    case psDashDot: return &kDashDot;
    case psDashDotDot: return &kDashDotDot;
    case psAlternate: return &kAlternate;
    default: return nullptr;
  }
}

TRect Normalized(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

bool Empty(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

// Closed shapes are drawn from coordinates limited to this magnitude, far
// beyond any surface, so that products of their extents stay exact.
constexpr int kShapeLimit = 1 << 24;
int LimitShape(int v) { return std::clamp(v, -kShapeLimit, kShapeLimit); }

}  // namespace

TCanvas::TCanvas(TBitmap& target) : FTarget(target), FText(std::make_unique<TextPainter>(target)) {}

TCanvas::~TCanvas() = default;

void TCanvas::TargetResized() { FText->Release(); }

void TCanvas::SetClipRect(const TRect& r) {
  FClip = Normalized(r.Left, r.Top, r.Right, r.Bottom);
  FClipped = true;
}

TRect TCanvas::ClipRect() const {
  const TRect surface{0, 0, FTarget.Width(), FTarget.Height()};
  return FClipped ? Intersect(FClip, surface) : surface;
}

uint32_t TCanvas::PenPixel() const { return ColorToPixel(FPen.Color()); }

uint32_t TCanvas::BrushPixel() const { return ColorToPixel(FBrush.Color()); }

void TCanvas::Changed() {
  if (FOnChange) FOnChange();
}

void TCanvas::WriteSpan(int y, int x0, int x1, uint32_t pixel, TPenMode mode) {
  const TRect clip = ClipRect();
  if (y < clip.Top || y >= clip.Bottom) return;
  x0 = std::max(x0, clip.Left);
  x1 = std::min(x1, clip.Right);
  if (x0 >= x1) return;
  uint32_t* row = FTarget.ScanLine(y);
  if (mode == pmXor) {
    const uint32_t bits = pixel & 0x00FFFFFFu;
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
  if (PenVisible()) {
    if (WidePen()) {
      StrokeWideOpen({from, to}, !FPathContinues, true);
    } else {
      ThinLine(from, to);
    }
  }
  FPenPos = to;
  FPathContinues = true;
  Changed();
}

void TCanvas::ThinLine(TPoint a, TPoint b) {
  const TRect clip = ClipRect();
  const Box box{clip.Left, clip.Top, clip.Right, clip.Bottom};
  const DashPattern* pattern = PatternOf(FPen.Style(), FPen.Width());
  const uint32_t pen = PenPixel();
  const TPenMode mode = FPen.Mode();
  if (!pattern) {
    // Fast path: a horizontal line is one span; other solid lines store
    // straight into the pixels the walker has already clipped.
    if (a.y == b.y && a.x != b.x) {
      // In 64 bits: an end next to the integer limit must not overflow.
      const int64_t x0 = a.x < b.x ? a.x : int64_t(b.x) + 1;
      const int64_t x1 = a.x < b.x ? b.x : int64_t(a.x) + 1;
      WriteSpan(a.y, int(std::max<int64_t>(x0, -1)), int(std::min<int64_t>(x1, INT32_MAX)), pen, mode);
    } else if (mode == pmXor) {
      raster::WalkLine(a, b, box, [&](int x, int y, int64_t) { FTarget.ScanLine(y)[x] ^= pen & 0x00FFFFFFu; });
    } else {
      raster::WalkLine(a, b, box, [&](int x, int y, int64_t) { FTarget.ScanLine(y)[x] = pen; });
    }
    return;
  }
  const bool gaps = FBrush.Style() == bsSolid;
  const uint32_t gap = BrushPixel();
  const int64_t start = FStylePos;
  raster::WalkLine(a, b, box, [&](int x, int y, int64_t i) {
    if (pattern->On(start + i)) {
      WriteSpan(y, x, x + 1, pen, mode);
    } else if (gaps) {
      WriteSpan(y, x, x + 1, gap, mode);
    }
  });
  FStylePos = (start + raster::LineLength(a, b)) % pattern->period;
}

void TCanvas::ThinPath(const std::vector<TPoint>& path, bool closed) {
  FStylePos = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i) ThinLine(path[i], path[i + 1]);
  if (closed && path.size() > 2) ThinLine(path.back(), path.front());
  FStylePos = 0;
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  if (PenVisible()) {
    if (WidePen()) {
      StrokeWideOpen(points, true, true);
    } else {
      ThinPath(points, false);
    }
  }
  Changed();
}

// ---- wide pens -----------------------------------------------------------

void TCanvas::StampNibs(const std::vector<TPoint>& centres) {
  const std::vector<raster::NibRow> nib = raster::Nib(FPen.Width());
  std::vector<Span> spans;
  spans.reserve(centres.size() * nib.size());
  for (const TPoint& c : centres) {
    for (const raster::NibRow& row : nib) spans.push_back({c.y + row.dy, c.x + row.dx0, c.x + row.dx1});
  }
  // Merged first, so that overlapping nibs write each pixel once (XOR).
  raster::MergeSpans(spans);
  const uint32_t pen = PenPixel();
  for (const Span& s : spans) WriteSpan(s.y, s.x0, s.x1, pen, FPen.Mode());
}

void TCanvas::StrokeWideOpen(const std::vector<TPoint>& path, bool shortenStart,
                             bool shortenEnd) {
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
  StampNibs(centres);
}

// ---- shapes --------------------------------------------------------------

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  std::vector<TPoint> pts(points);
  for (TPoint& p : pts) p = {LimitShape(p.x), LimitShape(p.y)};
  if (FBrush.Style() == bsSolid) {
    const uint32_t brush = BrushPixel();
    const TRect clip = ClipRect();
    for (const Span& s : raster::PolygonSpans(pts, {clip.Left, clip.Top, clip.Right, clip.Bottom})) {
      WriteSpan(s.y, s.x0, s.x1, brush, FPen.Mode());
    }
  }
  if (PenVisible()) {
    if (WidePen()) {
      std::vector<TPoint> ring(pts);
      ring.push_back(pts.front());
      StrokeWideOpen(ring, false, false);
    } else {
      ThinPath(pts, true);
    }
  }
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TRect box = Normalized(LimitShape(x1), LimitShape(y1), LimitShape(x2), LimitShape(y2));
  if (Empty(box)) return;
  TRect ring = box;
  if (PenVisible() && WidePen() && FPen.Style() == psInsideFrame) {
    const int w = FPen.Width();
    ring = {box.Left + w / 2, box.Top + w / 2, box.Right - (w - 1) / 2, box.Bottom - (w - 1) / 2};
    if (Empty(ring)) {
      FillBlock(box, PenPixel(), FPen.Mode());  // the pen fills the whole box
      Changed();
      return;
    }
  }
  if (FBrush.Style() == bsSolid) {
    const TRect inner = PenVisible()
                            ? TRect{ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1}
                            : box;
    FillBlock(inner, BrushPixel(), FPen.Mode());
  }
  if (PenVisible()) RectangleOutline(ring);
  Changed();
}

void TCanvas::RectangleOutline(const TRect& ring) {
  const int right = ring.Right - 1;
  const int bottom = ring.Bottom - 1;
  const std::vector<TPoint> corners{{ring.Left, ring.Top}, {right, ring.Top}, {right, bottom},
                                    {ring.Left, bottom}};
  if (WidePen()) {
    std::vector<TPoint> path(corners);
    path.push_back(corners.front());
    StrokeWideOpen(path, false, false);
    if (ring.Width() == 1 && ring.Height() == 1) StampNibs({corners.front()});
    return;
  }
  if (PatternOf(FPen.Style(), 1)) {
    ThinPath(corners, true);
    if (ring.Width() == 1 && ring.Height() == 1) WritePixel(ring.Left, ring.Top, PenPixel());
    return;
  }
  // Solid one-pixel outline: top and bottom rows, then the two columns.
  const uint32_t pen = PenPixel();
  WriteSpan(ring.Top, ring.Left, ring.Right, pen, FPen.Mode());
  if (bottom > ring.Top) WriteSpan(bottom, ring.Left, ring.Right, pen, FPen.Mode());
  const TRect clip = ClipRect();
  const int y0 = std::max(ring.Top + 1, clip.Top);
  const int y1 = std::min(bottom, clip.Bottom);
  for (int y = y0; y < y1; ++y) {
    WritePixel(ring.Left, y, pen);
    if (right > ring.Left) WritePixel(right, y, pen);
  }
}

void TCanvas::FillRect(const TRect& r) {
  if (FBrush.Style() != bsSolid) return;
  FillBlock(Normalized(r.Left, r.Top, r.Right, r.Bottom), BrushPixel(), pmCopy);
  Changed();
}

void TCanvas::FillBlock(const TRect& r, uint32_t pixel, TPenMode mode) {
  const TRect fill = Intersect(r, ClipRect());
  if (Empty(fill)) return;
  if (mode == pmXor) {
    for (int y = fill.Top; y < fill.Bottom; ++y) WriteSpan(y, fill.Left, fill.Right, pixel, mode);
    return;
  }
  // Fast path: the C library's wide-character fill writes 32-bit words with
  // its widest stores; whole rows are one contiguous run.
  static_assert(sizeof(wchar_t) == sizeof(uint32_t));
  const auto value = static_cast<wchar_t>(pixel);
  if (fill.Left == 0 && fill.Right == FTarget.Width()) {
    std::wmemset(reinterpret_cast<wchar_t*>(FTarget.ScanLine(fill.Top)), value,
                 size_t(fill.Width()) * size_t(fill.Height()));
    return;
  }
  for (int y = fill.Top; y < fill.Bottom; ++y) {
    std::wmemset(reinterpret_cast<wchar_t*>(FTarget.ScanLine(y) + fill.Left), value, size_t(fill.Width()));
  }
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const TRect box = Normalized(LimitShape(x1), LimitShape(y1), LimitShape(x2), LimitShape(y2));
  if (Empty(box)) return;
  EllipseShape(box.Left, box.Top, box.Right, box.Bottom);
  Changed();
}

void TCanvas::EllipseShape(int x1, int y1, int x2, int y2) {
  TRect ring{x1, y1, x2, y2};
  const int w = FPen.Width();
  if (PenVisible() && WidePen() && FPen.Style() == psInsideFrame) {
    const TRect inset{x1 + w / 2, y1 + w / 2, x2 - (w - 1) / 2, y2 - (w - 1) / 2};
    if (!Empty(inset)) ring = inset;
  }
  // Only rows near the surface matter; the margin keeps the outline test and
  // the nibs of the rows just outside exact. The surface, not the clip
  // rectangle: the dashes of an outline count its pixels from the ones on
  // the surface, and a clip must not shift them.
  const int margin = w + 2;
  const int from = std::max(ring.Top, -margin);
  const int to = std::min(ring.Bottom, FTarget.Height() + margin);
  if (from >= to) return;
  const std::vector<raster::RowSpan> rows = raster::EllipseRows(ring.Left, ring.Top, ring.Right, ring.Bottom, from, to);
  std::vector<Span> outline;
  std::vector<Span> interior;
  raster::SplitOutline(rows, from, outline, interior);
  if (FBrush.Style() == bsSolid) {
    for (const Span& s : interior) WriteSpan(s.y, s.x0, s.x1, BrushPixel(), FPen.Mode());
    if (!PenVisible()) {
      for (const Span& s : outline) WriteSpan(s.y, s.x0, s.x1, BrushPixel(), FPen.Mode());
    }
  }
  if (!PenVisible()) return;
  const Box reach{-w, -w, FTarget.Width() + w, FTarget.Height() + w};
  std::vector<TPoint> pixels;
  for (const Span& s : outline) {
    if (s.y < reach.y0 || s.y >= reach.y1) continue;
    for (int x = std::max(s.x0, reach.x0); x < std::min(s.x1, reach.x1); ++x) pixels.push_back({x, s.y});
  }
  if (WidePen()) {
    StampNibs(pixels);
  } else if (PatternOf(FPen.Style(), 1)) {
    // Dashes follow the outline around the centre.
    const double cx = (ring.Left + ring.Right - 1) / 2.0;
    const double cy = (ring.Top + ring.Bottom - 1) / 2.0;
    std::sort(pixels.begin(), pixels.end(), [&](TPoint a, TPoint b) {
      return std::atan2(a.y - cy, a.x - cx) < std::atan2(b.y - cy, b.x - cx);
    });
    ThinPixels(pixels);
  } else {
    for (const Span& s : outline) WriteSpan(s.y, s.x0, s.x1, PenPixel(), FPen.Mode());
  }
}

void TCanvas::ThinPixels(const std::vector<TPoint>& ordered) {
  const DashPattern* pattern = PatternOf(FPen.Style(), 1);
  const bool gaps = FBrush.Style() == bsSolid;
  for (size_t i = 0; i < ordered.size(); ++i) {
    if (pattern->On(int64_t(i))) {
      WritePixel(ordered[i].x, ordered[i].y, PenPixel());
    } else if (gaps) {
      WritePixel(ordered[i].x, ordered[i].y, BrushPixel());
    }
  }
}

// ---- pixels and text -----------------------------------------------------

TColor TCanvas::Pixel(int x, int y) const { return FTarget.PixelColor(x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  WriteSpan(y, x, x + 1, ColorToPixel(color), pmCopy);
  Changed();
}

int TCanvas::TextWidth(const std::u16string& text) { return TextPainter::Width(FFont, text); }

int TCanvas::TextHeight(const std::u16string&) {
  const TextMetrics m = TextPainter::Metrics(FFont);
  return m.ascent + m.descent;
}

void TCanvas::TextOut(int x, int y, const std::u16string& text) {
  DrawText(ClipRect(), x, y, text);
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::u16string& text) {
  DrawText(Intersect(Normalized(clip.Left, clip.Top, clip.Right, clip.Bottom), ClipRect()), x, y,
           text);
}

void TCanvas::DrawText(const TRect& clip, int x, int y, const std::u16string& text) {
  const TextMetrics m = TextPainter::Metrics(FFont);
  if (FBrush.Style() == bsSolid && !text.empty()) {
    // The cell is clipped first, so text near the integer limits cannot overflow.
    const int64_t right = int64_t(x) + TextPainter::Width(FFont, text);
    const int64_t bottom = int64_t(y) + m.ascent + m.descent;
    const TRect cell = Intersect({x, y, int(std::min<int64_t>(right, INT32_MAX)),
                                  int(std::min<int64_t>(bottom, INT32_MAX))},
                                 clip);
    for (int row = cell.Top; row < cell.Bottom; ++row) {
      WriteSpan(row, cell.Left, cell.Right, BrushPixel(), pmCopy);
    }
  }
  FText->Draw(FFont, ColorToRGB(FFont.Color()), x, y + m.ascent, text, clip);
  Changed();
}
