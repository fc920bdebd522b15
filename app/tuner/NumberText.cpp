#include "app/tuner/NumberText.h"

#include <charconv>
#include <cmath>

std::string FixedText(double value, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
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
  std::u16string local;
  for (char c : text) local += c == '.' ? separator : char16_t(c);
  return local;
}
