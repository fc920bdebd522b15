#include "controls/base/PLX_stringl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kSignificantDigits = 18;
// Widths and decimal counts are capped here: beyond it they would only add
// padding or zero digits (an 18-digit value needs at most 53 decimals before
// the text switches to the scientific form), and an unbounded argument would
// allocate without limit.
constexpr long long kMaxWidth = 255;
// Magnitudes above this (just around 2^119) are written in the scientific form.
constexpr long double kFixedLimit = 6.64613997892458e35L;
// Non-zero magnitudes with a decimal exponent of -36 or below, too.
constexpr int kFixedMinExponent = -35;
constexpr int kMinScientificWidth = 10;
// Characters of the scientific form besides the mantissa digits:
// sign position, ".", "E", exponent sign and four exponent digits.
constexpr int kScientificOverhead = 8;

// A magnitude as 18 significant decimal digits d0.d1...d17 times
// 10^exponent, rounded to nearest.
struct TDecimal {
  std::array<int, kSignificantDigits> digits{};
  int exponent = 0;
};

// A whole magnitude below 10^18 has its digits exactly, without the C
// library: axis labels are mostly such numbers.
bool wholeToDecimal(long double magnitude, TDecimal& dec) {
  if (!(magnitude < 1e18L) || magnitude != std::floor(magnitude)) return false;
  unsigned long long n = static_cast<unsigned long long>(magnitude);
  std::array<int, kSignificantDigits> reversed{};
  int count = 0;
  do {
    reversed[size_t(count++)] = int(n % 10);
    n /= 10;
  } while (n != 0);
  for (int i = 0; i < count; ++i) dec.digits[size_t(i)] = reversed[size_t(count - 1 - i)];
  dec.exponent = count - 1;
  return true;
}

TDecimal toDecimal(long double magnitude) {
  TDecimal dec;
  if (wholeToDecimal(magnitude, dec)) return dec;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
  // The separator after the first digit follows the C locale, so only the
  // digits before the "e" are picked up.
  const char* expMark = std::strchr(buffer, 'e');
  int count = 0;
  for (const char* p = buffer; p != expMark && count < kSignificantDigits; ++p) {
    if (*p >= '0' && *p <= '9') dec.digits[count++] = *p - '0';
  }
  dec.exponent = expMark ? std::atoi(expMark + 1) : 0;
  return dec;
}

int digitAt(const TDecimal& dec, int index) {
  return (index >= 0 && index < kSignificantDigits) ? dec.digits[index] : 0;
}

// Digits first..last of dec (indices outside the 18 digits are zeros), rounded
// at the last one: a following digit of 5 or more rounds up with carries.
// Returns true when the carry ran out of the first digit; out is then all
// zeros and the caller puts the "1" in front.
bool roundedDigits(const TDecimal& dec, int first, int last, std::string& out) {
  out.clear();
  for (int i = first; i <= last; ++i) out += char('0' + digitAt(dec, i));
  if (digitAt(dec, last + 1) < 5) return false;
  for (int k = int(out.size()) - 1; k >= 0; --k) {
    if (out[size_t(k)] != '9') {
      ++out[size_t(k)];
      return false;
    }
    out[size_t(k)] = '0';
  }
  return true;
}

std::string padLeft(std::string text, long long width) {
  if (static_cast<long long>(text.size()) < width) text.insert(0, size_t(width) - text.size(), ' ');
  return text;
}

std::string nonFiniteText(long double r) {
  if (std::isnan(r)) return "Nan";
  return r > 0 ? "+Inf" : "-Inf";
}

std::string scientificForm(long double r, long long width) {
  const long long fieldWidth = std::max<long long>(width, kMinScientificWidth);
  if (!std::isfinite(r)) return padLeft(nonFiniteText(r), fieldWidth);
  const int mantissaDigits =
      int(std::min<long long>(fieldWidth - kScientificOverhead, kSignificantDigits));
  const TSignificantDigits sig = SignificantDigits(std::fabs(r), mantissaDigits);
  const std::string& mantissa = sig.Digits;
  const int exponent = sig.Exponent;
  char expText[16];  // four digits suffice: extended exponents stay below 5000
  std::snprintf(expText, sizeof expText, "%04d", std::abs(exponent));
  std::string text;
  text += r < 0 ? '-' : ' ';
  text += mantissa[0];
  text += '.';
  text += mantissa.substr(1);
  text += 'E';
  text += exponent < 0 ? '-' : '+';
  text += expText;
  return padLeft(text, fieldWidth);
}

// The fixed form of a finite r at any magnitude.
std::string fixedDigits(long double r, const TDecimal& dec, long long width, int decimals) {
  // The digit of 10^p has index exponent - p; write 10^top down to 10^-decimals.
  const int top = std::max(dec.exponent, 0);
  std::string digits;
  if (roundedDigits(dec, dec.exponent - top, dec.exponent + decimals, digits)) {
    digits.insert(0, 1, '1');
  }
  if (decimals > 0) digits.insert(digits.size() - size_t(decimals), 1, '.');
  return padLeft((r < 0 ? "-" : "") + digits, width);
}

std::string fixedForm(long double r, long long width, int decimals) {
  if (!std::isfinite(r)) return padLeft(nonFiniteText(r), width);
  const long double magnitude = std::fabs(r);
  const TDecimal dec = toDecimal(magnitude);
  if (!InFixedFormRange(r) || (magnitude != 0 && dec.exponent < kFixedMinExponent)) {
    return scientificForm(r, width);
  }
  return fixedDigits(r, dec, width, decimals);
}

// DecP -2: the scientific form two characters wider, its exponent cut to two
// digits; an exponent that needs more turns the whole text into asterisks.
std::string twoDigitExponentForm(long double r, long long width) {
  // Non-finite texts get the width that the cut exponent leaves.
  if (!std::isfinite(r)) {
    return padLeft(nonFiniteText(r), std::max<long long>(width + 2, kMinScientificWidth) - 2);
  }
  std::string text = scientificForm(r, width + 2);
  const size_t expMark = text.find('E');
  if (expMark == std::string::npos || text.size() != expMark + 6) return text;
  const bool fitsTwoDigits = text[expMark + 2] == '0' && text[expMark + 3] == '0';
  text.erase(expMark + 2, 2);
  if (!fitsTwoDigits) text.assign(text.size(), '*');
  return text;
}

// Leading blanks become zeros and a minus sign moves to the front.
void padWithZeros(std::string& text) {
  size_t k = 0;
  while (k < text.size() && text[k] == ' ') text[k++] = '0';
  if (k < text.size() && text[k] == '-') {
    text[k] = '0';
    text[0] = '-';
  }
}

}  // namespace

std::u16string strff(long double r, int FieldWidth, int DecP) {
  const long long width = std::min(std::llabs(static_cast<long long>(FieldWidth)), kMaxWidth);
  std::string text;
  if (DecP == -2) {
    text = twoDigitExponentForm(r, width);
  } else if (DecP < 0) {
    text = scientificForm(r, width);
  } else {
    text = fixedForm(r, width, int(std::min<long long>(DecP, kMaxWidth)));
  }
  // "+Inf" and "Nan" keep their blanks: zeros in front of them would read as
  // a number.
  if (FieldWidth < 0 && std::isfinite(r)) padWithZeros(text);
  return WidenAscii(text);
}

std::u16string FixedFormText(long double r, int DecP) {
  const int decimals = int(std::clamp<long long>(DecP, 0, kMaxWidth));
  if (!std::isfinite(r)) return WidenAscii(nonFiniteText(r));
  return WidenAscii(fixedDigits(r, toDecimal(std::fabs(r)), 1, decimals));
}

bool InFixedFormRange(long double r) { return std::isfinite(r) && std::fabs(r) <= kFixedLimit; }

std::u16string ReplaceCharInString(const std::u16string& Instring, char16_t OldChar,
                                   char16_t NewChar) {
  std::u16string result = Instring;
  std::replace(result.begin(), result.end(), OldChar, NewChar);
  return result;
}

std::u16string WidenAscii(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

TSignificantDigits SignificantDigits(long double magnitude, int count) {
  count = std::clamp(count, 1, kSignificantDigits);
  const TDecimal dec = toDecimal(magnitude);
  TSignificantDigits sig;
  sig.Exponent = dec.exponent;
  if (roundedDigits(dec, 0, count - 1, sig.Digits)) {
    sig.Digits[0] = '1';  // 9.99... carried to 10: 1.00... one decade up
    ++sig.Exponent;
  }
  return sig;
}
