// What a font's OpenType layout tables do to plain left-to-right text (Latin,
// Greek, Cyrillic and common characters, no marks) in the features a shaper
// applies by default with kerning off: which glyphs join into ligatures, which
// are replaced whatever their neighbours, and whether any other rule makes a
// glyph's look or place depend on the text around it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <vector>

struct LayoutRules {
  // A rule looks at neighbours in a way this summary does not follow, or a
  // table could not be read: no text of the font is safe from shaping.
  bool contextual = false;
  // Glyphs that a rule may replace or move on their own.
  std::set<uint16_t> substituted;
  // Ligatures by their first glyph: the glyphs that must follow it.
  std::map<uint16_t, std::vector<std::vector<uint16_t>>> ligatures;
};

// Reads the rules from the font's GSUB and GPOS tables; either may be empty.
LayoutRules ReadLayoutRules(std::span<const uint8_t> gsub, std::span<const uint8_t> gpos);
