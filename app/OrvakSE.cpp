// The program's entry point. With options of ours it prints its results and
// exits without any window (so it needs no display); otherwise the
// application, the main window, the message loop until the window closes.
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/u_frmMain.h"
#include "platform/Application.h"
#include "platform/StartupProbe.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (IsCommandLineMode(args)) return RunCommandLine(args, std::cout, std::cerr);
  TApplication application(argc, argv);
  TfrmMain frmMain;
  ArmStartupProbe(frmMain);
  frmMain.show();
  return application.Run();
}
