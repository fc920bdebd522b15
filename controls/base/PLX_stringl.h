// Fixed-point and scientific number texts, and a character replacement.
#pragma once

#include <string>

// The number r as text, right-justified to |FieldWidth| characters and never
// cut:
//   DecP >= 0  fixed point with exactly DecP decimals ("7.100", "-0.00");
//              magnitudes above 6.64613997892458e35 or below 1e-35 switch to
//              the scientific form with width max(|FieldWidth|, 10);
//   DecP = -2  scientific with |FieldWidth| - 6 significant digits and a
//              two-digit exponent (" 1.23456E+05"), or all asterisks when the
//              exponent needs three digits;
//   other DecP < 0  scientific with width |FieldWidth| and four exponent digits.
// A negative FieldWidth pads with zeros instead of blanks ("-0005.50").
// Infinities and NaN give "+Inf", "-Inf" and "Nan".
std::u16string strff(long double r, int FieldWidth, int DecP);

// r in strff's fixed form with DecP decimals (no padding) at every finite
// magnitude: never the scientific form, so large magnitudes keep all their
// integer digits (18 significant ones, then zeros) and tiny ones round to
// zero. Infinities and NaN as strff writes them.
std::u16string FixedFormText(long double r, int DecP);

// Whether r is finite and no larger in magnitude than the fixed form takes
// (6.64613997892458e35): whole numbers up to there are written with all their
// digits.
bool InFixedFormRange(long double r);

// Instring with every OldChar replaced by NewChar.
std::u16string ReplaceCharInString(const std::u16string& Instring, char16_t OldChar,
                                   char16_t NewChar);

// A non-negative finite magnitude as `count` (1..18) significant digits and
// the decimal exponent of the first: taken to 18 significant digits, then
// rounded at the last kept one with carries, as strff rounds.
struct TSignificantDigits {
  std::string Digits;
  int Exponent = 0;
};
TSignificantDigits SignificantDigits(long double magnitude, int count);

// A text of ASCII characters (digits, signs, letters) as the library's text.
std::u16string WidenAscii(const std::string& ascii);
