// One character's picture as a 1-bit mask, placed relative to the pen on the
// baseline, and the one routine that sets a mask's pixels in a bitmap.
#pragma once

#include <cstdint>
#include <vector>

#include "PlatformTypes.h"

class TBitmap;

struct GlyphMask {
  int left = 0;  // columns from the pen to the mask's first column
  int top = 0;   // rows from the baseline to the mask's first row (above: negative)
  int width = 0;
  int height = 0;
  int advance = 0;  // how far the pen moves on to the next character
  // `height` rows of WordsPerRow() words; bit i of a row is column i.
  std::vector<uint32_t> bits;

  int WordsPerRow() const { return (width + 31) / 32; }
  // Makes an empty mask of the given box.
  void Reset(int boxLeft, int boxTop, int boxWidth, int boxHeight);
  void Set(int column, int row);
  bool Test(int column, int row) const;
};

// Sets every pixel of the mask to `pixel`, with the pen at (penX, baseline).
// Pixels outside `clip` stay untouched; `clip` must lie inside the target.
void BlitGlyph(TBitmap& target, const GlyphMask& glyph, int64_t penX, int baseline,
               const TRect& clip, uint32_t pixel);
