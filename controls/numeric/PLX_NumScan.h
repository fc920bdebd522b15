// Number texts of the numeric controls: validators for texts being typed,
// scanners that read a value, and the integer and degree formatters.
// Positions in texts (Idx) are 1-based.
#pragma once

#include <cstdint>
#include <string>

#include "controls/base/PLX_plxbase.h"

// Scanned reals are clamped to -uc_MaxDouble .. uc_MaxDouble.
constexpr double uc_MaxDouble = 1.7e308;

enum TDegreeFormat { dfDeg = 0, dfDegMin = 1, dfDegMinSec = 2, dfNumeric = 3 };

// A plain decimal number or the beginning of one ("-", ".", "5."): an optional
// sign, digits and one separator; no blanks, no exponent.
bool IsValidFPNum(const std::u16string& Instring, TDecPSep DecSeparator);
// Instring begins with a complete number (ScanFPNum's rules, exponents up to
// 4200); anything may follow it.
bool IsValidDouble(const std::u16string& Instring, bool AllowExp, TDecPSep DecSeparator);
// A signed decimal integer.
bool IsValidDecInt(const std::u16string& Instring);
// Only hexadecimal, octal or binary digits: no sign, no prefix.
bool IsValidHex(const std::u16string& Instring);
bool IsValidOct(const std::u16string& Instring);
bool IsValidBin(const std::u16string& Instring);

// Reads a number starting at Idx and leaves Idx on the character that ended
// it. DecPChar: 1 accepts ".", 2 ",", 3 either, anything else no separator.
// Bad text gives 0. An exponent mark without digits ("1E", "1E-") adds
// nothing: the value is the mantissa's.
double ScanFPNum(const std::u16string& Instring, bool AllowExp, int DecPChar, int& Idx);
// Read digits of their base from Idx on, after leading blanks, in 32-bit
// arithmetic that wraps; ScanHex skips a "$" at position 1.
int32_t ScanHex(const std::u16string& Instring, int& Idx);
int32_t ScanOctal(const std::u16string& Instring, int& Idx);
int32_t ScanBin(const std::u16string& Instring, int& Idx);

// Exactly `places` low digits of innum taken as unsigned 32-bit (places is
// clamped to 1..8, 1..11 and 1..32).
std::u16string Hex(int32_t innum, uint8_t places);
std::u16string Octal(int32_t innum, uint8_t places);
std::u16string Bin(int32_t innum, uint8_t places);

// An angle in degrees as 12.5°, 12° 30.0' or 12° 30' 45.0" (Precision 0..8
// decimals on the last part), or as a plain number. Angles that cannot be
// split into whole degrees (not finite, or beyond strff's fixed form) are
// written as 12.5° is in every degree format: "+Inf°", "Nan°".
std::u16string DegreeToStr(double InNum, TDegreeFormat Format, int Precision);
