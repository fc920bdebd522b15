// Test main for every test program: Qt's offscreen platform (unless the
// caller chose another), an application object and the program's fonts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
