// Timers over a private QObject. Ticks arrive as QTimerEvents through the
// application's event dispatch, so an error a tick handler throws reaches the
// message loop's error box like that of any other event.
#include "Timer.h"

#include <QObject>
#include <QTimerEvent>
#include <algorithm>
#include <map>

#include "Application.h"

namespace {

bool gTimersAvailable = true;

// The classic desktop raises shorter intervals to this minimum.
constexpr int kMinimumIntervalMs = 10;

}  // namespace

class TimerObject : public QObject {
 public:
  explicit TimerObject(TTimerWindow* owner) : FOwner(owner) {}

  // The owner is going away; ticks already queued find no receiver.
  void Detach() { FOwner = nullptr; }
  bool InTick() const { return FInTick; }

  bool Start(int id, int intervalMs) {
    Stop(id);
    const int qtId = startTimer(std::max(intervalMs, kMinimumIntervalMs));
    if (qtId == 0) return false;
    FTimers[id] = qtId;
    return true;
  }

  void Stop(int id) {
    const auto it = FTimers.find(id);
    if (it == FTimers.end()) return;
    killTimer(it->second);
    FTimers.erase(it);
  }

  void StopAll() {
    for (const auto& [id, qtId] : FTimers) killTimer(qtId);
    FTimers.clear();
  }

  bool Running(int id) const { return FTimers.count(id) != 0; }

 protected:
  void timerEvent(QTimerEvent* event) override {
    const auto it = std::find_if(FTimers.begin(), FTimers.end(), [event](const auto& entry) {
      return entry.second == event->timerId();
    });
    if (it == FTimers.end() || !FOwner || !FOwner->OnTimer) return;
    const int id = it->first;
    TickScope scope(FInTick);
    // An error of the tick handler goes to the error box here, so it never
    // unwinds through Qt's event dispatch.
    RunGuarded([&] { FOwner->OnTimer(id); });
  }

 private:
  class TickScope {
   public:
    explicit TickScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TickScope() { FFlag = false; }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;

   private:
    bool& FFlag;
  };

  TTimerWindow* FOwner;
  std::map<int, int> FTimers;  // our id -> Qt's timer id
  bool FInTick = false;
};

TTimerWindow::TTimerWindow() : FObject(std::make_unique<TimerObject>(this)) {}

TTimerWindow::~TTimerWindow() {
  FObject->StopAll();
  FObject->Detach();
  // A tick handler may destroy its own timer window: the object whose
  // timerEvent is still running is deleted once the event is done.
  if (FObject->InTick()) FObject.release()->deleteLater();
}

bool TTimerWindow::SetTimer(int id, int intervalMs) {
  if (!gTimersAvailable) {
    FObject->Stop(id);
    return false;
  }
  return FObject->Start(id, intervalMs);
}

void TTimerWindow::KillTimer(int id) { FObject->Stop(id); }

bool TTimerWindow::TimerRunning(int id) const { return FObject->Running(id); }

void TTimerWindow::SetTimersAvailable(bool available) { gTimersAvailable = available; }
