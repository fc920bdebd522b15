#include "TextPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QtEndian>
#include <cmath>
#include <map>
#include <tuple>

#include "Bitmap.h"
#include "Colors.h"
#include "GlyphCache.h"
#include "QtPicture.h"
#include "QtText.h"

namespace {

struct FontEntry {
  QFont font;
  QFontMetrics metrics;
  TextMetrics cell;
  GlyphCache glyphs;
};

using FontKey = std::tuple<std::u16string, int, TFontStyles>;

QFont MakeQFont(const TFont& font) {
  QFont q(ToQString(font.Name()));
  q.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  q.setHintingPreference(QFont::PreferFullHinting);
  q.setKerning(false);
  q.setBold(font.Style() & fsBold);
  q.setItalic(font.Style() & fsItalic);
  q.setUnderline(font.Style() & fsUnderline);
  q.setStrikeOut(font.Style() & fsStrikeOut);
  const int h = font.Height();
  // A negative height is the em size; a positive one the cell height, of which
  // the em takes its share by the font's own proportions (set below).
  q.setPixelSize(std::max(1, std::abs(h)));
  return q;
}

// The cell metrics the classic desktop uses: the OS/2 table's Windows ascent
// and descent scaled to the pixel size, each rounded.
TextMetrics CellMetrics(const QFont& font, const QFontMetrics& fm);

FontEntry MakeEntry(const TFont& font) {
  QFont q = MakeQFont(font);
  if (font.Height() > 0) {
    // Scale the em so that ascent + descent match the requested cell.
    const QFontMetrics probe(q);
    const TextMetrics cell = CellMetrics(q, probe);
    const int total = cell.ascent + cell.descent;
    if (total > 0) {
      q.setPixelSize(std::max(1, int(std::lround(double(q.pixelSize()) * font.Height() / total))));
    }
  }
  const QFontMetrics fm(q);
  return FontEntry{q, fm, CellMetrics(q, fm), GlyphCache(q)};
}

TextMetrics CellMetrics(const QFont& font, const QFontMetrics& fm) {
  const QRawFont raw = QRawFont::fromFont(font);
  const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
  if (os2.size() >= 78 && raw.unitsPerEm() > 0) {
    const auto* data = reinterpret_cast<const uchar*>(os2.constData());
    const double scale = double(font.pixelSize()) / raw.unitsPerEm();
    const int ascent = int(std::lround(qFromBigEndian<quint16>(data + 74) * scale));
    const int descent = int(std::lround(qFromBigEndian<quint16>(data + 76) * scale));
    return {ascent, descent};
  }
  return {fm.ascent(), fm.descent()};
}

FontEntry& Lookup(const TFont& font) {
  // Lives until exit: fonts must not be destroyed after the application.
  static auto& cache = *new std::map<FontKey, FontEntry>;
  // Most calls ask for the font of the call before.
  static FontEntry* last = nullptr;
  static FontKey lastKey;
  if (last && std::get<1>(lastKey) == font.Height() && std::get<2>(lastKey) == font.Style() &&
      std::get<0>(lastKey) == font.Name()) {
    return *last;
  }
  FontKey key{font.Name(), font.Height(), font.Style()};
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, MakeEntry(font)).first;
  last = &it->second;
  lastKey = std::move(key);
  return *last;
}

}  // namespace

TextPainter::TextPainter(TBitmap& target) : FTarget(target) {}

TextPainter::~TextPainter() { Release(); }

TextMetrics TextPainter::Metrics(const TFont& font) { return Lookup(font).cell; }

int TextPainter::Width(const TFont& font, const std::u16string& text) {
  if (text.empty()) return 0;
  FontEntry& entry = Lookup(font);
  if (const auto width = entry.glyphs.CachedWidth(text)) return *width;
  return entry.metrics.horizontalAdvance(ToQString(text));
}

int TextPainter::WidthThroughQt(const TFont& font, const std::u16string& text) {
  if (text.empty()) return 0;
  return Lookup(font).metrics.horizontalAdvance(ToQString(text));
}

bool TextPainter::DrawnFromGlyphCache(const TFont& font, const std::u16string& text) {
  return Lookup(font).glyphs.CachedWidth(text).has_value();
}

int64_t TextPainter::GlyphRenders() { return GlyphCache::Renders(); }

bool TextPainter::Begin() {
  if (FPainter) return true;
  if (FTarget.Width() == 0 || FTarget.Height() == 0) return false;
  FImage = std::make_unique<QImage>(BitmapView(FTarget));
  FPainter = std::make_unique<QPainter>(FImage.get());
  PrepareTextPainter(*FPainter);
  return true;
}

void TextPainter::Release() {
  FPainter.reset();
  FImage.reset();
  FPainterFont = nullptr;
  FPainterRgb = 0xFFFFFFFFu;
}

void TextPainter::Draw(const TFont& font, uint32_t rgb, int x, int baseline,
                       const std::u16string& text, const TRect& clip) {
  FontEntry& entry = Lookup(font);
  if (!entry.glyphs.CachedWidth(text)) {
    DrawThroughQt(font, rgb, x, baseline, text, clip);
    return;
  }
  const TRect inside{std::max(clip.Left, 0),
                     std::max(clip.Top, 0),
                     std::min(clip.Right, FTarget.Width()),
                     std::min(clip.Bottom, FTarget.Height())};
  if (inside.Left >= inside.Right || inside.Top >= inside.Bottom) return;
  entry.glyphs.Draw(FTarget, RGBToPixel(rgb), x, baseline, text, inside);
}

void TextPainter::DrawThroughQt(const TFont& font, uint32_t rgb, int x, int baseline,
                                const std::u16string& text, const TRect& clip) {
  if (text.empty() || clip.Left >= clip.Right || clip.Top >= clip.Bottom || !Begin()) return;
  const FontEntry& entry = Lookup(font);
  if (!FPainter->hasClipping() || clip != FPainterClip) {
    FPainter->setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
    FPainterClip = clip;
  }
  if (FPainterFont != &entry) {
    FPainter->setFont(entry.font);
    FPainterFont = &entry;
  }
  if (FPainterRgb != rgb) {
    FPainter->setPen(QColor::fromRgb(RGBToPixel(rgb)));
    FPainterRgb = rgb;
  }
  FPainter->drawText(QPoint(x, baseline), ToQString(text));
}
