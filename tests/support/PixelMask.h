// Pixel masks for drawing tests: a bitmap region written as rows of '#'
// (the pixel has the given colour) and '.' (it has not).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Colors.h"

inline std::string MaskOf(const TBitmap& bmp, TColor color, int x0 = 0, int y0 = 0, int w = -1,
                          int h = -1) {
  if (w < 0) w = bmp.Width() - x0;
  if (h < 0) h = bmp.Height() - y0;
  const TColor rgb = TColor(ColorToRGB(color));
  std::string out;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) out += bmp.PixelColor(x, y) == rgb ? '#' : '.';
    out += '\n';
  }
  return out;
}

// Joins rows into the text MaskOf produces, so expectations read as pictures.
inline std::string Rows(const std::vector<std::string>& rows) {
  std::string out;
  for (const std::string& r : rows) out += r + '\n';
  return out;
}

// A bitmap filled with one colour.
inline void Fill(TBitmap& bmp, TColor color) {
  TCanvas& cv = bmp.Canvas();
  cv.Brush().SetColor(color);
  cv.FillRect({0, 0, bmp.Width(), bmp.Height()});
}

// The rectangle holding every pixel of the colour; empty when there is none.
inline TRect InkBox(const TBitmap& bmp, TColor color) {
  TRect box{bmp.Width(), bmp.Height(), 0, 0};
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      if (bmp.PixelColor(x, y) != color) continue;
      box = {std::min(box.Left, x),
             std::min(box.Top, y),
             std::max(box.Right, x + 1),
             std::max(box.Bottom, y + 1)};
    }
  }
  return box;
}

// Two pictures alike in size and every pixel; else where they first differ.
inline ::testing::AssertionResult SamePixels(const TBitmap& got, const TBitmap& expected) {
  if (got.Width() != expected.Width() || got.Height() != expected.Height()) {
    return ::testing::AssertionFailure() << got.Width() << " x " << got.Height() << " instead of "
                                         << expected.Width() << " x " << expected.Height();
  }
  for (int y = 0; y < got.Height(); ++y) {
    for (int x = 0; x < got.Width(); ++x) {
      if (got.PixelColor(x, y) == expected.PixelColor(x, y)) continue;
      return ::testing::AssertionFailure()
             << "first difference at (" << x << ", " << y << "): " << std::hex
             << got.PixelColor(x, y) << " instead of " << expected.PixelColor(x, y);
    }
  }
  return ::testing::AssertionSuccess();
}
