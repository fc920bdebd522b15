#include "app/ExportFiles.h"

#include <QBuffer>
#include <QSaveFile>

#include "platform/Errors.h"
#include "platform/Utf8.h"
#include "platform/QtBridge.h"

std::string PngBytes(const TBitmap& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  BitmapView(picture).save(&buffer, "PNG");
  return png.toStdString();
}

void WriteWholeFile(const std::u16string& fileName, const std::string& data) {
  QSaveFile file(ToQString(fileName));
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(data.data(), qint64(data.size())) == qint64(data.size()) &&
                       file.commit();
  if (!written) {
    throw EFileError("Cannot write the file \"" + ToUtf8(fileName) + "\": " +
                     file.errorString().toStdString());
  }
}
