// The application object: platform start-up and the message loop.
#pragma once

#include <exception>
#include <memory>

class QApplication;
class QSocketNotifier;

// Whether this program runs a widgets application. Without one the controls
// serve as plain models and the clipboard and cursors do nothing.
bool WidgetsAvailable();

class TApplication {
 public:
  // Creates the platform application and registers the program's fonts.
  TApplication(int& argc, char** argv);
  ~TApplication();

  // Runs the message loop until the main window closes, or until a
  // termination signal (ProcessSignals.h) has closed every window; returns
  // the exit code.
  int Run();

  // What the message loop does with an error no handler caught: it shows the
  // message in the standard error box and goes on.
  static void HandleException(const std::exception& error);

 private:
  std::unique_ptr<QApplication> FApp;
  std::unique_ptr<QSocketNotifier> FTermination;  // with PrepareProcessSignals
};

// Runs a handler the platform calls (an event, a click, a timer tick). An
// error it does not catch ends the handler and goes to the error box, as if
// it had reached the message loop; Qt's own frames are never unwound.
template <class Handler>
void RunGuarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    TApplication::HandleException(error);
  }
}

// Registers the Tahoma faces with the platform's font database. Idempotent;
// TApplication calls it, tests that make their own application may too.
void RegisterProgramFonts();
