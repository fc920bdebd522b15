// The program's entry point: the application, the main window, the message
// loop until the window closes.
#include "app/u_frmMain.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  TfrmMain frmMain;
  frmMain.show();
  return application.Run();
}
