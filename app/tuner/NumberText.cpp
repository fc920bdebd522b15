#include "app/tuner/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string FixedText(double value, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  // A value that rounds to zero has no sign: "0.000", never "-0.000".
  const bool zero =
      std::all_of(buffer, result.ptr, [](char c) { return c == '-' || c == '0' || c == '.'; });
  char* first = zero && buffer[0] == '-' ? buffer + 1 : buffer;
  return std::string(first, result.ptr);
}

std::string TrimmedText(double value, int maxDecimals) {
  std::string text = FixedText(value, maxDecimals);
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  // Returned rather than assigned: GCC 12 warns falsely (-Wrestrict) about
  // assigning a literal to this string when sanitizers are on.
  if (text == "-0") return "0";
  return text;
}

std::string SignificantText(double value, int digits) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, result.ptr);
  if (text == "-0") return "0";
  return text;
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::optional<double> ReadNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::u16string LocalNumbers(std::string_view text, char16_t separator) {
  const auto digit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  std::u16string local;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool point = text[i] == '.' && i > 0 && digit(i - 1) && digit(i + 1);
    local += point ? separator : char16_t(text[i]);
  }
  return local;
}
