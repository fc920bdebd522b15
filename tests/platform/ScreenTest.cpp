// Display aspect values and the application-wide cursor override.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

#include "platform/Screen.h"

namespace {

Qt::CursorShape overrideShape() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::CustomCursor;
}

// Removes every override level and tells how many there were.
int overrideDepth() {
  int depth = 0;
  while (QGuiApplication::overrideCursor()) {
    QGuiApplication::restoreOverrideCursor();
    ++depth;
  }
  return depth;
}

class ScreenCursorTest : public ::testing::Test {
 protected:
  void TearDown() override { SetScreenCursor(crDefault); }
};

TEST(Screen, PixelsAreSquare) {
  EXPECT_EQ(ScreenAspectX(), 36);
  EXPECT_EQ(ScreenAspectY(), 36);
}

TEST_F(ScreenCursorTest, OverrideFollowsTheScreenCursor) {
  SetScreenCursor(crCross);
  EXPECT_EQ(ScreenCursor(), crCross);
  EXPECT_EQ(overrideShape(), Qt::CrossCursor);
  SetScreenCursor(crHandPoint);
  EXPECT_EQ(overrideShape(), Qt::PointingHandCursor);
  SetScreenCursor(crDefault);
  EXPECT_EQ(ScreenCursor(), crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ScreenCursorTest, RepeatedChangesKeepOneOverride) {
  for (TCursor c : {crCross, crCross, crArrow, crIBeam, crCross}) SetScreenCursor(c);
  EXPECT_EQ(overrideShape(), Qt::CrossCursor);
  SetScreenCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  SetScreenCursor(crIBeam);
  SetScreenCursor(crArrow);
  EXPECT_EQ(overrideDepth(), 1);
  SetScreenCursor(crDefault);  // finds the override gone and leaves it so
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ScreenCursorTest, RegisteredCursorsByName) {
  RegisterCursor(1, u"CURHAND");
  RegisterCursor(2, u"CURZOOMW");
  RegisterCursor(3, u"CURZOOMD");
  RegisterCursor(4, u"CURZOOMP");
  RegisterCursor(9, u"NOSUCHCURSOR");

  for (TCursor own : {1, 2, 3, 4}) {
    SetScreenCursor(own);
    EXPECT_EQ(ScreenCursor(), own);
    ASSERT_EQ(overrideShape(), Qt::BitmapCursor) << own;
    EXPECT_FALSE(QGuiApplication::overrideCursor()->pixmap().isNull()) << own;
  }
  SetScreenCursor(9);
  EXPECT_EQ(overrideShape(), Qt::ArrowCursor);
  SetScreenCursor(42);  // never registered
  EXPECT_EQ(overrideShape(), Qt::ArrowCursor);
}

// The four images are the program's own drawings, cursor-sized, with the
// hot spot on the drawing.
TEST_F(ScreenCursorTest, TheProgramsCursorImages) {
  const std::pair<TCursor, const char16_t*> names[] = {
      {1, u"CURHAND"}, {2, u"CURZOOMW"}, {3, u"CURZOOMD"}, {4, u"CURZOOMP"}};
  for (const auto& [number, name] : names) {
    RegisterCursor(number, name);
    TCursorImage image;
    ASSERT_TRUE(RegisteredCursorImage(number, image)) << number;
    EXPECT_EQ(image.Width, 32) << number;
    EXPECT_EQ(image.Height, 32) << number;
    EXPECT_GE(image.HotX, 4) << number;
    EXPECT_LE(image.HotX, 27) << number;
    EXPECT_GE(image.HotY, 4) << number;
    EXPECT_LE(image.HotY, 27) << number;
    EXPECT_GT(image.InkPixels, 80) << number;
    EXPECT_LT(image.InkPixels, 32 * 32 / 2) << number;
  }
  RegisterCursor(9, u"NOSUCHCURSOR");
  TCursorImage image;
  EXPECT_FALSE(RegisteredCursorImage(9, image));
  EXPECT_FALSE(RegisteredCursorImage(crCross, image));
}

}  // namespace
