// Pictures to and from Qt's images, and reading image files through Qt's
// decoders (TBitmap::LoadFromFile): the pixel store itself needs no Qt.
#include "QtPicture.h"

#include "Errors.h"
#include "QtText.h"
#include "Utf8.h"

void AssignImage(TBitmap& bmp, const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  bmp.SetSize(rgb.width(), rgb.height());
  for (int y = 0; y < bmp.Height(); ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
    uint32_t* dst = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x) dst[x] = src[x] | 0xFF000000u;
  }
}

void TBitmap::LoadFromFile(const std::u16string& fileName) {
  QImage image(ToQString(fileName));
  if (image.isNull()) throw EFileError("Cannot read the image file \"" + ToUtf8(fileName) + "\"");
  AssignImage(*this, image);
}
