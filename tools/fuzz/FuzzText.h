// Texts in the findings of the fuzz targets.
#pragma once

#include <cstdio>
#include <string>

// ASCII as it stands, every other character as \uXXXX.
inline std::string printable(const std::u16string& text) {
  std::string out;
  for (const char16_t c : text) {
    if (c >= 32 && c < 127) {
      out += char(c);
    } else {
      char hex[12];
      std::snprintf(hex, sizeof hex, "\\u%04X", unsigned(c));
      out += hex;
    }
  }
  return out;
}
