// Numbers as text with "." as the decimal separator whatever the locale, for
// NEC decks and the command line's tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Fixed-point with the given number of decimals: "12.50"; a value that rounds
// to zero has no sign.
std::string FixedText(double value, int decimals);
// Fixed-point with at most the given number of decimals, trailing zeros and a
// trailing "." dropped: 12.5 -> "12.5", 13.0 -> "13".
std::string TrimmedText(double value, int maxDecimals);
// At most the given number of significant digits, in fixed-point or with an
// exponent as is shorter, trailing zeros dropped: 12.9997200 -> "12.99972",
// 5e-7 -> "5e-07".
std::string SignificantText(double value, int digits);
// The shortest text that reads back as the same double, no exponent below 1e16.
std::string ShortestText(double value);
// ASCII text with separator for every "." between two digits: the decimal
// points of its numbers, not the full stops of its sentences.
std::u16string LocalNumbers(std::string_view text, char16_t separator);
// A plain decimal number, the whole text, "." as separator; none for anything
// else and for infinities and NaN.
std::optional<double> ReadNumber(std::string_view text);
