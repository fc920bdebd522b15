#include "OpenTypeLayout.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Big-endian reads that never leave the table: a read past its end yields 0
// and marks the table bad, so a damaged font cannot crash the reader.
class TableReader {
 public:
  explicit TableReader(std::span<const uint8_t> data) : FData(data) {}

  uint16_t U16(size_t at) {
    if (at > FData.size() || FData.size() - at < 2) return Fail();
    return uint16_t(FData[at] << 8 | FData[at + 1]);
  }
  uint32_t U32(size_t at) { return uint32_t(U16(at)) << 16 | U16(at + 2); }
  bool Empty() const { return FData.empty(); }
  bool Bad() const { return FBad; }
  uint16_t Fail() {
    FBad = true;
    return 0;
  }

 private:
  std::span<const uint8_t> FData;
  bool FBad = false;
};

constexpr uint32_t TagOf(std::string_view s) {
  return uint32_t(s[0]) << 24 | uint32_t(s[1]) << 16 | uint32_t(s[2]) << 8 | uint32_t(s[3]);
}

// The shaper applies these to horizontal left-to-right text of any script;
// script-specific forms (Arabic joining, Indic reordering) concern characters
// that never take the cached path. Kerning is switched off by the caller.
constexpr std::array kSubstitutionFeatures = {TagOf("ccmp"),
                                              TagOf("locl"),
                                              TagOf("rlig"),
                                              TagOf("rclt"),
                                              TagOf("calt"),
                                              TagOf("clig"),
                                              TagOf("liga"),
                                              TagOf("rvrn"),
                                              TagOf("ltra"),
                                              TagOf("ltrm")};
constexpr std::array kPositioningFeatures = {
    TagOf("mark"), TagOf("mkmk"), TagOf("abvm"), TagOf("blwm"), TagOf("curs"), TagOf("dist")};
// Scripts the shaper looks up for Latin, Greek, Cyrillic and common text.
constexpr std::array kScripts = {
    TagOf("latn"), TagOf("grek"), TagOf("cyrl"), TagOf("DFLT"), TagOf("dflt")};

constexpr uint16_t kNoFeature = 0xFFFF;
constexpr uint16_t kIgnoreBaseOrLigatures = 0x0006;
// A coverage never lists more glyphs than a font can have.
constexpr size_t kMaxCoverage = 65536;

// Feature indices of one language system: the required one and those in the list.
void AddLangSys(TableReader& t, size_t langSys, std::set<uint16_t>& required,
                std::set<uint16_t>& listed) {
  const uint16_t req = t.U16(langSys + 2);
  if (req != kNoFeature) required.insert(req);
  const uint16_t count = t.U16(langSys + 4);
  for (uint16_t i = 0; i < count && !t.Bad(); ++i) listed.insert(t.U16(langSys + 6 + 2 * i));
}

// Feature indices of every language system of the scripts above (of all
// scripts when the font has none of them, to stay on the safe side).
void CollectFeatures(TableReader& t, std::set<uint16_t>& required, std::set<uint16_t>& listed) {
  const size_t scriptList = t.U16(4);
  const uint16_t count = t.U16(scriptList);
  auto known = [&](uint16_t i) {
    const uint32_t tag = t.U32(scriptList + 2 + 6 * size_t(i));
    return std::find(kScripts.begin(), kScripts.end(), tag) != kScripts.end();
  };
  bool anyKnown = false;
  for (uint16_t i = 0; i < count; ++i) anyKnown = anyKnown || known(i);
  for (uint16_t i = 0; i < count && !t.Bad(); ++i) {
    if (anyKnown && !known(i)) continue;
    const size_t script = scriptList + t.U16(scriptList + 2 + 6 * size_t(i) + 4);
    if (const uint16_t def = t.U16(script)) AddLangSys(t, script + def, required, listed);
    const uint16_t langs = t.U16(script + 2);
    for (uint16_t l = 0; l < langs && !t.Bad(); ++l) {
      AddLangSys(t, script + t.U16(script + 4 + 6 * size_t(l) + 4), required, listed);
    }
  }
}

// The lookups of the default features and of every required feature.
template <size_t N>
std::set<uint16_t> DefaultLookups(TableReader& t, const std::array<uint32_t, N>& tags) {
  std::set<uint16_t> required;
  std::set<uint16_t> listed;
  CollectFeatures(t, required, listed);
  listed.insert(required.begin(), required.end());
  const size_t featureList = t.U16(6);
  const uint16_t featureCount = t.U16(featureList);
  std::set<uint16_t> lookups;
  for (uint16_t index : listed) {
    if (index >= featureCount) continue;
    const size_t rec = featureList + 2 + 6 * size_t(index);
    const bool isDefault = std::find(tags.begin(), tags.end(), t.U32(rec)) != tags.end();
    if (!isDefault && !required.contains(index)) continue;
    const size_t feature = featureList + t.U16(rec + 4);
    const uint16_t n = t.U16(feature + 2);
    for (uint16_t i = 0; i < n && !t.Bad(); ++i) lookups.insert(t.U16(feature + 4 + 2 * i));
  }
  return lookups;
}

std::vector<uint16_t> ReadCoverage(TableReader& t, size_t at) {
  std::vector<uint16_t> glyphs;
  const uint16_t format = t.U16(at);
  const uint16_t count = t.U16(at + 2);
  if (format == 1) {
    for (uint16_t i = 0; i < count && !t.Bad(); ++i) glyphs.push_back(t.U16(at + 4 + 2 * i));
  } else if (format == 2) {
    for (uint16_t i = 0; i < count && !t.Bad(); ++i) {
      const size_t range = at + 4 + 6 * size_t(i);
      const uint16_t first = t.U16(range);
      const uint16_t last = t.U16(range + 2);
      if (last < first || glyphs.size() + (last - first) >= kMaxCoverage) {
        t.Fail();
        break;
      }
      for (uint32_t g = first; g <= last; ++g) glyphs.push_back(uint16_t(g));
    }
  } else {
    t.Fail();
  }
  return glyphs;
}

void AddCoverage(TableReader& t, size_t at, std::set<uint16_t>& into) {
  for (uint16_t g : ReadCoverage(t, at)) into.insert(g);
}

void ReadLigatures(TableReader& t, size_t sub, LayoutRules& rules) {
  if (t.U16(sub) != 1) {
    t.Fail();
    return;
  }
  const std::vector<uint16_t> firsts = ReadCoverage(t, sub + t.U16(sub + 2));
  const uint16_t setCount = t.U16(sub + 4);
  for (uint16_t s = 0; s < setCount && s < firsts.size() && !t.Bad(); ++s) {
    const size_t set = sub + t.U16(sub + 6 + 2 * size_t(s));
    const uint16_t ligCount = t.U16(set);
    for (uint16_t l = 0; l < ligCount && !t.Bad(); ++l) {
      const size_t lig = set + t.U16(set + 2 + 2 * size_t(l));
      const uint16_t components = t.U16(lig + 2);
      std::vector<uint16_t> rest;
      for (uint16_t c = 1; c < components && !t.Bad(); ++c) rest.push_back(t.U16(lig + 2 + 2 * c));
      rules.ligatures[firsts[s]].push_back(std::move(rest));
    }
  }
}

void ReadSubstitution(TableReader& t, uint16_t type, uint16_t flags, size_t sub,
                      LayoutRules& rules) {
  switch (type) {
    case 1:  // single
    case 2:  // multiple
    case 3:  // alternate
      AddCoverage(t, sub + t.U16(sub + 2), rules.substituted);
      break;
    case 4:
      // Ligatures that skip base glyphs or ligatures match in ways not
      // followed here: their first glyphs always go the safe way.
      if (flags & kIgnoreBaseOrLigatures) {
        AddCoverage(t, sub + t.U16(sub + 2), rules.substituted);
      } else {
        ReadLigatures(t, sub, rules);
      }
      break;
    default:  // contextual, chained, reverse chained
      rules.contextual = true;
  }
}

void ReadPositioning(TableReader& t, uint16_t type, size_t sub, LayoutRules& rules) {
  switch (type) {
    case 1:  // single adjustment: the same wherever the glyph stands
      AddCoverage(t, sub + t.U16(sub + 2), rules.substituted);
      break;
    case 4:  // mark attachments move only the marks
    case 5:
    case 6:
      break;
    default:  // pairs, cursive, contextual
      rules.contextual = true;
  }
}

// Walks the given lookups; extension subtables are followed to the real ones.
void ReadLookups(TableReader& t, const std::set<uint16_t>& lookups, bool substitution,
                 LayoutRules& rules) {
  const size_t lookupList = t.U16(8);
  const uint16_t lookupCount = t.U16(lookupList);
  const uint16_t extension = substitution ? 7 : 9;
  for (uint16_t index : lookups) {
    if (index >= lookupCount) continue;
    const size_t lookup = lookupList + t.U16(lookupList + 2 + 2 * size_t(index));
    const uint16_t type = t.U16(lookup);
    const uint16_t flags = t.U16(lookup + 2);
    const uint16_t subCount = t.U16(lookup + 4);
    for (uint16_t s = 0; s < subCount && !t.Bad(); ++s) {
      size_t sub = lookup + t.U16(lookup + 6 + 2 * size_t(s));
      uint16_t subType = type;
      if (type == extension) {
        subType = t.U16(sub + 2);
        sub += t.U32(sub + 4);
      }
      if (substitution) {
        ReadSubstitution(t, subType, flags, sub, rules);
      } else {
        ReadPositioning(t, subType, sub, rules);
      }
    }
  }
}

}  // namespace

LayoutRules ReadLayoutRules(std::span<const uint8_t> gsub, std::span<const uint8_t> gpos) {
  LayoutRules rules;
  TableReader sub(gsub);
  if (!sub.Empty()) ReadLookups(sub, DefaultLookups(sub, kSubstitutionFeatures), true, rules);
  TableReader pos(gpos);
  if (!pos.Empty()) ReadLookups(pos, DefaultLookups(pos, kPositioningFeatures), false, rules);
  if (sub.Bad() || pos.Bad()) rules.contextual = true;
  return rules;
}
