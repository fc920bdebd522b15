// Value texts of the numeric display label.
#include "controls/numeric/PLX_NumLabText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/base/PLX_math1.h"
#include "controls/base/PLX_stringl.h"
#include "controls/numeric/PLX_NumScan.h"
#include "platform/DateTimeFormat.h"
#include "platform/Errors.h"
#include "platform/Locale.h"

namespace {

constexpr int kMaxPrecision = 15;
// dtFloat switches to the scientific form below this decimal exponent
// (magnitudes under 0.00001).
constexpr int kMinFixedExponent = -5;
constexpr int kMinExponentDigits = 3;

std::string exponentText(int exponent) {
  std::string digits = std::to_string(std::abs(exponent));
  if (digits.size() < kMinExponentDigits) digits.insert(0, kMinExponentDigits - digits.size(), '0');
  return std::string(exponent < 0 ? "E-" : "E+") + digits;
}

// d0[.d1...]E±xxx
std::string scientificText(const TSignificantDigits& sig) {
  std::string text(1, sig.Digits[0]);
  // Appended piece by piece: a literal put before a temporary string makes
  // GCC 12 warn (-Wrestrict) about the copy inside the library's insert.
  if (sig.Digits.size() > 1) text.append(1, '.').append(sig.Digits, 1);
  return text + exponentText(sig.Exponent);
}

std::u16string floatText(double value, int precision) {
  if (!std::isfinite(value)) return strff(value, 1, 0);
  if (value == 0) return u"0";
  TSignificantDigits sig = SignificantDigits(std::fabs(value), std::max(precision, 1));
  const size_t lastNonZero = sig.Digits.find_last_not_of('0');
  sig.Digits.erase(lastNonZero + 1);
  std::string text;
  const int e = sig.Exponent;
  if (e + 1 > std::max(precision, 1) || e < kMinFixedExponent) {
    text = scientificText(sig);
  } else if (e >= 0) {
    std::string digits = sig.Digits;
    if (digits.size() < size_t(e) + 1) digits.append(size_t(e) + 1 - digits.size(), '0');
    text = digits.substr(0, size_t(e) + 1);
    if (digits.size() > size_t(e) + 1) text.append(1, '.').append(digits, size_t(e) + 1);
  } else {
    text = "0." + std::string(size_t(-e - 1), '0') + sig.Digits;
  }
  return WidenAscii((value < 0 ? "-" : "") + text);
}

// One digit, the separator, Precision - 1 digits: the separator stands also
// when no digit follows it ("5.E+000").
std::u16string overflowed(bool& overflow) {
  overflow = true;
  return u"";
}

std::u16string expText(double value, int precision) {
  if (!std::isfinite(value)) return strff(value, 1, 0);
  const int count = std::max(precision, 1);
  TSignificantDigits sig;
  if (value == 0) {
    sig.Digits.assign(size_t(count), '0');
  } else {
    sig = SignificantDigits(std::fabs(value), count);
  }
  const std::string mantissa = sig.Digits.substr(0, 1) + "." + sig.Digits.substr(1);
  return WidenAscii((value < 0 ? "-" : "") + mantissa + exponentText(sig.Exponent));
}

// The degree types: an angle with no whole degrees to write (not finite, or
// beyond the fixed form) is one their formats cannot show.
std::u16string degreeText(double value, TDegreeFormat format, int precision, bool& overflow) {
  if (!InFixedFormRange(value)) return overflowed(overflow);
  return DegreeToStr(value, format, precision);
}

std::u16string fixedText(double value, int precision) {
  std::u16string text = strff(value, 1, precision);
  if (!std::isfinite(value) || text.find(u'E') == std::u16string::npos) return text;
  // Beyond strff's fixed range (huge, or tiny but not zero) the label still
  // shows fixed point: 1e-40 is "0.00" there, not a scientific text.
  char buffer[512];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  return WidenAscii(std::string(buffer, result.ptr));
}

bool inInt32Range(double value) { return value >= -2147483648.0 && value <= 2147483647.0; }
bool inWordRange(double value) { return value >= -2147483648.0 && value <= 4294967295.0; }

// The low 32 bits of the rounded value, as the digit formatters take them.
int32_t lowWord(double value) {
  return int32_t(uint32_t(uint64_t(int64_t(std::nearbyint(value)))));
}

std::u16string decimalText(int64_t n, int minDigits) {
  const uint64_t magnitude = n < 0 ? uint64_t(0) - uint64_t(n) : uint64_t(n);
  std::string digits = std::to_string(magnitude);
  if (digits.size() < size_t(minDigits)) digits.insert(0, size_t(minDigits) - digits.size(), '0');
  return WidenAscii((n < 0 ? "-" : "") + digits);
}

std::u16string intText(double value, bool& overflow) {
  const double r = std::nearbyint(value);
  // Outside the 64-bit range (and for NaN) no integer exists to show.
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return overflowed(overflow);
  return decimalText(int64_t(r), 1);
}

std::u16string dateTimeText(double value, const TNumLabFormat& fmt, bool& overflow) {
  try {
    return FormatDateTime(fmt.DTFormat, value);
  } catch (const EInvalidArgument&) {
    return overflowed(overflow);
  }
}

using TDigitsFormatter = std::u16string (*)(int32_t, uint8_t);

std::u16string digitsText(double value, int places, TDigitsFormatter formatter, bool& overflow) {
  if (!inWordRange(value)) return overflowed(overflow);
  if (places == 0) return u"";
  std::u16string text = formatter(lowWord(value), uint8_t(places));
  if (text.size() > size_t(places)) text.erase(0, text.size() - size_t(places));
  return text;
}

std::u16string formattedText(TDisplay type, double value, int precision, const TNumLabFormat& fmt,
                             bool& overflow) {
  switch (type) {
    case dtFloat:
      return floatText(value, precision);
    case dtFixP:
      return fixedText(value, precision);
    case dtExp:
      return expText(value, precision);
    case dtHex:
      return digitsText(value, std::min(precision, 8), Hex, overflow);
    case dtZeroInt:
      if (!inInt32Range(value)) return overflowed(overflow);
      return decimalText(int64_t(std::nearbyint(value)), precision);
    case dtInt:
      return intText(value, overflow);
    case dtDateTime:
      return dateTimeText(value, fmt, overflow);
    case dtState:
      return fmt.StateText;
    case dtBin:
      return digitsText(value, std::min(precision, 32), Bin, overflow);
    case dtOct:
      return digitsText(value, std::min(precision, 12), Octal, overflow);
    case dtDeg:
      return degreeText(value, dfDeg, precision, overflow);
    case dtDegMin:
      return degreeText(value, dfDegMin, precision, overflow);
    case dtDegMinSec:
      return degreeText(value, dfDegMinSec, precision, overflow);
    case dtEEng:
      return EEngStr(value, precision);
    case dtEEngNoDP:
      return EEngStr(value, -precision);
  }
  return u"";
}

// The types whose text keeps its characters and takes no plus sign.
bool keepsItsText(TDisplay type) {
  return type == dtHex || type == dtDateTime || type == dtState || type == dtBin;
}

}  // namespace

std::u16string NumLabValueText(TDisplay DisplayType, double Value, const TNumLabFormat& Format) {
  const int precision = std::clamp(Format.Precision, 0, kMaxPrecision);
  bool overflow = false;
  std::u16string text = formattedText(DisplayType, Value, precision, Format, overflow);
  // The indicator stands as given: no separator swap, no "+" in front of it.
  if (overflow) return Format.OverflowIndicator;
  if (keepsItsText(DisplayType)) return text;
  const char16_t from = Format.Comma ? u'.' : u',';
  const char16_t to = Format.Comma ? u',' : u'.';
  std::replace(text.begin(), text.end(), from, to);
  // "+Inf" has its sign already.
  if (Format.ForcePlusSign && Value > 0 && (text.empty() || text[0] != u'+')) {
    text.insert(0, 1, u'+');
  }
  return text;
}
