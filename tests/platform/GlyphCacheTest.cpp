// Text drawn from the glyph cache against the same text drawn by Qt's
// painter: every printable character of the fonts the controls use, strings
// of them, clipping, texts half off the surface, and which texts take which
// way.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/TextPainter.h"
#include "support/PixelMask.h"

namespace {

constexpr TColor kPaper = clSilver;
constexpr uint32_t kInk = 0x00FF0000;  // blue, as 0x00BBGGRR

struct FontCase {
  const char* name;
  int height;
  TFontStyles style;
  // Latin-1 characters the face lacks: Qt draws them from another font.
  std::u16string missing = u"";
};

TFont MakeFont(const FontCase& c) {
  TFont font;
  font.SetHeight(c.height);
  font.SetStyle(c.style);
  return font;
}

// The fonts the library draws with: the controls' Tahoma 11 px, bold, the
// main window's bold 16 px, and each style the controls may set.
const FontCase kFonts[] = {
    {"Regular11", -11, 0},
    {"Bold11", -11, fsBold, u"\u00AF"},
    {"Bold16", -16, fsBold, u"\u00AF"},
    {"Italic11", -11, fsItalic},
    {"Underline11", -11, fsUnderline},
    {"StrikeOut11", -11, fsStrikeOut},
    {"AllStyles11", -11, fsBold | fsItalic | fsUnderline | fsStrikeOut, u"\u00AF"},
    {"UnderlineStrikeOut16", -16, fsUnderline | fsStrikeOut},
    {"CellHeight13", 13, 0},  // a positive height asks for the cell, not the em
};

// Printable Latin-1 (the soft hyphen aside, which Qt hides inside a text).
std::u16string PrintableLatin1() {
  std::u16string chars;
  for (char16_t c = 0x20; c <= 0x7E; ++c) chars += c;
  for (char16_t c = 0xA0; c <= 0xFF; ++c) {
    if (c != 0xAD) chars += c;
  }
  return chars;
}

// Beyond Latin-1: dashes, quotes, the euro, the minus sign, Greek and
// Cyrillic letters, as axis captions and units may use them.
const std::u16string kBeyondLatin1 =
    u"\u2013\u2014\u2018\u2019\u201C\u201D\u2022\u2026\u20AC\u2122\u2212\u03A9\u03BC\u0416\u0444";

// Draws a text both ways onto equal bitmaps of paper colour.
struct BothWays {
  TBitmap cached;
  TBitmap qt;
  TextPainter cachedPainter{cached};
  TextPainter qtPainter{qt};

  BothWays(int width, int height) : cached(width, height), qt(width, height) {
    Fill(cached, kPaper);
    Fill(qt, kPaper);
  }
  void Draw(const TFont& font, int x, int baseline, const std::u16string& text, const TRect& clip) {
    cachedPainter.Draw(font, kInk, x, baseline, text, clip);
    qtPainter.DrawThroughQt(font, kInk, x, baseline, text, clip);
  }
  void Draw(const TFont& font, int x, int baseline, const std::u16string& text) {
    Draw(font, x, baseline, text, {0, 0, cached.Width(), cached.Height()});
  }
  bool Same() const {
    for (int y = 0; y < cached.Height(); ++y) {
      for (int x = 0; x < cached.Width(); ++x) {
        if (cached.PixelColor(x, y) != qt.PixelColor(x, y)) return false;
      }
    }
    return true;
  }
  // Both pictures, for the failure message.
  std::string Show() const {
    return "cache:\n" + MaskOf(cached, TColor(kInk)) + "qt:\n" + MaskOf(qt, TColor(kInk));
  }
};

std::string Hex(char16_t c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "U+%04X", unsigned(c));
  return buf;
}

class GlyphCacheFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(GlyphCacheFont, EveryCharacterAloneMatchesQt) {
  const TFont font = MakeFont(GetParam());
  const std::u16string latin1 = PrintableLatin1();
  for (char16_t c : latin1 + kBeyondLatin1) {
    const std::u16string text(1, c);
    BothWays both(40, 40);
    both.Draw(font, 12, 26, text);
    EXPECT_TRUE(both.Same()) << Hex(c) << "\n" << both.Show();
    EXPECT_EQ(TextPainter::Width(font, text), TextPainter::WidthThroughQt(font, text)) << Hex(c);
  }
  for (char16_t c : latin1) {
    const bool missing = GetParam().missing.find(c) != std::u16string::npos;
    EXPECT_EQ(TextPainter::DrawnFromGlyphCache(font, std::u16string(1, c)), !missing) << Hex(c);
  }
}

TEST_P(GlyphCacheFont, StringsOfEveryCharacterMatchQt) {
  const TFont font = MakeFont(GetParam());
  const std::u16string all = PrintableLatin1() + kBeyondLatin1;
  // Lines of 24 characters, and the same lines backwards so every character
  // also stands after others.
  for (int backwards = 0; backwards < 2; ++backwards) {
    std::u16string chars = all;
    if (backwards) chars.assign(all.rbegin(), all.rend());
    for (size_t at = 0; at < chars.size(); at += 24) {
      const std::u16string line = chars.substr(at, 24);
      BothWays both(400, 30);
      both.Draw(font, 3, 20, line);
      EXPECT_TRUE(both.Same()) << "line at " << at << "\n" << both.Show();
      EXPECT_EQ(TextPainter::Width(font, line), TextPainter::WidthThroughQt(font, line));
    }
  }
}

TEST_P(GlyphCacheFont, AxisLabelsAndCaptionsTakeTheCache) {
  const TFont font = MakeFont(GetParam());
  for (const std::u16string text : {u"12.5",
                                    u"-40.0",
                                    u"1E-3",
                                    u"Frequency (MHz)",
                                    u"Feeder length (m)",
                                    u"Current maxima",
                                    u"45\u00B0 ",
                                    u"(8g]}\u00DC\u00C4\u00A7"}) {
    EXPECT_TRUE(TextPainter::DrawnFromGlyphCache(font, text));
    BothWays both(160, 30);
    both.Draw(font, 4, 18, text);
    EXPECT_TRUE(both.Same()) << both.Show();
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, GlyphCacheFont, ::testing::ValuesIn(kFonts),
                         [](const auto& test) { return std::string(test.param.name); });

// Texts that single glyphs cannot reproduce go through Qt, and come out the
// same either way.
struct PathCase {
  const char* name;
  std::u16string text;
  bool fromCache;
};

class GlyphCachePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(GlyphCachePath, TakesItsWayAndMatchesQt) {
  for (const FontCase& fc : {kFonts[0], kFonts[2], kFonts[4]}) {
    const TFont font = MakeFont(fc);
    const PathCase& c = GetParam();
    EXPECT_EQ(TextPainter::DrawnFromGlyphCache(font, c.text), c.fromCache) << fc.name;
    BothWays both(120, 30);
    both.Draw(font, 4, 18, c.text);
    EXPECT_TRUE(both.Same()) << fc.name << "\n" << both.Show();
    EXPECT_EQ(TextPainter::Width(font, c.text), TextPainter::WidthThroughQt(font, c.text));
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, GlyphCachePath,
                         ::testing::Values(PathCase{"Digits", u"0123456789.5", true},
                                           PathCase{"Cyrillic", u"\u0416\u0444 \u0401", true},
                                           PathCase{"GreekNotInTahoma", u"a\u03A9", false},
                                           PathCase{"FSpaceI", u"f i f-l", true},
                                           PathCase{"FiLigature", u"Profile", false},
                                           PathCase{"FlLigature", u"flat", false},
                                           PathCase{"CombiningAcute", u"e\u0301e", false},
                                           PathCase{"SurrogatePair", u"a\U0001D400b", false},
                                           PathCase{"LoneSurrogate",
                                                    u"a\xD800"
                                                    u"b",
                                                    false},
                                           PathCase{"Tab", u"a\tb", false},
                                           PathCase{"ControlCharacter",
                                                    u"a\x01"
                                                    u"b",
                                                    false},
                                           PathCase{"SoftHyphen", u"ab\u00ADcd", false},
                                           PathCase{"ZeroWidthSpace", u"a\u200Bb", false},
                                           PathCase{"Hebrew", u"ab \u05D0\u05D1", false},
                                           PathCase{"FallbackFont", u"a\u4E2D", false},
                                           PathCase{"FractionSlash", u"1\u20442", false}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(GlyphCacheClip, EverySideCutsLikeQt) {
  const TFont font = MakeFont(kFonts[1]);
  const std::u16string text = u"Wgj\u00C4";
  // Text at (6, 14); each clip cuts through its glyphs on one side.
  const TRect clips[] = {{10, 0, 60, 30},  // left
                         {0, 8, 60, 30},   // top
                         {0, 0, 20, 30},   // right
                         {0, 0, 60, 15},   // bottom
                         {9, 9, 21, 16}};  // all four
  for (const TRect& clip : clips) {
    BothWays both(60, 30);
    both.Draw(font, 6, 14, text, clip);
    EXPECT_TRUE(both.Same()) << clip.Left << "," << clip.Top << "\n" << both.Show();
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 60; ++x) {
        const bool inside = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
        if (!inside) {
          ASSERT_EQ(both.cached.PixelColor(x, y), kPaper) << x << "," << y;
        }
      }
    }
  }
}

// The picture with every pixel outside the clip rectangle blanked.
std::string Cut(std::vector<std::string> rows, const TRect& clip) {
  for (int y = 0; y < int(rows.size()); ++y) {
    for (int x = 0; x < int(rows[y].size()); ++x) {
      if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) rows[y][x] = '.';
    }
  }
  return Rows(rows);
}

TEST(GlyphCacheClip, CapitalHCutOnEachSide) {
  const TFont font = MakeFont(kFonts[0]);
  TBitmap bmp(12, 12);
  TextPainter painter(bmp);
  // The capital H of Tahoma 11 px with the pen at (2, 11): 6 columns, 8 rows.
  const std::vector<std::string> capitalH = {
      "............",
      "............",
      "............",
      "..#....#....",
      "..#....#....",
      "..#....#....",
      "..######....",
      "..#....#....",
      "..#....#....",
      "..#....#....",
      "..#....#....",
      "............",
  };
  const TRect clips[] = {{0, 0, 12, 12},  // whole
                         {3, 0, 12, 12},  // left stem cut off
                         {0, 5, 12, 12},  // top two rows cut off
                         {0, 0, 7, 12},   // right stem cut off
                         {0, 0, 12, 8}};  // bottom three rows cut off
  for (const TRect& clip : clips) {
    Fill(bmp, clWhite);
    painter.Draw(font, 0x000000, 2, 11, u"H", clip);
    EXPECT_EQ(MaskOf(bmp, clBlack), Cut(capitalH, clip)) << clip.Left << "," << clip.Top;
  }
  EXPECT_TRUE(TextPainter::DrawnFromGlyphCache(font, u"H"));
}

TEST(GlyphCacheClip, TextHalfOffTheSurfaceMatchesQt) {
  const TFont font = MakeFont(kFonts[2]);
  const std::u16string text = u"Feeder 7.1";
  const TPoint places[] = {{-30, 14}, {40, 14}, {6, 4}, {6, 24}, {-30, 4}, {40, 24}};
  for (const TPoint p : places) {
    BothWays both(60, 30);
    both.Draw(font, p.x, p.y, text);
    EXPECT_TRUE(both.Same()) << p.x << "," << p.y << "\n" << both.Show();
  }
}

TEST(GlyphCacheClip, FarOutsideOrEmptyDrawsNothing) {
  const TFont font = MakeFont(kFonts[0]);
  TBitmap bmp(20, 20);
  Fill(bmp, kPaper);
  TextPainter painter(bmp);
  const TRect all{0, 0, 20, 20};
  painter.Draw(font, kInk, INT_MAX - 5, 10, u"WWWW", all);
  painter.Draw(font, kInk, INT_MIN + 5, 10, u"WWWW", all);
  painter.Draw(font, kInk, 2, INT_MAX, u"WWWW", all);
  painter.Draw(font, kInk, 2, INT_MIN, u"WWWW", all);
  painter.Draw(font, kInk, 2, 12, u"", all);
  painter.Draw(font, kInk, 2, 12, u"W", {5, 5, 5, 20});  // empty clip
  EXPECT_EQ(MaskOf(bmp, kPaper), Rows(std::vector<std::string>(20, std::string(20, '#'))));
  EXPECT_EQ(TextPainter::Width(font, u""), 0);
}

TEST(GlyphCacheClip, ClipBeyondTheSurfaceStopsAtItsEdges) {
  BothWays both(20, 20);
  both.Draw(MakeFont(kFonts[0]), -3, 12, u"WWWW", {-50, -50, 100, 100});
  EXPECT_TRUE(both.Same()) << both.Show();
}

TEST(GlyphCacheRenders, ACachedGlyphIsNotRenderedAgain) {
  // A size no other test uses, so its cache starts empty.
  TFont font;
  font.SetHeight(-23);
  TBitmap bmp(200, 40);
  TextPainter painter(bmp);
  const TRect all{0, 0, 200, 40};
  const int64_t before = TextPainter::GlyphRenders();
  painter.Draw(font, kInk, 2, 30, u"abca", all);
  EXPECT_EQ(TextPainter::GlyphRenders() - before, 3);
  painter.Draw(font, kInk, 2, 30, u"abca", all);
  EXPECT_EQ(TextPainter::Width(font, u"cab"), TextPainter::WidthThroughQt(font, u"cab"));
  EXPECT_EQ(TextPainter::GlyphRenders() - before, 3);
  painter.Draw(font, kInk, 2, 30, u"abcd", all);
  EXPECT_EQ(TextPainter::GlyphRenders() - before, 4);
  // A character that goes through Qt is not rendered into the cache.
  painter.Draw(font, kInk, 2, 30, u"a\tb", all);
  EXPECT_EQ(TextPainter::GlyphRenders() - before, 4);
}

}  // namespace
