// Conversions between the library's texts and Qt's strings. Only the platform
// layer and the program's window include this.
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QString>
#include <string>

#include "Bitmap.h"
#include "Colors.h"

// Whether this program runs a widgets application. Without one the controls
// serve as plain models and the clipboard and cursors do nothing.
inline bool WidgetsAvailable() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// A QImage over the bitmap's own pixels (0xFFRRGGBB is Qt's RGB32), without a
// copy. It borrows the pixels: it must not outlive a resize of the bitmap.
inline QImage BitmapView(const TBitmap& bmp) {
  return QImage(reinterpret_cast<const uchar*>(bmp.ScanLine(0)), bmp.Width(), bmp.Height(),
                qsizetype(bmp.Width()) * 4, QImage::Format_RGB32);
}
inline QImage BitmapView(TBitmap& bmp) {
  return QImage(reinterpret_cast<uchar*>(bmp.ScanLine(0)), bmp.Width(), bmp.Height(),
                qsizetype(bmp.Width()) * 4, QImage::Format_RGB32);
}

inline QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

inline std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

// A bitmap pixel (0xFFRRGGBB) is exactly Qt's QRgb.
inline QColor ToQColor(TColor color) { return QColor::fromRgb(ColorToPixel(color)); }
