// Helpers of the tests that draw axes with a scale: pixels of a colour along
// a row or a column, the expected ink of texts, and a log of the tick events.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/scale/PLX_Scale.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/PixelMask.h"

inline constexpr TColor kInk = clBlue;  // labels and captions; ticks stay black

inline std::string num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", v);
  return buffer;
}

inline std::vector<int> columnsOf(const TBitmap& bmp, TColor color, int row) {
  std::vector<int> columns;
  for (int x = 0; x < bmp.Width(); ++x) {
    if (bmp.PixelColor(x, row) == color) columns.push_back(x);
  }
  return columns;
}

inline std::vector<int> rowsOf(const TBitmap& bmp, TColor color, int column) {
  std::vector<int> rows;
  for (int y = 0; y < bmp.Height(); ++y) {
    if (bmp.PixelColor(column, y) == color) rows.push_back(y);
  }
  return rows;
}

inline int countOf(const TBitmap& bmp, TColor color) {
  int count = 0;
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) count += bmp.PixelColor(x, y) == color;
  }
  return count;
}

// Expected text ink: the texts drawn alone, at the given top-left corners,
// in the scale's font.
struct TextAt {
  int left;
  int top;
  std::u16string text;
};

inline std::string expectedInk(int width, int height, TFont& font,
                               const std::vector<TextAt>& texts) {
  TBitmap ref(width, height);
  Fill(ref, clWhite);
  TCanvas& cv = ref.Canvas();
  cv.Font().Assign(font);
  cv.Brush().SetStyle(bsClear);
  for (const TextAt& t : texts) cv.TextOut(t.left, t.top, t.text);
  return MaskOf(ref, font.Color());
}

inline int textWidth(TFont& font, const std::u16string& text) {
  TBitmap scratch(1, 1);
  scratch.Canvas().Font().Assign(font);
  return scratch.Canvas().TextWidth(text);
}

// What the tick events report, in order: "t<value>" for a tick, "l<value>"
// for a label.
struct EventLog {
  void attach(TScale& s) {
    s.OnScaleTickDrawn =
        [this, &s](
            TObject* sender, TCanvas& cv, TScaleType type, double v, int chartX, int chartY) {
          EXPECT_EQ(sender, &s);
          EXPECT_EQ(type, s.ScaleType());
          canvas = &cv;
          order.push_back("t" + num(v));
          tickPixels.push_back({chartX, chartY});
        };
    s.OnBeforeTickLabel = [this, &s](
                              TObject* sender, TScaleType type, double v, std::u16string& label) {
      EXPECT_EQ(sender, &s);
      EXPECT_EQ(type, s.ScaleType());
      order.push_back("l" + num(v));
      labels.push_back(label);
      labelValues.push_back(v);
    };
  }
  std::vector<std::string> order;
  std::vector<std::u16string> labels;
  std::vector<double> labelValues;
  std::vector<TPoint> tickPixels;
  TCanvas* canvas = nullptr;
};

inline void makeHelper(TScale& s, int width, int height) {
  s.SetIsHelperComponent(true);
  s.SetTransparent(true);
  s.SetBounds(0, 0, width, height);
  s.SetColorScale(clBlack);
  s.Font().SetColor(kInk);
}
