#include "app/ExportFiles.h"

#include <QBuffer>

#include "platform/Errors.h"
#include "platform/QtPicture.h"

std::string PngBytes(const TBitmap& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  // Short of memory the encoder gives up, and an empty or cut-off picture
  // must not be saved as if it were whole.
  if (!buffer.open(QIODevice::WriteOnly) || !BitmapView(picture).save(&buffer, "PNG")) {
    throw EFileError("Cannot encode the picture as PNG");
  }
  return png.toStdString();
}
