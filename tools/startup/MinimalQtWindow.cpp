// The yardstick of the start-up measurement: the least a Qt Widgets program
// does to put a window of the main window's size on the screen.
#include <QApplication>
#include <QWidget>

#include "platform/StartupProbe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(938, 510);
  ArmStartupProbe(window);
  window.show();
  return application.exec();
}
