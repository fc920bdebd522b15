// Bitmap copies onto a surface: plain, combined by AND, or inverted.
#include <algorithm>
#include <cstring>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"

namespace {

// The one place that combines source pixels with the surface.
void combineRow(const uint32_t* src, uint32_t* dst, int n, TCopyMode mode) {
  switch (mode) {
    case cmSrcCopy:
      std::memmove(dst, src, size_t(n) * sizeof(uint32_t));
      break;
    case cmSrcAnd:
      for (int i = 0; i < n; ++i) dst[i] &= src[i];
      break;
    case cmNotSrcCopy:
      for (int i = 0; i < n; ++i) dst[i] = ~src[i] | 0xFF000000u;
      break;
  }
}

}  // namespace

// Fast path: one combine per row straight from the source.
void TCanvas::copyUnscaled(int x, int y, const TBitmap& src, TRect from) {
  // Keep the source rectangle inside the source and the destination inside
  // the clip rectangle, trimming both alike; offsets in 64 bits, as a
  // destination far outside must not overflow.
  const TRect clip = ClipRect();
  const int64_t dx = int64_t(x) - from.Left;
  const int64_t dy = int64_t(y) - from.Top;
  const int64_t left = std::max<int64_t>({from.Left, 0, clip.Left - dx});
  const int64_t top = std::max<int64_t>({from.Top, 0, clip.Top - dy});
  const int64_t right = std::min<int64_t>({from.Right, src.Width(), clip.Right - dx});
  const int64_t bottom = std::min<int64_t>({from.Bottom, src.Height(), clip.Bottom - dy});
  if (left >= right) return;
  for (int64_t sy = top; sy < bottom; ++sy) {
    combineRow(src.ScanLine(int(sy)) + left,
               FTarget.ScanLine(int(sy + dy)) + left + dx,
               int(right - left),
               FCopyMode);
  }
}

void TCanvas::Draw(int x, int y, const TBitmap& source) {
  const TRect whole{0, 0, source.Width(), source.Height()};
  if (&source == &FTarget) {
    TBitmap snapshot;  // a bitmap drawn onto itself reads what it was before
    snapshot.Assign(source);
    copyUnscaled(x, y, snapshot, whole);
  } else {
    copyUnscaled(x, y, source, whole);
  }
  changed();
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source) {
  CopyRect(dest, source, {0, 0, source.Width(), source.Height()});
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
  const int dw = dest.Width();
  const int dh = dest.Height();
  const int sw = sourceRect.Width();
  const int sh = sourceRect.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  // A copy within one bitmap reads from a snapshot, so overlapping areas
  // come out as they were before the copy.
  std::unique_ptr<TBitmap> snapshot;
  const TBitmap* src = &source;
  if (&source == &FTarget) {
    snapshot = std::make_unique<TBitmap>();
    snapshot->Assign(source);
    src = snapshot.get();
  }
  if (dw == sw && dh == sh) {
    copyUnscaled(dest.Left, dest.Top, *src, sourceRect);
    changed();
    return;
  }
  const TRect clip = ClipRect();
  const int y0 = std::max(dest.Top, clip.Top);
  const int y1 = std::min(dest.Bottom, clip.Bottom);
  const int x0 = std::max(dest.Left, clip.Left);
  const int x1 = std::min(dest.Right, clip.Right);
  std::vector<uint32_t> row(size_t(std::max(x1 - x0, 0)));
  for (int y = y0; y < y1; ++y) {
    // Nearest source row and columns; equal sizes map one to one.
    const int sy = sourceRect.Top + int(int64_t(y - dest.Top) * sh / dh);
    if (sy < 0 || sy >= src->Height()) continue;
    const uint32_t* srow = src->ScanLine(sy);
    int first = x1;
    int count = 0;
    for (int x = x0; x < x1; ++x) {
      const int sx = sourceRect.Left + int(int64_t(x - dest.Left) * sw / dw);
      if (sx < 0 || sx >= src->Width()) {
        if (count > 0) break;  // the source ends here
        continue;
      }
      if (count == 0) first = x;
      row[size_t(count++)] = srow[sx];
    }
    if (count > 0) combineRow(row.data(), FTarget.ScanLine(y) + first, count, FCopyMode);
  }
  changed();
}
