// Reading a font's layout tables: small GSUB and GPOS tables built here, one
// script with one language system, each feature pointing at one lookup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/OpenTypeLayout.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, unsigned v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v >> 16);
  Put16(b, v & 0xFFFF);
}
void PutTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }
void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

struct Lookup {
  const char* feature;
  unsigned type;
  unsigned flags;
  Bytes subtable;
};

// A layout table with script `script`, whose default language system lists
// one feature per lookup.
Bytes Table(const char* script, const std::vector<Lookup>& lookups) {
  const unsigned n = unsigned(lookups.size());
  Bytes scripts;  // ScriptList: one script, its default language system
  Put16(scripts, 1);
  PutTag(scripts, script);
  Put16(scripts, 8);
  Put16(scripts, 4);  // Script: default language system right after
  Put16(scripts, 0);
  Put16(scripts, 0);  // LangSys: lookup order, no required feature, features
  Put16(scripts, 0xFFFF);
  Put16(scripts, n);
  for (unsigned i = 0; i < n; ++i) Put16(scripts, i);

  Bytes features;
  Put16(features, n);
  for (unsigned i = 0; i < n; ++i) {
    PutTag(features, lookups[i].feature);
    Put16(features, 2 + 6 * n + 6 * i);
  }
  for (unsigned i = 0; i < n; ++i) {
    Put16(features, 0);
    Put16(features, 1);
    Put16(features, i);
  }

  Bytes list;
  Put16(list, n);
  unsigned at = 2 + 2 * n;
  for (const Lookup& l : lookups) {
    Put16(list, at);
    at += 8 + unsigned(l.subtable.size());
  }
  for (const Lookup& l : lookups) {
    Put16(list, l.type);
    Put16(list, l.flags);
    Put16(list, 1);
    Put16(list, 8);
    Append(list, l.subtable);
  }

  Bytes table;
  Put32(table, 0x00010000);
  Put16(table, 10);
  Put16(table, unsigned(10 + scripts.size()));
  Put16(table, unsigned(10 + scripts.size() + features.size()));
  Append(table, scripts);
  Append(table, features);
  Append(table, list);
  return table;
}

// Ligature substitution: `first` followed by `rest` becomes glyph 900.
Bytes Ligature(unsigned first, const std::vector<unsigned>& rest) {
  Bytes b;
  Put16(b, 1);
  Put16(b, 8);  // coverage
  Put16(b, 1);
  Put16(b, 14);  // the ligature set
  Put16(b, 1);   // coverage format 1, one glyph
  Put16(b, 1);
  Put16(b, first);
  Put16(b, 1);  // ligature set: one ligature, right after
  Put16(b, 4);
  Put16(b, 900);
  Put16(b, unsigned(rest.size() + 1));
  for (unsigned g : rest) Put16(b, g);
  return b;
}

// Single substitution of glyphs first..last (coverage format 2).
Bytes Single(unsigned first, unsigned last) {
  Bytes b;
  Put16(b, 1);
  Put16(b, 6);
  Put16(b, 100);  // delta
  Put16(b, 2);
  Put16(b, 1);
  Put16(b, first);
  Put16(b, last);
  Put16(b, 0);
  return b;
}

// An extension subtable holding a subtable of the given type right after it.
Bytes Extension(unsigned type, const Bytes& inner) {
  Bytes b;
  Put16(b, 1);
  Put16(b, type);
  Put32(b, 8);
  Append(b, inner);
  return b;
}

const Bytes kOpaque = {0, 1, 0, 0, 0, 0};  // contents the reader need not look into

using Ligatures = std::map<uint16_t, std::vector<std::vector<uint16_t>>>;

TEST(OpenTypeLayout, NoTablesNoRules) {
  const LayoutRules rules = ReadLayoutRules({}, {});
  EXPECT_FALSE(rules.contextual);
  EXPECT_TRUE(rules.substituted.empty());
  EXPECT_TRUE(rules.ligatures.empty());
}

TEST(OpenTypeLayout, LigaturesOfDefaultFeaturesAreListed) {
  const Bytes gsub =
      Table("latn", {{"liga", 4, 0, Ligature(73, {76})}, {"clig", 4, 8, Ligature(73, {73, 79})}});
  const LayoutRules rules = ReadLayoutRules(gsub, {});
  EXPECT_FALSE(rules.contextual);
  EXPECT_EQ(rules.ligatures, (Ligatures{{73, {{76}, {73, 79}}}}));
}

TEST(OpenTypeLayout, FeaturesOffByDefaultAreLeftOut) {
  const Bytes gsub = Table("latn",
                           {{"dlig", 4, 0, Ligature(73, {76})},
                            {"smcp", 1, 0, Single(10, 12)},
                            {"frac", 6, 0, kOpaque}});
  const LayoutRules rules = ReadLayoutRules(gsub, {});
  EXPECT_FALSE(rules.contextual);
  EXPECT_TRUE(rules.ligatures.empty());
  EXPECT_TRUE(rules.substituted.empty());
}

TEST(OpenTypeLayout, OtherScriptsCountOnlyWithoutLatinOrDefault) {
  const Bytes arabic = Table("arab", {{"rlig", 6, 0, kOpaque}});
  EXPECT_TRUE(ReadLayoutRules(arabic, {}).contextual);  // no latn, DFLT: every script counts
  const Bytes dflt = Table("DFLT", {{"liga", 4, 0, Ligature(5, {6})}});
  EXPECT_EQ(ReadLayoutRules(dflt, {}).ligatures, (Ligatures{{5, {{6}}}}));
}

TEST(OpenTypeLayout, SingleSubstitutionsMarkTheirGlyphs) {
  const Bytes gsub = Table("latn", {{"locl", 1, 0, Single(10, 12)}});
  EXPECT_EQ(ReadLayoutRules(gsub, {}).substituted, (std::set<uint16_t>{10, 11, 12}));
}

TEST(OpenTypeLayout, LigaturesSkippingBaseGlyphsMarkTheirFirstGlyphs) {
  const Bytes gsub = Table("latn", {{"liga", 4, 2, Ligature(73, {76})}});
  const LayoutRules rules = ReadLayoutRules(gsub, {});
  EXPECT_TRUE(rules.ligatures.empty());
  EXPECT_EQ(rules.substituted, (std::set<uint16_t>{73}));
}

TEST(OpenTypeLayout, ExtensionsAreFollowed) {
  const Bytes gsub = Table("latn", {{"liga", 7, 0, Extension(4, Ligature(73, {79}))}});
  EXPECT_EQ(ReadLayoutRules(gsub, {}).ligatures, (Ligatures{{73, {{79}}}}));
  const Bytes gpos = Table("latn", {{"dist", 9, 0, Extension(2, kOpaque)}});
  EXPECT_TRUE(ReadLayoutRules({}, gpos).contextual);
}

TEST(OpenTypeLayout, ContextualSubstitutionsMakeTheFontContextual) {
  for (unsigned type : {5u, 6u, 8u}) {
    const Bytes gsub = Table("latn", {{"calt", type, 0, kOpaque}});
    EXPECT_TRUE(ReadLayoutRules(gsub, {}).contextual) << type;
  }
}

TEST(OpenTypeLayout, PositioningBetweenBaseGlyphsIsContextualExceptKerning) {
  EXPECT_FALSE(ReadLayoutRules({}, Table("latn", {{"kern", 2, 0, kOpaque}})).contextual);
  EXPECT_FALSE(ReadLayoutRules({}, Table("latn", {{"mark", 4, 0, kOpaque}})).contextual);
  EXPECT_FALSE(ReadLayoutRules({}, Table("latn", {{"mkmk", 6, 0, kOpaque}})).contextual);
  EXPECT_TRUE(ReadLayoutRules({}, Table("latn", {{"dist", 2, 0, kOpaque}})).contextual);
  EXPECT_TRUE(ReadLayoutRules({}, Table("latn", {{"curs", 3, 0, kOpaque}})).contextual);
}

TEST(OpenTypeLayout, DamagedTablesAreContextual) {
  const Bytes gsub = Table("latn", {{"liga", 4, 0, Ligature(73, {76})}});
  for (size_t keep : {size_t(3), size_t(12), gsub.size() / 2, gsub.size() - 1}) {
    const Bytes cut(gsub.begin(), gsub.begin() + long(keep));
    EXPECT_TRUE(ReadLayoutRules(cut, {}).contextual) << keep;
  }
  Bytes badCoverage = Table("latn", {{"locl", 1, 0, Single(12, 10)}});  // range backwards
  EXPECT_TRUE(ReadLayoutRules(badCoverage, {}).contextual);
}

}  // namespace
