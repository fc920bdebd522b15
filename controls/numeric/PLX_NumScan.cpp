#include "controls/numeric/PLX_NumScan.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "controls/base/PLX_stringl.h"
#include "platform/Locale.h"

namespace {

constexpr char16_t kHexTab[] = u"0123456789ABCDEF";
// Exponents above this are not built: their digits are dropped (ScanFPNum) or
// make the text invalid (IsValidDouble).
constexpr long long kMaxExponent = 4200;
// Within this distance of an integer an angle part counts as that integer.
constexpr double kSnapTolerance = 3e-12;

// ---- the number machine of ScanFPNum and IsValidDouble ----

enum class TPhase {
  start,
  afterSign,
  integer,
  fracStart,
  fraction,
  expStart,
  expSign,
  expDigits,
  done,
  bad
};
// The end of the text counts as `other`.
enum class TCharKind { sep, sign, blank, digit, expMark, other };

struct TSeparators {
  bool dot = false;
  bool comma = false;
};

// Rows: the phases start .. expDigits; columns: TCharKind. expStart after a
// mantissa stands for "expStart if exponents are allowed, else done".
constexpr int kKinds = 6;
using TPhaseRow = std::array<TPhase, kKinds>;
using enum TPhase;
constexpr std::array<TPhaseRow, 8> kNumberTable = {{
    //  sep        sign       blank  digit      E         other/end
    {fracStart, afterSign, start, integer, bad, bad},  // start
    {fracStart, bad, bad, integer, bad, bad},          // afterSign
    {fracStart, done, done, integer, expStart, done},  // integer
    {bad, done, done, fraction, expStart, done},       // fracStart
    {bad, done, done, fraction, expStart, done},       // fraction
    {bad, expSign, bad, expDigits, bad, done},         // expStart
    {bad, bad, bad, expDigits, bad, done},             // expSign
    {done, done, done, expDigits, done, done},         // expDigits
}};

struct TNumberScan {
  TPhase phase = TPhase::start;
  std::string collected;  // sign, digits, ".", "E", exponent sign and digits
  long long idx = 1;      // the character that ended the scan
};

char16_t upperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

TCharKind classify(char16_t c, TSeparators seps) {
  if ((c == u'.' && seps.dot) || (c == u',' && seps.comma)) return TCharKind::sep;
  if (c == u'+' || c == u'-') return TCharKind::sign;
  if (c == u' ') return TCharKind::blank;
  if (isDigit(c)) return TCharKind::digit;
  if (c == u'E') return TCharKind::expMark;
  return TCharKind::other;
}

TPhase nextPhase(TPhase phase, TCharKind kind, bool allowExp) {
  const TPhase next = kNumberTable[size_t(phase)][size_t(kind)];
  if (next == TPhase::expStart && !allowExp) return TPhase::done;
  return next;
}

// Runs the machine from position idx. With stopAtGuard an exponent above
// kMaxExponent ends it as bad; otherwise its further digits are dropped.
TNumberScan runNumberMachine(const std::u16string& text, long long idx, bool allowExp,
                             TSeparators seps, bool stopAtGuard) {
  TNumberScan scan;
  long long exponent = 0;  // saturates just above the guard
  for (;;) {
    const bool inText = idx >= 1 && idx <= static_cast<long long>(text.size());
    const char16_t c = inText ? upperAscii(text[size_t(idx - 1)]) : u'\0';
    const TCharKind kind = inText ? classify(c, seps) : TCharKind::other;
    ++idx;
    const TPhase next = nextPhase(scan.phase, kind, allowExp);
    if (next == TPhase::done || next == TPhase::bad) {
      scan.phase = next;
      break;
    }
    if (next == TPhase::expDigits) {
      const long long digit = c - u'0';
      exponent = scan.phase == TPhase::expDigits ? std::min(exponent * 10 + digit, kMaxExponent + 1)
                                                 : digit;
    }
    scan.phase = next;
    if (exponent > kMaxExponent) {
      if (stopAtGuard) {
        scan.phase = TPhase::bad;
        break;
      }
      continue;
    }
    // Leading blanks are used but do not belong to the number.
    if (kind != TCharKind::blank) scan.collected += c == u',' ? '.' : char(c);
  }
  scan.idx = idx - 1;
  return scan;
}

// The value of a collected text. An exponent mark or sign without digits
// ("1E", "1E-") adds nothing: the value is that of the mantissa.
double collectedValue(std::string text) {
  const size_t expMark = text.find('E');
  if (expMark != std::string::npos && !isDigit(char16_t(text.back()))) text.erase(expMark);
  const size_t point = text.find('.');
  if (point != std::string::npos &&
      (point + 1 == text.size() || !isDigit(char16_t(text[point + 1])))) {
    text.insert(point + 1, 1, '0');  // "12." and ".E5" read as "12.0" and ".0E5"
  }
  // Independent of the process locale, which may use "," as its separator.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  return strtod_l(text.c_str(), nullptr, cLocale);
}

TSeparators separatorsOf(TDecPSep DecSeparator) {
  if (DecSeparator == dsSystem) DecSeparator = LocaleDecimalSeparator() == u'.' ? dsDot : dsComma;
  return {DecSeparator == dsDot || DecSeparator == dsBoth,
          DecSeparator == dsComma || DecSeparator == dsBoth};
}

TSeparators separatorsOfCode(int DecPChar) {
  return {DecPChar == 1 || DecPChar == 3, DecPChar == 2 || DecPChar == 3};
}

// ---- integers in other bases ----

int digitValue(char16_t upper, uint32_t base) {
  for (uint32_t k = 0; k < base; ++k) {
    if (kHexTab[k] == upper) return int(k);
  }
  return -1;
}

int32_t scanDigits(const std::u16string& text, int& Idx, uint32_t base, bool skipDollar) {
  const long long length = static_cast<long long>(text.size());
  long long idx = Idx;
  if (idx < 1) return 0;                                        // nothing to read before the text
  while (idx < length && text[size_t(idx - 1)] == u' ') ++idx;  // never the last character
  uint32_t result = 0;
  while (idx <= length) {
    const char16_t c = upperAscii(text[size_t(idx - 1)]);
    ++idx;
    if (skipDollar && idx == 2 && c == u'$') continue;
    const int digit = digitValue(c, base);
    if (digit < 0) {
      --idx;
      break;
    }
    result = result * base + uint32_t(digit);  // unsigned: wraps in 32 bits
  }
  Idx = int(idx);
  return int32_t(result);
}

std::u16string lowDigits(int32_t innum, uint8_t places, int maxPlaces, unsigned bitsPerDigit) {
  const int count = std::clamp(int(places), 1, maxPlaces);
  const uint32_t mask = (1u << bitsPerDigit) - 1;
  uint32_t value = uint32_t(innum);
  std::u16string text(size_t(count), u'0');
  for (int k = count - 1; k >= 0; --k) {
    text[size_t(k)] = kHexTab[value & mask];
    value >>= bitsPerDigit;
  }
  return text;
}

bool allDigitsOf(const std::u16string& text, uint32_t base) {
  if (text.empty()) return false;
  return std::all_of(text.begin(), text.end(), [base](char16_t c) {
    return digitValue(upperAscii(c), base) >= 0;
  });
}

// ---- degrees ----

double snapped(double v) {
  const double nearest = std::round(v);
  return std::fabs(v - nearest) <= kSnapTolerance ? nearest : v;
}

// Rounded to `decimals` decimals, halves away from zero. Values too large to
// have such decimals stay as they are.
double roundedHalfAway(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double scaled = v * scale;
  if (!(std::fabs(scaled) < 0x1p52)) return v;
  return std::round(scaled) / scale;
}

double fracPart(double v) { return v - std::trunc(v); }

// The whole degrees with the sign of the angle: "-0" for angles between -1
// and 0, whose minutes and seconds carry no sign.
std::u16string wholeDegrees(bool negative, double whole) {
  std::u16string text(negative ? u"-"
                               : u"");  // not a literal before a temporary: GCC 12 -Wrestrict
  return text.append(strff(whole, 1, 0)).append(u"\u00B0 ");
}

// Rounding errors of large angles (from 512 degrees on) can leave a
// minute or second part just below 60, which its text would show as 60.
bool showsSixty(double part, int Precision) {
  const std::u16string text = strff(part, 1, Precision);
  int idx = 1;
  return ScanFPNum(text, false, 1, idx) >= 60;
}

std::u16string degMinText(double InNum, int Precision) {
  const double d = snapped(roundedHalfAway(InNum * 60, Precision) / 60);
  double whole = std::trunc(std::fabs(d));
  double minutes = fracPart(std::fabs(d)) * 60;
  if (showsSixty(minutes, Precision)) {
    minutes = 0;
    whole += 1;
  }
  return wholeDegrees(d < 0, whole) + strff(minutes, Precision + 3, Precision) + u"'";
}

std::u16string degMinSecText(double InNum, int Precision) {
  const double d = snapped(roundedHalfAway(InNum * 3600, Precision) / 3600);
  const double m = snapped(fracPart(std::fabs(d)) * 60);
  double whole = std::trunc(std::fabs(d));
  double minutes = std::trunc(m);
  double seconds = fracPart(m) * 60;
  if (showsSixty(seconds, Precision)) {
    seconds = 0;
    minutes += 1;
  }
  if (minutes >= 60) {
    minutes -= 60;
    whole += 1;
  }
  return wholeDegrees(d < 0, whole) + strff(minutes, 2, 0) + u"' " +
         strff(seconds, Precision + 3, Precision) + u"\"";
}

}  // namespace

bool IsValidFPNum(const std::u16string& Instring, TDecPSep DecSeparator) {
  if (Instring.empty()) return false;
  const TSeparators seps = separatorsOf(DecSeparator);
  enum { start, afterSign, integer, fracStart, fraction } phase = start;
  for (const char16_t c : Instring) {
    const TCharKind kind = classify(c, seps);
    if (kind == TCharKind::digit) {
      phase = (phase == fracStart || phase == fraction) ? fraction : integer;
    } else if (kind == TCharKind::sep && phase <= integer) {
      phase = fracStart;
    } else if (kind == TCharKind::sign && phase == start) {
      phase = afterSign;
    } else {
      return false;
    }
  }
  return true;
}

bool IsValidDouble(const std::u16string& Instring, bool AllowExp, TDecPSep DecSeparator) {
  if (Instring.empty()) return false;
  return runNumberMachine(Instring, 1, AllowExp, separatorsOf(DecSeparator), true).phase ==
         TPhase::done;
}

bool IsValidDecInt(const std::u16string& Instring) {
  if (Instring.empty()) return false;
  const char16_t first = Instring[0];
  if (Instring.size() == 1) return isDigit(first);
  if (first != u'+' && first != u'-' && !isDigit(first)) return false;
  return std::all_of(Instring.begin() + 1, Instring.end(), isDigit);
}

bool IsValidHex(const std::u16string& Instring) { return allDigitsOf(Instring, 16); }

bool IsValidOct(const std::u16string& Instring) { return allDigitsOf(Instring, 8); }

bool IsValidBin(const std::u16string& Instring) { return allDigitsOf(Instring, 2); }

double ScanFPNum(const std::u16string& Instring, bool AllowExp, int DecPChar, int& Idx) {
  const TNumberScan scan =
      runNumberMachine(Instring, Idx, AllowExp, separatorsOfCode(DecPChar), false);
  Idx = int(scan.idx);
  if (scan.phase != TPhase::done) return 0;
  return std::clamp(collectedValue(scan.collected), -uc_MaxDouble, uc_MaxDouble);
}

int32_t ScanHex(const std::u16string& Instring, int& Idx) {
  return scanDigits(Instring, Idx, 16, true);
}

int32_t ScanOctal(const std::u16string& Instring, int& Idx) {
  return scanDigits(Instring, Idx, 8, false);
}

int32_t ScanBin(const std::u16string& Instring, int& Idx) {
  return scanDigits(Instring, Idx, 2, false);
}

std::u16string Hex(int32_t innum, uint8_t places) { return lowDigits(innum, places, 8, 4); }

std::u16string Octal(int32_t innum, uint8_t places) { return lowDigits(innum, places, 11, 3); }

std::u16string Bin(int32_t innum, uint8_t places) { return lowDigits(innum, places, 32, 1); }

std::u16string DegreeToStr(double InNum, TDegreeFormat Format, int Precision) {
  Precision = std::clamp(Precision, 0, 8);
  if (Format == dfNumeric) return strff(InNum, 1, Precision);
  // Angles with no whole degrees to write (not finite, or beyond the fixed
  // form) have no minutes or seconds either: every degree format writes them
  // as dfDeg does ("+Inf°", "Nan°", "-1.0E+0308°").
  if (Format == dfDeg || !InFixedFormRange(InNum)) return strff(InNum, 1, Precision) + u"\u00B0";
  return Format == dfDegMin ? degMinText(InNum, Precision) : degMinSecText(InNum, Precision);
}
