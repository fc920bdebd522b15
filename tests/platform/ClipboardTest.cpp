// The clipboard: text round trips and a picture replacing the text.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"

namespace {

TEST(Clipboard, TextRoundTrip) {
  for (const std::u16string text : {u"12.5", u"7,25 \u00b5V", u""}) {
    ClipboardPutText(text);
    EXPECT_EQ(ClipboardGetText(), text);
  }
  ClipboardPutText(u"-0.001");
  EXPECT_TRUE(ClipboardHasText());
}

TEST(Clipboard, PictureReplacesTheText) {
  ClipboardPutText(u"85.30");
  TBitmap picture(3, 2);
  picture.Canvas().SetPixel(2, 1, clRed);
  ClipboardPutBitmap(picture);

  EXPECT_FALSE(ClipboardHasText());
  EXPECT_EQ(ClipboardGetText(), u"");
  const QImage image = QGuiApplication::clipboard()->image();
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.pixel(2, 1) & 0xFFFFFFu, qRgb(255, 0, 0) & 0xFFFFFFu);
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFFu, qRgb(255, 255, 255) & 0xFFFFFFu);

  // The clipboard keeps its own copy.
  picture.Canvas().SetPixel(0, 0, clBlack);
  EXPECT_EQ(QGuiApplication::clipboard()->image().pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(Clipboard, EmptyPictureEmptiesTheClipboard) {
  ClipboardPutText(u"1");
  ClipboardPutBitmap(TBitmap());
  EXPECT_FALSE(ClipboardHasText());
  EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

}  // namespace
