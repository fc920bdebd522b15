// The program's entry point. With options of ours it prints its results and
// exits without any window (so it needs no display); otherwise the
// application, the main window, the message loop until the window closes.
// SIGTERM, SIGHUP and SIGINT end either only after the runs of nec2c have
// been stopped and their folders removed, then as the signal would.
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/tuner/NecProcess.h"
#include "app/u_frmMain.h"
#include "platform/Application.h"
#include "platform/ProcessSignals.h"
#include "platform/StartupProbe.h"

namespace {

// The window until it closes; its runs of nec2c end with it.
int runWindow(int& argc, char** argv) {
  TApplication application(argc, argv);
  TfrmMain frmMain;
  ArmStartupProbe(frmMain);
  frmMain.show();
  return application.Run();
}

}  // namespace

int main(int argc, char** argv) {
  PrepareProcessSignals();  // before anything writes or starts a thread
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (IsCommandLineMode(args)) {
    EndOnTerminationSignal(EndNecChildren);
    return RunCommandLine(args, std::cout, std::cerr);
  }
  const int code = runWindow(argc, argv);
  if (const int signal = TerminationSignal()) {
    EndNecChildren();  // a safety net: the runs have ended with the window
    EndBySignal(signal);
  }
  return code;
}
