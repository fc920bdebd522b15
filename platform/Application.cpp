#include "Application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QSocketNotifier>

#include "Dialogs.h"
#include "ProcessSignals.h"

bool WidgetsAvailable() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

namespace {

// Routes every event through a handler that turns an escaped error into the
// standard error box, so the message loop goes on.
class PlxApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      TApplication::HandleException(error);
    } catch (...) {
      TApplication::HandleException(std::runtime_error("Unknown error"));
    }
    return false;
  }
};

}  // namespace

void RegisterProgramFonts() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  // fontconfig does not look into the wine font folder, so the faces are
  // registered with Qt directly.
  QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
  QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
}

TApplication::TApplication(int& argc, char** argv)
    : FApp(std::make_unique<PlxApplication>(argc, argv)) {
  RegisterProgramFonts();
  if (TerminationSignalDescriptor() < 0) return;
  // The signal is taken between two events: the windows close as if the
  // user closed them (a modal dialog's loop ends too), and whatever runs
  // ends with its window.
  FTermination =
      std::make_unique<QSocketNotifier>(TerminationSignalDescriptor(), QSocketNotifier::Read);
  QObject::connect(FTermination.get(), &QSocketNotifier::activated, FApp.get(), [] {
    if (TerminationSignal() == 0) return;
    QApplication::closeAllWindows();
    QCoreApplication::exit(1);
  });
}

TApplication::~TApplication() = default;

int TApplication::Run() { return FApp->exec(); }

void TApplication::HandleException(const std::exception& error) { ShowErrorBox(error.what()); }
