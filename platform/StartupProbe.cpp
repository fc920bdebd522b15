#include "StartupProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

class FirstFrameWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !FSeen) {
      FSeen = true;
      // Queued behind the rest of this frame: the children's paints and the
      // flush to the screen come first.
      QTimer::singleShot(0, this, [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-frame %lld\n",
                    static_cast<long long>(std::chrono::nanoseconds(now).count()));
        std::fflush(stdout);
        QApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool FSeen = false;
};

}  // namespace

void ArmStartupProbe(QWidget& window) {
  if (!std::getenv("ORVAK_STARTUP_PROBE")) return;
  window.installEventFilter(new FirstFrameWatch(&window));
}
