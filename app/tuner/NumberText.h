// Numbers as text with "." as the decimal separator whatever the locale, for
// NEC decks and the command line's tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Fixed-point with the given number of decimals: "12.50".
std::string FixedText(double value, int decimals);
// Fixed-point with at most the given number of decimals, trailing zeros and a
// trailing "." dropped: 12.5 -> "12.5", 13.0 -> "13".
std::string TrimmedText(double value, int maxDecimals);
// The shortest text that reads back as the same double, no exponent below 1e16.
std::string ShortestText(double value);
// ASCII text whose every "." stands in a number, with separator instead.
std::u16string LocalNumbers(std::string_view text, char16_t separator);
// A plain decimal number, the whole text, "." as separator; none for anything
// else and for infinities and NaN.
std::optional<double> ReadNumber(std::string_view text);
