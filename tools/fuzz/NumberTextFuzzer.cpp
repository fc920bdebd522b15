// Coverage-guided fuzz target for the number texts: the validators, the
// scanners and the formatters. Besides running everything under ASan/UBSan
// it checks properties that must hold for any input:
//   - strff: width, characters, sign, decimals, and that ScanFPNum reads the
//     text back as the value within the rounding its digits imply;
//   - the validators agree with the scanners on texts they accept;
//   - Hex/Octal/Bin produce exactly `places` digits that scan back;
//   - EEngStr and DegreeToStr texts read back as the value.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

#include "controls/base/PLX_math1.h"
#include "controls/base/PLX_stringl.h"
#include "controls/numeric/PLX_NumScan.h"
#include "platform/Locale.h"
#include "tools/fuzz/FuzzText.h"

namespace {

[[noreturn]] void fail(const char* what, const std::u16string& text, long double value, int a,
                       int b) {
  std::fprintf(stderr,
               "PROPERTY FAILED: %s\n  text '%s'\n  value %.21Lg  args %d %d\n",
               what,
               printable(text).c_str(),
               value,
               a,
               b);
  std::abort();
}

#define EXPECT(cond, what, text, value, a, b)   \
  do {                                          \
    if (!(cond)) fail(what, text, value, a, b); \
  } while (0)

// ---- inputs ----

long double consumeValue(FuzzedDataProvider& fdp) {
  switch (fdp.ConsumeIntegralInRange(0, 5)) {
    case 0: {  // any double bit pattern: denormals, infinities, NaNs
      const uint64_t bits = fdp.ConsumeIntegral<uint64_t>();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case 1: {  // the whole extended range
      const long double mantissa = static_cast<long double>(fdp.ConsumeIntegral<uint64_t>());
      const int exponent = fdp.ConsumeIntegralInRange(-16500, 16400);
      const long double v = std::ldexp(mantissa, exponent);
      return fdp.ConsumeBool() ? -v : v;
    }
    case 2: {  // short decimals: ties and carries (0.125, 9.995, 999.5 ...)
      const long double digits = static_cast<long double>(fdp.ConsumeIntegral<int32_t>());
      return digits / std::pow(10.0L, fdp.ConsumeIntegralInRange(0, 20));
    }
    case 3: {  // neighbours of the limits of the fixed form and of the scan clamp
      static const long double anchors[] = {6.64613997892458e35L,
                                            0x1p119L,
                                            1e-35L,
                                            1e-36L,
                                            1.7e308L,
                                            1e100L,
                                            1e-100L,
                                            1.0L,
                                            0.5L,
                                            1e18L};
      long double v = anchors[fdp.ConsumeIntegralInRange<size_t>(0, std::size(anchors) - 1)];
      const int steps = fdp.ConsumeIntegralInRange(-3, 3);
      for (int k = 0; k < std::abs(steps); ++k)
        v = std::nextafter(v, steps < 0 ? 0.0L : std::numeric_limits<long double>::infinity());
      return fdp.ConsumeBool() ? -v : v;
    }
    case 4:
      return fdp.ConsumeFloatingPoint<double>();
    default:
      return fdp.ConsumeFloatingPoint<long double>();
  }
}

int consumeWidth(FuzzedDataProvider& fdp) {
  return fdp.ConsumeBool() ? fdp.ConsumeIntegralInRange(-40, 40) : fdp.ConsumeIntegral<int>();
}

int consumeDecP(FuzzedDataProvider& fdp) {
  switch (fdp.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return -2;
    case 1:
      return fdp.ConsumeIntegralInRange(-3, 25);
    case 2:
      return fdp.ConsumeIntegralInRange(0, 300);
    default:
      return fdp.ConsumeIntegral<int>();
  }
}

// Bytes become characters; the top of the byte range stands for characters
// outside Latin-1 that a user could type or paste.
std::u16string consumeText(FuzzedDataProvider& fdp) {
  static const char16_t specials[] = {u'\u00B0',
                                      u'\uFF10',
                                      u'\uFF0E',
                                      u'\u0660',
                                      u'\u066B',
                                      u'\u2212',
                                      u'\u212A',
                                      u'\u0131',
                                      char16_t(0xD800),
                                      u'\uFFFF',
                                      u'\u00A0',
                                      u'\u2009',
                                      u'\uFF25',
                                      u'\u0045',
                                      u'\u0065',
                                      u'\u002C'};
  const std::string bytes = fdp.ConsumeRemainingBytesAsString();
  std::u16string text;
  text.reserve(bytes.size());
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    text += u >= 0xF0 ? specials[u - 0xF0] : char16_t(u);
  }
  return text;
}

// ---- strff ----

long double clampToScanRange(long double x) {
  return std::clamp<long double>(x, -uc_MaxDouble, uc_MaxDouble);
}

// Half a unit of the last digit that a number text shows.
long double halfUnitOf(const std::u16string& text) {
  const size_t expMark = text.find(u'E');
  const size_t point = text.find(u'.');
  const size_t digitsEnd = expMark == std::u16string::npos ? text.size() : expMark;
  const long long decimals =
      point == std::u16string::npos ? 0 : static_cast<long long>(digitsEnd - point - 1);
  long long exponent = 0;
  if (expMark != std::u16string::npos) {
    int idx = int(expMark) + 2;
    exponent = static_cast<long long>(ScanFPNum(text, false, 0, idx));
  }
  return 0.5L * std::pow(10.0L, static_cast<long double>(exponent - decimals));
}

void checkStrff(long double x, int width, int decP) {
  const std::u16string text = strff(x, width, decP);
  const long long absWidth = std::min(std::llabs(static_cast<long long>(width)), 255LL);
  const long long minLength = decP == -2 ? std::max(absWidth + 2, 10LL) - 2
                              : decP < 0 ? std::max(absWidth, 10LL)
                                         : absWidth;
  EXPECT(static_cast<long long>(text.size()) >= minLength,
         "strff shorter than its width",
         text,
         x,
         width,
         decP);
  EXPECT(text.size() <= size_t(std::max(minLength, 300LL)),
         "strff text too long",
         text,
         x,
         width,
         decP);
  EXPECT(text.find_first_not_of(u"0123456789.+-E *InfNa") == std::u16string::npos,
         "strff: unexpected character",
         text,
         x,
         width,
         decP);
  if (!std::isfinite(x)) {
    const bool named =
        text.find(u"Inf") != std::u16string::npos || text.find(u"Nan") != std::u16string::npos;
    EXPECT(named, "strff: non-finite value without Inf/Nan", text, x, width, decP);
    return;
  }
  if (text.find(u'*') != std::u16string::npos) {
    EXPECT(decP == -2 && text.find_first_not_of(u'*') == std::u16string::npos,
           "strff: stray asterisks",
           text,
           x,
           width,
           decP);
    return;
  }
  const size_t first = text.find_first_not_of(u' ');
  EXPECT(first != std::u16string::npos, "strff: blank text", text, x, width, decP);
  EXPECT((text[first] == u'-') == (x < 0), "strff: sign", text, x, width, decP);

  const bool scientific = text.find(u'E') != std::u16string::npos;
  const long double magnitude = std::fabs(x);
  if (decP >= 0) {
    if (scientific) {
      EXPECT(magnitude > 6.64613997892458e35L || magnitude < 1e-35L,
             "strff: needless scientific form",
             text,
             x,
             width,
             decP);
    } else {
      EXPECT(magnitude <= 6.64613997892458e35L,
             "strff: fixed form of a huge value",
             text,
             x,
             width,
             decP);
      const size_t point = text.find(u'.');
      const size_t decimals = point == std::u16string::npos ? 0 : text.size() - point - 1;
      EXPECT(decimals == size_t(std::min(decP, 255)), "strff: decimal count", text, x, width, decP);
      EXPECT(width < 0 || IsValidFPNum(text.substr(first), dsDot),
             "strff: fixed text not valid",
             text,
             x,
             width,
             decP);
    }
  }

  // Round trip: the scanner reads the whole text back as the value, within
  // half a unit of the last digit shown and the 18-digit and double roundings.
  int idx = 1;
  const double scanned = ScanFPNum(text, true, 3, idx);
  EXPECT(idx == int(text.size()) + 1, "strff text not read to its end", text, x, width, decP);
  const long double expected = clampToScanRange(x);
  const long double tolerance =
      halfUnitOf(text) + magnitude * 1e-17L + std::fabs(expected) * 0x1p-52L + 0x1p-1074L;
  EXPECT(std::fabs(static_cast<long double>(scanned) - expected) <= tolerance,
         "strff text does not read back as its value",
         text,
         x,
         width,
         decP);
}

// ---- scanners and validators ----

void checkScanners(const std::u16string& text, int start, int code) {
  const long long length = static_cast<long long>(text.size());
  for (const bool allowExp : {false, true}) {
    int idx = start;
    const double v = ScanFPNum(text, allowExp, code, idx);
    EXPECT(
        std::isfinite(v) && std::fabs(v) <= uc_MaxDouble, "ScanFPNum value", text, v, start, code);
    const bool inside = start >= 1 && start <= length + 1;
    EXPECT(inside ? (idx >= start && idx <= length + 1) : idx == start,
           "ScanFPNum end position",
           text,
           idx,
           start,
           code);
  }
  using TScanner = int32_t (*)(const std::u16string&, int&);
  for (const TScanner scan : {&ScanHex, &ScanOctal, &ScanBin}) {
    int idx = start;
    scan(text, idx);
    const bool moved = start >= 1 && idx >= start && idx <= std::max<long long>(start, length + 1);
    EXPECT(start < 1 ? idx == start : moved, "ScanHex/Octal/Bin end position", text, idx, start, 0);
  }
}

// A text that IsValidFPNum accepts (other than a lone sign) is read to its
// end by ScanFPNum with the matching separator, and IsValidDouble accepts it.
void checkValidators(const std::u16string& text) {
  static const struct {
    TDecPSep sep;
    int code;
  } modes[] = {{dsDot, 1}, {dsComma, 2}, {dsBoth, 3}};
  for (const auto& mode : modes) {
    if (!IsValidFPNum(text, mode.sep) || text == u"+" || text == u"-") continue;
    int idx = 1;
    ScanFPNum(text, false, mode.code, idx);
    EXPECT(idx == int(text.size()) + 1,
           "IsValidFPNum text not read to its end",
           text,
           0,
           mode.code,
           0);
    EXPECT(IsValidDouble(text, false, mode.sep),
           "IsValidFPNum text rejected by IsValidDouble",
           text,
           0,
           mode.code,
           0);
  }
  for (const TDecPSep sep : {dsSystem, dsDot, dsComma, dsBoth}) {
    IsValidDouble(text, true, sep);
    IsValidFPNum(text, sep);
  }
  if (IsValidDecInt(text)) {
    EXPECT(text.size() > 1 || IsValidFPNum(text, dsDot), "IsValidDecInt", text, 0, 0, 0);
  }
  const bool hex = IsValidHex(text);
  EXPECT(!IsValidBin(text) || IsValidOct(text), "binary text not octal", text, 0, 0, 0);
  EXPECT(!IsValidOct(text) || hex, "octal text not hexadecimal", text, 0, 0, 0);
  if (hex && text.size() <= 8) {
    int idx = 1;
    ScanHex(text, idx);
    EXPECT(idx == int(text.size()) + 1, "hex text not read to its end", text, 0, 0, 0);
  }
  const std::u16string replaced = ReplaceCharInString(text, u'.', u',');
  EXPECT(replaced.size() == text.size() && replaced.find(u'.') == std::u16string::npos,
         "ReplaceCharInString",
         text,
         0,
         0,
         0);
}

// ---- integer formatters ----

void checkBaseFormats(int32_t n, uint8_t places) {
  struct {
    std::u16string (*format)(int32_t, uint8_t);
    int32_t (*scan)(const std::u16string&, int&);
    int maxPlaces;
    unsigned bits;
  } const bases[] = {{&Hex, &ScanHex, 8, 4}, {&Octal, &ScanOctal, 11, 3}, {&Bin, &ScanBin, 32, 1}};
  for (const auto& base : bases) {
    const int count = std::clamp(int(places), 1, base.maxPlaces);
    const std::u16string text = base.format(n, places);
    EXPECT(int(text.size()) == count, "Hex/Octal/Bin digit count", text, n, places, base.maxPlaces);
    int idx = 1;
    const auto value = uint32_t(base.scan(text, idx));
    const unsigned shownBits = unsigned(count) * base.bits;
    const uint32_t mask = shownBits >= 32 ? 0xFFFFFFFFu : (1u << shownBits) - 1;
    EXPECT(value == (uint32_t(n) & mask) && idx == count + 1,
           "Hex/Octal/Bin do not scan back",
           text,
           n,
           places,
           base.maxPlaces);
  }
}

// ---- engineering and degree texts ----

int prefixGroup(char16_t prefix) {
  static const std::u16string prefixes = u"afpnum kMGT";
  const size_t pos = prefixes.find(prefix);
  return pos == std::u16string::npos || prefix == u' ' ? 99 : int(pos) - 6;
}

void checkEEngStr(double x, int precision) {
  const std::u16string text = EEngStr(x, precision);
  EXPECT(!text.empty(), "EEngStr empty", text, x, precision, 0);
  // Read back for the prefix-after-number style within a sane range.
  const double magnitude = std::fabs(x);
  if (!(precision > 1 && magnitude >= 1e-30 && magnitude <= 1e30)) return;
  int idx = 1;
  const double number = ScanFPNum(text, false, 1, idx);
  int group = 0;
  if (idx <= int(text.size())) {
    EXPECT(idx == int(text.size()), "EEngStr: text after the prefix", text, x, precision, idx);
    group = prefixGroup(text[size_t(idx - 1)]);
    EXPECT(group != 99 && group != 0, "EEngStr: unknown prefix", text, x, precision, idx);
  }
  const std::u16string numberText = text.substr(0, size_t(idx - 1));
  const long double expected = magnitude / std::pow(10.0L, 3 * group);
  const long double tolerance = halfUnitOf(numberText) + expected * 1e-15L;
  EXPECT(std::fabs(std::fabs(static_cast<long double>(number)) - expected) <= tolerance,
         "EEngStr does not read back as its value",
         text,
         x,
         precision,
         group);
}

// Reads the numbers of "D° M' S\"" or "D° M'" in order.
int readParts(const std::u16string& text, double* parts, int maxParts) {
  int count = 0;
  int idx = 1;
  while (count < maxParts && idx <= int(text.size())) {
    const int before = idx;
    const double v = ScanFPNum(text, false, 1, idx);
    if (idx > before) {
      parts[count++] = v;
    }
    ++idx;  // over the mark that ended the number
  }
  return count;
}

void checkDegrees(double x, int precision) {
  for (const TDegreeFormat format : {dfDeg, dfDegMin, dfDegMinSec, dfNumeric}) {
    const std::u16string text = DegreeToStr(x, format, precision);
    EXPECT(!text.empty(), "DegreeToStr empty", text, x, int(format), precision);
    if (!std::isfinite(x) || std::fabs(x) > 1e6 || (format != dfDegMin && format != dfDegMinSec))
      continue;
    const int p = std::clamp(precision, 0, 8);
    double parts[3] = {0, 0, 0};
    const int wanted = format == dfDegMin ? 2 : 3;
    EXPECT(readParts(text, parts, wanted) == wanted, "DegreeToStr parts", text, x, int(format), p);
    const double unit = format == dfDegMin ? 60.0 : 3600.0;
    EXPECT(parts[1] >= 0 && parts[1] < 60 && parts[wanted - 1] >= 0 && parts[wanted - 1] < 60,
           "DegreeToStr minutes or seconds out of 0..60",
           text,
           x,
           int(format),
           p);
    const long double shown = std::fabs(static_cast<long double>(parts[0])) + parts[1] / 60.0L +
                              (wanted == 3 ? parts[2] / 3600.0L : 0.0L);
    const long double tolerance =
        0.5L * std::pow(10.0L, -p) / unit * (1 + 1e-9L) + std::fabs(x) * 1e-13L + 3e-12L;
    EXPECT(std::fabs(shown - std::fabs(static_cast<long double>(x))) <= tolerance,
           "DegreeToStr does not read back as its value",
           text,
           x,
           int(format),
           p);
    EXPECT(
        text[0] != u'-' || x < 0, "DegreeToStr: sign of a positive angle", text, x, int(format), p);
    EXPECT(
        x >= 0 || shown == 0 || text[0] == u'-', "DegreeToStr: lost sign", text, x, int(format), p);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider fdp(data, size);
  SetLocaleDecimalSeparator(fdp.ConsumeBool() ? u',' : u'.');

  const long double value = consumeValue(fdp);
  checkStrff(value, consumeWidth(fdp), consumeDecP(fdp));
  checkEEngStr(double(value), fdp.ConsumeIntegral<int>());
  checkDegrees(double(value), fdp.ConsumeIntegralInRange(-2, 10));
  checkBaseFormats(fdp.ConsumeIntegral<int32_t>(), fdp.ConsumeIntegral<uint8_t>());

  const int start = fdp.ConsumeBool() ? 1 : fdp.ConsumeIntegralInRange(-2, 40);
  const int code = fdp.ConsumeIntegralInRange(-1, 4);
  const std::u16string text = consumeText(fdp);
  checkScanners(text, start, code);
  checkValidators(text);
  return 0;
}
