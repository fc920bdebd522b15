// The system clipboard over QClipboard (its clipboard mode, not the X11
// selection). Without a GUI application there is no clipboard: puts do
// nothing and reads find no text.
#include "Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <memory>
#include <vector>

#include "Application.h"
#include "Bitmap.h"
#include "QtPicture.h"
#include "QtText.h"

namespace {

QClipboard* systemClipboard() {
  return WidgetsAvailable() ? QGuiApplication::clipboard() : nullptr;
}

// PNG and BMP are given as files, so that an application asking for either
// gets it even where the platform would not convert; the image itself lets
// the platform offer every other image type it can write.
std::unique_ptr<QMimeData> pictureData(const TBitmap& picture) {
  auto data = std::make_unique<QMimeData>();
  // The view borrows the bitmap's pixels; the clipboard keeps a deep copy.
  const QImage image = BitmapView(picture).copy();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  const std::vector<uint8_t> bmp = EncodeBmp(picture);
  data->setImageData(image);
  data->setData(QStringLiteral("image/png"), png);
  data->setData(QStringLiteral("image/bmp"),
                QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size())));
  return data;
}

}  // namespace

void ClipboardPutText(const std::u16string& text) {
  if (QClipboard* clipboard = systemClipboard()) {
    clipboard->setText(ToQString(text), QClipboard::Clipboard);
  }
}

std::u16string ClipboardGetText() {
  QClipboard* clipboard = systemClipboard();
  return clipboard ? FromQString(clipboard->text(QClipboard::Clipboard)) : std::u16string();
}

bool ClipboardHasText() {
  QClipboard* clipboard = systemClipboard();
  if (!clipboard) return false;
  const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
  return data && data->hasText();
}

void ClipboardPutBitmap(const TBitmap& picture) {
  QClipboard* clipboard = systemClipboard();
  if (!clipboard) return;
  if (picture.Width() == 0 || picture.Height() == 0) {
    clipboard->clear(QClipboard::Clipboard);  // an empty picture replaces what was there
    return;
  }
  clipboard->setMimeData(pictureData(picture).release(), QClipboard::Clipboard);
}

bool ClipboardGetBitmap(TBitmap& picture) {
  QClipboard* clipboard = systemClipboard();
  if (!clipboard) return false;
  const QImage image = clipboard->image(QClipboard::Clipboard);
  if (image.isNull()) return false;
  AssignImage(picture, image);
  return true;
}
