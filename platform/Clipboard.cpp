// The system clipboard over QClipboard (its clipboard mode, not the X11
// selection). Without a GUI application there is no clipboard: puts do
// nothing and reads find no text.
#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "Bitmap.h"
#include "QtBridge.h"

namespace {

QClipboard* systemClipboard() {
  return WidgetsAvailable() ? QGuiApplication::clipboard() : nullptr;
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
  // The view borrows the bitmap's pixels; the clipboard keeps a deep copy.
  clipboard->setImage(BitmapView(picture).copy(), QClipboard::Clipboard);
}
