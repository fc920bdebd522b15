#include "GlyphCache.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cassert>
#include <cmath>

namespace {

// Beyond Latin-1 a font keeps at most this many characters, so the memory
// stays small whatever texts come along; later ones are drawn through Qt.
constexpr size_t kMaxOtherSlots = 1024;
constexpr QRgb kPaper = 0xFFFFFFFFu;
constexpr char16_t kFractionSlash = 0x2044;  // makes the shaper build fractions around it
constexpr char16_t kObjectReplacement = 0xFFFC;

int64_t gRenders = 0;

std::span<const uint8_t> Bytes(const QByteArray& table) {
  return {reinterpret_cast<const uint8_t*>(table.constData()), size_t(table.size())};
}

// A character Qt shapes on its own, the same wherever it stands: a visible
// left-to-right character of a simple script, not a mark, control or format
// character, and not one with a special meaning to the shaper.
bool StandsAlone(char16_t c) {
  if (c == kFractionSlash || c == kObjectReplacement) return false;
  const QChar ch(c);
  if (ch.isSurrogate() || ch.isMark() || !ch.isPrint()) return false;
  switch (ch.category()) {
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
      return false;
    default:
      break;
  }
  switch (ch.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
      break;
    default:
      return false;
  }
  switch (ch.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirWS:
    case QChar::DirON:
      return true;
    default:
      return false;
  }
}

// The box of every pixel that is not paper; empty when there is none.
QRect InkBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] != kPaper) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

void PrepareTextPainter(QPainter& painter) {
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

GlyphCache::GlyphCache(const QFont& font)
    : FFont(font),
      FRaw(QRawFont::fromFont(font)),
      FRules(ReadLayoutRules(Bytes(FRaw.fontTable("GSUB")), Bytes(FRaw.fontTable("GPOS")))) {
  // Fonts the shaper reads as a whole (Apple layout tables) are never cached.
  if (!FRaw.isValid() || !FRaw.fontTable("morx").isEmpty() || !FRaw.fontTable("mort").isEmpty()) {
    FRules.contextual = true;
  }
}

int64_t GlyphCache::Renders() { return gRenders; }

std::optional<int> GlyphCache::CachedWidth(std::u16string_view text) {
  if (FRules.contextual) return std::nullopt;
  int64_t width = 0;
  bool ligatureStart = false;
  for (char16_t c : text) {
    const Slot& slot = Resolve(c);
    if (slot.state != SlotState::kCached) return std::nullopt;
    width += slot.mask.advance;
    ligatureStart = ligatureStart || slot.startsLigature;
  }
  if (width > INT32_MAX) return std::nullopt;
  for (size_t i = 0; ligatureStart && i < text.size(); ++i) {
    if (Find(text[i]).startsLigature && FormsLigature(text, i)) return std::nullopt;
  }
  return int(width);
}

void GlyphCache::Draw(TBitmap& target, uint32_t pixel, int x, int baseline,
                      std::u16string_view text, const TRect& clip) const {
  int64_t pen = x;
  for (char16_t c : text) {
    const Slot& slot = Find(c);
    assert(slot.state == SlotState::kCached);
    BlitGlyph(target, slot.mask, pen, baseline, clip, pixel);
    pen += slot.mask.advance;
  }
}

GlyphCache::Slot GlyphCache::ShapedSlot() {
  Slot slot;
  slot.state = SlotState::kShaped;
  return slot;
}

const GlyphCache::Slot& GlyphCache::Find(char16_t c) const {
  if (c < FLatin1.size()) return FLatin1[c];
  static const Slot kShapedSlot = ShapedSlot();
  const auto it = FOthers.find(c);
  return it == FOthers.end() ? kShapedSlot : it->second;
}

const GlyphCache::Slot& GlyphCache::Resolve(char16_t c) {
  if (c < FLatin1.size()) {
    Slot& slot = FLatin1[c];
    if (slot.state == SlotState::kUnknown) slot = MakeSlot(c);
    return slot;
  }
  if (const auto it = FOthers.find(c); it != FOthers.end()) return it->second;
  if (FOthers.size() >= kMaxOtherSlots) return Find(c);
  return FOthers.emplace(c, MakeSlot(c)).first->second;
}

GlyphCache::Slot GlyphCache::MakeSlot(char16_t c) const {
  Slot slot = ShapedSlot();
  if (!StandsAlone(c)) return slot;
  const QChar ch(c);
  quint32 glyph = 0;
  int count = 1;
  // Glyph 0: the font lacks the character and Qt would fall back to another.
  if (!FRaw.glyphIndexesForChars(&ch, 1, &glyph, &count) || glyph == 0 || glyph > 0xFFFF ||
      FRules.substituted.contains(uint16_t(glyph))) {
    return slot;
  }
  if (!RenderMask(c, slot.mask)) return slot;
  slot.state = SlotState::kCached;
  slot.glyph = uint16_t(glyph);
  slot.startsLigature = FRules.ligatures.contains(slot.glyph);
  return slot;
}

// Draws the character alone through Qt on white paper and keeps what changed.
// Fails when the advance is not a whole pixel (positions would then depend on
// the characters before) or when the ink reaches the paper's edge.
bool GlyphCache::RenderMask(char16_t c, GlyphMask& mask) const {
  const QString one{QChar(c)};
  const qreal advance = QFontMetricsF(FFont).horizontalAdvance(one);
  if (advance <= 0 || advance != std::floor(advance) || advance > 4096) return false;
  const int em = std::max(FFont.pixelSize(), 1);
  const int margin = 2 * em + 8;
  QImage paper(int(advance) + 2 * margin, 2 * margin + em, QImage::Format_RGB32);
  paper.fill(kPaper);
  {
    QPainter painter(&paper);
    PrepareTextPainter(painter);
    painter.setFont(FFont);
    painter.setPen(QColor(Qt::black));
    painter.drawText(QPoint(margin, margin + em), one);
  }
  ++gRenders;
  const QRect ink = InkBox(paper);
  if (ink.isValid() && (ink.left() == 0 || ink.top() == 0 || ink.right() == paper.width() - 1 ||
                        ink.bottom() == paper.height() - 1)) {
    return false;
  }
  mask.advance = int(advance);
  if (!ink.isValid()) return true;  // a space
  mask.Reset(ink.left() - margin, ink.top() - margin - em, ink.width(), ink.height());
  for (int y = 0; y < ink.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(paper.constScanLine(ink.top() + y));
    for (int x = 0; x < ink.width(); ++x) {
      if (row[ink.left() + x] != kPaper) mask.Set(x, y);
    }
  }
  return true;
}

bool GlyphCache::FormsLigature(std::u16string_view text, size_t at) const {
  const auto it = FRules.ligatures.find(Find(text[at]).glyph);
  if (it == FRules.ligatures.end()) return false;
  for (const std::vector<uint16_t>& rest : it->second) {
    if (at + 1 + rest.size() > text.size()) continue;
    bool match = true;
    for (size_t k = 0; k < rest.size() && match; ++k)
      match = Find(text[at + 1 + k]).glyph == rest[k];
    if (match) return true;
  }
  return false;
}
