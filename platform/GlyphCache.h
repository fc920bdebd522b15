// One font's glyphs, each rendered once through Qt's painter exactly as text
// is drawn today (no antialiasing, full hinting, no kerning) and kept as a
// 1-bit mask with its offset and advance. A text whose characters all have
// cached masks is drawn by copying the masks; any other text (characters the
// font lacks, marks, controls, right-to-left or complex scripts, ligatures,
// surrogate pairs) must go through Qt's painter, which shapes it.
#pragma once

#include <QFont>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "GlyphMask.h"
#include "OpenTypeLayout.h"

class QPainter;

// The painter settings every text is drawn with.
void PrepareTextPainter(QPainter& painter);

class GlyphCache {
 public:
  explicit GlyphCache(const QFont& font);

  // The text's width when it can be drawn from cached masks, rendering the
  // masks still missing; nullopt when it must be drawn through Qt.
  std::optional<int> CachedWidth(std::u16string_view text);
  // Draws a text that CachedWidth accepted, the pen starting at (x, baseline),
  // setting only pixels inside `clip`, which lies inside the target.
  void Draw(TBitmap& target, uint32_t pixel, int x, int baseline, std::u16string_view text,
            const TRect& clip) const;

  // Glyphs rendered through Qt by every cache so far: a hook for tests.
  static int64_t Renders();

 private:
  enum class SlotState : uint8_t { kUnknown, kCached, kShaped };
  struct Slot {
    SlotState state = SlotState::kUnknown;
    bool startsLigature = false;
    uint16_t glyph = 0;
    GlyphMask mask;
  };

  static Slot ShapedSlot();
  const Slot& Resolve(char16_t c);
  const Slot& Find(char16_t c) const;
  Slot MakeSlot(char16_t c) const;
  bool RenderMask(char16_t c, GlyphMask& mask) const;
  bool FormsLigature(std::u16string_view text, size_t at) const;

  QFont FFont;
  QRawFont FRaw;
  LayoutRules FRules;
  std::array<Slot, 256> FLatin1;
  std::unordered_map<char16_t, Slot> FOthers;
};
