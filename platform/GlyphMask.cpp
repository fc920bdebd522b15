#include "GlyphMask.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "Bitmap.h"

void GlyphMask::Reset(int boxLeft, int boxTop, int boxWidth, int boxHeight) {
  left = boxLeft;
  top = boxTop;
  width = boxWidth;
  height = boxHeight;
  bits.assign(size_t(WordsPerRow()) * size_t(height), 0);
}

void GlyphMask::Set(int column, int row) {
  bits[size_t(row) * size_t(WordsPerRow()) + size_t(column / 32)] |= 1u << (column % 32);
}

bool GlyphMask::Test(int column, int row) const {
  return bits[size_t(row) * size_t(WordsPerRow()) + size_t(column / 32)] >> (column % 32) & 1u;
}

namespace {

// The bits of word `word` that stand for columns first..last-1.
uint32_t ColumnBits(int word, int first, int last) {
  const int lo = std::max(first - word * 32, 0);
  const int hi = std::min(last - word * 32, 32);
  if (lo >= hi) return 0;
  const uint32_t upTo = hi == 32 ? ~0u : (1u << hi) - 1u;
  return upTo & ~((1u << lo) - 1u);
}

}  // namespace

void BlitGlyph(TBitmap& target, const GlyphMask& glyph, int64_t penX, int baseline,
               const TRect& clip, uint32_t pixel) {
  assert(clip.Left >= 0 && clip.Top >= 0 && clip.Right <= target.Width() &&
         clip.Bottom <= target.Height());
  // 64-bit coordinates: a pen far outside the surface must not overflow.
  const int64_t x0 = penX + glyph.left;
  const int64_t y0 = int64_t(baseline) + glyph.top;
  const int64_t colFirst = std::max<int64_t>(clip.Left - x0, 0);
  const int64_t colLast = std::min<int64_t>(clip.Right - x0, glyph.width);
  const int64_t rowFirst = std::max<int64_t>(clip.Top - y0, 0);
  const int64_t rowLast = std::min<int64_t>(clip.Bottom - y0, glyph.height);
  if (colFirst >= colLast || rowFirst >= rowLast) return;
  const int first = int(colFirst);
  const int last = int(colLast);
  const int words = glyph.WordsPerRow();
  for (int row = int(rowFirst); row < int(rowLast); ++row) {
    const uint32_t* rowBits = glyph.bits.data() + size_t(row) * size_t(words);
    uint32_t* out = target.ScanLine(int(y0 + row));
    for (int w = first / 32; w * 32 < last; ++w) {
      for (uint32_t m = rowBits[w] & ColumnBits(w, first, last); m != 0; m &= m - 1) {
        out[x0 + w * 32 + std::countr_zero(m)] = pixel;
      }
    }
  }
}
