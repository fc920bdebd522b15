// Conversions between the library's texts and Qt's strings. Only the platform
// layer and the program's window include this.
#pragma once

#include <QString>
#include <string>

inline QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

inline std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}
