// The clipboard: text round trips and a picture replacing the text.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <vector>

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

// Image editors, office documents and chats ask for PNG or BMP files.
TEST(Clipboard, PictureIsOfferedAsPngAndBmp) {
  TBitmap picture(5, 3);
  picture.Canvas().SetPixel(4, 2, clRed);
  picture.Canvas().SetPixel(0, 0, clNavy);
  ClipboardPutBitmap(picture);

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasImage());
  for (const char* format : {"image/png", "image/bmp"}) {
    SCOPED_TRACE(format);
    ASSERT_TRUE(data->hasFormat(QString::fromLatin1(format)));
    const QImage image = QImage::fromData(data->data(QString::fromLatin1(format)));
    ASSERT_EQ(image.size(), QSize(5, 3));
    EXPECT_EQ(image.pixel(4, 2) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFFu, 0x000080u);
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFFu, 0xFFFFFFu);
  }
  const std::vector<uint8_t> bmp = EncodeBmp(picture);
  EXPECT_EQ(data->data(QStringLiteral("image/bmp")),
            QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size())))
      << "the same file SaveToFile writes";
}

TEST(Clipboard, PictureReadBack) {
  TBitmap picture(4, 6);
  picture.Canvas().SetPixel(3, 5, clOlive);
  ClipboardPutBitmap(picture);
  TBitmap back(1, 1);
  ASSERT_TRUE(ClipboardGetBitmap(back));
  ASSERT_EQ(back.Width(), 4);
  ASSERT_EQ(back.Height(), 6);
  EXPECT_EQ(back.PixelColor(3, 5), clOlive);
  EXPECT_EQ(back.PixelColor(0, 0), clWhite);

  ClipboardPutText(u"7.1");
  EXPECT_FALSE(ClipboardGetBitmap(back));
  EXPECT_EQ(back.Width(), 4) << "unchanged without a picture";
}

TEST(Clipboard, EmptyPictureEmptiesTheClipboard) {
  ClipboardPutText(u"1");
  ClipboardPutBitmap(TBitmap());
  EXPECT_FALSE(ClipboardHasText());
  EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

}  // namespace
