// Qt's views of the library's pictures and colours. Only the platform layer
// and the program's window include this.
#pragma once

#include <QColor>
#include <QImage>

#include "Bitmap.h"
#include "Colors.h"

// A QImage over the bitmap's own pixels (0xFFRRGGBB is Qt's RGB32), without a
// copy. It borrows the pixels: it must not outlive a resize of the bitmap.
inline QImage BitmapView(const TBitmap& bmp) {
  return QImage(reinterpret_cast<const uchar*>(bmp.ScanLine(0)),
                bmp.Width(),
                bmp.Height(),
                qsizetype(bmp.Width()) * 4,
                QImage::Format_RGB32);
}
inline QImage BitmapView(TBitmap& bmp) {
  return QImage(reinterpret_cast<uchar*>(bmp.ScanLine(0)),
                bmp.Width(),
                bmp.Height(),
                qsizetype(bmp.Width()) * 4,
                QImage::Format_RGB32);
}
// Makes the bitmap a copy of the image's size and (opaque) pixels.
void AssignImage(TBitmap& bmp, const QImage& image);

// A bitmap pixel (0xFFRRGGBB) is exactly Qt's QRgb.
inline QColor ToQColor(TColor color) { return QColor::fromRgb(ColorToPixel(color)); }
