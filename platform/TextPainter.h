// Text for the drawing surface: crisp (no antialiasing, full hinting, no
// kerning) and measured with the classic desktop's cell metrics, the font's
// Windows ascent and descent. Plain texts are drawn from each font's glyph
// cache (masks rendered once through Qt); texts that Qt shapes in ways single
// glyphs cannot reproduce are drawn by Qt's painter straight into the
// bitmap's pixels. Both ways give the same pixels and the same widths.
#pragma once

#include <memory>
#include <string>

#include "Font.h"
#include "PlatformTypes.h"

class TBitmap;
class QImage;
class QPainter;

struct TextMetrics {
  int ascent;
  int descent;
};

class TextPainter {
 public:
  explicit TextPainter(TBitmap& target);
  ~TextPainter();

  static TextMetrics Metrics(const TFont& font);
  static int Width(const TFont& font, const std::u16string& text);

  // Draws the glyphs only (no background) with the baseline on row
  // `baseline`; pixels outside `clip` stay untouched.
  void Draw(const TFont& font, uint32_t rgb, int x, int baseline, const std::u16string& text,
            const TRect& clip);

  // Measuring and drawing through Qt alone, whatever the glyph cache holds:
  // the reference the cache is checked and timed against.
  static int WidthThroughQt(const TFont& font, const std::u16string& text);
  void DrawThroughQt(const TFont& font, uint32_t rgb, int x, int baseline,
                     const std::u16string& text, const TRect& clip);
  // Whether the text is drawn from cached glyphs (rendering the missing ones).
  static bool DrawnFromGlyphCache(const TFont& font, const std::u16string& text);
  // Glyphs rendered through Qt into the caches of all fonts so far.
  static int64_t GlyphRenders();

  // The bitmap's pixel store is about to move; drop the painter.
  void Release();

 private:
  bool Begin();

  TBitmap& FTarget;
  std::unique_ptr<QImage> FImage;
  std::unique_ptr<QPainter> FPainter;
  // What the painter holds, so repeated texts set nothing again.
  const void* FPainterFont = nullptr;
  uint32_t FPainterRgb = 0xFFFFFFFFu;
  TRect FPainterClip{};
};
