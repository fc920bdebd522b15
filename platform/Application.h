// The application object: platform start-up and the message loop.
#pragma once

#include <exception>
#include <memory>

class QApplication;

class TApplication {
 public:
  // Creates the platform application and registers the program's fonts.
  TApplication(int& argc, char** argv);
  ~TApplication();

  // Runs the message loop until the main window closes; returns the exit code.
  int Run();

  // What the message loop does with an error no handler caught: it shows the
  // message in the standard error box and goes on.
  static void HandleException(const std::exception& error);

 private:
  std::unique_ptr<QApplication> FApp;
};

// Registers the Tahoma faces with the platform's font database. Idempotent;
// TApplication calls it, tests that make their own application may too.
void RegisterProgramFonts();
